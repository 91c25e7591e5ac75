#pragma once

#include "layeredit/templatestore.h"
#include "wizard/rundata.h"

#include <span>
#include <string>
#include <vector>

namespace kobalin {

// The template list shared as a layer file in the program's own format: no
// comment lines, one row per template in the list's order, offsets and speeds
// to the two decimals the editor shows.
struct TemplateFile {
    std::string bytes;
    int unfit = -1;  // the first template a layer file cannot hold (no bytes then); -1 for none
};
TemplateFile templateFileContent(const std::vector<StoredTemplate>& templates);

// What importing layers into the list listed does, nothing written yet. A
// layer whose name the list holds is left out; with overwrite, the k-th layer
// of such a name replaces the list's k-th entry of that name, and a layer of
// it beyond the list's entries is added.
TemplateImport planImport(std::vector<std::u16string> listed, std::span<const TLayerRecord> layers, bool overwrite);

}  // namespace kobalin
