#pragma once

#include "wizard/rundata.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kobalin {

// The layer templates kept between runs under the template key: "aantal"
// entries, entry i in the values "i" (name), "i+100" (offset, double),
// "i+200", "i+300" (pass counts), "i+400" (speed, double), "i+500", "i+600".
// Every operation opens the key, does its work and closes it.

inline constexpr int kMaxTemplates = 100;

struct LayerTemplate {
    std::u16string name;
    double offset = 0;
    std::int32_t passCountTarget = 0;
    std::int32_t passCountMaxExtra = 0;
    double speedTarget = 0;
    std::int32_t speedMaxDiff = 0;
    std::int32_t compactionTarget = 0;
};

// A layer of the table as a template: its single-precision values widened.
LayerTemplate templateOf(const TLayerRecord& layer);

// The values of one entry, read in order; reading stops at the first value
// that cannot be read, so it and all after it are empty.
struct TemplateValues {
    std::optional<double> offset;
    std::optional<std::int32_t> passCountTarget;
    std::optional<std::int32_t> passCountMaxExtra;
    std::optional<double> speedTarget;
    std::optional<std::int32_t> speedMaxDiff;
    std::optional<std::int32_t> compactionTarget;
};

// The number of templates; 0 when the store has none yet. A hand-edited count
// is kept within 0 to 100.
int templateCount();

// The names of entries 0 to count - 1.
std::vector<std::u16string> templateNames();

TemplateValues readTemplate(int index);

// A stored offset or speed as the editor shows it, in single precision;
// nothing for a value that has none there.
std::optional<float> narrowed(std::optional<double> value);

// Every entry, names and values, in one use of the key.
struct StoredTemplate {
    std::u16string name;
    TemplateValues values;
};
std::vector<StoredTemplate> readTemplates();

// Appends an entry; false, writing nothing, when the store is full.
bool addTemplate(const LayerTemplate& entry);

void overwriteTemplate(int index, const LayerTemplate& entry);

// Removes entry index, closing the gap; the old last entry's values stay
// beyond the count. Throws SettingsError, changing nothing, when a value to
// move cannot be read; does nothing for an index that is not an entry (false).
bool removeTemplate(int index);

// An import planned against the list as it was read: entries to overwrite in
// place and entries to append, in that file's order.
struct TemplateImport {
    std::vector<std::u16string> listed;    // the names the plan was made against
    std::vector<std::u16string> repeated;  // the file's names the list holds, each once
    std::vector<std::pair<int, LayerTemplate>> replaced;
    std::vector<LayerTemplate> added;
};

// Writes a planned import in one use of the key: the new entries beyond the
// count, then the count, then the overwritten entries. False, writing
// nothing, when the list is no longer the one planned against (another copy
// of the program changed it) or would pass kMaxTemplates.
bool importTemplates(const TemplateImport& plan);

}  // namespace kobalin
