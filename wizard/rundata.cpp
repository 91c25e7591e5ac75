#include "wizard/rundata.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace kobalin {

std::u16string& RunData::comment(int line)
{
    switch (line) {
    case 1: return commentaar1;
    case 2: return commentaar2;
    case 3: return commentaar3;
    }
    throw std::out_of_range("comment line out of range");
}

void sortLayers(RunData& run)
{
    std::stable_sort(run.layers.begin(), run.layers.begin() + run.lagen,
                     [](const TLayerRecord& a, const TLayerRecord& b) { return a.Offset > b.Offset; });
}

int countEqualOffsets(const RunData& run)
{
    int count = 0;
    for (std::int32_t i = 1; i < run.lagen; ++i)
        if (run.layers[i].Offset == run.layers[i - 1].Offset)
            ++count;
    return count;
}

std::vector<std::optional<double>> liftThicknesses(std::span<const float> offsets)
{
    std::vector<std::size_t> order(offsets.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return offsets[a] > offsets[b]; });
    std::vector<std::optional<double>> thickness(offsets.size());
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        thickness[order[i]] = double{offsets[order[i]]} - double{offsets[order[i + 1]]};
    return thickness;
}

bool holdsEntries(const RunData& run)
{
    return run.lagen > 0 || run.commentaar1 != kEmptyComment || run.commentaar2 != kEmptyComment ||
           run.commentaar3 != kEmptyComment;
}

namespace {

constexpr int kCommentNodes = 3;
constexpr int kNodesPerLayer = 7;  // the layer's own and its six values

}  // namespace

NodeSource nodeSource(int node)
{
    if (node < 0)
        return {};
    if (node < kCommentNodes)
        return {node + 1};
    const int inLayer = (node - kCommentNodes) % kNodesPerLayer;
    return {0, (node - kCommentNodes) / kNodesPerLayer, inLayer - 1};
}

int nodeIndex(int top, int child)
{
    const int first = top < kCommentNodes ? top : kCommentNodes + kNodesPerLayer * (top - kCommentNodes);
    return child < 0 ? first : first + 1 + child;
}

void deleteNode(RunData& run, int node)
{
    const NodeSource source = nodeSource(node);
    if (source.comment > 0) {
        run.comment(source.comment) = kEmptyComment;
    } else if (source.layer >= 0 && source.layer < run.lagen) {
        std::move(run.layers.begin() + source.layer + 1, run.layers.begin() + run.lagen, run.layers.begin() + source.layer);
        --run.lagen;
    }
}

}  // namespace kobalin
