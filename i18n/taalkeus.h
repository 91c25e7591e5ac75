#pragma once

#include <QDialog>

#include <array>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kobalin {

// The language choice: stores the language of the next start.
class Ttaalkeus : public QDialog {
    Q_OBJECT
public:
    explicit Ttaalkeus(QWidget* parent = nullptr);

    void FormActivate();
    void Button1Click();
    void Button2Click();

    // The selected item of RadioGroup1, -1 when none is.
    int itemIndex() const;
    void setItemIndex(int index);

    QLabel* Label1;
    QGroupBox* RadioGroup1;
    std::array<QRadioButton*, 6> items;
    std::array<QLabel*, 6> images;  // Image1 to Image6, the flags beside the items
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildItems();  // RadioGroup1: each language with its flag

    QButtonGroup* group_;
};

}  // namespace kobalin
