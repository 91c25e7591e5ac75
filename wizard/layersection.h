#pragma once

#include "wizard/rundata.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

class QFontMetrics;
class QPainter;

namespace kobalin {

// The six values of a layer as the tree shows them: "0.30 m", "4", "1",
// "3.50 km/h", "1 km/h", "80 CMV".
std::array<QString, 6> valueTexts(const TLayerRecord& r);

// One band of the cross-section: a layer, or the layers that share an offset.
// Its texts are made only where it is drawn large enough to carry them: a
// full table has 999 bands, most of them a pixel high.
struct SectionBand {
    QString names;         // "Top" or, for a clash, "Top = Fill"
    TLayerRecord first;    // the offset and targets shown (its name is not kept)
    QString passes;        // the word after the pass count
    QString warning;       // why the band is marked; empty when it is not
    double thickness = 0;  // metres down to the next band
    bool clash = false;    // layers share the offset
};

// The bands of the layers, largest offset first, with texts in the language
// with the given base.
std::vector<SectionBand> sectionBands(std::span<const TLayerRecord> layers, std::int32_t taal);

// One line per layer, in the drawing's order: what a screen reader reads.
QString sectionText(std::span<const TLayerRecord> layers, std::int32_t taal);

// A band's least height while every band can have it: a line of its text.
int leastBandHeight(const QFontMetrics& metrics);
// The width of the mark of an unusual value at a band's left, and the room
// around the texts.
int stripeWidth(const QFontMetrics& metrics);

// Draws the bands into area, each band as high as its thickness to scale but
// never lower than a line of text while they all fit; texts are elided, and
// left out where a band has no room for them. emptyText stands in for no bands.
void drawSection(QPainter& painter, const QRect& area, const std::vector<SectionBand>& bands, const QString& emptyText);

// The cross-section of the layers on the wizard's steps 3 to 5.
class LayerSection : public QWidget {
    Q_OBJECT
public:
    explicit LayerSection(QWidget* parent = nullptr);

    // The table as the step refresh leaves it.
    void showTable(const RunData& run, std::int32_t taal);
    // The layers, one line each: made when a screen reader asks.
    QString description() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    std::vector<TLayerRecord> layers_;
    std::int32_t taal_ = 0;
    std::vector<SectionBand> bands_;
    QString emptyText_;
};

}  // namespace kobalin
