#include "wizardtest.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace kobalin;
namespace fs = std::filesystem;

namespace {


const std::string kTop = "# Leica layer file format version 1.0;;;;;;\r\n"
                         "# <Empty>;;;;;;\r\n# <Empty>;;;;;;\r\n# <Empty>;;;;;;\r\n"
                         "Name;Offset;PassCount_Target;PassCount_MaxExtra;Speed_Target;Speed_MaxDiff;Compaction_Target\r\n";

}  // namespace

class LastStep : public WizardTest {
protected:
    // Walks to step 4 with the model road.xml chosen and two layers in the table.
    void walkToLayers(std::int32_t taal = kEnglish, bool linked = true)
    {
        seed(taal, linked ? 1 : 0);
        layer(u"Base", 0.1f, 6, 2, 3.0f, 1, 60);
        layer(u"Top", 0.3f, 4, 1, 3.5f, 1, 80);
        start();
        next();
        recorder.chooseFile(model());
        clickWizard("Edit1");
        next();
        next();
        ASSERT_EQ(run.pagina, 4);
    }

    void layer(std::u16string name, float offset, int passes, int extra, float speed, int speedDiff, int cmv)
    {
        run.layers[run.lagen++] = TLayerRecord{std::move(name), offset, passes, extra, speed, speedDiff, cmv};
    }

    QString model() const { return QString::fromStdString((folder / "road.xml").string()); }
    QString layerFile() const { return QString::fromStdString((folder / "road.xml_layer.csv").string()); }
};

TEST_F(LastStep, WritesTheLayerFileAndSaysWhere)
{
    walkToLayers();
    next();
    EXPECT_EQ(slurp(folder / "road.xml_layer.csv"), kTop + "Top;0.30;4;1;3.50;1;80\r\nBase;0.10;6;2;3.00;1;60\r\n");
    EXPECT_EQ(recorder.messages, std::vector{infoBox("The layer file has been created: " + layerFile())});
    EXPECT_EQ(wizard<QPushButton>("Button4")->text(), "End program");
    EXPECT_FALSE(wizard("Button3")->isEnabled());
    EXPECT_TRUE(wizard("Button5")->isEnabled());
    EXPECT_EQ(storedInteger(u"koppel"), 1);
}

TEST_F(LastStep, UnlinkedTheFileIsNamedAfterTheFolder)
{
    walkToLayers(kDutch, false);
    next();
    const QString path = QString::fromStdString((folder / "_layer.csv").string());
    EXPECT_TRUE(fs::exists(folder / "_layer.csv"));
    EXPECT_FALSE(fs::exists(folder / "road.xml_layer.csv"));
    EXPECT_EQ(recorder.messages, std::vector{infoBox("De layer file is aangemaakt: " + path)});
    EXPECT_EQ(storedInteger(u"koppel"), 0);
}

TEST_F(LastStep, BackAndNextWriteTheFileAgain)
{
    walkToLayers();
    next();
    back();
    EXPECT_EQ(wizard<QPushButton>("Button4")->text(), "End program");
    run.layers[1].Offset = 0.5f;
    // The file is written before the table is sorted again: the changed layer keeps its row ...
    next();
    EXPECT_EQ(slurp(folder / "road.xml_layer.csv"), kTop + "Top;0.30;4;1;3.50;1;80\r\nBase;0.50;6;2;3.00;1;60\r\n");
    // ... until the next write.
    back();
    next();
    EXPECT_EQ(slurp(folder / "road.xml_layer.csv"), kTop + "Base;0.50;6;2;3.00;1;60\r\nTop;0.30;4;1;3.50;1;80\r\n");
    EXPECT_EQ(recorder.messages.size(), 3u);
}

TEST_F(LastStep, AFailedWriteIsReportedAndEndsTheRefresh)
{
    walkToLayers();
    // Only the file goes where the model was; its folder is gone now.
    fs::remove_all(folder / "road.xml_layer.csv");
    std::ofstream(folder / "road.xml_layer.csv.keep") << "";
    fs::create_directories(folder / "road.xml_layer.csv");
    std::swap(run.layers[0], run.layers[1]);  // out of order: a refresh that ran to its end would sort
    wizard<QCheckBox>("CheckBox1")->setChecked(true);
    next();
    EXPECT_EQ(recorder.messages, std::vector{errorBox("Failed to create the layer file. Try again" + layerFile())});
    EXPECT_EQ(run.layers[0].Name, u"Base") << "the sort was skipped";
    EXPECT_EQ(wizard<QTreeWidget>("TreeView1")->topLevelItemCount(), 0);
    EXPECT_EQ(storedInteger(u"koppel"), 1);
}

TEST_F(LastStep, ABaseWithoutTextsShowsOnlyThePath)
{
    walkToLayers(4000);
    next();
    EXPECT_EQ(recorder.messages, std::vector{infoBox(layerFile())});
}

TEST_F(LastStep, TheWholeWizardFromAnEmptyStore)
{
    layer(u"Top", 0.3f, 4, 1, 3.5f, 1, 80);
    layer(u"Base", 0.1f, 6, 2, 3.0f, 1, 60);
    recorder.answerDialog(clickButton("Button2"));  // the language dialog of a first start
    start();
    next();
    recorder.chooseFile(QString::fromStdString((folder / "plan.lin").string()));
    clickWizard("Edit1");
    next();
    next();
    clickCheckBox(wizard("CheckBox1"));  // link the file to the model
    next();
    const QString written = QString::fromStdString((folder / "plan.xml_layer.csv").string());
    EXPECT_EQ(recorder.messages, std::vector{infoBox("The layer file has been created: " + written)});
    EXPECT_EQ(slurp(folder / "plan.xml_layer.csv"), kTop + "Top;0.30;4;1;3.50;1;80\r\nBase;0.10;6;2;3.00;1;60\r\n");
    clickWizard("Button4");
    EXPECT_FALSE(windows.Form5->isVisible());
}
