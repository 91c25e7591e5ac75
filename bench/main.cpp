// Runs the benchmarks, then sets each figure beside its floor from the same
// run and checks it against its target. The figures are medians of
// repetitions interleaved at random, so that a busy moment of the machine
// falls on a figure and its floor alike.
#include "benchsupport.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// Keeps the median (or, without repetitions, the only) real time of every benchmark.
class Collector : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            if (run.error_occurred) {
                failed.insert(name);
                continue;
            }
            const double ms = run.GetAdjustedRealTime() * toMilliseconds(run.time_unit);
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[name] = ms;
            else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
                medians.emplace(name, ms);
        }
    }

    std::map<std::string, double> medians;
    std::set<std::string> failed;

private:
    static double toMilliseconds(benchmark::TimeUnit unit)
    {
        switch (unit) {
        case benchmark::kNanosecond: return 1e-6;
        case benchmark::kMicrosecond: return 1e-3;
        case benchmark::kMillisecond: return 1;
        case benchmark::kSecond: return 1e3;
        }
        return 1;
    }
};

struct Target {
    const char* figure;
    const char* floor;
    double maxRatio;  // 0: none
    double maxMs;     // 0: none
};

// One frame at 60 Hz: a refresh or a command slower than that is felt.
constexpr double kFrame = 16;

const Target kTargets[] = {
    {"Refresh/shuffled", "Refresh/floor_tree_fill", 1.5, kFrame},
    {"Refresh/ascending", "Refresh/floor_tree_fill", 1.5, kFrame},
    {"Refresh/equal_offsets", "Refresh/floor_tree_fill", 1.5, kFrame},
    {"Refresh/ascending", "Refresh/shuffled", 1.2, 0},
    {"LayerFile/write", "LayerFile/floor_plain_write", 3, 0},
    {"LayerFile/step", "LayerFile/floor_plain_write", 3, 0},
    {"Template/names", "Template/floor_store_read", 0, kFrame},
    {"Template/read", "Template/floor_store_read", 0, kFrame},
    {"Template/add", "Template/floor_store_read", 0, kFrame},
    {"Template/overwrite", "Template/floor_store_read", 0, kFrame},
    {"Template/remove", "Template/floor_store_read", 0, kFrame},
    {"Startup/program", "Startup/floor_bare_window", 1.5, 0},
    // No target: shows how much of the start any window with text pays.
    {"Startup/program", "Startup/bare_window_with_text", 0, 0},
};

// Prints the table of figures; true when every target measured was met.
bool summarise(const Collector& results)
{
    const auto& medians = results.medians;
    bool allMet = true;
    std::printf("\n%-22s %10s  %-27s %10s %7s  %-18s %s\n", "figure", "median ms", "floor", "median ms", "ratio",
                "target", "");
    for (const Target& t : kTargets) {
        if (results.failed.count(t.figure) || results.failed.count(t.floor)) {
            std::printf("%-22s %10s  %-27s\n", t.figure, "ERROR", t.floor);
            allMet = false;
            continue;
        }
        const auto figure = medians.find(t.figure);
        const auto floor = medians.find(t.floor);
        if (figure == medians.end() || floor == medians.end())
            continue;
        const double ratio = figure->second / floor->second;
        const bool met = (t.maxRatio == 0 || ratio <= t.maxRatio) && (t.maxMs == 0 || figure->second < t.maxMs);
        allMet = allMet && met;
        std::string target;
        if (t.maxRatio != 0)
            target += "<= " + std::to_string(t.maxRatio).substr(0, 3) + " x";
        if (t.maxMs != 0)
            target += std::string(target.empty() ? "" : ", ") + "< " + std::to_string(static_cast<int>(t.maxMs)) + " ms";
        std::printf("%-22s %10.3f  %-27s %10.3f %7.2f  %-18s %s\n", t.figure, figure->second, t.floor, floor->second,
                    ratio, target.c_str(), met ? "met" : "MISSED");
    }
    return allMet;
}

// The offscreen platform warns at every window with a fixed size.
QtMessageHandler qtDefault = nullptr;
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (!text.contains(QLatin1String("propagateSizeHints")))
        qtDefault(type, context, text);
}

bool hasFlag(int argc, char** argv, const std::string& flag)
{
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).rfind(flag, 0) == 0)
            return true;
    return false;
}

}  // namespace

int main(int argc, char* argv[])
{
    namespace fs = std::filesystem;
    std::string folder = (fs::temp_directory_path() / "kobalin-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        std::perror("kobalin_bench: cannot make a scratch folder");
        return 2;
    }
    bench::setScratch(folder);
    // Never the user's settings, never a real display; the programs started
    // for the start-up figure inherit both.
    ::setenv("XDG_CONFIG_HOME", (bench::scratch() / "config").c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const fs::path runtime = bench::scratch() / "runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);

    qtDefault = qInstallMessageHandler(quietOffscreen);
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(kobalin);
    bench::SilentPrompts silent;
    kobalin::Prompts::install(&silent);

    bench::registerRefreshBenchmarks();
    bench::registerLayerFileBenchmarks();
    bench::registerTemplateBenchmarks();
    bench::registerStartupBenchmarks();

    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=5";
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    if (!hasFlag(argc, argv, "--benchmark_repetitions")) {
        args.push_back(repetitions.data());
        if (!hasFlag(argc, argv, "--benchmark_enable_random_interleaving"))
            args.push_back(interleave.data());
        if (!hasFlag(argc, argv, "--benchmark_report_aggregates_only"))
            args.push_back(aggregates.data());
    }
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 2;

    Collector collector(::isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                                : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    kobalin::Prompts::install(nullptr);
    std::error_code ec;
    fs::remove_all(bench::scratch(), ec);

    return summarise(collector) ? 0 : 1;
}
