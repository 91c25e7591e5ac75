#include "wizardtest.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

using namespace kobalin;

class ReferenceFile : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        seed(kEnglish, 1);
        start();
        next();
    }

    // As the file dialog gives it ("/" on Windows too), and as the wizard shows and stores it.
    QString path(const char* name) const { return QDir(QString::fromStdString(folder.string())).filePath(name); }
    QString shown(const char* name) const { return QDir::toNativeSeparators(path(name)); }
    std::u16string stored(std::u16string_view name) { return openSettingsKey(kSettingsKey)->readString(name).value(); }

    void choose(std::optional<QString> file)
    {
        recorder.chooseFile(std::move(file));
        clickWizard("Edit1");
    }

    QString label(const char* name) { return wizard<QLabel>(name)->text(); }
};

TEST_F(ReferenceFile, AChosenFileIsShownAndStored)
{
    choose(path("road.lin"));
    ASSERT_EQ(recorder.fileRequests.size(), 1u);
    EXPECT_EQ(recorder.fileRequests[0].folder, "");
    EXPECT_EQ(recorder.fileRequests[0].filters, QStringList({"*.xml", "*.lin"}));
    EXPECT_EQ(wizard<QLineEdit>("Edit1")->text(), shown("road.lin"));
    EXPECT_EQ(label("Label6"), shown(""));
    EXPECT_EQ(label("Label6"), QString::fromStdString(folder.string()));
    EXPECT_EQ(label("Label23"), "road.lin");
    EXPECT_EQ(label("Label9"), "road.xml_layer.csv");
    EXPECT_EQ(qs(stored(u"meetfile")), shown("road.xml_layer.csv"));
    EXPECT_EQ(qs(stored(u"initdir")), QString::fromStdString(folder.string()));
    EXPECT_TRUE(wizard("Button3")->isEnabled());

    // The next choice opens where the last one was made, and replaces every value.
    choose(path("sub/a.b.xml"));
    EXPECT_EQ(recorder.fileRequests[1].folder, QString::fromStdString(folder.string()));
    EXPECT_EQ(label("Label23"), "a.b.xml");
    EXPECT_EQ(label("Label9"), "a.b.xml_layer.csv");
    EXPECT_EQ(qs(stored(u"meetfile")), shown("sub/a.b.xml_layer.csv"));
    EXPECT_EQ(qs(stored(u"initdir")), shown("sub"));
}

TEST_F(ReferenceFile, TheLinkBoxDecidesTheShownName)
{
    wizard<QCheckBox>("CheckBox1")->setChecked(false);
    EXPECT_EQ(label("Label9"), "_layer.csv") << "no file chosen yet";
    wizard<QCheckBox>("CheckBox1")->setChecked(true);
    EXPECT_EQ(label("Label9"), "") << "no file chosen yet";

    choose(path("plan"));
    EXPECT_EQ(label("Label9"), "plan.xml_layer.csv");
    clickCheckBox(wizard("CheckBox1"));
    EXPECT_EQ(label("Label9"), "_layer.csv");
    clickCheckBox(wizard("CheckBox1"));
    EXPECT_EQ(label("Label9"), "plan.xml_layer.csv");

    // At the welcome step the box changes no label.
    back();
    clickCheckBox(wizard("CheckBox1"));
    EXPECT_EQ(label("Label9"), "plan.xml_layer.csv");
}

TEST_F(ReferenceFile, ACancelledDialogKeepsTheEarlierChoice)
{
    choose(path("road.xml"));
    back();
    next();
    EXPECT_FALSE(wizard("Button3")->isEnabled()) << "each visit of the step needs a choice";
    choose(std::nullopt);
    EXPECT_FALSE(wizard("Button3")->isEnabled());
    EXPECT_EQ(wizard<QLineEdit>("Edit1")->text(), shown("road.xml"));
    EXPECT_EQ(label("Label23"), "road.xml");
    EXPECT_EQ(label("Label9"), "road.xml_layer.csv");
    EXPECT_EQ(qs(stored(u"meetfile")), shown("road.xml_layer.csv"));
    EXPECT_EQ(qs(stored(u"initdir")), QString::fromStdString(folder.string()));
}
