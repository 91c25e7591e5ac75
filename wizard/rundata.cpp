#include "wizard/rundata.h"

#include <algorithm>
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

}  // namespace kobalin
