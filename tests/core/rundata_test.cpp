#include "wizard/rundata.h"

#include <gtest/gtest.h>

#include <optional>
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

TEST(LayerTable, EachLiftIsItsOffsetAboveTheNextLowerLayer)
{
    using Lifts = std::vector<std::optional<double>>;
    struct Case {
        std::vector<float> offsets;
        Lifts expected;
    };
    const Case cases[] = {
        {{}, {}},
        {{0.3f}, {std::nullopt}},
        {{0.3f, 0.2f, -0.4f}, {0.1, 0.6, std::nullopt}},
        // Unsorted: the next lower offset, wherever it stands.
        {{-0.4f, 0.3f, 0.2f}, {std::nullopt, 0.1, 0.6}},
        // Equal offsets: a lift of nothing, and one of them is the lowest.
        {{0.1f, 0.1f}, {0.0, std::nullopt}},
    };
    for (const Case& c : cases) {
        const Lifts got = kobalin::liftThicknesses(c.offsets);
        ASSERT_EQ(got.size(), c.expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            ASSERT_EQ(got[i].has_value(), c.expected[i].has_value()) << i;
            if (got[i]) {
                EXPECT_NEAR(*got[i], *c.expected[i], 1e-6) << i;
            }
        }
    }
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

TEST(LayerTable, HoldsEntriesWhenALayerOrAnyCommentLineWasEntered)
{
    struct Case {
        const char* what;
        void (*enter)(RunData&);
        bool holds;
    };
    const Case cases[] = {
        {"nothing", [](RunData&) {}, false},
        {"a layer", [](RunData& r) { r.lagen = 1; }, true},
        {"comment line 1", [](RunData& r) { r.commentaar1 = u"x"; }, true},
        {"comment line 2", [](RunData& r) { r.commentaar2 = u"x"; }, true},
        {"comment line 3", [](RunData& r) { r.commentaar3 = u"x"; }, true},
        {"an emptied comment line", [](RunData& r) { r.commentaar1 = u""; }, true},
        {"the plus button pressed on <Empty>", [](RunData& r) { r.commentaar = 1; }, false},
        {"a deleted layer beyond the count", [](RunData& r) { r.layers[0].Name = u"gone"; }, false},
    };
    for (const Case& c : cases) {
        RunData run;
        run.commentaar1 = run.commentaar2 = run.commentaar3 = kobalin::kEmptyComment;
        c.enter(run);
        EXPECT_EQ(kobalin::holdsEntries(run), c.holds) << c.what;
    }
}

TEST(LayerTree, EachNodeStandsForACommentLineOrALayerAndOneOfItsValues)
{
    struct Case {
        int node;
        int comment, layer, value;
        int top, child;  // where the tree holds it
    };
    const Case cases[] = {
        {-1, 0, -1, -1, -1, -1},  // nothing selected
        {0, 1, -1, -1, 0, -1},   {1, 2, -1, -1, 1, -1},      {2, 3, -1, -1, 2, -1}, {3, 0, 0, -1, 3, -1},
        {4, 0, 0, 0, 3, 0},      {9, 0, 0, 5, 3, 5},         {10, 0, 1, -1, 4, -1}, {16, 0, 1, 5, 4, 5},
        {17, 0, 2, -1, 5, -1},   {6995, 0, 998, 5, 1001, 5},  // the last of a full table's 6996 nodes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        const kobalin::NodeSource source = kobalin::nodeSource(c.node);
        EXPECT_EQ(source.comment, c.comment);
        EXPECT_EQ(source.layer, c.layer);
        EXPECT_EQ(source.value, c.value);
        if (c.top >= 0) {
            EXPECT_EQ(kobalin::nodeIndex(c.top, c.child), c.node);
        }
    }
}

TEST(LayerTree, DeletingANodeResetsItsCommentLineOrRemovesItsLayer)
{
    struct Case {
        int node;
        std::vector<std::u16string> left;
        std::u16string comment1, comment2;
    };
    const Case cases[] = {
        {0, {u"L0", u"L1", u"L2"}, u"<Empty>", u"two"},
        {1, {u"L0", u"L1", u"L2"}, u"one", u"<Empty>"},
        {3, {u"L1", u"L2"}, u"one", u"two"},          // the layer's own node
        {9, {u"L1", u"L2"}, u"one", u"two"},          // its last value
        {10, {u"L0", u"L2"}, u"one", u"two"},         // the next layer's first node
        {17, {u"L0", u"L1"}, u"one", u"two"},         // the last layer: nothing moves up
        {24, {u"L0", u"L1", u"L2"}, u"one", u"two"},  // beyond the table
        {-1, {u"L0", u"L1", u"L2"}, u"one", u"two"},  // nothing selected
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        RunData run = tableOf({0.3f, 0.2f, 0.1f});
        run.layers[1].Speed_Target = 3.5f;
        run.commentaar1 = u"one";
        run.commentaar2 = u"two";
        run.commentaar3 = u"three";
        run.commentaar = 3;
        kobalin::deleteNode(run, c.node);
        EXPECT_EQ(names(run), c.left);
        EXPECT_EQ(run.commentaar1, c.comment1);
        EXPECT_EQ(run.commentaar2, c.comment2);
        EXPECT_EQ(run.commentaar3, u"three");
        EXPECT_EQ(run.commentaar, 3) << "the plus button keeps its state";
        for (int k = 0; k < run.lagen; ++k)  // whole records move
            EXPECT_EQ(run.layers[k].Speed_Target, run.layers[k].Name == u"L1" ? 3.5f : 0.0f);
    }
}
