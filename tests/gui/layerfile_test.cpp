#include "wizardtest.h"

#include "app/look.h"
#include "wizard/layersection.h"
#include "wizard/layersheet.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace kobalin;
namespace fs = std::filesystem;

namespace {

const std::string kTop = "# Leica layer file format version 1.0;;;;;;\r\n"
                         "# <Empty>;;;;;;\r\n# <Empty>;;;;;;\r\n# <Empty>;;;;;;\r\n"
                         "Name;Offset;PassCount_Target;PassCount_MaxExtra;Speed_Target;Speed_MaxDiff;Compaction_Target\r\n";

}  // namespace

class LastStep : public WizardTest {
protected:
    // Walks to step 4 with the model road.xml chosen and the layers given
    // before, or else two, in the table.
    void walkToLayers(std::int32_t taal = kEnglish, bool linked = true)
    {
        seed(taal, linked ? 1 : 0);
        if (run.lagen == 0) {
            layer(u"Base", 0.1f, 6, 2, 3.0f, 1, 60);
            layer(u"Top", 0.3f, 4, 1, 3.5f, 1, 80);
        }
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
    // The program's sentence and path, then the system's reason on a line of its own.
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].kind, Recorder::Message::Error);
    const QStringList lines = recorder.messages[0].text.split('\n');
    ASSERT_EQ(lines.size(), 2) << recorder.messages[0].text.toStdString();
    EXPECT_EQ(lines[0], "Failed to create the layer file. Try again" + layerFile());
    EXPECT_FALSE(lines[1].trimmed().isEmpty());
    EXPECT_EQ(run.layers[0].Name, u"Base") << "the sort was skipped";
    EXPECT_EQ(wizard<QTreeWidget>("TreeView1")->topLevelItemCount(), 0);
    for (const char* shown : {"Section1", "Memo1", "BitBtn5"})
        EXPECT_FALSE(wizard(shown)->isVisible()) << shown;
    EXPECT_EQ(storedInteger(u"koppel"), 1);
}

TEST_F(LastStep, ABaseWithoutTextsShowsOnlyThePath)
{
    walkToLayers(7000);
    next();
    EXPECT_EQ(recorder.messages, std::vector{infoBox(layerFile())});
}

namespace {

// The colours down one column of a picture, each with the rows it covers.
std::vector<std::pair<QRgb, int>> runsDown(const QImage& image, int x)
{
    std::vector<std::pair<QRgb, int>> runs;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb c = image.pixel(x, y);
        if (runs.empty() || runs.back().first != c)
            runs.push_back({c, 0});
        ++runs.back().second;
    }
    return runs;
}

QImage picture(QWidget* w) { return w->grab().toImage(); }

// The bands' colours alone: right of an unusual layer's stripe, left of the
// texts, which begin two stripe widths in.
std::vector<std::pair<QRgb, int>> bandColours(QWidget* section)
{
    const int stripe = stripeWidth(section->fontMetrics());
    return runsDown(picture(section), stripe + stripe / 2);
}

// What a screen reader reads as the control's description.
QString readerText(QWidget* w)
{
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(w);
    return reader ? reader->text(QAccessible::Description) : QString();
}

// The sheet's text as pdftotext reads it, empty when it could not be read.
QString pdfText(const fs::path& pdf)
{
    const fs::path out = fs::path(pdf).replace_extension(".txt");
    QProcess tool;
#ifdef _WIN32
    // Under Wine the Linux tool is started through "start /unix", which does not
    // wait for it: the text is written under another name and renamed when whole.
    using UnixName = char*(__cdecl*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return {};
    auto name = [unixName](const fs::path& file) {
        char* unix = unixName(file.c_str());
        const QString named = unix ? QString::fromLocal8Bit(unix) : QString();
        HeapFree(GetProcessHeap(), 0, unix);
        return named;
    };
    tool.start("start.exe", {"/unix", "/bin/sh", "-c", "pdftotext -layout \"$0\" \"$1.part\" && mv \"$1.part\" \"$1\"",
                             name(pdf), name(out)});
    tool.waitForFinished(60000);
    for (int waited = 0; !fs::exists(out) && waited < 60000; waited += 100)
        QTest::qWait(100);
#else
    tool.start("pdftotext", {"-layout", QString::fromStdString(pdf.string()), QString::fromStdString(out.string())});
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return {};
#endif
    return fs::exists(out) ? QString::fromStdString(slurp(out)) : QString();
}

}  // namespace

using Section = LastStep;

TEST_F(Section, ABandPerLayerLargestOffsetFirstToScale)
{
    // Entered out of order; 0.2, 0.1 and 0.5 m down to the next, the lowest as thick as the mean.
    layer(u"Base", -0.2f, 6, 2, 3.0f, 1, 60);
    layer(u"Top", 0.6f, 4, 1, 3.5f, 1, 80);
    layer(u"Mid", 0.4f, 5, 1, 4.0f, 1, 70);
    layer(u"Sub", 0.3f, 8, 2, 2.5f, 1, 55);
    walkToLayers();
    auto* section = wizard("Section1");
    ASSERT_TRUE(section->isVisible());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(section)->text(QAccessible::Name), "Cross-section of the layers");
    EXPECT_EQ(readerText(section), "Top: 0.60 m, 0.20 m thick, 4 passes, 3.50 km/h, 80 CMV\n"
                                   "Mid: 0.40 m, 0.10 m thick, 5 passes, 4.00 km/h, 70 CMV\n"
                                   "Sub: 0.30 m, 0.50 m thick, 8 passes, 2.50 km/h, 55 CMV\n"
                                   "Base: -0.20 m, 6 passes, 3.00 km/h, 60 CMV");
    // Left of the texts, the bands' colours alone: four bands, Sub the thickest, Mid the thinnest.
    // The window is made tall enough for the thinnest band to be drawn to scale
    // (a tenth of the drawing) whatever the platform's font and frames.
    QWidget* window = section->window();
    const int room = 12 * leastBandHeight(section->fontMetrics());
    window->resize(window->width(), window->height() + std::max(0, room - section->height()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return section->height() >= room; }));
    const auto runs = bandColours(section);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_GT(runs[2].second, runs[3].second);
    EXPECT_GT(runs[3].second, runs[0].second);
    EXPECT_GT(runs[0].second, runs[1].second);

    // It follows the table at once.
    recorder.answerDialog([](QDialog& d) {
        retype(d.findChild<QWidget*>("Edit2"), "0.5");
        QTest::mouseClick(d.findChild<QWidget*>("Button1"), Qt::LeftButton);
    });
    clickWizard("BitBtn3");
    EXPECT_TRUE(readerText(section).startsWith("Top: 0.60 m, 0.10 m thick, 4 passes, 3.50 km/h, 80 CMV\n"
                                               "New Layer: 0.50 m,"));
    EXPECT_EQ(bandColours(section).size(), 5u);
    back();
    back();
    EXPECT_FALSE(section->isVisible()) << "shown only from step 3 on";
}

TEST_F(Section, TooManyBandsForTheirLeastHeightKeepAThickLayerToScale)
{
    // 0.01 m apart, far too many for a line of text each, under a layer 5 m thick.
    layer(u"Thick", 5.4f, 4, 1, 3.5f, 1, 80);
    for (int k = 0; k < 40; ++k)
        layer(u"Thin", 0.4f - 0.01f * static_cast<float>(k), 4, 1, 3.5f, 1, 80);
    walkToLayers();
    auto* section = wizard("Section1");
    const auto runs = bandColours(section);
    ASSERT_FALSE(runs.empty());
    EXPECT_GT(runs[0].second, section->height() / 4) << "the thick layer drawn as thin as the others";
}

TEST_F(Section, EqualOffsetsAreOneBandInTheWarningColour)
{
    layer(u"Top", 0.3f, 4, 1, 3.5f, 1, 80);
    layer(u"Fill", 0.3f, 6, 2, 3.0f, 1, 60);
    layer(u"Base", 0.1f, 6, 2, 3.0f, 1, 60);
    walkToLayers();
    recorder.messages.clear();  // the refresh's warning of equal offsets
    auto* section = wizard("Section1");
    EXPECT_EQ(readerText(section), "Top: 0.30 m, 0.00 m thick, 4 passes, 3.50 km/h, 80 CMV (equal offsets)\n"
                                   "Fill: 0.30 m, 0.20 m thick, 6 passes, 3.00 km/h, 60 CMV (equal offsets)\n"
                                   "Base: 0.10 m, 6 passes, 3.00 km/h, 60 CMV");
    const auto runs = bandColours(section);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(QColor(runs[0].first), warningBackground());
    EXPECT_NE(QColor(runs[1].first), warningBackground());
}

TEST_F(Section, UnusualValuesAreMarkedInTheTreeAndTheDrawing)
{
    layer(u"Slip", 12.0f, 4, 1, 3.5f, 1, 80);   // 0.12 m typed as 12
    layer(u"Fast", 0.2f, 6, 2, 400.0f, 1, 60);  // 4.00 km/h typed as 400
    layer(u"Base", 0.1f, 6, 2, 3.0f, 1, 60);
    walkToLayers(kDutch);
    auto* tree = wizard<QTreeWidget>("TreeView1");
    const QString offset = catalogue(kDutch, 80), speed = catalogue(kDutch, 81);
    struct Node {
        int layer, value;  // value -1: the layer's own node
        QString why;       // empty: not marked
        QString lift;      // before why in a layer's tooltip
    };
    const Node nodes[] = {{0, -1, offset, "11.80 m dik\n"}, {0, 0, offset, {}}, {0, 3, {}, {}},
                          {1, -1, speed, "0.10 m dik\n"},   {1, 3, speed, {}},  {2, -1, {}, {}}};
    for (const Node& n : nodes) {
        QTreeWidgetItem* layerNode = tree->topLevelItem(3 + n.layer);
        QTreeWidgetItem* item = n.value < 0 ? layerNode : layerNode->child(n.value);
        EXPECT_EQ(item->toolTip(0), n.lift + n.why) << n.layer << "/" << n.value;
        EXPECT_EQ(item->foreground(0).color() == warningColour(), !n.why.isEmpty()) << n.layer << "/" << n.value;
    }
    // The drawing: the warning stripe at the left of the first two bands only.
    const auto stripe = runsDown(picture(wizard("Section1")), 2);
    ASSERT_EQ(stripe.size(), 2u);
    EXPECT_EQ(QColor(stripe[0].first), warningColour());
    EXPECT_NE(QColor(stripe[1].first), warningColour());
    EXPECT_EQ(bandColours(wizard("Section1")).size(), 3u);
    EXPECT_TRUE(
        readerText(wizard("Section1")).contains("Fast: 0.20 m, 0.10 m dik, 6 overgangen, 400.00 km/h, 60 CMV. " + speed));
}

TEST_F(LastStep, ShowsTheFileAsWrittenUnderItsPath)
{
    layer(u"Caf\u00E9", 0.3f, 4, 1, 3.5f, 1, 80);
    layer(u"Base", 0.1f, 6, 2, 3.0f, 1, 60);
    walkToLayers();
    EXPECT_FALSE(wizard("Memo1")->isVisible());
    next();
    auto* memo = wizard<QPlainTextEdit>("Memo1");
    ASSERT_TRUE(memo->isVisible());
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_TRUE(QFontInfo(memo->font()).fixedPitch());
    EXPECT_EQ(wizard<QLabel>("Label10")->text(), layerFile());
    std::string bytes = slurp(folder / "road.xml_layer.csv");
    ASSERT_NE(bytes.find("Caf\xE9;"), std::string::npos) << "Windows-1252";
    EXPECT_EQ(memo->toPlainText(), QString::fromLatin1(bytes).replace("\r\n", "\n"));
    EXPECT_TRUE(wizard("BitBtn5")->isVisible());

    // Each rewrite replaces it.
    back();
    run.layers[1].Offset = 0.2f;
    next();
    EXPECT_TRUE(memo->toPlainText().endsWith("Base;0.20;6;2;3.00;1;60\n"));
}

TEST_F(LastStep, SavesTheLayerSheetAsPdfWithSearchableText)
{
    layer(u"Top", 0.3f, 4, 1, 3.5f, 1, 80);
    layer(u"Slip", 12.0f, 6, 2, 3.0f, 2, 60);
    walkToLayers();
    next();
    const fs::path sheet = folder / "sheet.pdf";
    recorder.chooseFile(QString::fromStdString(sheet.string()));
    clickWizard("BitBtn5");
    ASSERT_EQ(recorder.fileRequests.size(), 2u);
    EXPECT_EQ(recorder.fileRequests.back().selected, QString::fromStdString((folder / "road.xml_layer.pdf").string()));
    EXPECT_EQ(recorder.messages.back(),
              infoBox("The layer sheet has been saved: " + QString::fromStdString(sheet.string())));

    const QString text = pdfText(sheet);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(text.count('\f'), 1) << "one page";
    for (const QString& wanted :
         {QString("Layer sheet"), "Reference model: " + model(), "Layer file: " + layerFile(),
          "Date: " + QDate::currentDate().toString(Qt::ISODate), QString("Layer Name"),
          QString("Slip 12.00 m 11.70 m 6 2 3.00 km/h 2 km/h 60 CMV"), QString("Top 0.30 m 4 1 3.50 km/h 1 km/h 80 CMV")})
        EXPECT_TRUE(text.simplified().contains(wanted)) << wanted << " in\n" << text;
}

TEST_F(LastStep, TheSheetHoldsEveryLayerOfTheLongestTableLegibly)
{
    // The most layers a file holds, one of them with the longest name it holds.
    layer(std::u16string(255, u'W'), 9.99f, 4, 1, 3.5f, 1, 80);
    for (int k = 1; k < 999; ++k)
        layer(QString("L%1").arg(k, 3, 10, QChar('0')).toStdU16String(), 0.005f * static_cast<float>(999 - k), 6, 2, 3.0f, 1,
              60);
    walkToLayers();
    recorder.messages.clear();  // the refresh's warning of equal offsets
    next();
    const fs::path sheet = folder / "sheet.pdf";
    recorder.chooseFile(QString::fromStdString(sheet.string()));
    clickWizard("BitBtn5");
    const QString text = pdfText(sheet).simplified();
    ASSERT_FALSE(text.isEmpty());
    // Every row whole, the long name shortened before its values instead of over them.
    for (int k = 1; k < 999; k += 97)
        EXPECT_TRUE(text.contains(QString("L%1 ").arg(k, 3, 10, QChar('0')))) << k;
    EXPECT_TRUE(text.contains(QRegularExpression("W+\\x{2026} 9.99 m 5.00 m 4 1 3.50 km/h 1 km/h 80 CMV")))
        << text.left(2000);
    EXPECT_EQ(text.count("6 2 3.00 km/h 1 km/h 60 CMV"), 998);
}

TEST_F(LastStep, ASheetThatCannotBeWrittenIsReportedWithItsPath)
{
    walkToLayers();
    next();
    const QString path = QString::fromStdString((folder / "gone" / "sheet.pdf").string());
    recorder.chooseFile(path);
    clickWizard("BitBtn5");
    EXPECT_EQ(recorder.messages.back().kind, Recorder::Message::Error);
    const QStringList lines = recorder.messages.back().text.split('\n');
    ASSERT_EQ(lines.size(), 2) << recorder.messages.back().text.toStdString();
    EXPECT_EQ(lines[0], "The layer sheet could not be saved: " + path);
    EXPECT_FALSE(lines[1].trimmed().isEmpty()) << "the system's reason";
}

TEST_F(LastStep, TheSheetLeavesOutEmptyCommentLinesAndEndsWithABlockToSign)
{
    layer(u"Top", 0.3f, 4, 1, 3.5f, 1, 80);
    layer(u"Base", 0.1f, 6, 2, 3.0f, 1, 60);
    seed(kEnglish, 1);
    start();
    next();
    recorder.chooseFile(model());
    clickWizard("Edit1");
    next();
    // A line typed, a line added empty, the third never filled in.
    clickWizard("Edit2");
    QTest::keyClicks(wizard("Edit2"), "Road A12");
    clickWizard("BitBtn2");
    clickWizard("Edit2");
    clickWizard("BitBtn2");
    next();
    next();
    const fs::path sheet = folder / "sheet.pdf";
    recorder.chooseFile(QString::fromStdString(sheet.string()));
    clickWizard("BitBtn5");

    const QString text = pdfText(sheet);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(text.count('\f'), 1) << "one page";
    EXPECT_EQ(text.count(QRegularExpression("^#", QRegularExpression::MultilineOption)), 1) << text;
    const QString words = text.simplified();
    for (const QString& wanted :
         {QString("# Road A12"), QString("Offset Thickness"), QString("Top 0.30 m 0.20 m 4 1 3.50 km/h 1 km/h 80 CMV"),
          QString("CMV Prepared by Checked by Name: Name: Date: Date: Signature: Signature:")})
        EXPECT_TRUE(words.contains(wanted)) << wanted << " in\n" << text;
}

namespace {

int pageCount(const QByteArray& pdf) { return static_cast<int>(pdf.count("/Type /Page\n")); }

}  // namespace

TEST_F(LastStep, TheBlockToSignTakesAPageOfItsOwnWhereTheTableLeavesNoRoom)
{
    // Layer by layer, until the sheet first needs a second page: then only the
    // block can have gone over, a row being lower than it.
    QByteArray pdf;
    int n = 1;
    for (; n < kMaxLayers; ++n) {
        layer(QString("L%1").arg(n).toStdU16String(), -0.01f * static_cast<float>(n), 4, 1, 3.0f, 1, 60);
        pdf = layerSheetPdf(run, kEnglish, "road.xml", "road.xml_layer.csv", "2024-05-01");
        ASSERT_GT(pageCount(pdf), 0);
        if (pageCount(pdf) > 1)
            break;
    }
    ASSERT_LT(n, kMaxLayers);
    const fs::path sheet = folder / "sheet.pdf";
    spit(sheet, pdf.toStdString());
    const QStringList pages = pdfText(sheet).split('\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(
        pages[0].simplified().endsWith(QString("L%1 -%2 m 4 1 3.00 km/h 1 km/h 60 CMV").arg(n).arg(0.01 * n, 0, 'f', 2)))
        << pages[0];
    EXPECT_EQ(pages[1].simplified(), "Prepared by Checked by Name: Name: Date: Date: Signature: Signature:");
}
