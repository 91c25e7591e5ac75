#pragma once

#include <QWidget>

class QToolButton;

namespace kobalin {

// An up/down button pair beside a decimal field.
class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(QWidget* parent = nullptr);

    QToolButton* up;
    QToolButton* down;

signals:
    void upClicked();
    void downClicked();

private:
    void fire(QToolButton* button, void (SpinButton::*clicked)());

    bool busy_ = false;  // a click's handler is running
};

}  // namespace kobalin
