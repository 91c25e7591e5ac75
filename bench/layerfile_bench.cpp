// Writing the layer file of a full table, against writing the same bytes
// with one call and the same flush and rename.
#include "benchsupport.h"

#include "app/atomicfile.h"
#include "app/settings.h"
#include "wizard/layerfile.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace bench {

using namespace kobalin;
namespace fs = std::filesystem;

namespace {

fs::path layerFolder()
{
    const fs::path folder = scratch() / "site";
    fs::create_directories(folder);
    return folder;
}

// format, convert, write, flush, rename
void write(benchmark::State& state)
{
    const RunData run = fullTable(Order::Shuffled);
    const fs::path path = layerFolder() / "road.xml_layer.csv";
    for (auto _ : state)
        replaceFileAtomically(path, layerFileContent(run));
}

// The whole of the last step: the names from the settings, the link choice
// stored, the file written; the settings file is a user's with a full
// template list.
void step(benchmark::State& state)
{
    const RunData run = fullTable(Order::Shuffled);
    const fs::path folder = layerFolder();
    fillTemplateStore();
    {
        auto key = openSettingsKey(kSettingsKey);
        key->writeString(u"meetfile", (folder / "road.xml_layer.csv").u16string());
        key->writeString(u"initdir", folder.u16string());
        key->close();
    }
    for (auto _ : state) {
        if (!writeLayerFile(run, true).written) {
            state.SkipWithError("the layer file was not written");
            break;
        }
    }
}

void check(benchmark::State& state, bool ok, const char* what)
{
    if (!ok)
        state.SkipWithError((std::string(what) + ": " + std::strerror(errno)).c_str());
}

// The floor: the finished bytes in one write, then what any durable
// replacement needs: flush the file, rename it over the old one, flush the folder.
void plainWrite(benchmark::State& state)
{
    const std::string bytes = layerFileContent(fullTable(Order::Shuffled));
    const fs::path folder = layerFolder();
    const fs::path path = folder / "plain.csv";
    const fs::path temp = folder / "plain.csv.tmp";
    for (auto _ : state) {
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        check(state, fd >= 0, "open");
        check(state, ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()), "write");
        check(state, ::fsync(fd) == 0, "fsync");
        check(state, ::close(fd) == 0, "close");
        check(state, ::rename(temp.c_str(), path.c_str()) == 0, "rename");
        const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        check(state, dir >= 0 && ::fsync(dir) == 0 && ::close(dir) == 0, "flush the folder");
    }
}

}  // namespace

void registerLayerFileBenchmarks()
{
    timed(benchmark::RegisterBenchmark("LayerFile/write", write));
    timed(benchmark::RegisterBenchmark("LayerFile/step", step));
    timed(benchmark::RegisterBenchmark("LayerFile/floor_plain_write", plainWrite));
}

}  // namespace bench
