#include "wizard/layersheet.h"

#include "app/look.h"
#include "app/qtext.h"
#include "wizard/decimal.h"
#include "wizard/layersection.h"
#include "wizard/usualvalues.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace kobalin {

namespace {

QFont sheetFont(double points, bool bold = false)
{
    QFont font = tahoma(13);
    font.setPointSizeF(points);
    font.setBold(bold);
    // No ligatures: "fi" drawn as one glyph is found by no search for "file".
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// A line of text in area's width from y on, elided; returns the next line's y.
int drawLine(QPainter& painter, const QRect& page, int y, const QString& text)
{
    const QFontMetrics metrics = painter.fontMetrics();
    painter.drawText(QRect(page.left(), y, page.width(), metrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(text, Qt::ElideMiddle, page.width()));
    return y + metrics.height();
}

// One sheet being drawn: the painter on the PDF and the page's measures.
struct Sheet {
    QPdfWriter& pdf;
    QPainter& painter;
    std::int32_t taal;
    QRect page;
    int mm;  // a millimetre in device pixels, rounded

    QString text(int k) const { return catalogue(taal, k); }
};

// The title, what the sheet is for and the comment lines; gives the y below them.
int drawHeading(const Sheet& s, const RunData& run, const QString& model, const QString& layerFile, const QString& date)
{
    s.painter.setFont(sheetFont(16, true));
    int y = drawLine(s.painter, s.page, 0, s.text(85)) + 2 * s.mm;
    s.painter.setFont(sheetFont(10));
    y = drawLine(s.painter, s.page, y, s.text(86) + model);
    y = drawLine(s.painter, s.page, y, s.text(87) + layerFile);
    y = drawLine(s.painter, s.page, y, s.text(88) + date) + 2 * s.mm;
    // Only the lines written: one never filled in says nothing on paper.
    for (const std::u16string* comment : {&run.commentaar1, &run.commentaar2, &run.commentaar3})
        if (!comment->empty() && *comment != kEmptyComment)
            y = drawLine(s.painter, s.page, y, "# " + qs(*comment));
    return y + 4 * s.mm;
}

// The cross-section in a framed box the page's width from y on; gives the y below it.
int drawSectionBox(const Sheet& s, const RunData& run, int y)
{
    s.painter.setFont(sheetFont(8));
    const QRect section(s.page.left(), y, s.page.width(), 70 * s.mm);
    const std::span<const TLayerRecord> layers(run.layers.data(), static_cast<std::size_t>(std::max(run.lagen, 0)));
    drawSection(s.painter, section, buildUp(layers, s.taal), s.text(91));
    s.painter.setPen(Qt::black);
    s.painter.drawRect(section);
    return section.bottom() + 6 * s.mm;
}

constexpr int kColumns = 8;
// The name, the offset, the lift, then the five other values as the tree shows them.
using Row = std::array<QString, kColumns>;
constexpr std::array<int, kColumns> kCaptions = {30, 31, 110, 32, 33, 34, 35, 36};
constexpr int kOffsetColumn = 1, kSpeedColumn = 5;

std::vector<Row> tableRows(const RunData& run)
{
    const std::size_t n = static_cast<std::size_t>(std::max(run.lagen, 0));
    std::vector<float> offsets(n);
    for (std::size_t k = 0; k < n; ++k)
        offsets[k] = run.layers[k].Offset;
    const std::vector<std::optional<double>> lifts = liftThicknesses(offsets);
    std::vector<Row> rows;
    rows.reserve(n);
    for (std::size_t k = 0; k < n; ++k) {
        const std::array<QString, 6> values = valueTexts(run.layers[k]);
        const QString lift = lifts[k] ? QString::fromStdString(formatFixed2(*lifts[k])) + " m" : QString();
        rows.push_back({qs(run.layers[k].Name), values[0], lift, values[1], values[2], values[3], values[4], values[5]});
    }
    return rows;
}

// Each value column as wide as its widest value and its caption's longest
// word (captions wrap); the name has the rest, never less than a third: the
// values then share what is left.
std::array<int, kColumns> columnWidths(const Sheet& s, const std::vector<Row>& rows, const QFontMetrics& header,
                                       const QFontMetrics& body)
{
    std::array<int, kColumns> widths{};
    int valuesWidth = 0;
    for (int c = 1; c < kColumns; ++c) {
        for (const QString& word : s.text(kCaptions[c]).split(' '))
            widths[c] = std::max(widths[c], header.horizontalAdvance(word));
        for (const Row& values : rows)
            widths[c] = std::max(widths[c], body.horizontalAdvance(values[c]));
        widths[c] += 2 * s.mm;
        valuesWidth += widths[c];
    }
    const int valuesRoom = s.page.width() * 2 / 3;
    if (valuesWidth > valuesRoom)
        for (int c = 1; c < kColumns; ++c)
            widths[c] = widths[c] * valuesRoom / valuesWidth;
    widths[0] = s.page.width() - std::min(valuesWidth, valuesRoom);
    return widths;
}

// Every layer with its values from y on, unusual values in the warning
// colour; a table longer than the page goes on over further pages, each
// with the captions again. Gives the y below the last row.
int drawTable(Sheet& s, const RunData& run, int y)
{
    const QFontMetrics header(sheetFont(8, true), &s.pdf);
    const QFontMetrics body(sheetFont(8), &s.pdf);
    const std::vector<Row> rows = tableRows(run);
    const std::array<int, kColumns> widths = columnWidths(s, rows, header, body);
    std::array<int, kColumns + 1> columns{};
    for (int c = 0; c < kColumns; ++c)
        columns[c + 1] = columns[c] + widths[c];
    auto cell = [&](int c, int top, int height) {
        return QRect(s.page.left() + columns[c] + s.mm / 2, top, widths[c] - s.mm, height);
    };
    const int headerHeight = 3 * header.height();
    const int row = body.height() * 6 / 5;
    auto drawHeader = [&](int top) {
        s.painter.setFont(sheetFont(8, true));
        s.painter.setPen(Qt::black);
        for (int c = 0; c < kColumns; ++c)
            s.painter.drawText(cell(c, top, headerHeight),
                               (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignBottom | Qt::TextWordWrap,
                               s.text(kCaptions[c]));
        const int line = top + headerHeight + s.mm / 2;
        s.painter.drawLine(s.page.left(), line, s.page.right(), line);
        s.painter.setFont(sheetFont(8));
        return top + headerHeight + s.mm;
    };
    y = drawHeader(y);
    for (std::int32_t k = 0; k < run.lagen; ++k) {
        if (y + row > s.page.bottom()) {
            s.pdf.newPage();
            y = drawHeader(0);
        }
        const TLayerRecord& r = run.layers[k];
        for (int c = 0; c < kColumns; ++c) {
            const bool unusual = (c == kOffsetColumn && !isUsualOffset(r.Offset)) ||
                                 (c == kSpeedColumn && !isUsualSpeed(r.Speed_Target));
            s.painter.setPen(unusual ? warningColour() : QColor(Qt::black));
            const QRect box = cell(c, y, row);
            s.painter.drawText(box, (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                               body.elidedText(rows[static_cast<std::size_t>(k)][c], Qt::ElideRight, box.width()));
        }
        y += row;
    }
    return y;
}

// Who prepared the sheet and who checked it, side by side, each with a
// name, a date and a signature to write on a line: below the table, or at
// the top of a page of its own where the page has no room left for it.
void drawSignatures(Sheet& s, int y)
{
    const QFont title = sheetFont(10, true), field = sheetFont(10);
    const QFontMetrics titleMetrics(title, &s.pdf), fieldMetrics(field, &s.pdf);
    const std::array<int, 3> labels = {133, 88, 134};                      // name, date, signature
    const std::array<int, 3> heights = {10 * s.mm, 10 * s.mm, 16 * s.mm};  // room to write in
    const int blockHeight = titleMetrics.height() + heights[0] + heights[1] + heights[2];
    y += 10 * s.mm;
    if (y + blockHeight > s.page.bottom()) {
        s.pdf.newPage();
        y = 0;
    }
    int labelWidth = 0;
    for (const int k : labels)
        labelWidth = std::max(labelWidth, fieldMetrics.horizontalAdvance(s.text(k)));
    const int gap = 10 * s.mm;
    const int columnWidth = (s.page.width() - gap) / 2;
    s.painter.setPen(QPen(Qt::black, std::max(1, s.mm / 4)));
    for (int column = 0; column < 2; ++column) {
        const QRect area(s.page.left() + column * (columnWidth + gap), y, columnWidth, blockHeight);
        s.painter.setFont(title);
        int top = drawLine(s.painter, area, area.top(), s.text(131 + column));
        s.painter.setFont(field);
        for (std::size_t i = 0; i < labels.size(); ++i) {
            const int baseline = top + heights[i] - fieldMetrics.descent();
            s.painter.drawText(QPoint(area.left(), baseline), s.text(labels[i]));
            s.painter.drawLine(area.left() + labelWidth, baseline, area.right(), baseline);
            top += heights[i];
        }
    }
}

}  // namespace

QByteArray layerSheetPdf(const RunData& run, std::int32_t taal, const QString& model, const QString& layerFile,
                         const QString& date)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                      QPageLayout::Millimeter));
        pdf.setResolution(300);
        pdf.setTitle(catalogue(taal, 85));
        pdf.setCreator(QStringLiteral("Kobalin"));
        QPainter painter(&pdf);
        painter.setPen(Qt::black);
        Sheet sheet{pdf, painter, taal, QRect(0, 0, pdf.width(), pdf.height()), (pdf.resolution() * 10 + 127) / 254};
        int y = drawHeading(sheet, run, model, layerFile, date);
        y = drawSectionBox(sheet, run, y);
        drawSignatures(sheet, drawTable(sheet, run, y));
    }
    return bytes;
}

}  // namespace kobalin
