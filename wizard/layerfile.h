#pragma once

#include "wizard/paths.h"
#include "wizard/rundata.h"

#include <string>
#include <string_view>

namespace kobalin {

// The first line and the line of column names, exactly as written.
inline constexpr std::string_view kLayerFileHeader = "# Leica layer file format version 1.0;;;;;;";
inline constexpr std::string_view kLayerFileColumns =
    "Name;Offset;PassCount_Target;PassCount_MaxExtra;Speed_Target;Speed_MaxDiff;Compaction_Target";

enum class LayerFileForm {
    // What the machine reads: Windows-1252 text (a character it lacks becomes
    // "?"), offsets and speeds with two decimals, no byte-order mark.
    Machine,
    // For keeping a run as it stands: UTF-8 after its byte-order mark, every
    // digit a value needs to read back the same, which the reader takes too.
    Exact,
};

// The layer file's bytes: seven ";"-separated fields per line, CR LF after every line.
std::string layerFileContent(const RunData& run, LayerFileForm form = LayerFileForm::Machine);

// The layer file's bytes as text for reading on screen: each byte its
// Windows-1252 character, CR LF one line end ("\n").
std::u16string layerFileText(std::string_view bytes);

// Where the layer file goes: linked to the model, the stored "meetfile";
// otherwise "_layer.csv" in the model's folder "initdir".
std::u16string layerFilePath(bool linked, std::u16string_view meetfile, std::u16string_view initdir,
                             PathStyle style = kNativePaths);

// Where the dialog that opens a layer file starts: the model's folder, with
// the file the last step would write chosen where it is there already (both
// empty when not known).
struct LayerFileToOpen {
    std::u16string folder;
    std::u16string existing;
};
LayerFileToOpen layerFileToOpen(bool linked);

struct LayerFileResult {
    bool written = false;
    std::u16string path;
    std::string reason;  // the system's words for a failed write, UTF-8
    // The file replaced, of other content: where its copy was kept, or, when
    // no copy could be made, the folder it should have gone to (else both empty).
    std::u16string keptCopy;
    std::u16string copyFailedIn;
};

class OwnLayerFiles;

// The last step's work: reads the names from the settings, stores the link
// choice as "koppel" (throws SettingsError when it cannot), then replaces the
// layer file atomically. A file that cannot be written leaves the old one intact.
// An existing file of other content that is none of own's (none, without own)
// is first copied into replacedFilesFolder(); own then holds what was written.
LayerFileResult writeLayerFile(const RunData& run, bool linked, OwnLayerFiles* own = nullptr);

}  // namespace kobalin
