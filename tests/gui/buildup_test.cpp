// The build-up as the operator checks it: a name, an offset and a lift on
// every band, and the drawing, the written file and the layer editor whole at
// every scale. ctest runs WholeAtAnyScale also at 150 % and 200 %.
#include "wizardtest.h"

#include "person.h"

#include "app/look.h"
#include "layeredit/layeredit.h"
#include "wizard/layersection.h"

#include <QAccessible>
#include <QPaintEngine>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextBlock>
#include <QToolTip>
#include <QTreeWidget>

#include <map>

using namespace kobalin;

namespace {

// What a painter drew: the bands (rectangles the drawing's width) and each
// piece of text with its baseline.
struct Drawn {
    std::vector<QRect> bands;
    std::multimap<int, QString> texts;  // by baseline
};

class RecordingEngine final : public QPaintEngine {
public:
    RecordingEngine(Drawn& drawn, int width) : QPaintEngine(AllFeatures), drawn_(drawn), width_(width) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            if (rects[i].toRect().width() == width_)
                drawn_.bands.push_back(rects[i].toRect());
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        drawn_.texts.insert({qRound(p.y()), item.text()});
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    Type type() const override { return User; }

private:
    Drawn& drawn_;
    int width_;
};

class RecordingDevice final : public QPaintDevice {
public:
    RecordingDevice(Drawn& drawn, QSize size) : engine_(drawn, size.width()), size_(size) {}
    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return size_.width();
        case PdmHeight: return size_.height();
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        case PdmDevicePixelRatio:
        case PdmNumColors: return 1;
        case PdmDepth: return 32;
        default: return 96;
        }
    }

private:
    mutable RecordingEngine engine_;
    QSize size_;
};

TLayerRecord layer(const char16_t* name, float offset, float speed = 3.0f) { return {name, offset, 4, 1, speed, 1, 60}; }

const std::vector<TLayerRecord> kRoad = {
    layer(u"Surface", 0.30f),   layer(u"Binder", 0.20f),  layer(u"Base", 0.15f),    layer(u"Sub-base", 0.10f),
    layer(u"Formation", 0.00f), layer(u"Fill 2", -0.20f), layer(u"Fill 1", -0.40f),
};

// The reader's lines of the seven layers.
const QString kRoadText = "Surface: 0.30 m, 0.10 m thick, 4 passes, 3.00 km/h, 60 CMV\n"
                          "Binder: 0.20 m, 0.05 m thick, 4 passes, 3.00 km/h, 60 CMV\n"
                          "Base: 0.15 m, 0.05 m thick, 4 passes, 3.00 km/h, 60 CMV\n"
                          "Sub-base: 0.10 m, 0.10 m thick, 4 passes, 3.00 km/h, 60 CMV\n"
                          "Formation: 0.00 m, 0.20 m thick, 4 passes, 3.00 km/h, 60 CMV\n"
                          "Fill 2: -0.20 m, 0.20 m thick, 4 passes, 3.00 km/h, 60 CMV\n"
                          "Fill 1: -0.40 m, 4 passes, 3.00 km/h, 60 CMV";

}  // namespace

TEST(CrossSection, EachBandCarriesItsTextsOnOneLineInsideItOrNoneCanHaveALine)
{
    const QFont font = tahoma(13);
    const int line = QFontMetrics(font).height();
    struct Case {
        const char* what;
        std::vector<TLayerRecord> layers;
        int lines;                                // the drawing's height
        std::vector<std::vector<QString>> texts;  // each band's, any order; empty: no texts at all
    };
    const Case cases[] = {
        {"seven layers, a line each",
         kRoad,
         7,
         {{"Surface", "0.10 m thick", "4 passes  3.00 km/h  60 CMV", "0.30 m"},
          {"Binder", "0.05 m thick", "4 passes  3.00 km/h  60 CMV", "0.20 m"},
          {"Base", "0.05 m thick", "4 passes  3.00 km/h  60 CMV", "0.15 m"},
          {"Sub-base", "0.10 m thick", "4 passes  3.00 km/h  60 CMV", "0.10 m"},
          {"Formation", "0.20 m thick", "4 passes  3.00 km/h  60 CMV", "0.00 m"},
          {"Fill 2", "0.20 m thick", "4 passes  3.00 km/h  60 CMV", "-0.20 m"},
          {"Fill 1", "4 passes  3.00 km/h  60 CMV", "-0.40 m"}}},
        // The warnings of a clash with an unusual layer on the band's one line.
        {"equal offsets and an unusual speed",
         {layer(u"Top", 0.3f), layer(u"Fill", 0.3f, 400.0f), layer(u"Base", 0.1f)},
         2,
         {{"Top = Fill", "0.20 m thick", "equal offsets; Unusual target speed: outside 0.5 to 30 km/h", "0.30 m"},
          {"Base", "4 passes  3.00 km/h  60 CMV", "0.10 m"}}},
        {"eight layers in seven lines",
         [] {
             auto l = kRoad;
             l.push_back(layer(u"Sand", -0.6f));
             return l;
         }(),
         7,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Drawn drawn;
        const QSize size(900, c.lines * line);
        RecordingDevice device(drawn, size);
        {
            QPainter painter(&device);
            painter.setFont(font);
            drawSection(painter, QRect(QPoint(0, 0), size), buildUp(c.layers, kEnglish), QString());
        }
        std::sort(drawn.bands.begin(), drawn.bands.end(), [](QRect a, QRect b) { return a.top() < b.top(); });
        ASSERT_EQ(drawn.bands.size(), c.texts.empty() ? c.layers.size() : c.texts.size());
        if (c.texts.empty()) {
            EXPECT_TRUE(drawn.texts.empty()) << drawn.texts.begin()->second;
            continue;
        }
        const QFontMetrics metrics(font);
        for (std::size_t b = 0; b < c.texts.size(); ++b) {
            const QRect band = drawn.bands[b];
            EXPECT_GE(band.height(), line) << b;
            // One baseline, with the whole line inside the band.
            const auto first = drawn.texts.lower_bound(band.top());
            ASSERT_NE(first, drawn.texts.end()) << b;
            const int baseline = first->first;
            EXPECT_GE(baseline - metrics.ascent(), band.top()) << b;
            EXPECT_LE(baseline + metrics.descent(), band.bottom() + 1) << b;
            QStringList texts;
            for (auto t = first; t != drawn.texts.end() && t->first <= band.bottom(); ++t) {
                EXPECT_EQ(t->first, baseline) << b << " " << t->second;
                texts << t->second;
            }
            texts.sort();
            QStringList expected(c.texts[b].begin(), c.texts[b].end());
            expected.sort();
            EXPECT_EQ(texts, expected) << b;
        }
    }
}

class WholeAtAnyScale : public WizardTest {
protected:
    // Walks to step 4 with the layers in the table, a model chosen.
    void walkToLayers(const std::vector<TLayerRecord>& layers)
    {
        seed(kEnglish, 1);
        for (const TLayerRecord& r : layers)
            run.layers[run.lagen++] = r;
        start();
        next();
        recorder.chooseFile(QString::fromStdString((folder / "road.xml").string()));
        clickWizard("Edit1");
        next();
        next();
        recorder.messages.clear();  // a warning of equal offsets
    }

    // Turns the wheel over the step area until widget is in view whole.
    void scrollIntoView(QWidget* widget)
    {
        auto* area = wizard<QScrollArea>("stepsArea");
        for (int turns = 0; turns < 20; ++turns) {
            QApplication::processEvents();  // the layout as it will be drawn
            const QRect shown(widget->mapTo(area->viewport(), QPoint(0, 0)), widget->size());
            if (area->viewport()->rect().contains(shown))
                return;
            turnWheel(area->viewport(), shown.top() < 0 ? 1 : -1);
        }
        ADD_FAILURE() << widget->objectName().toStdString() << " never came into view";
    }

    // Where the screen has a laptop's room at 150 % or more, nothing scrolls.
    bool roomForAll() const
    {
        const QSize area = windows.Form5->screen()->availableGeometry().size();
        return area.width() >= 1280 && area.height() >= 672;
    }
};

namespace {

// The rows of each band in the drawing's picture (device pixels), and whether
// text is drawn in it: the bands' colours are read left of the texts.
struct PictureBand {
    int top, height;
    bool text;
};

std::vector<PictureBand> picturedBands(QWidget* section)
{
    const QImage image = section->grab().toImage();
    const double ratio = image.devicePixelRatio();
    const int stripe = static_cast<int>(stripeWidth(section->fontMetrics()) * ratio);
    std::vector<PictureBand> bands;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb colour = image.pixel(stripe + stripe / 2, y);
        if (bands.empty() || image.pixel(stripe + stripe / 2, y - 1) != colour)
            bands.push_back({y, 0, false});
        ++bands.back().height;
        for (int x = 2 * stripe; x < image.width() && !bands.back().text; ++x)
            bands.back().text = qGray(image.pixel(x, y)) < 128;
    }
    return bands;
}

QString readerText(QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Description); }

// Rests the pointer on widget at pos and gives the tooltip that comes.
QString hover(QWidget* widget, QPoint pos)
{
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 3000))
        return "the last tooltip stayed";
    // Through the window, as the window system sends it: QTest's move for a
    // widget sets the cursor, which the offscreen platform misplaces when scaled.
    QTest::mouseMove(widget->window()->windowHandle(), widget->mapTo(widget->window(), pos));
    if (!QTest::qWaitFor([] { return QToolTip::isVisible(); }, 3000))
        return QString();
    return QToolTip::text();
}

}  // namespace

TEST_F(WholeAtAnyScale, SevenLayersAreALineHighEachAndTheWrittenFileSixLines)
{
    walkToLayers(kRoad);
    auto* section = wizard("Section1");
    if (roomForAll()) {
        EXPECT_FALSE(wizard<QScrollArea>("stepsArea")->verticalScrollBar()->isVisible());
    }
    scrollIntoView(section);
    const double ratio = section->devicePixelRatioF();
    const std::vector<PictureBand> bands = picturedBands(section);
    ASSERT_EQ(bands.size(), 7u);
    for (const PictureBand& b : bands) {
        EXPECT_GE(b.height, static_cast<int>(section->fontMetrics().height() * ratio)) << b.top;
        EXPECT_TRUE(b.text) << b.top;
    }
    EXPECT_EQ(readerText(section), kRoadText);
    // The pointer on a band names its layer.
    EXPECT_EQ(hover(section, QPoint(section->width() / 2, qRound((bands[1].top + 1) / ratio))), kRoadText.split('\n')[1]);

    next();
    auto* memo = wizard<QPlainTextEdit>("Memo1");
    scrollIntoView(memo);
    int whole = 0;
    for (QTextBlock b = memo->document()->firstBlock(); b.isValid(); b = b.next())
        whole += memo->viewport()->rect().contains(memo->cursorRect(QTextCursor(b)));
    EXPECT_GE(whole, 6);
}

TEST_F(WholeAtAnyScale, TheLayerEditorWrapsItsGroupsWholeWhereItIsNarrow)
{
    seed(kEnglish, 1);
    start();
    next();
    recorder.chooseFile(QString::fromStdString((folder / "road.xml").string()));
    clickWizard("Edit1");
    next();
    recorder.answerDialog([&](QDialog& dialog) {
        auto& d = static_cast<TLayeredit&>(dialog);
        auto* area = d.findChild<QScrollArea*>("fieldsArea");
        QCoreApplication::sendPostedEvents();
        EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
        // In order, left to right and row by row; one row where the screen has the room.
        int rows = 1;
        for (std::size_t i = 1; i < d.bevels.size(); ++i) {
            const QRect before = d.bevels[i - 1]->geometry(), now = d.bevels[i]->geometry();
            rows += now.top() > before.top();
            EXPECT_TRUE(now.top() > before.top() || (now.top() == before.top() && now.left() > before.right())) << i;
        }
        if (roomForAll()) {
            EXPECT_EQ(rows, 1);
        }
        // The CMV field, last in the tab order, whole in view once reached with Tab.
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_TRUE(d.CSpinEdit4->hasFocus());
        const QRect field(d.CSpinEdit4->mapTo(area->viewport(), QPoint(0, 0)), d.CSpinEdit4->size());
        EXPECT_TRUE(area->viewport()->rect().contains(field));
        retype(d.CSpinEdit4, "80");
        click(d.Button1);
    });
    next();
    ASSERT_EQ(run.lagen, 1);
    EXPECT_EQ(run.layers[0].Compaction_Target, 80);
}

TEST_F(WholeAtAnyScale, AFullTableIsDrawnToScaleWithoutTextsAndNamedByThePointer)
{
    // 10 m, then 998 layers 1 cm apart.
    std::vector<TLayerRecord> layers = {layer(u"Thick", 10.0f)};
    for (int k = 1; k < kMaxLayers; ++k)
        layers.push_back(
            layer(QString("L%1").arg(k, 3, 10, QChar('0')).toStdU16String().c_str(), -0.01f * static_cast<float>(k)));
    walkToLayers(layers);
    auto* section = wizard("Section1");
    scrollIntoView(section);
    const std::vector<PictureBand> bands = picturedBands(section);
    ASSERT_GT(bands.size(), 2u);
    EXPECT_GT(bands[0].height, section->grab().toImage().height() * 2 / 5) << "10 m of 20 drawn to scale";
    for (const PictureBand& b : bands)
        EXPECT_FALSE(b.text) << b.top;
    const QStringList lines = readerText(section).split('\n');
    ASSERT_EQ(lines.size(), kMaxLayers);
    EXPECT_EQ(lines[0], "Thick: 10.00 m, 10.01 m thick, 4 passes, 3.00 km/h, 60 CMV");
    EXPECT_EQ(lines[500], "L500: -5.00 m, 0.01 m thick, 4 passes, 3.00 km/h, 60 CMV");
    // At the bottom, the pointer names the layers of the thin bands there, every one of them.
    QStringList named;
    for (int y = section->height() - 1; y >= section->height() - 5; --y)
        named += hover(section, QPoint(section->width() / 2, y)).split('\n');
    EXPECT_TRUE(named.contains(lines.back())) << named.join('|');
    EXPECT_TRUE(named.contains(lines[lines.size() - 2])) << named.join('|');
}

TEST_F(WholeAtAnyScale, ALayersTooltipInTheTreeGivesItsLift)
{
    walkToLayers({layer(u"Top", 0.3f), layer(u"Fill", 0.3f), layer(u"Slip", 12.0f), layer(u"Base", 0.1f)});
    auto* tree = wizard<QTreeWidget>("TreeView1");
    const struct {
        int layer;  // in table order: largest offset first
        QString tooltip;
    } nodes[] = {
        {0, "11.70 m thick\n" + en(80)},
        {1, "0.00 m thick"},  // its equal below it
        {2, "0.20 m thick"},
        {3, en(49)},  // the lowest has none: the tree's own tooltip
    };
    for (const auto& n : nodes)
        EXPECT_EQ(hover(tree->viewport(), tree->visualItemRect(tree->topLevelItem(3 + n.layer)).center()), n.tooltip)
            << n.layer;
}
