#include "wizard/layertablemodel.h"

#include "app/look.h"
#include "app/qtext.h"
#include "wizard/decimal.h"
#include "wizard/usualvalues.h"

#include <QApplication>
#include <QPalette>
#include <QUndoCommand>

namespace kobalin {

namespace {

// A cell in error: empty, or not read as its column's value.
QColor errorBackground() { return QColor(255, 199, 206); }

class ReplaceRows final : public QUndoCommand {
public:
    ReplaceRows(LayerTableModel& model, int first, std::vector<LayerRow> before, std::vector<LayerRow> after)
        : model_(model), first_(first), before_(std::move(before)), after_(std::move(after))
    {
    }
    void redo() override { model_.replace(first_, static_cast<int>(before_.size()), after_); }
    void undo() override { model_.replace(first_, static_cast<int>(after_.size()), before_); }

private:
    LayerTableModel& model_;
    int first_;
    std::vector<LayerRow> before_, after_;
};

}  // namespace

LayerTableModel::LayerTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void LayerTableModel::load(std::vector<LayerRow> rows, std::int32_t taal)
{
    beginResetModel();
    undo_.clear();
    rows_ = std::move(rows);
    taal_ = taal;
    nameCut_ = false;
    measure();
    endResetModel();
}

void LayerTableModel::change(int first, int count, std::vector<LayerRow> rows)
{
    std::vector<LayerRow> before(rows_.begin() + first, rows_.begin() + first + count);
    undo_.push(new ReplaceRows(*this, first, std::move(before), std::move(rows)));
}

void LayerTableModel::replace(int first, int count, const std::vector<LayerRow>& rows)
{
    const int added = static_cast<int>(rows.size()) - count;
    // At the end of the table the empty row stays where it is on screen and
    // the rows come and go after it: the cell being edited keeps its place.
    const bool atEnd = first + count == layerRows();
    const int at = atEnd ? rowCount() : first + count;
    if (added > 0)
        beginInsertRows(QModelIndex(), at, at + added - 1);
    else if (added < 0)
        beginRemoveRows(QModelIndex(), atEnd ? rowCount() + added : first + count + added, (atEnd ? rowCount() : at) - 1);
    // Rows replaced by as many are assigned in place, which keeps their cells' memory.
    const int common = std::min(count, static_cast<int>(rows.size()));
    std::copy_n(rows.begin(), common, rows_.begin() + first);
    rows_.erase(rows_.begin() + first + common, rows_.begin() + first + count);
    rows_.insert(rows_.begin() + first + common, rows.begin() + common, rows.end());
    measure();
    if (added > 0)
        endInsertRows();
    else if (added < 0)
        endRemoveRows();
    // A thickness or an equal offset anywhere may follow from the change.
    emit dataChanged(index(0, 0), index(rowCount() - 1, kThicknessColumn));
}

void LayerTableModel::measure()
{
    thickness_ = rowThicknesses(rows_);
    equalOffset_ = equalOffsetRows(rows_);
}

std::optional<PasteFault> LayerTableModel::firstFault() const
{
    for (int row = 0; row < layerRows(); ++row)
        for (int column = 0; column < kValueColumns; ++column)
            if (const CellFault fault = cellFault(column, rows_[row][column]); fault != CellFault::None)
                return PasteFault{{row, column}, fault, rows_[row][column]};
    return std::nullopt;
}

int LayerTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : layerRows() + 1; }

int LayerTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kValueColumns + 1; }

QString LayerTableModel::cellText(int row, int column) const
{
    if (row >= layerRows())
        return QString();
    if (column < kValueColumns)
        return qs(rows_[row][column]);
    const auto& thickness = thickness_[row];
    return thickness ? qs(formatFixed2u(*thickness)) : QString();
}

QString LayerTableModel::whyMarked(int row, int column) const
{
    if (row >= layerRows() || column >= kValueColumns)
        return QString();
    const std::u16string& text = rows_[row][column];
    if (const CellFault fault = cellFault(column, text); fault != CellFault::None)
        return qs(cellFaultText({{row, column}, fault, text}, taal_));
    QStringList why;
    const double value = readDecimal(text).value_or(0);
    if (column == kOffsetColumn && !isUsualOffset(value))
        why << catalogue(taal_, 80);
    if (column == kOffsetColumn && equalOffset_[row])
        why << catalogue(taal_, 52);
    if (column == kSpeedColumn && !isUsualSpeed(value))
        why << catalogue(taal_, 81);
    return why.join('\n');
}

QVariant LayerTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int row = index.row(), column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return cellText(row, column);
    case Qt::TextAlignmentRole:
        return column == kNameColumn ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                     : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        const QString why = whyMarked(row, column);
        return why.isEmpty() ? QVariant() : QVariant(why);
    }
    case Qt::BackgroundRole:
        if (row < layerRows() && column < kValueColumns && cellFault(column, rows_[row][column]) != CellFault::None)
            return errorBackground();
        if (!whyMarked(row, column).isEmpty())
            return warningBackground();
        // The thickness is worked out, never typed.
        if (column == kThicknessColumn)
            return QApplication::palette().color(QPalette::Window);
        return QVariant();
    }
    return QVariant();
}

bool LayerTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const int row = index.row(), column = index.column();
    if (role != Qt::EditRole || !index.isValid() || column >= kValueColumns)
        return false;
    bool cut = false;
    const std::u16string text = tidyCell(column, us(value.toString()), &cut);
    const bool newRow = row >= layerRows();
    // A full table has no room for another layer.
    if (newRow && layerRows() >= kMaxLayers)
        return false;
    // Nothing typed into the empty row makes no layer.
    if (newRow ? text.empty() : rows_[row][column] == text)
        return true;
    LayerRow changed = newRow ? LayerRow{} : rows_[row];
    changed[column] = text;
    nameCut_ = nameCut_ || cut;
    change(newRow ? layerRows() : row, newRow ? 0 : 1, {std::move(changed)});
    return true;
}

Qt::ItemFlags LayerTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const bool full = index.row() >= layerRows() && layerRows() >= kMaxLayers;
    return index.column() < kValueColumns && !full ? flags | Qt::ItemIsEditable : flags;
}

QVariant LayerTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return catalogue(taal_, section == kThicknessColumn ? 110 : 30 + section);
    // The empty row that takes a new layer, as spreadsheets and databases mark it.
    return section < layerRows() ? QVariant(section + 1) : QVariant(QStringLiteral("*"));
}

}  // namespace kobalin
