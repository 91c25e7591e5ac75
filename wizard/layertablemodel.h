#pragma once

#include "wizard/layerrows.h"

#include <QAbstractTableModel>
#include <QUndoStack>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace kobalin {

// The layer table's rows, and one empty row after them that takes a new
// layer. Every change is a command on the undo stack.
class LayerTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit LayerTableModel(QObject* parent = nullptr);

    // A fresh table in the language of base taal, nothing to undo.
    void load(std::vector<LayerRow> rows, std::int32_t taal);
    const std::vector<LayerRow>& rows() const { return rows_; }
    int layerRows() const { return static_cast<int>(rows_.size()); }
    QUndoStack& undoStack() { return undo_; }

    // Puts rows in place of count rows from first on, as one change to undo.
    void change(int first, int count, std::vector<LayerRow> rows);
    // The same without the undo stack, for the commands.
    void replace(int first, int count, const std::vector<LayerRow>& rows);

    // Whether a typed name lost its "." or "," since the last call.
    bool takeNameCut() { return std::exchange(nameCut_, false); }

    // The first cell that keeps the table from being taken over.
    std::optional<PasteFault> firstFault() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString cellText(int row, int column) const;
    QString whyMarked(int row, int column) const;  // a fault, or what is unusual; empty for neither
    void measure();                                // the thicknesses and equal offsets, after a change

    std::vector<LayerRow> rows_;
    std::vector<std::optional<double>> thickness_;
    std::vector<bool> equalOffset_;
    QUndoStack undo_;
    std::int32_t taal_ = 0;
    bool nameCut_ = false;
};

}  // namespace kobalin
