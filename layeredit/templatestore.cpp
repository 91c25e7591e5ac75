#include "layeredit/templatestore.h"

#include "app/settings.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace kobalin {

namespace {

// The value name of field (0 name, 1 offset, ..., 6 CMV) of entry index.
std::u16string valueName(int index, int field)
{
    const std::string digits = std::to_string(index + 100 * field);
    return std::u16string(digits.begin(), digits.end());
}

enum Field { Name, Offset, PassCountTarget, PassCountMaxExtra, SpeedTarget, SpeedMaxDiff, CompactionTarget };

int countOf(const SettingsKey& key) { return std::clamp(key.readInteger(u"aantal").value_or(0), 0, kMaxTemplates); }

void writeEntry(SettingsKey& key, int index, const LayerTemplate& entry)
{
    key.writeString(valueName(index, Name), entry.name);
    key.writeFloat(valueName(index, Offset), entry.offset);
    key.writeInteger(valueName(index, PassCountTarget), entry.passCountTarget);
    key.writeInteger(valueName(index, PassCountMaxExtra), entry.passCountMaxExtra);
    key.writeFloat(valueName(index, SpeedTarget), entry.speedTarget);
    key.writeInteger(valueName(index, SpeedMaxDiff), entry.speedMaxDiff);
    key.writeInteger(valueName(index, CompactionTarget), entry.compactionTarget);
}

TemplateValues valuesOf(const SettingsKey& key, int index)
{
    TemplateValues values;
    if (!(values.offset = key.readFloat(valueName(index, Offset))))
        return values;
    if (!(values.passCountTarget = key.readInteger(valueName(index, PassCountTarget))))
        return values;
    if (!(values.passCountMaxExtra = key.readInteger(valueName(index, PassCountMaxExtra))))
        return values;
    if (!(values.speedTarget = key.readFloat(valueName(index, SpeedTarget))))
        return values;
    if (!(values.speedMaxDiff = key.readInteger(valueName(index, SpeedMaxDiff))))
        return values;
    values.compactionTarget = key.readInteger(valueName(index, CompactionTarget));
    return values;
}

std::vector<std::u16string> namesOf(const SettingsKey& key)
{
    std::vector<std::u16string> names;
    const int n = countOf(key);
    for (int i = 0; i < n; ++i)
        names.push_back(key.readString(valueName(i, Name)).value_or(std::u16string()));
    return names;
}

}  // namespace

LayerTemplate templateOf(const TLayerRecord& layer)
{
    return {layer.Name,         layer.Offset,        layer.PassCount_Target, layer.PassCount_MaxExtra,
            layer.Speed_Target, layer.Speed_MaxDiff, layer.Compaction_Target};
}

int templateCount() { return countOf(*openSettingsKey(kTemplateKey)); }

std::vector<std::u16string> templateNames() { return namesOf(*openSettingsKey(kTemplateKey)); }

TemplateValues readTemplate(int index)
{
    if (index < 0 || index >= kMaxTemplates)
        return {};
    return valuesOf(*openSettingsKey(kTemplateKey), index);
}

std::optional<float> narrowed(std::optional<double> value)
{
    if (!value || !std::isfinite(*value) || std::fabs(*value) > FLT_MAX)
        return std::nullopt;
    return static_cast<float>(*value);
}

std::vector<StoredTemplate> readTemplates()
{
    auto key = openSettingsKey(kTemplateKey);
    std::vector<StoredTemplate> all;
    int i = 0;
    for (std::u16string& name : namesOf(*key)) {
        all.push_back({std::move(name), valuesOf(*key, i)});
        ++i;
    }
    return all;
}

bool addTemplate(const LayerTemplate& entry)
{
    auto key = openSettingsKey(kTemplateKey);
    const int n = countOf(*key);
    if (n >= kMaxTemplates)
        return false;
    writeEntry(*key, n, entry);
    key->writeInteger(u"aantal", n + 1);
    key->close();
    return true;
}

void overwriteTemplate(int index, const LayerTemplate& entry)
{
    if (index < 0 || index >= kMaxTemplates)
        return;
    auto key = openSettingsKey(kTemplateKey);
    writeEntry(*key, index, entry);
    key->close();
}

bool removeTemplate(int index)
{
    auto key = openSettingsKey(kTemplateKey);
    const int n = std::clamp(requireInteger(*key, u"aantal"), 0, kMaxTemplates);
    if (index < 0 || index >= n)
        return false;
    // Everything to move is read before anything is written, so that an
    // unreadable value leaves the list as it was.
    std::vector<LayerTemplate> moved;
    for (int j = index + 1; j < n; ++j) {
        moved.push_back({requireString(*key, valueName(j, Name)), requireFloat(*key, valueName(j, Offset)),
                         requireInteger(*key, valueName(j, PassCountTarget)),
                         requireInteger(*key, valueName(j, PassCountMaxExtra)),
                         requireFloat(*key, valueName(j, SpeedTarget)), requireInteger(*key, valueName(j, SpeedMaxDiff)),
                         requireInteger(*key, valueName(j, CompactionTarget))});
    }
    for (std::size_t k = 0; k < moved.size(); ++k)
        writeEntry(*key, index + static_cast<int>(k), moved[k]);
    key->writeInteger(u"aantal", n - 1);
    key->close();
    return true;
}

bool importTemplates(const TemplateImport& plan)
{
    auto key = openSettingsKey(kTemplateKey);
    const int n = static_cast<int>(plan.listed.size());
    if (namesOf(*key) != plan.listed || plan.added.size() > static_cast<std::size_t>(kMaxTemplates - n))
        return false;
    // The new entries lie beyond the count until it is raised by one write, so
    // that they all show at once; the overwrites come last.
    int next = n;
    for (const LayerTemplate& entry : plan.added)
        writeEntry(*key, next++, entry);
    if (next != n)
        key->writeInteger(u"aantal", next);
    for (const auto& [index, entry] : plan.replaced)
        if (index >= 0 && index < n)
            writeEntry(*key, index, entry);
    key->close();
    return true;
}

}  // namespace kobalin
