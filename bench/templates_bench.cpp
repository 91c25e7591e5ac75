// The template commands of the layer editor on a full store (100 entries),
// against one plain read of the store file.
#include "benchsupport.h"

#include "app/settings.h"
#include "app/settingsfile.h"
#include "layeredit/templatestore.h"

#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bench {

using namespace kobalin;

namespace {

void checkFull(benchmark::State& state)
{
    if (templateCount() != kMaxTemplates)
        state.SkipWithError("the store did not stay full");
}

void names(benchmark::State& state)
{
    fillTemplateStore();
    for (auto _ : state)
        benchmark::DoNotOptimize(templateNames());
    checkFull(state);
}

void read(benchmark::State& state)
{
    fillTemplateStore();
    for (auto _ : state)
        benchmark::DoNotOptimize(readTemplate(kMaxTemplates / 2));
    checkFull(state);
}

// Measured at 99 entries, filling the store; the last entry is taken off untimed.
void add(benchmark::State& state)
{
    fillTemplateStore();
    for (auto _ : state) {
        state.PauseTiming();
        removeTemplate(kMaxTemplates - 1);
        state.ResumeTiming();
        if (!addTemplate(templateEntry(kMaxTemplates - 1)))
            state.SkipWithError("the store was full");
    }
    checkFull(state);
}

void overwrite(benchmark::State& state)
{
    fillTemplateStore();
    int i = 0;
    for (auto _ : state)
        overwriteTemplate(0, templateEntry(i++));
    checkFull(state);
}

// The first entry: every other one moves up. Put back untimed.
void remove(benchmark::State& state)
{
    fillTemplateStore();
    for (auto _ : state) {
        removeTemplate(0);
        state.PauseTiming();
        addTemplate(templateEntry(0));
        state.ResumeTiming();
    }
    checkFull(state);
}

// The floor: the store file read once, whole.
void storeRead(benchmark::State& state)
{
    fillTemplateStore();
    const std::string path = settingsFilePath().string();
    std::string bytes;
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        if (fd < 0 || ::fstat(fd, &info) != 0) {
            state.SkipWithError("cannot read the store");
            break;
        }
        bytes.resize(static_cast<std::size_t>(info.st_size));
        benchmark::DoNotOptimize(::read(fd, bytes.data(), bytes.size()));
        ::close(fd);
    }
}

}  // namespace

void registerTemplateBenchmarks()
{
    timed(benchmark::RegisterBenchmark("Template/names", names));
    timed(benchmark::RegisterBenchmark("Template/read", read));
    timed(benchmark::RegisterBenchmark("Template/add", add));
    timed(benchmark::RegisterBenchmark("Template/overwrite", overwrite));
    timed(benchmark::RegisterBenchmark("Template/remove", remove));
    timed(benchmark::RegisterBenchmark("Template/floor_store_read", storeRead));
}

}  // namespace bench
