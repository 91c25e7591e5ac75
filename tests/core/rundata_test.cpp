#include "wizard/rundata.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using kobalin::RunData;

namespace {

RunData tableOf(const std::vector<float>& offsets)
{
    RunData run;
    for (float offset : offsets) {
        auto& r = run.layers[run.lagen];
        r.Name = u"L" + std::u16string(1, static_cast<char16_t>(u'0' + run.lagen));
        r.Offset = offset;
        r.PassCount_Target = run.lagen;
        ++run.lagen;
    }
    return run;
}

std::vector<std::u16string> names(const RunData& run)
{
    std::vector<std::u16string> out;
    for (int i = 0; i < run.lagen; ++i)
        out.push_back(run.layers[i].Name);
    return out;
}

}  // namespace

TEST(LayerTable, SortsLargestOffsetFirstKeepingEqualOnesInOrder)
{
    struct Case {
        std::vector<float> offsets;
        std::vector<std::u16string> expected;
    };
    const Case cases[] = {
        {{}, {}},
        {{0.1f}, {u"L0"}},
        {{0.10f, 0.30f, 0.20f}, {u"L1", u"L2", u"L0"}},
        {{0.2f, 0.2f, 0.5f, 0.2f}, {u"L2", u"L0", u"L1", u"L3"}},
        {{-0.1f, 0.0f, -0.3f}, {u"L1", u"L0", u"L2"}},
        {{1, 2, 3, 4, 5}, {u"L4", u"L3", u"L2", u"L1", u"L0"}},
    };
    for (const Case& c : cases) {
        RunData run = tableOf(c.offsets);
        kobalin::sortLayers(run);
        EXPECT_EQ(names(run), c.expected);
    }
}

TEST(LayerTable, SortMovesWholeRecordsAndLeavesTheRestAlone)
{
    RunData run = tableOf({0.1f, 0.3f});
    run.layers[1].Speed_Target = 3.5f;
    run.layers[1].Compaction_Target = 80;
    run.layers[2].Name = u"deleted";  // beyond lagen: not a layer
    run.layers[2].Offset = 9;
    kobalin::sortLayers(run);
    EXPECT_EQ(run.layers[0].Name, u"L1");
    EXPECT_EQ(run.layers[0].PassCount_Target, 1);
    EXPECT_EQ(run.layers[0].Speed_Target, 3.5f);
    EXPECT_EQ(run.layers[0].Compaction_Target, 80);
    EXPECT_EQ(run.layers[2].Name, u"deleted");
}

TEST(LayerTable, CountsNeighboursWithTheSameOffset)
{
    EXPECT_EQ(kobalin::countEqualOffsets(tableOf({})), 0);
    EXPECT_EQ(kobalin::countEqualOffsets(tableOf({0.3f})), 0);
    EXPECT_EQ(kobalin::countEqualOffsets(tableOf({0.3f, 0.2f, 0.1f})), 0);
    EXPECT_EQ(kobalin::countEqualOffsets(tableOf({0.3f, 0.3f, 0.1f})), 1);
    EXPECT_EQ(kobalin::countEqualOffsets(tableOf({0.3f, 0.3f, 0.3f})), 2);
    // Offsets that differ only beyond single precision are the same offset.
    EXPECT_EQ(kobalin::countEqualOffsets(tableOf({static_cast<float>(0.1), static_cast<float>(0.1000000001)})), 1);
}

TEST(LayerTable, SortsAFullTable)
{
    std::vector<float> ascending;
    for (int i = 0; i < kobalin::kMaxLayers; ++i)
        ascending.push_back(static_cast<float>(i % 50));
    RunData run = tableOf(ascending);
    kobalin::sortLayers(run);
    for (int i = 1; i < run.lagen; ++i) {
        ASSERT_GE(run.layers[i - 1].Offset, run.layers[i].Offset);
        if (run.layers[i - 1].Offset == run.layers[i].Offset) {
            ASSERT_LT(run.layers[i - 1].PassCount_Target, run.layers[i].PassCount_Target);
        }
    }
}
