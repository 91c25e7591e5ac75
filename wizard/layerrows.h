#pragma once

#include "wizard/rundata.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The layer table's rows as text, cell by cell, and what is read into them:
// a spreadsheet's copied cells, rows of a layer file, generated lifts. Each
// cell is checked by the same functions as the layer editor's fields and the
// layer-file reader's (decimal.h, namerule.h, layerfilereader.h).

namespace kobalin {

// The seven values in the layer file's order, then the lift thickness.
enum LayerColumn : int {
    kNameColumn,
    kOffsetColumn,
    kPassTargetColumn,
    kPassExtraColumn,
    kSpeedColumn,
    kSpeedDiffColumn,
    kCmvColumn,
    kThicknessColumn,
};
inline constexpr int kValueColumns = 7;

// A layer as the table shows it: the text of each of its seven cells.
using LayerRow = std::array<std::u16string, kValueColumns>;

inline bool isDecimalColumn(int column) { return column == kOffsetColumn || column == kSpeedColumn; }

// A single-precision value as a cell: two decimals, as the layer file has it,
// where that reads back as the same value; otherwise the fewest decimals
// that do, so that a row taken back unchanged is the same layer.
std::u16string decimalCell(float value);

LayerRow rowOf(const TLayerRecord& r);

enum class CellFault {
    None,
    Empty,             // every cell of a layer must be filled
    NotDecimal,        // not a number with "." as its decimal mark
    NotWhole,          // not a whole number from kLeastCount to kMostCount
    TooLong,           // a name longer than kLongestText
    ControlCharacter,  // a name holding one (the tab excepted)
    Semicolon,         // a name holding ";"
    TooManyFields,     // a pasted row reaching past the last value column
};

CellFault cellFault(int column, std::u16string_view text);

// A cell as the table keeps it, once it has no fault: a number written as
// rowOf writes it, a name ended by the name rule (nameCut then set). A cell
// with a fault is kept as it is, to be corrected.
std::u16string tidyCell(int column, std::u16string_view text, bool* nameCut = nullptr);

// The layer of a row whose cells have no fault.
TLayerRecord recordOf(const LayerRow& row);

// Each row's lift: its offset minus that of the next lower layer, nothing
// for the lowest and for a row whose offset is not a number.
std::vector<std::optional<double>> rowThicknesses(const std::vector<LayerRow>& rows);

// The rows whose offset, in single precision, another row has too.
std::vector<bool> equalOffsetRows(const std::vector<LayerRow>& rows);

// ---- Pasting.

struct CellPlace {
    int row = 0;     // from 0
    int column = 0;  // a LayerColumn
    friend bool operator==(const CellPlace&, const CellPlace&) = default;
};

struct PasteFault {
    CellPlace place;
    CellFault fault = CellFault::None;
    std::u16string text;     // the cell as pasted
    std::size_t fields = 0;  // for TooManyFields: the row's fields
};

struct Paste {
    CellPlace at;  // the current cell, where the block's first cell goes
    // The block's rows, each its fields as the table keeps them, for the
    // columns from at.column on.
    std::vector<std::vector<std::u16string>> rows;
    bool decimalComma = false;  // the block's numbers were read with "," as the mark
    bool nameCut = false;       // some name lost its "." or "," and what followed

    // Any of these refuses the paste as a whole.
    std::optional<CellPlace> mixedMarks;  // the first number whose mark differs from the block's
    std::vector<PasteFault> faults;       // every cell that cannot be read, in reading order
    std::int64_t layerCount = 0;          // the table's layers after the paste

    bool refused() const { return mixedMarks || !faults.empty() || layerCount > kMaxLayers; }
};

// Reads text copied from a spreadsheet (tab-separated, a cell in quotes where
// it holds a tab, a quote or a line break) or from a layer file (";"-separated
// rows; its header, comment lines and column names are passed over), to be
// put into a table of layerRows layers from the cell at on. A block whose
// numbers all have "," as their mark is read with it.
Paste readPaste(std::u16string_view text, CellPlace at, int layerRows);

// The rows from paste.at.row on as the paste leaves them; rows past the
// table's last are new.
std::vector<LayerRow> pastedRows(const std::vector<LayerRow>& rows, Paste paste);

// Cells as a spreadsheet takes them: a tab between cells, a line feed after
// each row, a cell holding a tab, a quote or a line break in quotes.
std::u16string copiedText(const std::vector<std::vector<std::u16string>>& cells);

// ---- Lifts.

struct LiftRequest {
    double surface = 0;    // the offset the first lift is built on
    double top = 0;        // the offset of the last lift's top
    double thickness = 0;  // each lift's
    std::u16string name;   // the lifts are "<name> 1", the lowest, to "<name> n"
};

enum class LiftFault { None, TopNotAbove, NotDivided, TooManyLayers };

struct Lifts {
    LiftFault fault = LiftFault::None;
    std::vector<LayerRow> rows;  // the top lift first
    double height = 0;           // top minus surface, to the centimetre
    double layerCount = 0;       // the table's layers with the lifts
    bool nameCut = false;
};

// One row per lift, at the top of each; the other values from valuesFrom.
// Offsets and thickness are taken to the centimetre.
Lifts generateLifts(const LiftRequest& request, const LayerRow& valuesFrom, int layerRows);

// ---- Messages, in the language of base taal.

// "Row 3, Offset (m)".
std::u16string cellName(CellPlace place, std::int32_t taal);
// Why a cell is in error, as said after its name.
std::u16string cellFaultText(const PasteFault& fault, std::int32_t taal);
// Why a paste was refused; empty when it was not.
std::u16string pasteRefusal(const Paste& paste, std::int32_t taal);
// Why lifts were refused; empty when they were not.
std::u16string liftRefusal(const Lifts& lifts, std::int32_t taal);

}  // namespace kobalin
