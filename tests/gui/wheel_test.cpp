// A wheel turn changes only the field that has the keyboard focus; over any
// other it scrolls the window, as over the rest of it.
#include "wizardtest.h"

#include "person.h"

#include "layeredit/layeredit.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>

#include <functional>

using namespace kobalin;

class Wheel : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        seed(kEnglish, 1);
    }

    // The layer editor as step 4 opens it on an empty table.
    void inLayerEditor(std::function<void(TLayeredit&)> script)
    {
        recorder.answerDialog([script](QDialog& d) {
            script(static_cast<TLayeredit&>(d));
            d.close();
        });
        while (run.pagina < 4) {
            wizard("Button3")->setEnabled(true);  // as a chosen reference file would
            next();
        }
        recorder.expectAllAnswersUsed();
    }
};

TEST_F(Wheel, ChangesOnlyTheFieldWithTheFocus)
{
    struct Case {
        const char* what;
        std::function<QWidget*(TLayeredit&)> focus;   // a person's click; the field that has the focus then
        std::function<QSpinBox*(TLayeredit&)> under;  // the field under the pointer
        int notches;
        int value;      // the field's value after the turn
        bool scrolled;  // whether the fields scrolled
    };
    auto nameField = [](TLayeredit& d) -> QWidget* {
        QTest::mouseClick(d.ComboBox1->lineEdit(), Qt::LeftButton);
        return d.ComboBox1;
    };
    auto itself = [](QSpinBox* (*field)(TLayeredit&)) {
        return [field](TLayeredit& d) -> QWidget* {
            QTest::mouseClick(field(d), Qt::LeftButton);
            return field(d);
        };
    };
    auto passCount = [](TLayeredit& d) { return d.CSpinEdit1; };
    auto cmv = [](TLayeredit& d) { return d.CSpinEdit4; };
    const Case cases[] = {
        {"Passcount Target, the focus in the name field", nameField, passCount, 1, 4, false},
        {"Passcount Target with the focus", itself(passCount), passCount, 1, 5, false},
        {"CMV Target, the window too low for the fields", nameField, cmv, -2, 50, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        restart();
        start();
        inLayerEditor([&](TLayeredit& d) {
            auto* area = d.findChild<QScrollArea*>("fieldsArea");
            if (c.scrolled)
                d.resize(d.width(), d.CSpinEdit4->mapTo(&d, QPoint(0, d.CSpinEdit4->height())).y() + 20);
            QApplication::processEvents();
            ASSERT_EQ(area->verticalScrollBar()->value(), 0);
            QWidget* focused = c.focus(d);
            ASSERT_TRUE(focused->hasFocus());
            turnWheel(c.under(d), c.notches);
            EXPECT_EQ(c.under(d)->value(), c.value);
            EXPECT_TRUE(focused->hasFocus()) << "the focus stays where it was";
            EXPECT_EQ(area->verticalScrollBar()->value() > 0, c.scrolled);
        });
    }
}
