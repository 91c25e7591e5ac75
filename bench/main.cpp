// Runs the benchmarks, then sets each figure beside its floor and checks it
// against its target. Figure and floor are timed in turn within every
// iteration (Pair), and the figures are medians of repetitions interleaved
// at random: a busy moment of the machine falls on a figure and its floor alike.
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

struct Result {
    double ms = 0;                         // the figure
    std::map<std::string, double> floors;  // counter name -> ms
};

// Keeps the median (or, without repetitions, the only) result of every benchmark.
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
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool only = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (!median && !only)
                continue;
            Result& r = results[name];
            r.ms = run.GetAdjustedRealTime() * toMilliseconds(run.time_unit);
            for (const auto& [counter, value] : run.counters)
                r.floors[counter] = value.value;
        }
    }

    std::map<std::string, Result> results;
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

// One frame at 60 Hz: a refresh or a command slower than that is felt.
constexpr double kFrame = 16;

struct Target {
    const char* figure;
    const char* floor;  // the counter of the figure's benchmark
    const char* floorIs;
    double maxRatio;  // 0: none
    double maxMs;     // 0: none
};

const Target kTargets[] = {
    {"Refresh/shuffled", "floor_ms", "tree filled in one go", 1.5, kFrame},
    {"Refresh/ascending", "floor_ms", "tree filled in one go", 1.5, kFrame},
    {"Refresh/equal_offsets", "floor_ms", "tree filled in one go", 1.5, kFrame},
    {"Refresh/kept", "floor_ms", "tree filled in one go", 1.5, kFrame},
    {"LayerFile/write", "floor_ms", "plain write+fsync+rename", 3, 0},
    {"LayerFile/step", "floor_ms", "plain write+fsync+rename", 3, 0},
    {"Template/names", "floor_ms", "plain read of the store", 0, kFrame},
    {"Template/read", "floor_ms", "plain read of the store", 0, kFrame},
    {"Template/add", "floor_ms", "plain read of the store", 0, kFrame},
    {"Template/overwrite", "floor_ms", "plain read of the store", 0, kFrame},
    {"Template/remove", "floor_ms", "plain read of the store", 0, kFrame},
    // The start against a bare window showing the first step's words in
    // their fonts: what the designed content costs Qt alone.
    {"Startup/program", "step1_ms", "bare window, step-1 words", 1.5, 0},
    // No target: the start against an empty window and against one line of text.
    {"Startup/program", "floor_ms", "bare empty window", 0, 0},
    {"Startup/program", "text_ms", "bare window with text", 0, 0},
};

// A figure against another, each first divided by its own floor.
struct Relative {
    const char* figure;
    const char* other;
    double maxRatio;
};

const Relative kRelatives[] = {
    {"Refresh/ascending", "Refresh/shuffled", 1.2},  // the sort's worst case against the usual one
};

std::string targetText(double maxRatio, double maxMs)
{
    std::string text;
    if (maxRatio != 0)
        text += "<= " + std::to_string(maxRatio).substr(0, 3) + " x";
    if (maxMs != 0)
        text += std::string(text.empty() ? "" : ", ") + "< " + std::to_string(static_cast<int>(maxMs)) + " ms";
    return text;
}

// Prints the table of figures; true when every target measured was met.
bool summarise(const Collector& c)
{
    bool allMet = true;
    auto failed = [&](const char* name) { return c.failed.count(name) != 0; };
    std::printf("\n%-22s %9s  %-26s %9s %7s  %-17s\n", "figure", "median ms", "floor", "median ms", "ratio", "target");
    for (const Target& t : kTargets) {
        if (failed(t.figure)) {
            std::printf("%-22s %9s\n", t.figure, "ERROR");
            allMet = false;
            continue;
        }
        const auto r = c.results.find(t.figure);
        if (r == c.results.end() || !r->second.floors.count(t.floor))
            continue;
        const double figure = r->second.ms;
        const double floor = r->second.floors.at(t.floor);
        const double ratio = figure / floor;
        const bool met = (t.maxRatio == 0 || ratio <= t.maxRatio) && (t.maxMs == 0 || figure < t.maxMs);
        allMet = allMet && met;
        const std::string target = targetText(t.maxRatio, t.maxMs);
        std::printf("%-22s %9.3f  %-26s %9.3f %7.2f  %-17s %s\n", t.figure, figure, t.floorIs, floor, ratio, target.c_str(),
                    target.empty() ? ""
                    : met          ? "met"
                                   : "MISSED");
    }
    for (const Relative& t : kRelatives) {
        const auto a = c.results.find(t.figure);
        const auto b = c.results.find(t.other);
        if (failed(t.figure) || failed(t.other) || a == c.results.end() || b == c.results.end())
            continue;
        const double ratio = (a->second.ms / a->second.floors.at("floor_ms")) /
                             (b->second.ms / b->second.floors.at("floor_ms"));
        const bool met = ratio <= t.maxRatio;
        allMet = allMet && met;
        std::printf("%-22s %9s  %-26s %9s %7.2f  %-17s %s\n", t.figure, "", t.other, "(each / floor)", ratio,
                    targetText(t.maxRatio, 0).c_str(), met ? "met" : "MISSED");
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
    struct RemoveScratch {
        ~RemoveScratch()
        {
            std::error_code ec;
            fs::remove_all(bench::scratch(), ec);
        }
    } removeScratch;
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
    return summarise(collector) ? 0 : 1;
}
