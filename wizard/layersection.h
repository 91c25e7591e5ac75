#pragma once

#include "wizard/rundata.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

class QPainter;

namespace kobalin {

// The six values of a layer as the tree shows them: "0.30 m", "4", "1",
// "3.50 km/h", "1 km/h", "80 CMV".
std::array<QString, 6> valueTexts(const TLayerRecord& r);

// One band of the cross-section: a layer, or the layers that share an offset.
struct SectionBand {
    QString names;    // "Top" or, for a clash, "Top = Fill"
    QString offset;   // "0.30 m"
    QString targets;  // "4 passes  3.50 km/h  80 CMV"
    QString warning;  // why the band is marked; empty when it is not
    double thickness = 0;  // metres down to the next band
    bool clash = false;    // layers share the offset
};

// The bands of the table, largest offset first, with texts in the language
// with the given base.
std::vector<SectionBand> sectionBands(const RunData& run, std::int32_t taal);

// One line per layer, in the drawing's order: what a screen reader reads.
QString sectionText(const RunData& run, std::int32_t taal);

// Draws the bands into area, each band as high as its thickness to scale but
// never lower than a line of text while they all fit; texts are elided, and
// left out where a band has no room for them. emptyText stands in for no bands.
void drawSection(QPainter& painter, const QRect& area, const std::vector<SectionBand>& bands,
                 const QString& emptyText);

// The cross-section of the layers on the wizard's steps 3 to 5.
class LayerSection : public QWidget {
    Q_OBJECT
public:
    explicit LayerSection(QWidget* parent = nullptr);

    // The table as the step refresh leaves it.
    void showTable(const RunData& run, std::int32_t taal);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    std::vector<SectionBand> bands_;
    QString emptyText_;
};

}  // namespace kobalin
