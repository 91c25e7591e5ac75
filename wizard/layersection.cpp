#include "wizard/layersection.h"

#include "app/look.h"
#include "app/qtext.h"
#include "wizard/decimal.h"
#include "wizard/usualvalues.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace kobalin {

namespace {

QString offsetText(const TLayerRecord& r) { return QString::fromStdString(formatFixed2(r.Offset)) + " m"; }

QString speedText(const TLayerRecord& r) { return QString::fromStdString(formatFixed2(r.Speed_Target)) + " km/h"; }

// "4 passes", "3.50 km/h" and "80 CMV", with sep between them.
QString targetsText(const TLayerRecord& r, const QString& passes, const char* sep)
{
    return QString::number(r.PassCount_Target) + ' ' + passes + sep + speedText(r) + sep +
           QString::number(r.Compaction_Target) + " CMV";
}

QStringList unusualTexts(const TLayerRecord& r, std::int32_t taal)
{
    QStringList why;
    if (!isUsualOffset(r.Offset))
        why << catalogue(taal, 80);
    if (!isUsualSpeed(r.Speed_Target))
        why << catalogue(taal, 81);
    return why;
}

QString bandNames(const BuildUp& s, const SectionBand& b)
{
    QString names = qs(s.layers[b.first].Name);
    for (std::size_t i = b.first + 1; i < b.first + b.count; ++i)
        names += " = " + qs(s.layers[i].Name);
    return names;
}

// Why the band is marked, on one line: equal offsets, then each unusual value once.
QString bandWarnings(const BuildUp& s, const SectionBand& b)
{
    QStringList why;
    if (b.clash)
        why << catalogue(s.taal, 89);
    for (std::size_t i = b.first; i < b.first + b.count; ++i)
        for (const QString& w : unusualTexts(s.layers[i], s.taal))
            if (!why.contains(w))
                why << w;
    return why.join(QStringLiteral("; "));
}

// Whole pixels for the bands in height: each at least least where all can
// have it, the rest to scale; otherwise all to scale.
std::vector<int> bandHeights(int height, const std::vector<SectionBand>& bands, int least)
{
    const std::size_t n = bands.size();
    std::vector<int> h(n, 0);
    if (n == 0 || height <= 0)
        return h;
    const int floor = static_cast<long long>(least) * static_cast<long long>(n) <= height ? least : 0;
    std::vector<double> exact(n, 0);
    std::vector<bool> raised(n, false);
    // Bands too thin to scale are raised to the floor, the others scaled in
    // what is left; raising one can push another under, so again until none is.
    for (bool changed = true; changed;) {
        changed = false;
        double weight = 0;
        std::size_t count = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (raised[i])
                ++count;
            else
                weight += bands[i].thickness;
        }
        const double room = height - static_cast<double>(floor) * static_cast<double>(count);
        for (std::size_t i = 0; i < n; ++i) {
            if (raised[i])
                continue;
            exact[i] = weight > 0 ? bands[i].thickness * room / weight : 0;
            if (exact[i] < floor)
                raised[i] = changed = true;
        }
    }
    // Each edge rounded from the sum above it, so that the thinnest bands
    // keep their places; a band that rounding took under the floor takes
    // the pixel back from the highest.
    double sum = 0;
    int edge = 0;
    for (std::size_t i = 0; i < n; ++i) {
        sum += raised[i] ? floor : exact[i];
        const int next = std::min(height, static_cast<int>(std::lround(sum)));
        h[i] = next - edge;
        edge = next;
    }
    h[n - 1] += height - edge;
    for (std::size_t i = 0; i < n; ++i) {
        while (h[i] < floor) {
            ++h[i];
            --*std::max_element(h.begin(), h.end());
        }
    }
    return h;
}

// Band i runs from edges[i] to edges[i + 1].
std::vector<int> bandEdges(const QRect& area, const BuildUp& s, int least)
{
    const std::vector<int> heights = bandHeights(area.height(), s.bands, least);
    std::vector<int> edges(heights.size() + 1, area.top());
    for (std::size_t i = 0; i < heights.size(); ++i)
        edges[i + 1] = edges[i] + heights[i];
    return edges;
}

// Whether every band gets a line of text.
bool bandsCarryTexts(const QRect& area, const BuildUp& s, int least)
{
    return static_cast<long long>(least) * static_cast<long long>(s.bands.size()) <= area.height();
}

// The letters of a name a band shows at the least, before its lift.
constexpr int kLeastNameLetters = 6;

const QColor kSoil[] = {QColor(0xEC, 0xDF, 0xBF), QColor(0xCF, 0xB9, 0x8E), QColor(0xDD, 0xC9, 0xA4)};

// The band's texts on one line: its names and lift at the left, its offset at
// the right, before it its warnings and targets where there is room. The
// offset comes first, then a few letters of the name, the lift, the rest of
// the name, the warnings (shortened) and the targets (whole or not at all).
void drawBandTexts(QPainter& painter, const QRect& band, const BuildUp& s, const SectionBand& b)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height();
    const int pad = stripeWidth(metrics);
    const QRect row(band.left() + 2 * pad, band.top() + (band.height() - line) / 2, band.width() - 3 * pad, line);
    const int gap = metrics.horizontalAdvance(QStringLiteral("   "));
    const TLayerRecord& first = s.layers[b.first];
    const QString offset = offsetText(first);
    const int offsetWidth = metrics.horizontalAdvance(offset);
    const QString names = bandNames(s, b);
    const int namesWidth = metrics.horizontalAdvance(names);
    int nameWidth = std::min(namesWidth, metrics.averageCharWidth() * kLeastNameLetters);
    int room = row.width() - offsetWidth - gap - nameWidth;
    if (room < 0)
        return;  // not even the offset and a few letters: the band stays plain
    auto take = [&](const QString& text) {
        const int width = gap + metrics.horizontalAdvance(text);
        if (text.isEmpty() || width > room)
            return QString();
        room -= width;
        return text;
    };
    const QString lift = take(liftText(s.lifts[b.first + b.count - 1], s.taal));
    const int moreName = std::min(room, namesWidth - nameWidth);
    nameWidth += moreName;
    room -= moreName;
    const QString warnings = bandWarnings(s, b);
    const QString targets = b.clash ? QString() : targetsText(first, catalogue(s.taal, 90), "  ");
    QString middle = take(warnings.isEmpty() ? targets : targets.isEmpty() ? warnings : warnings + "   " + targets);
    if (middle.isEmpty() && !warnings.isEmpty() && room >= gap + metrics.averageCharWidth() * kLeastNameLetters) {
        middle = metrics.elidedText(warnings, Qt::ElideRight, room - gap);
        room -= gap + metrics.horizontalAdvance(middle);
    }
    const QString name = metrics.elidedText(names, Qt::ElideRight, nameWidth + room);
    painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, name);
    if (!lift.isEmpty())
        painter.drawText(row.adjusted(metrics.horizontalAdvance(name) + gap, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         lift);
    if (!middle.isEmpty())
        painter.drawText(row.adjusted(0, 0, -offsetWidth - gap, 0), Qt::AlignRight | Qt::AlignVCenter, middle);
    painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, offset);
}

}  // namespace

int leastBandHeight(const QFontMetrics& metrics) { return metrics.height(); }

// A third of a line, so that the stripe and the room around the texts keep
// their proportions on paper.
int stripeWidth(const QFontMetrics& metrics) { return std::max(2, metrics.height() / 3); }

std::array<QString, 6> valueTexts(const TLayerRecord& r)
{
    return {offsetText(r), QString::number(r.PassCount_Target),        QString::number(r.PassCount_MaxExtra),
            speedText(r),  QString::number(r.Speed_MaxDiff) + " km/h", QString::number(r.Compaction_Target) + " CMV"};
}

QString liftText(std::optional<double> lift, std::int32_t taal)
{
    const QString form = catalogue(taal, 130);  // none in a language without texts
    return lift && !form.isEmpty() ? form.arg(QString::fromStdString(formatFixed2(*lift))) : QString();
}

BuildUp buildUp(std::span<const TLayerRecord> layers, std::int32_t taal)
{
    BuildUp s;
    s.taal = taal;
    s.layers.assign(layers.begin(), layers.end());
    std::stable_sort(s.layers.begin(), s.layers.end(),
                     [](const TLayerRecord& a, const TLayerRecord& b) { return a.Offset > b.Offset; });
    std::vector<float> offsets;
    offsets.reserve(s.layers.size());
    for (std::size_t i = 0; i < s.layers.size(); ++i) {
        const TLayerRecord& r = s.layers[i];
        offsets.push_back(r.Offset);
        const bool unusual = !isUsualOffset(r.Offset) || !isUsualSpeed(r.Speed_Target);
        if (i > 0 && s.layers[i - 1].Offset == r.Offset) {
            SectionBand& b = s.bands.back();
            ++b.count;
            b.clash = true;
            b.unusual = b.unusual || unusual;
            continue;
        }
        s.bands.push_back({i, 1, 0, false, unusual});
    }
    s.lifts = liftThicknesses(offsets);
    // Each band reaches down to the next; the lowest, with nothing under it,
    // is drawn as thick as the others are on average.
    double sum = 0;
    for (std::size_t i = 0; i + 1 < s.bands.size(); ++i) {
        s.bands[i].thickness = static_cast<double>(s.layers[s.bands[i].first].Offset) -
                               static_cast<double>(s.layers[s.bands[i + 1].first].Offset);
        sum += s.bands[i].thickness;
    }
    if (!s.bands.empty())
        s.bands.back().thickness = s.bands.size() > 1 ? sum / static_cast<double>(s.bands.size() - 1) : 1.0;
    return s;
}

QString layerLines(const BuildUp& s, std::size_t from, std::size_t to)
{
    const QString passes = catalogue(s.taal, 90);
    QString text;
    for (std::size_t band = from; band < to && band < s.bands.size(); ++band) {
        const SectionBand& b = s.bands[band];
        for (std::size_t i = b.first; i < b.first + b.count; ++i) {
            const TLayerRecord& r = s.layers[i];
            text += qs(r.Name) + ": " + offsetText(r) + ", ";
            if (s.lifts[i])
                text += liftText(s.lifts[i], s.taal) + ", ";
            text += targetsText(r, passes, ", ");
            if (b.clash)
                text += " (" + catalogue(s.taal, 89) + ')';
            for (const QString& why : unusualTexts(r, s.taal))
                text += ". " + why;
            text += '\n';
        }
    }
    text.chop(1);
    return text;
}

void drawSection(QPainter& painter, const QRect& area, const BuildUp& s, const QString& emptyText)
{
    painter.save();
    painter.setClipRect(area);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    const QFontMetrics metrics = painter.fontMetrics();
    if (s.bands.empty()) {
        painter.drawText(area, Qt::AlignCenter, metrics.elidedText(emptyText, Qt::ElideRight, area.width()));
        painter.restore();
        return;
    }
    const int least = leastBandHeight(metrics);
    const bool texts = bandsCarryTexts(area, s, least);
    const std::vector<int> edges = bandEdges(area, s, least);
    for (std::size_t i = 0; i < s.bands.size(); ++i) {
        const SectionBand& b = s.bands[i];
        const QRect band(area.left(), edges[i], area.width(), edges[i + 1] - edges[i]);
        if (band.height() <= 0)
            continue;
        painter.fillRect(band, b.clash ? warningBackground() : kSoil[i % 3]);
        if (b.clash || b.unusual)
            painter.fillRect(QRect(band.left(), band.top(), stripeWidth(metrics), band.height()), warningColour());
        if (texts)
            drawBandTexts(painter, band, s, b);
    }
    painter.restore();
}

namespace {

// Gives a screen reader the layers, one line each, when it asks for them:
// made at every refresh, the text of a full table would cost as much as the tree.
class SectionAccessible final : public QAccessibleWidget {
public:
    explicit SectionAccessible(LayerSection* section) : QAccessibleWidget(section, QAccessible::Graphic) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description)
            return static_cast<const LayerSection*>(widget())->description();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* sectionAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(LayerSection::staticMetaObject.className()))
        if (auto* section = qobject_cast<LayerSection*>(object))
            return new SectionAccessible(section);
    return nullptr;
}

}  // namespace

LayerSection::LayerSection(QWidget* parent) : QWidget(parent)
{
    static const bool installed = (QAccessible::installFactory(sectionAccessible), true);
    (void)installed;
    // Only the height the step's fields leave: a wish of its own would make the step scroll.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
}

void LayerSection::showTable(const RunData& run, std::int32_t taal)
{
    section_ = buildUp(std::span(run.layers.data(), static_cast<std::size_t>(std::max(run.lagen, 0))), taal);
    emptyText_ = catalogue(taal, 91);
    setAccessibleName(catalogue(taal, 79));
    // A line for each of the first seven layers: a short build-up is never
    // squeezed past reading, the step scrolls instead.
    setMinimumHeight(std::clamp(run.lagen, 1, 7) * leastBandHeight(fontMetrics()));
    // A band's line as a road's has it: the first letters of its name, a lift of
    // 0.20 m and an offset of -0.60 m, with the room around them.
    const QFontMetrics metrics = fontMetrics();
    const int gap = metrics.horizontalAdvance(QStringLiteral("   "));
    lineWidth_ = 3 * stripeWidth(metrics) + metrics.averageCharWidth() * kLeastNameLetters + gap +
                 metrics.horizontalAdvance(liftText(0.2, taal)) + gap + metrics.horizontalAdvance(QStringLiteral("-0.60 m"));
    update();
}

QString LayerSection::description() const { return layerLines(section_, 0, section_.bands.size()); }

QSize LayerSection::minimumSizeHint() const { return {40, 40}; }

void LayerSection::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawSection(painter, rect(), section_, emptyText_);
}

bool LayerSection::event(QEvent* event)
{
    // The layers under the pointer, each on its line: where the bands are too
    // thin for texts, a band of no pixel at all is named with those beside it.
    if (event->type() == QEvent::ToolTip) {
        const int y = static_cast<QHelpEvent*>(event)->pos().y();
        const std::vector<int> edges = bandEdges(rect(), section_, leastBandHeight(fontMetrics()));
        std::size_t from = section_.bands.size(), to = 0;
        for (std::size_t i = 0; i < section_.bands.size(); ++i) {
            const int top = std::min(edges[i], height() - 1);
            if (top <= y && y < std::max(edges[i + 1], top + 1)) {
                from = std::min(from, i);
                to = i + 1;
            }
        }
        if (from < to) {
            const int top = std::min(edges[from], height() - 1);
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), layerLines(section_, from, to), this,
                               QRect(0, top, width(), std::max(edges[to], top + 1) - top));
            return true;
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QWidget::event(event);
}

}  // namespace kobalin
