// Writing the layer file of a full table, against writing the same bytes
// with one call and the same flushes and rename.
#include "benchsupport.h"

#include "app/atomicfile.h"
#include "app/settings.h"
#include "wizard/layerfile.h"

#include <stdexcept>
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

void check(bool ok, const char* what)
{
    if (!ok)
        throw std::runtime_error(what);
}

// The floor: the finished bytes in one write, then what any durable
// replacement needs: flush the file, rename it over the old one, flush the folder.
class PlainWrite {
public:
    explicit PlainWrite(const RunData& run)
        : bytes_(layerFileContent(run)),
          folder_(layerFolder()),
          path_(folder_ / "plain.csv"),
          temp_(folder_ / "plain.csv.tmp")
    {
    }

    void operator()() const
    {
        const int fd = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        check(fd >= 0, "open");
        check(::write(fd, bytes_.data(), bytes_.size()) == static_cast<ssize_t>(bytes_.size()), "write");
        check(::fsync(fd) == 0, "fsync");
        check(::close(fd) == 0, "close");
        check(::rename(temp_.c_str(), path_.c_str()) == 0, "rename");
        const int dir = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        check(dir >= 0 && ::fsync(dir) == 0 && ::close(dir) == 0, "flush the folder");
    }

private:
    std::string bytes_;
    fs::path folder_, path_, temp_;
};

// format, convert, write, flush, rename
void write(benchmark::State& state)
{
    const RunData run = fullTable(Order::Shuffled);
    const fs::path path = layerFolder() / "road.xml_layer.csv";
    const PlainWrite plain(run);
    Pair pair(state);
    for (auto _ : state) {
        pair.figure([&] { replaceFileAtomically(path, layerFileContent(run)); });
        pair.floor("floor_ms", plain);
        pair.lap();
    }
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
    const PlainWrite plain(run);
    Pair pair(state);
    for (auto _ : state) {
        bool written = false;
        pair.figure([&] { written = writeLayerFile(run, true).written; });
        pair.floor("floor_ms", plain);
        pair.lap();
        if (!written) {
            state.SkipWithError("the layer file was not written");
            break;
        }
    }
}

}  // namespace

void registerLayerFileBenchmarks()
{
    timed(benchmark::RegisterBenchmark("LayerFile/write", write));
    timed(benchmark::RegisterBenchmark("LayerFile/step", step));
}

}  // namespace bench
