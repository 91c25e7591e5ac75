#include "wizard/layertable.h"

#include "app/guard.h"
#include "app/look.h"
#include "app/named.h"
#include "app/prompts.h"
#include "app/qtext.h"
#include "wizard/generatelifts.h"
#include "wizard/layergrid.h"
#include "wizard/layertablemodel.h"
#include "wizard/rundata.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <map>
#include <set>

namespace kobalin {

TLayerTable::TLayerTable(RunData& run, QWidget* parent) : QDialog(parent), run_(run)
{
    setObjectName("LayerTable");
    useFont(this, 13);
    model_ = new LayerTableModel(this);
    StringGrid1 = named(new LayerGrid(this), "StringGrid1");
    StringGrid1->setModel(model_);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 8);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    Removerows1 = named(PopupMenu1->addAction(QString()), "Removerows1");
    Removerows1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));  // shown; the table takes the key itself
    generator_ = new TGenerateLifts(this);

    Button1 = named(new QPushButton(this), "Button1");
    Button2 = named(new QPushButton(this), "Button2");
    Button3 = named(new QPushButton(this), "Button3");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Button1, Button2, Button3}) {
        // Enter moves down the table; it presses no button.
        b->setAutoDefault(false);
        b->setMinimumSize(110, 32);
        buttons->addWidget(b);
        if (b == Button1)
            buttons->addStretch();
    }
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(12, 12, 12, 12);
    root->addWidget(StringGrid1, 1);
    root->addLayout(buttons);
    resize(960, 560);

    onEvent(Button1, &QPushButton::clicked, this, &TLayerTable::Button1Click);
    onEvent(Button2, &QPushButton::clicked, this, &TLayerTable::Button2Click);
    onEvent(Button3, &QPushButton::clicked, this, &TLayerTable::Button3Click);
    onEvent(Removerows1, &QAction::triggered, this, &TLayerTable::Removerows1Click);
    connect(StringGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(StringGrid1->viewport()->mapToGlobal(pos)); });
    StringGrid1->keyDown = [this](QKeyEvent* key) {
        bool taken = false;
        guarded(this, [&] { taken = StringGrid1KeyDown(key); });
        return taken;
    };
    StringGrid1->editEnded = [this] { guarded(this, [this] { tellNameCut(); }); };
}

QString TLayerTable::text(int k) const { return catalogue(taalbasis, k); }

void TLayerTable::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    guarded(this, [this] { FormActivate(); });
}

void TLayerTable::FormActivate()
{
    setWindowTitle(text(112));
    Button1->setText(text(113));
    Button2->setText(text(0));
    Button3->setText(text(1));
    Removerows1->setText(text(114));
    StringGrid1->setAccessibleName(text(112));
    std::vector<LayerRow> rows;
    rows.reserve(static_cast<std::size_t>(run_.lagen));
    for (std::int32_t k = 0; k < run_.lagen; ++k)
        rows.push_back(rowOf(run_.layers[k]));
    opened_ = rows;
    model_->load(std::move(rows), taalbasis);
    layOutColumns();
    // Typing at once starts the next layer.
    StringGrid1->setFocus(Qt::OtherFocusReason);
    StringGrid1->moveTo(model_->layerRows(), kNameColumn);
}

void TLayerTable::layOutColumns()
{
    QHeaderView* header = StringGrid1->horizontalHeader();
    const int number = StringGrid1->fontMetrics().horizontalAdvance(QStringLiteral("-0000.00")) + 16;
    int width = 220;  // the names' room at least
    for (int column = kOffsetColumn; column <= kThicknessColumn; ++column) {
        header->resizeSection(column, std::max(header->sectionSizeHint(column), number));
        width += header->sectionSize(column);
    }
    const QMargins margins = layout()->contentsMargins();
    width += StringGrid1->verticalHeader()->sizeHint().width() + 2 * StringGrid1->frameWidth() + margins.left() +
             margins.right() + 24;  // and a vertical scroll bar
    fitWindow(this, QSize(std::max(width, 760), 560));
}

bool TLayerTable::StringGrid1KeyDown(QKeyEvent* key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const bool control = modifiers == Qt::ControlModifier;
    if (key->matches(QKeySequence::Copy))
        copyCells();
    else if (key->matches(QKeySequence::Paste))
        pasteCells();
    else if (key->matches(QKeySequence::Undo))
        model_->undoStack().undo();
    else if (key->matches(QKeySequence::Redo) || (control && key->key() == Qt::Key_Y))
        model_->undoStack().redo();
    else if (modifiers == Qt::NoModifier && key->key() == Qt::Key_Delete)
        emptyCells();
    else if (control && key->key() == Qt::Key_D)
        fillDown();
    else if (control && key->key() == Qt::Key_Minus)
        Removerows1Click();
    else
        return false;
    return true;
}

void TLayerTable::copyCells()
{
    const QModelIndexList selected = StringGrid1->selectionModel()->selectedIndexes();
    std::set<int> rows, columns;
    for (const QModelIndex& cell : selected) {
        if (cell.row() < model_->layerRows()) {
            rows.insert(cell.row());
            columns.insert(cell.column());
        }
    }
    if (rows.empty())
        return;
    // The block from the first selected cell to the last; cells between that are not selected stay empty.
    std::vector<std::vector<std::u16string>> cells(static_cast<std::size_t>(*rows.rbegin() - *rows.begin() + 1),
                                                   std::vector<std::u16string>(*columns.rbegin() - *columns.begin() + 1));
    for (const QModelIndex& cell : selected)
        if (cell.row() < model_->layerRows())
            cells[cell.row() - *rows.begin()][cell.column() - *columns.begin()] = us(cell.data().toString());
    QGuiApplication::clipboard()->setText(qs(copiedText(cells)));
}

void TLayerTable::pasteCells()
{
    const QModelIndex current = StringGrid1->currentIndex();
    const CellPlace at{current.isValid() ? current.row() : model_->layerRows(), current.isValid() ? current.column() : 0};
    Paste paste = readPaste(us(QGuiApplication::clipboard()->text()), at, model_->layerRows());
    if (paste.refused()) {
        prompts().error(this, qs(pasteRefusal(paste, taalbasis)));
        return;
    }
    if (paste.rows.empty())
        return;
    const int rows = static_cast<int>(paste.rows.size());
    std::size_t columns = 1;
    for (const auto& row : paste.rows)
        columns = std::max(columns, row.size());
    const bool nameCut = paste.nameCut, decimalComma = paste.decimalComma;
    model_->change(at.row, std::min(rows, model_->layerRows() - at.row), pastedRows(model_->rows(), std::move(paste)));
    selectBlock(at.row, at.column, rows, static_cast<int>(columns));
    if (nameCut)
        prompts().error(this, text(53));
    if (decimalComma)
        prompts().info(this, text(118));
}

void TLayerTable::emptyCells()
{
    const std::vector<int> rows = selectedRows();
    if (rows.empty())
        return;
    std::vector<LayerRow> changed(model_->rows().begin() + rows.front(), model_->rows().begin() + rows.back() + 1);
    for (const QModelIndex& cell : StringGrid1->selectionModel()->selectedIndexes())
        if (cell.row() < model_->layerRows() && cell.column() < kValueColumns)
            changed[cell.row() - rows.front()][cell.column()].clear();
    const int count = static_cast<int>(changed.size());
    if (!std::equal(changed.begin(), changed.end(), model_->rows().begin() + rows.front()))
        model_->change(rows.front(), count, std::move(changed));
}

void TLayerTable::fillDown()
{
    // Each column's selected cells, top down; a selection of one row takes the row above, as spreadsheets do.
    std::map<int, std::set<int>> columns;
    for (const QModelIndex& cell : StringGrid1->selectionModel()->selectedIndexes())
        if (cell.column() < kValueColumns)
            columns[cell.column()].insert(cell.row());
    const int layers = model_->layerRows();
    int first = layers, last = -1;
    for (auto& [column, rows] : columns) {
        if (rows.size() == 1 && *rows.begin() > 0)
            rows.insert(*rows.begin() - 1);
        if (*rows.begin() >= layers)
            continue;
        first = std::min(first, *rows.begin());
        last = std::max(last, *rows.rbegin());
    }
    // A full table fills no new row.
    if (layers >= kMaxLayers)
        last = std::min(last, layers - 1);
    if (last <= first)
        return;
    const std::vector<LayerRow>& table = model_->rows();
    std::vector<LayerRow> changed;
    for (int row = first; row <= last; ++row)
        changed.push_back(row < layers ? table[row] : LayerRow{});
    for (const auto& [column, rows] : columns)
        if (*rows.begin() < layers)
            for (const int row : rows)
                changed[row - first][column] = table[*rows.begin()][column];
    const int existing = std::min(last, layers - 1) - first + 1;
    if (!std::equal(changed.begin(), changed.end(), table.begin() + first, table.begin() + first + existing) ||
        last >= layers)
        model_->change(first, existing, std::move(changed));
}

void TLayerTable::Removerows1Click()
{
    const std::vector<int> rows = selectedRows();
    if (rows.empty())
        return;
    std::vector<LayerRow> kept;
    for (int row = rows.front(); row <= rows.back(); ++row)
        if (!std::binary_search(rows.begin(), rows.end(), row))
            kept.push_back(model_->rows()[row]);
    const int column = std::max(StringGrid1->currentIndex().column(), 0);
    model_->change(rows.front(), rows.back() - rows.front() + 1, std::move(kept));
    StringGrid1->moveTo(rows.front(), column);
}

std::vector<int> TLayerTable::selectedRows() const
{
    std::set<int> rows;
    for (const QModelIndex& cell : StringGrid1->selectionModel()->selectedIndexes())
        if (cell.row() < model_->layerRows())
            rows.insert(cell.row());
    return std::vector<int>(rows.begin(), rows.end());
}

void TLayerTable::selectBlock(int row, int column, int rows, int columns)
{
    const QModelIndex first = model_->index(row, column);
    const QModelIndex last = model_->index(row + rows - 1, std::min(column + columns, kValueColumns) - 1);
    StringGrid1->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    StringGrid1->selectionModel()->select(QItemSelection(first, last), QItemSelectionModel::ClearAndSelect);
    StringGrid1->scrollTo(first);
}

void TLayerTable::tellNameCut()
{
    if (model_->takeNameCut())
        prompts().error(this, text(53));
}

void TLayerTable::Button1Click()
{
    const QModelIndex current = StringGrid1->currentIndex();
    const int layers = model_->layerRows();
    const int at = current.isValid() ? current.row() : layers;
    generator_->taalbasis = taalbasis;
    generator_->layerRows = layers;
    // The other values of the lifts: the current row's, or the last layer's from the empty row.
    generator_->valuesFrom = at < layers ? model_->rows()[at] : layers > 0 ? model_->rows()[layers - 1] : LayerRow{};
    const bool generated = prompts().exec(*generator_) == QDialog::Accepted;
    StringGrid1->setFocus(Qt::OtherFocusReason);  // typing goes on in the table
    if (!generated)
        return;
    const int lifts = static_cast<int>(generator_->lifts.rows.size());
    model_->change(at, 0, std::move(generator_->lifts.rows));
    selectBlock(at, kNameColumn, lifts, kValueColumns);
}

void TLayerTable::Button2Click()
{
    if (const auto fault = model_->firstFault()) {
        StringGrid1->moveTo(fault->place.row, fault->place.column);
        prompts().error(this,
                        text(123) + qs(cellName(fault->place, taalbasis)) + ": " + qs(cellFaultText(*fault, taalbasis)));
        return;
    }
    const std::vector<LayerRow>& rows = model_->rows();
    for (std::size_t k = 0; k < rows.size(); ++k)
        run_.layers[k] = recordOf(rows[k]);
    run_.lagen = model_->layerRows();
    accept();
}

void TLayerTable::Button3Click() { reject(); }

void TLayerTable::reject()
{
    bool close = true;
    guarded(this, [&] { close = model_->rows() == opened_ || prompts().question(this, text(115), text(59), text(60)); });
    if (close)
        QDialog::reject();
}

}  // namespace kobalin
