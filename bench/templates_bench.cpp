// The template commands of the layer editor on a full store (100 entries),
// each beside one plain read of the store file.
#include "benchsupport.h"

#include "app/settingsfile.h"
#include "layeredit/templatestore.h"

#include <stdexcept>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bench {

using namespace kobalin;

namespace {

// The floor: the store file read once, whole.
void readStore()
{
    static std::string bytes;
    const int fd = ::open(settingsFilePath().c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0)
        throw std::runtime_error("cannot read the store");
    bytes.resize(static_cast<std::size_t>(info.st_size));
    benchmark::DoNotOptimize(::read(fd, bytes.data(), bytes.size()));
    ::close(fd);
}

// Times command on a full store; before and after run untimed around it, to
// keep the store at kMaxTemplates entries.
template <class Command, class Before, class After>
void onFullStore(benchmark::State& state, Command command, Before before, After after)
{
    fillTemplateStore();
    Pair pair(state);
    for (auto _ : state) {
        before();
        pair.figure(command);
        after();
        pair.floor("floor_ms", readStore);
        pair.lap();
    }
    if (templateCount() != kMaxTemplates)
        state.SkipWithError("the store did not stay full");
}

void nothing() {}

// The editor's list reloaded: every name with its values.
void list(benchmark::State& state)
{
    onFullStore(
        state, [] { benchmark::DoNotOptimize(readTemplates()); }, nothing, nothing);
}

// A template chosen from the list.
void read(benchmark::State& state)
{
    onFullStore(
        state, [] { benchmark::DoNotOptimize(readTemplate(kMaxTemplates / 2)); }, nothing, nothing);
}

// Measured at 99 entries, filling the store; the last entry is taken off untimed.
void add(benchmark::State& state)
{
    onFullStore(
        state, [] { addTemplate(templateEntry(kMaxTemplates - 1)); }, [] { removeTemplate(kMaxTemplates - 1); }, nothing);
}

void overwrite(benchmark::State& state)
{
    int i = 0;
    onFullStore(
        state, [&] { overwriteTemplate(0, templateEntry(i++)); }, nothing, nothing);
}

// The first entry: every other one moves up. Put back untimed.
void remove(benchmark::State& state)
{
    onFullStore(
        state, [] { removeTemplate(0); }, nothing, [] { addTemplate(templateEntry(0)); });
}

}  // namespace

void registerTemplateBenchmarks()
{
    timed(benchmark::RegisterBenchmark("Template/list", list));
    timed(benchmark::RegisterBenchmark("Template/read", read));
    timed(benchmark::RegisterBenchmark("Template/add", add));
    timed(benchmark::RegisterBenchmark("Template/overwrite", overwrite));
    timed(benchmark::RegisterBenchmark("Template/remove", remove));
}

}  // namespace bench
