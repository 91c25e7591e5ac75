#pragma once

#include "wizard/rundata.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kobalin {

// Why a file was refused, so that the message can say what to fix.
enum class LayerFileFault {
    None,
    NotHeader,         // line 1 is not the format header
    FieldCount,        // fieldCount fields instead of seven
    NotComment,        // neither a comment line nor the column names
    NotColumns,        // after three comment lines, not the column names
    NoColumns,         // the file ends before the column names
    TooManyLayers,     // a 1000th layer
    EmptyRow,          // an empty row before the last layer
    NotDecimal,        // errorField in errorColumn is not a number with "."
    NotWhole,          // errorField in errorColumn is not a whole number 0 to 100
    LostText,          // U+FFFD, in UTF-8 also in Windows-1252: letters lost by an earlier conversion
    NotUtf8,           // bytes that are not UTF-8 after a UTF-8 byte-order mark
    TooLong,           // a name or comment line longer than kLongestText
    ControlCharacter,  // a name or comment line holding one (tab excepted)
    Semicolon,         // a name or comment line holding ";" in quotes
};

// The code pages a layer file is read in.
enum class CodePage { Windows1252, Utf8, MacRoman };

struct LayerFileReading {
    // The file's comment lines ("<Empty>" where it has none), their count up to
    // the last one that is not "<Empty>", and its layers. Nothing else is set.
    RunData run;
    bool nameCut = false;  // some name lost its "." or "," and what followed

    // Lines whose value or text the next write changes (rounded to two
    // decimals, a letter Windows-1252 lacks, a name cut), and lines holding an
    // offset or speed no compaction layer has: the first (0 for none) and how many.
    int changedLine = 0;
    int changedLines = 0;
    int unusualLine = 0;
    int unusualLines = 0;

    // The code page the file's characters beyond ASCII were read in; nothing
    // for a file of ASCII alone, which reads the same in each.
    std::optional<CodePage> codePage;

    // When refused: the first line in error (0 when the whole file was read),
    // what is wrong there and, for a row, the column (0 Name to 6
    // Compaction_Target; -1 for the whole line). Nothing above counts then.
    int errorLine = 0;
    LayerFileFault fault = LayerFileFault::None;
    int errorColumn = -1;
    std::u16string errorField;   // the field as found, for NotDecimal and NotWhole
    std::size_t fieldCount = 0;  // for FieldCount
};

// Reads a layer file as the program writes it, as a person may have edited it
// and as spreadsheets save it; anything else refuses the whole file.
// Bytes are UTF-8 after a UTF-8 byte-order mark, or without one when they are
// UTF-8 and hold a character beyond ASCII; otherwise Mac Roman when every line
// ends in a CR alone, as spreadsheets on a Mac save, and Windows-1252 else.
LayerFileReading readLayerFile(std::string_view bytes);

// A layer file is a few hundred kilobytes at most: a far larger file is not
// one, and is not read into memory whole.
inline constexpr std::size_t kLargestLayerFile = 16 * 1024 * 1024;

// The bytes of the file at path; nothing when it is no plain file (a folder,
// or a pipe or a device, whose reading could wait for ever), cannot be read
// or holds more than largest bytes.
std::optional<std::string> readPlainFile(const std::filesystem::path& path, std::size_t largest = kLargestLayerFile);

// Puts the file's comment lines, their count and its layers in place of the
// run's; everything else of the run stays. A refused reading changes nothing.
void replaceEntries(RunData& run, const LayerFileReading& reading);

// Whether bytes without a byte-order mark are read as UTF-8.
bool isUtf8WithoutMark(std::string_view bytes);

// The code page's name, the same in every language.
std::u16string_view codePageName(CodePage codePage);

// The messages, in the language of base taal: the refusal, which begins with
// text 56; and the code page the letters beyond ASCII were read in, what the
// next write changes and which values are unusual, empty when there is
// nothing to tell.
std::u16string refusalMessage(const LayerFileReading& reading, std::int32_t taal);
std::u16string readingNotes(const LayerFileReading& reading, std::int32_t taal);

}  // namespace kobalin
