#pragma once

#include "wizard/paths.h"
#include "wizard/rundata.h"

#include <string>
#include <string_view>

namespace kobalin {

// The layer file's bytes: 8-bit text (a character beyond U+00FF becomes "?"),
// seven ";"-separated fields per line, CR LF after every line, no byte-order mark.
std::string layerFileContent(const RunData& run);

// Where the layer file goes: linked to the model, the stored "meetfile";
// otherwise "_layer.csv" in the model's folder "initdir".
std::u16string layerFilePath(bool linked, std::u16string_view meetfile, std::u16string_view initdir,
                             PathStyle style = kNativePaths);

struct LayerFileResult {
    bool written = false;
    std::u16string path;
};

// The last step's work: reads the names from the settings, stores the link
// choice as "koppel" (throws SettingsError when it cannot), then replaces the
// layer file atomically. A file that cannot be written leaves the old one intact.
LayerFileResult writeLayerFile(const RunData& run, bool linked);

}  // namespace kobalin
