// The layer table with a full build-up of 999 layers: opening it, pasting 999
// rows, undoing that paste and OK, against the same 999 x 8 cells, made
// beforehand, put into a table of the same kind in one go: in a window shown
// with them for the opening, with the block selected as a paste leaves it.
#include "benchsupport.h"

#include "app/qtext.h"
#include "app/windows.h"
#include "wizard/form5.h"
#include "wizard/layergrid.h"
#include "wizard/layerrows.h"
#include "wizard/layertable.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <QVBoxLayout>

#include <memory>
#include <vector>

namespace bench {

using namespace kobalin;

namespace {

// As the event loop does right after a handler returns: lays out and paints
// what changed, until nothing is left.
void drawPending()
{
    QCoreApplication::sendPostedEvents();
    QApplication::processEvents(QEventLoop::AllEvents, 1000);
}

// The floor's model: nothing but the cells' texts.
class PlainCells final : public QAbstractTableModel {
public:
    void fill(std::vector<QString> cells)
    {
        beginResetModel();
        cells_ = std::move(cells);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(cells_.size() / 8);
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : 8; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return QVariant();
        return cells_[static_cast<std::size_t>(index.row() * 8 + index.column())];
    }

private:
    std::vector<QString> cells_;
};

// The floor: the table's 999 x 8 texts made beforehand, handed to a table of
// the layer table's size, font and columns in one go, and drawn.
struct FloorTable {
    PlainCells model;
    QDialog frame;  // a window of the layer table's kind and size around it
    QTableView& view = *new QTableView(&frame);
    std::vector<QString> cells;

    FloorTable(const RunData& run, const QTableView& like)
    {
        std::vector<LayerRow> rows;
        for (int k = 0; k < run.lagen; ++k)
            rows.push_back(rowOf(run.layers[static_cast<std::size_t>(k)]));
        const auto thickness = rowThicknesses(rows);
        for (std::size_t k = 0; k < rows.size(); ++k) {
            for (const std::u16string& cell : rows[k])
                cells.push_back(qs(cell));
            cells.push_back(thickness[k] ? QString::number(*thickness[k], 'f', 2) : QString());
        }
        view.setModel(&model);
        view.setFont(like.font());
        auto* layout = new QVBoxLayout(&frame);
        layout->setContentsMargins(like.window()->layout()->contentsMargins());
        layout->addWidget(&view);
        frame.resize(like.window()->size());
        // Rows of the layer table's fixed height, columns of its widths, the
        // names taking the rest: a narrower view would scroll and draw twice.
        view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view.verticalHeader()->setDefaultSectionSize(like.verticalHeader()->defaultSectionSize());
        view.horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        for (int column = 0; column < 8; ++column)
            view.setColumnWidth(column, like.columnWidth(column));
        view.horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
        frame.show();
    }

    // The cells in, the window shown where it was hidden, the block of
    // value cells selected where a paste leaves it selected, until drawn.
    void fillOnce(bool selected)
    {
        model.fill(cells);
        frame.show();
        if (selected)
            view.selectionModel()->select(
                QItemSelection(model.index(0, 0), model.index(model.rowCount() - 1, kValueColumns - 1)),
                QItemSelectionModel::ClearAndSelect);
        drawPending();
    }
};

// The wizard at step 4 with a full table, and the layer table over it.
struct Setup {
    RunData run;
    Windows windows;
    std::unique_ptr<TLayerTable> table;
    std::unique_ptr<FloorTable> floor;
    RunData full = fullTable(Order::Shuffled);

    Setup()
    {
        seedSettings();
        windows = createWindows(run);
        windows.Form5->show();  // once active, it initialises itself: step 1
        for (QDeadlineTimer wait(5000); run.pagina == 0 && !wait.hasExpired();)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        run.pagina = 4;
        sortLayers(full);
        restore();
        windows.Form5->actieClick();
        table = std::make_unique<TLayerTable>(run, windows.Form5.get());
        table->taalbasis = kEnglish;
        open();
        floor = std::make_unique<FloorTable>(run, *table->StringGrid1);
        table->hide();
        drawPending();
    }

    // A while with the table open, as before any key a person presses:
    // what the opening left for later (timers, the window's activation) is done.
    static void settle()
    {
        for (QDeadlineTimer wait(50); !wait.hasExpired();)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    }

    void restore()
    {
        run.layers = full.layers;
        run.lagen = full.lagen;
    }

    void open()
    {
        table->show();
        drawPending();
    }

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(table->StringGrid1, &event);
        drawPending();
    }

    // 999 rows unlike the table's, on the clipboard.
    static void copyOtherRows()
    {
        const RunData other = fullTable(Order::Ascending);
        std::vector<std::vector<std::u16string>> cells;
        for (int k = 0; k < other.lagen; ++k) {
            const LayerRow row = rowOf(other.layers[static_cast<std::size_t>(k)]);
            cells.emplace_back(row.begin(), row.end());
        }
        QGuiApplication::clipboard()->setText(qs(copiedText(cells)));
    }

    // As many rows, all empty: the scroll bar stays, as the table's does
    // between openings. Hidden, for a floor that opens as the table does.
    void emptyFloor(bool hidden)
    {
        floor->model.fill(std::vector<QString>(floor->cells.size()));
        floor->frame.setHidden(hidden);
        drawPending();
    }
};

enum class Figure { Open, Paste, UndoPaste, Ok };

[[gnu::noinline]] void figureOnce(Setup& s, Figure figure)
{
    switch (figure) {
    case Figure::Open: s.open(); break;
    case Figure::Paste: s.press(Qt::Key_V); break;
    case Figure::UndoPaste: s.press(Qt::Key_Z); break;
    case Figure::Ok:
        // OK until the table has closed and the wizard is drawn again; the
        // step refresh after it is Refresh/* against its own floor.
        s.table->Button2Click();
        drawPending();
        break;
    }
}

void layerTable(benchmark::State& state, Figure figure)
{
    Setup s;
    if (figure == Figure::Paste || figure == Figure::UndoPaste)
        Setup::copyOtherRows();
    Pair pair(state);
    for (auto _ : state) {
        // Every iteration from the same table, with what the figure starts from done untimed.
        s.restore();
        s.emptyFloor(figure == Figure::Open);
        if (figure != Figure::Open)
            s.open();
        s.table->StringGrid1->moveTo(0, 0);
        s.settle();
        if (figure == Figure::UndoPaste)
            s.press(Qt::Key_V);
        pair.figure([&] { figureOnce(s, figure); });
        pair.floor("floor_ms", [&] { s.floor->fillOnce(figure == Figure::Paste || figure == Figure::UndoPaste); });
        pair.lap();
        s.table->hide();
    }
    if (figure == Figure::Ok && s.run.lagen != kMaxLayers)
        state.SkipWithError("OK did not take the rows over");
}

}  // namespace

void registerLayerTableBenchmarks()
{
    timed(benchmark::RegisterBenchmark("LayerTable/open", layerTable, Figure::Open));
    timed(benchmark::RegisterBenchmark("LayerTable/paste", layerTable, Figure::Paste));
    timed(benchmark::RegisterBenchmark("LayerTable/undo_paste", layerTable, Figure::UndoPaste));
    timed(benchmark::RegisterBenchmark("LayerTable/ok", layerTable, Figure::Ok));
}

}  // namespace bench
