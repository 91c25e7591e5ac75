#include "wizard/layersheet.h"

#include "app/look.h"
#include "app/qtext.h"
#include "wizard/layersection.h"
#include "wizard/usualvalues.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>
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
    for (const std::u16string* comment : {&run.commentaar1, &run.commentaar2, &run.commentaar3})
        y = drawLine(s.painter, s.page, y, "# " + qs(*comment));
    return y + 4 * s.mm;
}

// The cross-section in a framed box the page's width from y on; gives the y below it.
int drawSectionBox(const Sheet& s, const RunData& run, int y)
{
    s.painter.setFont(sheetFont(8));
    const QRect section(s.page.left(), y, s.page.width(), 70 * s.mm);
    const std::span<const TLayerRecord> layers(run.layers.data(), static_cast<std::size_t>(std::max(run.lagen, 0)));
    drawSection(s.painter, section, sectionBands(layers, s.taal), s.text(91));
    s.painter.setPen(Qt::black);
    s.painter.drawRect(section);
    return section.bottom() + 6 * s.mm;
}

using Row = std::array<QString, 7>;  // the name and the six values as the tree shows them

std::vector<Row> tableRows(const RunData& run)
{
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(std::max(run.lagen, 0)));
    for (std::int32_t k = 0; k < run.lagen; ++k) {
        const std::array<QString, 6> values = valueTexts(run.layers[k]);
        rows.push_back({qs(run.layers[k].Name), values[0], values[1], values[2], values[3], values[4], values[5]});
    }
    return rows;
}

// Each value column as wide as its widest value and its caption's longest
// word (captions wrap); the name has the rest, never less than a third: the
// values then share what is left.
std::array<int, 7> columnWidths(const Sheet& s, const std::vector<Row>& rows, const QFontMetrics& header,
                                const QFontMetrics& body)
{
    std::array<int, 7> widths{};
    int valuesWidth = 0;
    for (int c = 1; c < 7; ++c) {
        for (const QString& word : s.text(30 + c).split(' '))
            widths[c] = std::max(widths[c], header.horizontalAdvance(word));
        for (const Row& values : rows)
            widths[c] = std::max(widths[c], body.horizontalAdvance(values[c]));
        widths[c] += 2 * s.mm;
        valuesWidth += widths[c];
    }
    const int valuesRoom = s.page.width() * 2 / 3;
    if (valuesWidth > valuesRoom)
        for (int c = 1; c < 7; ++c)
            widths[c] = widths[c] * valuesRoom / valuesWidth;
    widths[0] = s.page.width() - std::min(valuesWidth, valuesRoom);
    return widths;
}

// Every layer with its seven values from y on, unusual values in the warning
// colour; a table longer than the page goes on over further pages, each
// with the captions again.
void drawTable(Sheet& s, const RunData& run, int y)
{
    const QFontMetrics header(sheetFont(8, true), &s.pdf);
    const QFontMetrics body(sheetFont(8), &s.pdf);
    const std::vector<Row> rows = tableRows(run);
    const std::array<int, 7> widths = columnWidths(s, rows, header, body);
    std::array<int, 8> columns{};
    for (int c = 0; c < 7; ++c)
        columns[c + 1] = columns[c] + widths[c];
    auto cell = [&](int c, int top, int height) {
        return QRect(s.page.left() + columns[c] + s.mm / 2, top, widths[c] - s.mm, height);
    };
    const int headerHeight = 3 * header.height();
    const int row = body.height() * 6 / 5;
    auto drawHeader = [&](int top) {
        s.painter.setFont(sheetFont(8, true));
        s.painter.setPen(Qt::black);
        for (int c = 0; c < 7; ++c)
            s.painter.drawText(cell(c, top, headerHeight),
                               (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignBottom | Qt::TextWordWrap,
                               s.text(30 + c));
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
        for (int c = 0; c < 7; ++c) {
            const bool unusual = (c == 1 && !isUsualOffset(r.Offset)) || (c == 4 && !isUsualSpeed(r.Speed_Target));
            s.painter.setPen(unusual ? warningColour() : QColor(Qt::black));
            const QRect box = cell(c, y, row);
            s.painter.drawText(box, (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                               body.elidedText(rows[static_cast<std::size_t>(k)][c], Qt::ElideRight, box.width()));
        }
        y += row;
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
        drawTable(sheet, run, y);
    }
    return bytes;
}

}  // namespace kobalin
