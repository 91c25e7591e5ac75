#pragma once

#include "wizard/layerrows.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kobalin {

// Asks how a build-up of equal lifts lies: the surface it is built on, the
// top of its last lift, the lift thickness and the lifts' name. Its OK
// refuses what makes no lifts and closes with them in lifts.
class TGenerateLifts : public QDialog {
    Q_OBJECT
public:
    explicit TGenerateLifts(QWidget* parent = nullptr);

    // Set by the caller before each opening.
    std::int32_t taalbasis = 0;
    int layerRows = 0;    // the table's layers
    LayerRow valuesFrom;  // the lifts' other values
    // After OK: the lifts, the top one first.
    Lifts lifts;

    void FormActivate();
    void Button1Click();  // OK
    void Button2Click();  // Abort

    std::array<QLabel*, 4> captions;  // Label1 to Label4
    QLineEdit* Edit1;                 // the surface's offset
    QLineEdit* Edit2;                 // the top's offset
    QLineEdit* Edit3;                 // the lift thickness
    QLineEdit* Edit4;                 // the name
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString text(int k) const;
    std::optional<double> readField(QLineEdit* field, const QLabel* caption);
};

}  // namespace kobalin
