#pragma once

#include "wizard/rundata.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class QFontMetrics;
class QPainter;

namespace kobalin {

// The six values of a layer as the tree shows them: "0.30 m", "4", "1",
// "3.50 km/h", "1 km/h", "80 CMV".
std::array<QString, 6> valueTexts(const TLayerRecord& r);

// A lift as the drawing, the tree and the screen reader give it ("0.10 m
// thick"); empty for none.
QString liftText(std::optional<double> lift, std::int32_t taal);

// One band of the cross-section: a layer, or the layers that share an offset.
struct SectionBand {
    std::size_t first = 0;  // its layers in the build-up's order
    std::size_t count = 1;
    double thickness = 0;  // as drawn: metres down to the next band, the lowest as thick as the mean
    bool clash = false;    // layers share the offset
    bool unusual = false;  // one of them has an unusual offset or speed
};

// The layers as the cross-section shows them, largest offset first. Texts are
// made only where they are drawn or asked for: a full table has 999 bands.
struct BuildUp {
    std::vector<TLayerRecord> layers;          // largest offset first; equal ones in table order
    std::vector<std::optional<double>> lifts;  // each layer's, in that order
    std::vector<SectionBand> bands;
    std::int32_t taal = 0;  // the language of its texts
};

BuildUp buildUp(std::span<const TLayerRecord> layers, std::int32_t taal);

// One line per layer of the bands from to to (not included): what the
// tooltip over them and, for all bands, a screen reader read.
QString layerLines(const BuildUp& section, std::size_t from, std::size_t to);

// A band's least height while every band can have it: a line of its text.
int leastBandHeight(const QFontMetrics& metrics);
// The width of the mark of an unusual value at a band's left, and the room
// around the texts.
int stripeWidth(const QFontMetrics& metrics);

// Draws the bands into area. Where every band can be a line of text high,
// each is at least that and carries its texts on that line, the height left
// shared out to scale; otherwise all are to scale, without texts. emptyText
// stands in for no bands.
void drawSection(QPainter& painter, const QRect& area, const BuildUp& section, const QString& emptyText);

// The cross-section of the layers on the wizard's steps 3 to 5.
class LayerSection : public QWidget {
    Q_OBJECT
public:
    explicit LayerSection(QWidget* parent = nullptr);

    // The table as the step refresh leaves it.
    void showTable(const RunData& run, std::int32_t taal);
    // The layers, one line each: made when a screen reader asks.
    QString description() const;
    // The width a band needs for its line of texts, in the language shown.
    int lineWidth() const { return lineWidth_; }

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    BuildUp section_;
    QString emptyText_;
    int lineWidth_ = 0;
};

}  // namespace kobalin
