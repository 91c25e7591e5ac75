#pragma once

#include "app/prompts.h"
#include "layeredit/templatestore.h"
#include "wizard/rundata.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>

namespace bench {

// Answers nothing and shows nothing: a box would stop the measurement.
class SilentPrompts final : public kobalin::Prompts {
public:
    void error(QWidget*, const QString&) override {}
    void info(QWidget*, const QString&) override {}
    bool question(QWidget*, const QString&, const QString&, const QString&, Default) override { return false; }
    std::optional<QString> openFile(QWidget*, const QString&, const QStringList&, const QString&) override
    {
        return std::nullopt;
    }
    std::optional<QString> saveFile(QWidget*, const QString&, const QStringList&) override { return std::nullopt; }
    int exec(QDialog&) override { return 0; }
};

// This run's scratch folder; XDG_CONFIG_HOME points into it, so the real
// user's settings are never read or written.
const std::filesystem::path& scratch();
void setScratch(std::filesystem::path folder);

// A store with the language and the link choice already chosen, so that no
// language dialog is asked for.
void seedSettings();

// Template i of a full list.
kobalin::LayerTemplate templateEntry(int i);

// A template list of kMaxTemplates entries in the store, as the layer editor
// leaves it: the settings file of a user who keeps a full list.
void fillTemplateStore();

// How the offsets of a full table lie before the sort.
enum class Order {
    Shuffled,      // the usual case: entered in no particular order
    Ascending,     // the sort's worst case: every layer in the opposite order
    EqualOffsets,  // ten distinct offsets among 999 layers
};

// A full table of kMaxLayers layers with three comment lines.
kobalin::RunData fullTable(Order order);

// Every figure is wall-clock time in milliseconds, what the user waits, and
// timed by Pair.
inline benchmark::internal::Benchmark* timed(benchmark::internal::Benchmark* b)
{
    return b->Unit(benchmark::kMillisecond)->UseManualTime();
}

// Times a figure and its floors in turn within every iteration, so that
// whatever else the machine does at that moment falls on both alike and
// their ratio holds. The benchmark's time is the figure's; each floor is the
// counter of its name, in milliseconds per iteration. Work done outside
// figure() and floor() is not timed.
class Pair {
public:
    explicit Pair(benchmark::State& state) : state_(state) {}
    Pair(const Pair&) = delete;
    Pair& operator=(const Pair&) = delete;
    ~Pair()
    {
        for (const auto& [name, total] : floors_)
            state_.counters[name] = benchmark::Counter(total, benchmark::Counter::kAvgIterations);
    }

    template <class F>
    void figure(F&& work)
    {
        figure_ += seconds(work);
    }

    template <class F>
    void floor(const char* name, F&& work)
    {
        floors_[name] += 1e3 * seconds(work);
    }

    // Ends the iteration's timing; once per iteration.
    void lap()
    {
        state_.SetIterationTime(figure_);
        figure_ = 0;
    }

private:
    template <class F>
    static double seconds(F&& work)
    {
        const auto start = std::chrono::steady_clock::now();
        work();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    benchmark::State& state_;
    double figure_ = 0;
    std::map<std::string, double> floors_;
};

// Registration, in the order the figures are reported.
void registerRefreshBenchmarks();
void registerLayerFileBenchmarks();
void registerTemplateBenchmarks();
void registerStartupBenchmarks();

}  // namespace bench
