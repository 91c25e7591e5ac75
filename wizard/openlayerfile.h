#pragma once

#include "wizard/layerfilereader.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

class QWidget;

namespace kobalin {

// A layer file chosen to be opened: its bytes, read and checked.
struct OpenedLayerFile {
    std::string bytes;
    LayerFileReading reading;
};

// Reads the layer file at path (in the system's separators) as the wizard
// opens one. A file that cannot be read, or that is refused, is told over
// parent in the language of base taal, and gives nothing.
std::optional<OpenedLayerFile> openLayerFile(QWidget* parent, const QString& path, std::int32_t taal);

}  // namespace kobalin
