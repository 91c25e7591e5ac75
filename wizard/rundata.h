#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kobalin {

// One compaction layer, as the machine reads it from the layer file.
struct TLayerRecord {
    std::u16string Name;
    float Offset = 0;  // metres
    std::int32_t PassCount_Target = 0;
    std::int32_t PassCount_MaxExtra = 0;
    float Speed_Target = 0;  // km/h
    std::int32_t Speed_MaxDiff = 0;
    std::int32_t Compaction_Target = 0;

    friend bool operator==(const TLayerRecord&, const TLayerRecord&) = default;
};

inline constexpr std::int32_t kMaxLayers = 999;
// The longest name or comment line, in UTF-16 code units as the editors count
// them: far more than a machine's display shows, far less than slows a window.
inline constexpr std::size_t kLongestText = 255;
inline constexpr std::u16string_view kEmptyComment = u"<Empty>";

// Everything of one run that goes into the layer file, plus the few settings
// the windows share. It is saved through the layer file, and kept until then (keptrun.h).
struct RunData {
    // Records lagen and above are not layers; they may hold deleted ones.
    std::array<TLayerRecord, kMaxLayers + 1> layers{};
    std::int32_t lagen = 0;

    std::u16string commentaar1, commentaar2, commentaar3;
    std::int32_t commentaar = 0;  // comment lines added through the plus button

    std::u16string model;     // the chosen reference file, empty until one is chosen
    std::u16string kalenaam;  // bare name of the linked layer file, for display
    std::int32_t koppel = 0;  // layer file linked to the model when not 0
    std::int32_t taal = 0;    // language base, fixed for the run
    std::int32_t pagina = 0;  // wizard step, 1 to 5

    std::u16string& comment(int line);  // line 1 to 3
};

// Largest offset first; layers with equal offsets keep their order.
void sortLayers(RunData& run);

// Number of neighbours in the table with exactly the same (single-precision) offset.
int countEqualOffsets(const RunData& run);

// Each layer's lift, in metres: its offset minus that of the next lower layer
// in the order sortLayers gives (0 for equal offsets), nothing for the lowest.
// The offsets may be in any order; the result follows them.
std::vector<std::optional<double>> liftThicknesses(std::span<const float> offsets);

// Whether the run holds anything entered that replacing it would lose: a
// layer, or a comment line other than "<Empty>" (an emptied one too).
bool holdsEntries(const RunData& run);

// The layer tree shows the three comment lines, then each layer with its six
// values below it. A node is known by its place in a walk of the whole tree,
// parents before children, expanded or not.
struct NodeSource {
    int comment = 0;  // comment line 1 to 3; 0 for any other node
    int layer = -1;   // layer k for any of its seven nodes; -1 for other nodes
    int value = -1;   // the value node 0 (offset) to 5 (CMV); -1 for the layer's own node
};

// What node stands for; neither a comment line nor a layer for a negative node.
NodeSource nodeSource(int node);

// The place of a top-level node, or of its child when child is 0 or more.
int nodeIndex(int top, int child = -1);

// The tree menu's delete: a comment line becomes "<Empty>" (its count stays,
// so that the plus button keeps its state), a layer leaves the table and the
// layers after it move up. A node beyond the table changes nothing.
void deleteNode(RunData& run, int node);

}  // namespace kobalin
