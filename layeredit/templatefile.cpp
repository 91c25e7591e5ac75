#include "layeredit/templatefile.h"

#include "wizard/layerfile.h"
#include "wizard/layerfilereader.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

namespace kobalin {

namespace {

// Offsets and speeds go into the file as the editor shows them.
std::optional<TLayerRecord> layerOf(const StoredTemplate& t)
{
    const TemplateValues& v = t.values;
    const auto offset = narrowed(v.offset);
    const auto speed = narrowed(v.speedTarget);
    if (!offset || !speed || !v.passCountTarget || !v.passCountMaxExtra || !v.speedMaxDiff || !v.compactionTarget)
        return std::nullopt;
    return TLayerRecord{t.name, *offset,         *v.passCountTarget, *v.passCountMaxExtra,
                        *speed, *v.speedMaxDiff, *v.compactionTarget};
}

// The rows follow the header, three comment lines and the column names.
constexpr int kFirstRowLine = 6;

}  // namespace

TemplateFile templateFileContent(const std::vector<StoredTemplate>& templates)
{
    TemplateFile file;
    auto run = std::make_unique<RunData>();
    run->commentaar1 = run->commentaar2 = run->commentaar3 = kEmptyComment;
    for (const StoredTemplate& t : templates) {
        const auto layer = layerOf(t);
        if (!layer || run->lagen >= kMaxLayers) {
            file.unfit = run->lagen;
            return file;
        }
        run->layers[static_cast<std::size_t>(run->lagen++)] = *layer;
    }
    std::string bytes = layerFileContent(*run);
    // What the reader would refuse (a hand-edited count beyond 0 to 100, a name
    // too long) is not written: the file must read back.
    const LayerFileReading reading = readLayerFile(bytes);
    if (reading.errorLine > 0) {
        file.unfit = std::max(reading.errorLine - kFirstRowLine, 0);
        return file;
    }
    file.bytes = std::move(bytes);
    return file;
}

TemplateImport planImport(std::vector<std::u16string> listed, std::span<const TLayerRecord> layers, bool overwrite)
{
    TemplateImport plan;
    // Each name's entries in the list, in order, and how many of them the
    // file's layers have taken so far.
    std::map<std::u16string, std::vector<int>> entries;
    for (int i = 0; i < static_cast<int>(listed.size()); ++i)
        entries[listed[static_cast<std::size_t>(i)]].push_back(i);
    std::map<std::u16string, std::size_t> taken;
    for (const TLayerRecord& layer : layers) {
        const auto found = entries.find(layer.Name);
        if (found == entries.end()) {
            plan.added.push_back(templateOf(layer));
            continue;
        }
        std::size_t& k = taken[layer.Name];
        if (k == 0)
            plan.repeated.push_back(layer.Name);
        if (!overwrite) {
            ++k;
            continue;
        }
        if (k < found->second.size())
            plan.replaced.emplace_back(found->second[k], templateOf(layer));
        else
            plan.added.push_back(templateOf(layer));
        ++k;
    }
    plan.listed = std::move(listed);
    return plan;
}

}  // namespace kobalin
