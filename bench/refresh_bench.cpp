// The step refresh at step 4 with a full table (the tree rebuilt and the
// cross-section drawn beside it), against Qt filling the same tree in one go.
#include "benchsupport.h"

#include "app/windows.h"
#include "wizard/decimal.h"
#include "wizard/form5.h"
#include "wizard/keptrun.h"
#include "wizard/layertree.h"

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QIcon>
#include <QTreeWidget>

#include <array>
#include <filesystem>
#include <vector>

namespace bench {

using namespace kobalin;

namespace {

// Lets the windows lay out and paint what the call changed, as the event loop
// does right after a handler returns: the user waits for that too. Until
// nothing is left, so that no work spills into the next measurement.
void drawPending() { QApplication::processEvents(QEventLoop::AllEvents, 1000); }

// The floor: the same 6996 nodes, texts and images made beforehand, handed
// to a tree of the wizard tree's size and font in one go.
struct FloorTree {
    QTreeWidget tree;
    QIcon images[8];
    QString comments[3];
    std::vector<std::array<QString, 7>> layers;

    FloorTree(const RunData& table, const QTreeWidget& like)
    {
        RunData run = table;
        sortLayers(run);
        const char* names[] = {"comment", "layer", "offset", "passtarget", "passtol", "speedtarget", "speedtol", "cmv"};
        for (int i = 0; i < 8; ++i)
            images[i] = QIcon(QString(":/nodes/%1.svg").arg(names[i]));
        comments[0] = QString::fromStdU16String(run.commentaar1);
        comments[1] = QString::fromStdU16String(run.commentaar2);
        comments[2] = QString::fromStdU16String(run.commentaar3);
        for (int k = 0; k < run.lagen; ++k) {
            const TLayerRecord& r = run.layers[static_cast<std::size_t>(k)];
            layers.push_back({QString::fromStdU16String(r.Name), QString::fromStdString(formatFixed2(r.Offset)) + " m",
                              QString::number(r.PassCount_Target), QString::number(r.PassCount_MaxExtra),
                              QString::fromStdString(formatFixed2(r.Speed_Target)) + " km/h",
                              QString::number(r.Speed_MaxDiff) + " km/h", QString::number(r.Compaction_Target) + " CMV"});
        }
        tree.setHeaderHidden(true);
        tree.setIndentation(like.indentation());
        tree.setFont(like.font());
        tree.resize(like.size());  // as many rows drawn
        tree.show();
    }
};

// Each timed step apart, so that a profiler can single it out
// (valgrind --tool=callgrind --toggle-collect='bench::*Once*').
[[gnu::noinline]] void refreshOnce(TForm5& wizard)
{
    wizard.actieClick();
    drawPending();
}

[[gnu::noinline]] void fillOnce(FloorTree& f)
{
    f.tree.clear();
    QList<QTreeWidgetItem*> top;
    top.reserve(3 + static_cast<qsizetype>(f.layers.size()));
    for (const QString& c : f.comments) {
        auto* item = new QTreeWidgetItem(QStringList(c));
        item->setIcon(0, f.images[0]);
        top.append(item);
    }
    for (const auto& texts : f.layers) {
        auto* layer = new QTreeWidgetItem(QStringList(texts[0]));
        layer->setIcon(0, f.images[1]);
        for (std::size_t i = 1; i < 7; ++i)
            (new QTreeWidgetItem(layer, QStringList(texts[i])))->setIcon(0, f.images[i + 1]);
        top.append(layer);
    }
    f.tree.insertTopLevelItems(0, top);
    drawPending();
}

// kept: each refresh follows a change the window keeps at once (the link box
// clicked, so that every keep writes), as after any handler that changes the run.
bool keptRunIsThere()
{
    std::error_code error;
    for (std::filesystem::directory_iterator it(keptRunsFolder(), error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == ".run")
            return true;
    return false;
}

void refresh(benchmark::State& state, Order order, bool kept)
{
    seedSettings();
    const RunData table = fullTable(order);
    RunData run;
    Windows windows = createWindows(run);
    windows.Form5->show();  // once active, it initialises itself: step 1
    for (QDeadlineTimer wait(5000); run.pagina == 0 && !wait.hasExpired();)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    // The run as step 4 finds it; the language and link stay as read at start.
    run.layers = table.layers;
    run.lagen = table.lagen;
    run.commentaar1 = table.commentaar1;
    run.commentaar2 = table.commentaar2;
    run.commentaar3 = table.commentaar3;
    run.commentaar = table.commentaar;
    run.pagina = 4;
    FloorTree floor(table, *windows.Form5->TreeView1);
    drawPending();

    Pair pair(state);
    for (auto _ : state) {
        // Each refresh sorts the table in place: start every one from the same order.
        std::copy(table.layers.begin(), table.layers.begin() + table.lagen, run.layers.begin());
        pair.figure([&] {
            if (kept)
                windows.Form5->CheckBox1->click();
            refreshOnce(*windows.Form5);
        });
        pair.floor("floor_ms", [&] { fillOnce(floor); });
        pair.lap();
    }
    if (windows.Form5->TreeView1->topLevelItemCount() != 3 + kMaxLayers)
        state.SkipWithError("the tree was not rebuilt");
    else if (kept && !keptRunIsThere())
        state.SkipWithError("the run was not kept");
}

}  // namespace

void registerRefreshBenchmarks()
{
    timed(benchmark::RegisterBenchmark("Refresh/shuffled", refresh, Order::Shuffled, false));
    timed(benchmark::RegisterBenchmark("Refresh/ascending", refresh, Order::Ascending, false));
    timed(benchmark::RegisterBenchmark("Refresh/equal_offsets", refresh, Order::EqualOffsets, false));
    timed(benchmark::RegisterBenchmark("Refresh/kept", refresh, Order::Shuffled, true));
}

}  // namespace bench
