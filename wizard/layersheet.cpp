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

}  // namespace

QByteArray layerSheetPdf(const RunData& run, std::int32_t taal, const QString& model, const QString& layerFile,
                         const QString& date)
{
    auto text = [taal](int k) { return catalogue(taal, k); };
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                      QPageLayout::Millimeter));
        pdf.setResolution(300);
        pdf.setTitle(text(85));
        pdf.setCreator(QStringLiteral("Kobalin"));
        QPainter painter(&pdf);
        const QRect page(0, 0, pdf.width(), pdf.height());
        const int mm = (pdf.resolution() * 10 + 127) / 254;  // device pixels, rounded
        painter.setPen(Qt::black);

        painter.setFont(sheetFont(16, true));
        int y = drawLine(painter, page, 0, text(85)) + 2 * mm;
        painter.setFont(sheetFont(10));
        y = drawLine(painter, page, y, text(86) + model);
        y = drawLine(painter, page, y, text(87) + layerFile);
        y = drawLine(painter, page, y, text(88) + date) + 2 * mm;
        for (const std::u16string* comment : {&run.commentaar1, &run.commentaar2, &run.commentaar3})
            y = drawLine(painter, page, y, "# " + qs(*comment));
        y += 4 * mm;

        painter.setFont(sheetFont(8));
        const QRect section(page.left(), y, page.width(), 70 * mm);
        const std::span<const TLayerRecord> layers(run.layers.data(), static_cast<std::size_t>(std::max(run.lagen, 0)));
        drawSection(painter, section, sectionBands(layers, taal), text(91));
        painter.setPen(Qt::black);
        painter.drawRect(section);
        y = section.bottom() + 6 * mm;

        const QFontMetrics header(sheetFont(8, true), &pdf);
        const QFontMetrics body(sheetFont(8), &pdf);
        std::vector<std::array<QString, 7>> rows;
        rows.reserve(static_cast<std::size_t>(std::max(run.lagen, 0)));
        for (std::int32_t k = 0; k < run.lagen; ++k) {
            const std::array<QString, 6> values = valueTexts(run.layers[k]);
            rows.push_back({qs(run.layers[k].Name), values[0], values[1], values[2], values[3], values[4], values[5]});
        }
        // Each value column as wide as its widest value and its caption's
        // longest word (captions wrap); the name has the rest.
        std::array<int, 7> widths{};
        int valuesWidth = 0;
        for (int c = 1; c < 7; ++c) {
            for (const QString& word : text(30 + c).split(' '))
                widths[c] = std::max(widths[c], header.horizontalAdvance(word));
            for (const auto& values : rows)
                widths[c] = std::max(widths[c], body.horizontalAdvance(values[c]));
            widths[c] += 2 * mm;
            valuesWidth += widths[c];
        }
        // Never less than a third for the names: the values then share what is left.
        const int valuesRoom = page.width() * 2 / 3;
        if (valuesWidth > valuesRoom)
            for (int c = 1; c < 7; ++c)
                widths[c] = widths[c] * valuesRoom / valuesWidth;
        widths[0] = page.width() - std::min(valuesWidth, valuesRoom);
        std::array<int, 8> columns{};
        for (int c = 0; c < 7; ++c)
            columns[c + 1] = columns[c] + widths[c];
        auto cell = [&](int c, int top, int height) {
            return QRect(page.left() + columns[c] + mm / 2, top, widths[c] - mm, height);
        };
        const int headerHeight = 3 * header.height();
        const int row = body.height() * 6 / 5;
        auto drawHeader = [&](int top) {
            painter.setFont(sheetFont(8, true));
            painter.setPen(Qt::black);
            for (int c = 0; c < 7; ++c)
                painter.drawText(cell(c, top, headerHeight),
                                 (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignBottom | Qt::TextWordWrap,
                                 text(30 + c));
            painter.drawLine(page.left(), top + headerHeight + mm / 2, page.right(), top + headerHeight + mm / 2);
            painter.setFont(sheetFont(8));
            return top + headerHeight + mm;
        };
        y = drawHeader(y);
        for (std::int32_t k = 0; k < run.lagen; ++k) {
            if (y + row > page.bottom()) {
                pdf.newPage();
                y = drawHeader(0);
            }
            const TLayerRecord& r = run.layers[k];
            for (int c = 0; c < 7; ++c) {
                const bool unusual = (c == 1 && !isUsualOffset(r.Offset)) || (c == 4 && !isUsualSpeed(r.Speed_Target));
                painter.setPen(unusual ? warningColour() : QColor(Qt::black));
                const QRect box = cell(c, y, row);
                painter.drawText(box, (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                                 body.elidedText(rows[static_cast<std::size_t>(k)][c], Qt::ElideRight, box.width()));
            }
            y += row;
        }
    }
    return bytes;
}

}  // namespace kobalin
