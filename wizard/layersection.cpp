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
#include <numeric>

namespace kobalin {

namespace {

// The layers' indexes, largest offset first; equal offsets keep table order.
std::vector<std::size_t> drawingOrder(std::span<const TLayerRecord> layers)
{
    std::vector<std::size_t> order(layers.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return layers[a].Offset > layers[b].Offset; });
    return order;
}

QString offsetText(const TLayerRecord& r) { return QString::fromStdString(formatFixed2(r.Offset)) + " m"; }

QString speedText(const TLayerRecord& r) { return QString::fromStdString(formatFixed2(r.Speed_Target)) + " km/h"; }

// "4 passes", "3.50 km/h" and "80 CMV", with sep between them.
QString targetsText(const TLayerRecord& r, const QString& passes, const char* sep)
{
    return QString::number(r.PassCount_Target) + ' ' + passes + sep + speedText(r) + sep +
           QString::number(r.Compaction_Target) + " CMV";
}

QString unusualText(const TLayerRecord& r, std::int32_t taal)
{
    QString why;
    if (!isUsualOffset(r.Offset))
        why = catalogue(taal, 80);
    if (!isUsualSpeed(r.Speed_Target))
        why += (why.isEmpty() ? QString() : QString('\n')) + catalogue(taal, 81);
    return why;
}

// Band i runs from edges[i] to edges[i + 1].
std::vector<int> bandEdges(const QRect& area, const std::vector<SectionBand>& bands, int least)
{
    const std::size_t n = bands.size();
    const double height = std::max(area.height(), 0);
    // The least height only while every band can have it; beyond that the
    // floor takes at most half the height, so that the other half still
    // shows the thick layers to scale.
    const double share = height / static_cast<double>(std::max<std::size_t>(n, 1));
    const double floor = least <= share ? least : share / 2;
    std::vector<double> h(n, 0);
    std::vector<bool> atFloor(n, false);
    // Bands too thin to scale are raised to the floor, the others scaled in
    // what is left; raising one can push another under, so a few rounds.
    for (int round = 0; round < 8; ++round) {
        double weight = 0;
        std::size_t raised = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (atFloor[i])
                ++raised;
            else
                weight += bands[i].thickness;
        }
        const double scale = weight > 0 ? (height - floor * static_cast<double>(raised)) / weight : 0;
        bool changed = false;
        for (std::size_t i = 0; i < n; ++i) {
            if (atFloor[i])
                continue;
            h[i] = bands[i].thickness * scale;
            if (h[i] < floor) {
                atFloor[i] = true;
                changed = true;
            }
        }
        if (!changed)
            break;
    }
    double total = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (atFloor[i])
            h[i] = floor;
        total += h[i];
    }
    std::vector<int> edges(n + 1, area.top());
    double y = 0;
    for (std::size_t i = 0; i < n; ++i) {
        y += total > 0 ? h[i] * height / total : 0;
        edges[i + 1] = area.top() + static_cast<int>(std::lround(y));
    }
    return edges;
}

const QColor kSoil[] = {QColor(0xEC, 0xDF, 0xBF), QColor(0xCF, 0xB9, 0x8E), QColor(0xDD, 0xC9, 0xA4)};
void drawBandTexts(QPainter& painter, const QRect& band, const SectionBand& b)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height();
    if (band.height() < line)
        return;
    const int pad = stripeWidth(metrics);
    const QRect area = band.adjusted(2 * pad, 0, -pad, 0);
    const int gap = metrics.horizontalAdvance(QStringLiteral("   "));
    const QString offset = offsetText(b.first);
    const int offsetWidth = metrics.horizontalAdvance(offset);
    if (offsetWidth > area.width())
        return;  // not even the offset fits: the band stays plain
    const QString targets = b.clash ? b.warning : targetsText(b.first, b.passes, "  ");
    const int targetsWidth = metrics.horizontalAdvance(targets);
    int nameWidth = area.width() - offsetWidth - gap;
    const bool oneLine = nameWidth - targetsWidth - gap >= metrics.averageCharWidth() * 8;
    const bool twoLines = !oneLine && band.height() >= 2 * line + 2;
    if (oneLine)
        nameWidth -= targetsWidth + gap;
    const int top = band.top() + (band.height() - (twoLines ? 2 * line : line)) / 2;
    const QRect first(area.left(), top, area.width(), line);
    painter.drawText(first, Qt::AlignRight | Qt::AlignVCenter, offset);
    if (nameWidth >= metrics.averageCharWidth() * 2)
        painter.drawText(first, Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(b.names, Qt::ElideRight, nameWidth));
    if (oneLine)
        painter.drawText(first.adjusted(0, 0, -offsetWidth - gap, 0), Qt::AlignRight | Qt::AlignVCenter, targets);
    else if (twoLines)
        painter.drawText(first.translated(0, line), Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(targets, Qt::ElideRight, area.width()));
}

}  // namespace

int leastBandHeight(const QFontMetrics& metrics) { return metrics.height() + 4; }

// A third of a line, so that the stripe and the room around the texts keep
// their proportions on paper.
int stripeWidth(const QFontMetrics& metrics) { return std::max(2, metrics.height() / 3); }

std::array<QString, 6> valueTexts(const TLayerRecord& r)
{
    return {offsetText(r), QString::number(r.PassCount_Target),        QString::number(r.PassCount_MaxExtra),
            speedText(r),  QString::number(r.Speed_MaxDiff) + " km/h", QString::number(r.Compaction_Target) + " CMV"};
}

std::vector<SectionBand> sectionBands(std::span<const TLayerRecord> layers, std::int32_t taal)
{
    const QString passes = catalogue(taal, 90);
    std::vector<SectionBand> bands;
    for (const std::size_t i : drawingOrder(layers)) {
        const TLayerRecord& r = layers[i];
        const QString why = unusualText(r, taal);
        if (!bands.empty() && bands.back().first.Offset == r.Offset) {
            SectionBand& b = bands.back();
            b.names += " = " + qs(r.Name);
            b.clash = true;
            if (!why.isEmpty() && !b.warning.contains(why))
                b.warning += '\n' + why;
            continue;
        }
        SectionBand& b = bands.emplace_back();
        b.names = qs(r.Name);
        b.first = TLayerRecord{
            {}, r.Offset, r.PassCount_Target, r.PassCount_MaxExtra, r.Speed_Target, r.Speed_MaxDiff, r.Compaction_Target};
        b.passes = passes;
        b.warning = why;
    }
    for (SectionBand& b : bands)
        if (b.clash)
            b.warning = catalogue(taal, 89) + (b.warning.isEmpty() ? QString() : '\n' + b.warning);
    // Each band reaches down to the next; the lowest, with nothing under it,
    // is drawn as thick as the others are on average.
    double sum = 0;
    for (std::size_t i = 0; i + 1 < bands.size(); ++i) {
        bands[i].thickness = static_cast<double>(bands[i].first.Offset) - static_cast<double>(bands[i + 1].first.Offset);
        sum += bands[i].thickness;
    }
    if (!bands.empty())
        bands.back().thickness = bands.size() > 1 ? sum / static_cast<double>(bands.size() - 1) : 1.0;
    return bands;
}

QString sectionText(std::span<const TLayerRecord> layers, std::int32_t taal)
{
    const std::vector<std::size_t> order = drawingOrder(layers);
    const QString passes = catalogue(taal, 90);
    QString text;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const TLayerRecord& r = layers[order[i]];
        const bool clash = (i > 0 && layers[order[i - 1]].Offset == r.Offset) ||
                           (i + 1 < order.size() && layers[order[i + 1]].Offset == r.Offset);
        text += qs(r.Name) + ": " + offsetText(r) + ", " + targetsText(r, passes, ", ");
        if (clash)
            text += " (" + catalogue(taal, 89) + ')';
        const QString why = unusualText(r, taal);
        if (!why.isEmpty())
            text += ". " + QString(why).replace('\n', QStringLiteral(". "));
        text += '\n';
    }
    text.chop(1);
    return text;
}

void drawSection(QPainter& painter, const QRect& area, const std::vector<SectionBand>& bands, const QString& emptyText)
{
    painter.save();
    painter.setClipRect(area);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    if (bands.empty()) {
        const QFontMetrics metrics = painter.fontMetrics();
        painter.drawText(area, Qt::AlignCenter, metrics.elidedText(emptyText, Qt::ElideRight, area.width()));
        painter.restore();
        return;
    }
    const std::vector<int> edges = bandEdges(area, bands, leastBandHeight(painter.fontMetrics()));
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const SectionBand& b = bands[i];
        const QRect band(area.left(), edges[i], area.width(), edges[i + 1] - edges[i]);
        if (band.height() <= 0)
            continue;
        painter.fillRect(band, b.clash ? warningBackground() : kSoil[i % 3]);
        if (!b.warning.isEmpty())
            painter.fillRect(QRect(band.left(), band.top(), stripeWidth(painter.fontMetrics()), band.height()),
                             warningColour());
        drawBandTexts(painter, band, b);
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
    layers_.assign(run.layers.begin(), run.layers.begin() + std::max(run.lagen, 0));
    taal_ = taal;
    bands_ = sectionBands(layers_, taal);
    emptyText_ = catalogue(taal, 91);
    setAccessibleName(catalogue(taal, 79));
    update();
}

QString LayerSection::description() const { return sectionText(layers_, taal_); }

QSize LayerSection::minimumSizeHint() const { return {40, 40}; }

void LayerSection::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawSection(painter, rect(), bands_, emptyText_);
}

bool LayerSection::event(QEvent* event)
{
    // The band under the pointer says why it is marked.
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const std::vector<int> edges = bandEdges(rect(), bands_, leastBandHeight(fontMetrics()));
        for (std::size_t i = 0; i < bands_.size(); ++i) {
            if (help->pos().y() >= edges[i] && help->pos().y() < edges[i + 1] && !bands_[i].warning.isEmpty()) {
                QToolTip::showText(help->globalPos(), bands_[i].warning, this);
                return true;
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QWidget::event(event);
}

}  // namespace kobalin
