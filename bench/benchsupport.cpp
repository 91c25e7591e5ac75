#include "benchsupport.h"

#include "app/settings.h"
#include "i18n/catalogue.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace bench {

using namespace kobalin;

namespace {
std::filesystem::path scratchFolder;
}

const std::filesystem::path& scratch() { return scratchFolder; }
void setScratch(std::filesystem::path folder) { scratchFolder = std::move(folder); }

void seedSettings()
{
    auto key = openSettingsKey(kSettingsKey);
    key->writeInteger(u"taal", kEnglish);
    key->writeInteger(u"koppel", 1);
    key->close();
}

LayerTemplate templateEntry(int i)
{
    const std::string name = "Template " + std::to_string(i);
    return {
        std::u16string(name.begin(), name.end()), 0.05 * i, 2 + i % 7, i % 3, 2.5 + 0.25 * (i % 9), 1 + i % 2, 60 + i % 40};
}

void fillTemplateStore()
{
    if (templateCount() == kMaxTemplates)
        return;
    seedSettings();
    while (templateCount() > 0)
        removeTemplate(templateCount() - 1);
    for (int i = 0; i < kMaxTemplates; ++i)
        addTemplate(templateEntry(i));
}

RunData fullTable(Order order)
{
    RunData run;
    run.commentaar1 = u"Road 12, section 3";
    run.commentaar2 = u"Sand base";
    run.commentaar3 = std::u16string(kEmptyComment);
    run.commentaar = 2;
    run.lagen = kMaxLayers;

    std::vector<int> rank(kMaxLayers);
    std::iota(rank.begin(), rank.end(), 0);
    if (order != Order::Ascending)
        std::shuffle(rank.begin(), rank.end(), std::mt19937(12345));
    for (int k = 0; k < kMaxLayers; ++k) {
        TLayerRecord& r = run.layers[static_cast<std::size_t>(k)];
        const std::string name = "Layer " + std::to_string(k + 1);
        r.Name.assign(name.begin(), name.end());
        const int step = order == Order::EqualOffsets ? rank[static_cast<std::size_t>(k)] % 10
                                                      : rank[static_cast<std::size_t>(k)];
        r.Offset = 0.05f * static_cast<float>(step);
        r.PassCount_Target = 2 + k % 7;
        r.PassCount_MaxExtra = k % 3;
        r.Speed_Target = 2.5f + 0.25f * static_cast<float>(k % 9);
        r.Speed_MaxDiff = 1 + k % 2;
        r.Compaction_Target = 60 + k % 40;
    }
    return run;
}

}  // namespace bench
