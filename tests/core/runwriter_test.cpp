// The recovery file written on a thread of its own: the run as it last
// stood is what reaches the disk, in the order asked, and nothing is lost
// when the writer goes.
#include "freshsettings.h"

#include "wizard/runwriter.h"

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

using namespace kobalin;
namespace fs = std::filesystem;

using RunWriting = FreshSettings;

TEST_F(RunWriting, TheLastRequestDecidesWhatIsOnDisk)
{
    std::atomic<int> done{0};
    RunWriter writer(folder / "runs", [&](bool kept) { done += kept ? 1 : 100; });
    const auto onDisk = [&] { return fs::exists(writer.file()) ? slurp(writer.file()) : std::string("(none)"); };
    struct Case {
        const char* what;
        std::vector<std::string> requests;  // "-" forgets
        std::string expected;
    };
    const Case cases[] = {
        {"one keep", {"A"}, "A"},
        {"a newer keep", {"B", "C"}, "C"},
        {"a keep, then forgotten", {"D", "-"}, "(none)"},
        {"forgotten, then a keep", {"-", "E"}, "E"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::string& r : c.requests) {
            if (r == "-")
                writer.forget();
            else
                writer.keep(r);
        }
        EXPECT_TRUE(writer.settle());
        EXPECT_EQ(onDisk(), c.expected);
    }
    EXPECT_GE(done.load(), 4) << "told after each request carried out";
    EXPECT_LT(done.load(), 100) << "and none failed";
}

TEST_F(RunWriting, AFailureIsToldAndTheNextKeepTriesAgain)
{
    spit(folder / "runs", "a file where the folder would be");
    std::vector<bool> told;
    std::mutex mutex;
    RunWriter writer(folder / "runs", [&](bool kept) {
        const std::lock_guard lock(mutex);
        told.push_back(kept);
    });
    writer.keep("A");
    EXPECT_FALSE(writer.settle());
    fs::remove(folder / "runs");
    writer.keep("B");
    EXPECT_TRUE(writer.settle());
    EXPECT_EQ(slurp(writer.file()), "B");
    EXPECT_EQ(told, (std::vector<bool>{false, true}));
}

// Abort or the close box end the program right after a change: the writer
// going away still writes it.
TEST_F(RunWriting, TheRequestStillWaitingIsCarriedOutWhenTheWriterGoes)
{
    const std::string big(4 << 20, 'x');  // long enough that the first write is still under way
    fs::path file;
    {
        RunWriter writer(folder / "runs", nullptr);
        file = writer.file();
        writer.keep(big);
        writer.keep("the last change");
    }
    EXPECT_EQ(slurp(file), "the last change");
}
