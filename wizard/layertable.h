#pragma once

#include "wizard/layerrows.h"

#include <QDialog>

#include <cstdint>
#include <vector>

class QAction;
class QKeyEvent;
class QMenu;
class QPushButton;

namespace kobalin {

struct RunData;
class LayerGrid;
class LayerTableModel;
class TGenerateLifts;

// The whole build-up at once: every layer of the run as a row of a table,
// typed, pasted from a spreadsheet or generated as lifts, each change undone
// with Ctrl+Z. OK puts the rows in place of the run's layers.
class TLayerTable : public QDialog {
    Q_OBJECT
public:
    explicit TLayerTable(RunData& run, QWidget* parent = nullptr);

    std::int32_t taalbasis = 0;  // set by the caller before each opening

    void FormActivate();  // the run's layers into the rows
    void Button1Click();  // Generate lifts...
    void Button2Click();  // OK
    void Button3Click();  // Abort
    void Removerows1Click();
    bool StringGrid1KeyDown(QKeyEvent* key);  // the table's own keys; true when taken

    LayerGrid* StringGrid1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QMenu* PopupMenu1;
    QAction* Removerows1;

public slots:
    // Abort, Escape and the close box: changed rows are dropped only when the user says so.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString text(int k) const;
    void layOutColumns();
    void copyCells();
    void pasteCells();
    void emptyCells();
    void fillDown();
    void tellNameCut();
    std::vector<int> selectedRows() const;  // the layers with a selected cell, in order
    void selectBlock(int row, int column, int rows, int columns);

    RunData& run_;
    LayerTableModel* model_;
    TGenerateLifts* generator_;
    std::vector<LayerRow> opened_;  // the rows as the table opened
};

}  // namespace kobalin
