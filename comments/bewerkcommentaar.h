#pragma once

#include <QDialog>

#include <cstdint>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kobalin {

// Edits one comment line; the caller fills the field and reads it back,
// however the dialog was closed.
class TBewerkcommentaar : public QDialog {
    Q_OBJECT
public:
    explicit TBewerkcommentaar(QWidget* parent = nullptr);

    std::int32_t taalbasis = 0;  // set by the caller before each opening

    void FormActivate();
    void Button1Click();

    QFrame* Panel1;
    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* Button1;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kobalin
