#pragma once

#include "wizard/rundata.h"

#include <string_view>

namespace kobalin {

struct LayerFileReading {
    // The file's comment lines ("<Empty>" where it has none), their count up to
    // the last one that is not "<Empty>", and its layers. Nothing else is set.
    RunData run;
    int errorLine = 0;     // the first line in error; 0 when the whole file was read
    bool nameCut = false;  // some name lost its "." or "," and what followed
};

// Reads a layer file as the program writes it, and as a person may have edited
// it; anything else refuses the whole file, and then only errorLine counts.
// Bytes are Windows-1252, or UTF-8 after a UTF-8 byte-order mark.
LayerFileReading readLayerFile(std::string_view bytes);

}  // namespace kobalin
