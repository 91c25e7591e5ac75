#include "wizard/layerfilereader.h"

#include "app/utf8.h"
#include "i18n/catalogue.h"
#include "layeredit/namerule.h"
#include "wizard/decimal.h"
#include "wizard/layerfile.h"
#include "wizard/macroman.h"
#include "wizard/usualvalues.h"
#include "wizard/windows1252.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <system_error>

// What is read beyond what the writer writes, as a hand-edited file or a
// spreadsheet may have it: CR LF, LF or CR alone as line end, a last line
// without line end, empty lines and rows of empty fields at the end, fewer
// than three comment lines, fields in CSV quotes (a doubled quote for one),
// UTF-8 with or without its byte-order mark, Mac Roman with CR line ends, numbers as the layer editor
// reads them (spaces around them, a "+", an exponent, more than two decimals;
// the next write rounds to two), whole numbers with leading zeros, a "+" or
// spaces around them, and names with "." or "," (cut by the name rule).
// Refused although the record could hold it, because no editor can make it:
// a ";" inside a name or comment, a control character or more than 255
// characters there, and whole numbers outside 0 to 100.

namespace kobalin {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr std::u16string_view kHeaderText = u"# Leica layer file format version 1.0";
constexpr std::u16string_view kCommentStart = u"# ";
constexpr std::array<std::u16string_view, 7> kColumnNames = {
    u"Name", u"Offset", u"PassCount_Target", u"PassCount_MaxExtra", u"Speed_Target", u"Speed_MaxDiff", u"Compaction_Target",
};

// The file's lines, one at a time, without their line ends.
class Lines {
public:
    explicit Lines(std::string_view bytes) : rest_(bytes) {}

    bool atEnd() const { return rest_.empty(); }
    int number() const { return number_; }

    std::string_view next()
    {
        ++number_;
        const std::size_t end = rest_.find_first_of("\r\n");
        const std::string_view line = rest_.substr(0, end);
        std::size_t skip = rest_.size();
        if (end != std::string_view::npos)
            skip = end + (rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n' ? 2 : 1);
        rest_.remove_prefix(skip);
        return line;
    }

private:
    std::string_view rest_;
    int number_ = 0;
};

// A line's fields, split at ";" as CSV does: a field that opens a quote and
// closes it right before a ";" or the line's end is quoted, a doubled quote in
// it stands for one; any other field is taken as it stands, quotes and all, so
// that a name the writer left unquoted reads back unchanged.
struct Fields {
    std::array<std::string, 7> text;
    std::size_t count = 0;
};

Fields split(std::string_view line)
{
    Fields out;
    std::size_t i = 0;
    for (;;) {
        // Past the seventh field the line is refused: only the count is still
        // wanted, and scanning quotes there could take long on a long line.
        if (out.count == 7) {
            out.count +=
                1 + static_cast<std::size_t>(std::count(line.begin() + static_cast<std::ptrdiff_t>(i), line.end(), ';'));
            return out;
        }
        std::string field;
        bool quoted = false;
        if (i < line.size() && line[i] == '"') {
            std::size_t j = i + 1;
            for (; j < line.size(); ++j) {
                if (line[j] != '"') {
                    field += line[j];
                } else if (j + 1 < line.size() && line[j + 1] == '"') {
                    field += '"';
                    ++j;
                } else {
                    break;
                }
            }
            quoted = j < line.size() && (j + 1 == line.size() || line[j + 1] == ';');
            if (quoted)
                i = j + 1;
        }
        if (!quoted) {
            const std::size_t end = std::min(line.find(';', i), line.size());
            field.assign(line.substr(i, end - i));
            i = end;
        }
        out.text[out.count++] = std::move(field);
        if (i == line.size())
            return out;
        ++i;  // the ";"
    }
}

bool isBlank(std::string_view line) { return line.find_first_not_of(';') == std::string_view::npos; }

bool isValidUtf8(std::string_view bytes)
{
    bool invalid = false;
    fromUtf8(bytes, &invalid);
    // Surrogates are not characters: UTF-8 has no encoded form of them (ED A0-BF).
    for (std::size_t i = 0; !invalid && i + 1 < bytes.size(); ++i)
        invalid = static_cast<unsigned char>(bytes[i]) == 0xED && static_cast<unsigned char>(bytes[i + 1]) >= 0xA0;
    return !invalid;
}

std::optional<std::u16string> decode(std::string_view bytes, CodePage codePage)
{
    if (codePage == CodePage::Utf8) {
        if (!isValidUtf8(bytes))
            return std::nullopt;
        return fromUtf8(bytes);
    }
    const auto character = codePage == CodePage::MacRoman ? fromMacRoman : fromWindows1252;
    std::u16string text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        text += character(static_cast<unsigned char>(byte));
    return text;
}

bool isBeyondAscii(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Decided once for the whole file (without its byte-order mark). Windows
// programs end lines with CR LF, Linux ones with LF; a CR alone is what
// spreadsheets on a Mac write, in Mac Roman unless asked for UTF-8.
CodePage codePageOf(std::string_view bytes, bool marked)
{
    if (marked || isUtf8WithoutMark(bytes))
        return CodePage::Utf8;
    const bool crAlone = bytes.find('\r') != std::string_view::npos && bytes.find('\n') == std::string_view::npos;
    return crAlone ? CodePage::MacRoman : CodePage::Windows1252;
}

// A name or comment line as no editor could have made it.
LayerFileFault textFault(std::u16string_view text)
{
    if (text.size() > kLongestText)
        return LayerFileFault::TooLong;
    for (const char16_t c : text) {
        if (c < u' ' && c != u'\t')
            return LayerFileFault::ControlCharacter;
        if (c == u';')
            return LayerFileFault::Semicolon;
    }
    return LayerFileFault::None;
}

bool lacksWindows1252(std::u16string_view text)
{
    for (const char16_t c : text)
        if (!toWindows1252(c))
            return true;
    return false;
}

std::u16string ascii(std::string_view field) { return std::u16string(field.begin(), field.end()); }

// The layer editor's whole numbers, 0 to 100.
std::optional<std::int32_t> wholeField(std::string_view field)
{
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t'))
        field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
        field.remove_suffix(1);
    if (!field.empty() && field.front() == '+')
        field.remove_prefix(1);
    if (field.empty() || field.front() < '0' || field.front() > '9')
        return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || value > 100)
        return std::nullopt;
    return value;
}

class Reader {
public:
    explicit Reader(LayerFileReading& result) : result_(result) {}

    void read(std::string_view bytes);

private:
    // Each returns false after recording the refusal.
    bool refuse(int line, LayerFileFault fault, int column = -1, std::u16string field = {});
    bool readHeader(std::string_view line);
    bool readRow(std::string_view line, TLayerRecord& r);
    bool readText(std::string_view bytes, int column, std::u16string& text);
    std::u16string asFound(std::string_view bytes) const
    {
        return decode(bytes, codePage_).value_or(decode(bytes, CodePage::Windows1252).value_or(std::u16string()));
    }

    LayerFileReading& result_;
    CodePage codePage_ = CodePage::Windows1252;
    int line_ = 0;
    bool changed_ = false;
};

bool Reader::refuse(int line, LayerFileFault fault, int column, std::u16string field)
{
    result_.errorLine = line;
    result_.fault = fault;
    result_.errorColumn = column;
    result_.errorField = std::move(field);
    return false;
}

bool Reader::readText(std::string_view bytes, int column, std::u16string& text)
{
    auto decoded = decode(bytes, codePage_);
    if (!decoded)
        return refuse(line_, LayerFileFault::NotUtf8, column);
    if (const LayerFileFault fault = textFault(*decoded); fault != LayerFileFault::None)
        return refuse(line_, fault, column);
    changed_ = changed_ || lacksWindows1252(*decoded);
    text = std::move(*decoded);
    return true;
}

bool Reader::readRow(std::string_view line, TLayerRecord& r)
{
    const Fields fields = split(line);
    if (fields.count != 7) {
        result_.fieldCount = fields.count;
        return refuse(line_, LayerFileFault::FieldCount);
    }
    std::u16string name;
    if (!readText(fields.text[0], 0, name))
        return false;
    NameRuleResult ruled = applyNameRule(name);
    result_.nameCut = result_.nameCut || ruled.cut;
    changed_ = changed_ || ruled.cut;

    float decimals[2] = {};
    for (int k = 0; k < 2; ++k) {
        const int column = k == 0 ? 1 : 4;
        // The decimal reader refuses every character that is not ASCII, so bytes do as characters.
        const auto value = readDecimal(ascii(fields.text[column]));
        if (!value)
            return refuse(line_, LayerFileFault::NotDecimal, column, asFound(fields.text[column]));
        decimals[k] = static_cast<float>(*value);
        // What the next write puts there, read back.
        changed_ = changed_ || *readDecimal(formatFixed2u(decimals[k])) != *value;
    }
    std::int32_t wholes[4] = {};
    const int wholeColumns[4] = {2, 3, 5, 6};
    for (int k = 0; k < 4; ++k) {
        const auto value = wholeField(fields.text[wholeColumns[k]]);
        if (!value)
            return refuse(line_, LayerFileFault::NotWhole, wholeColumns[k], asFound(fields.text[wholeColumns[k]]));
        wholes[k] = *value;
    }
    r = TLayerRecord{std::move(ruled.name), decimals[0], wholes[0], wholes[1], decimals[1], wholes[2], wholes[3]};
    if (!isUsualOffset(r.Offset) || !isUsualSpeed(r.Speed_Target)) {
        if (result_.unusualLines++ == 0)
            result_.unusualLine = line_;
    }
    return true;
}

bool Reader::readHeader(std::string_view line)
{
    const Fields fields = split(line);
    bool header = fields.count == 7 && ascii(fields.text[0]) == kHeaderText;
    for (std::size_t k = 1; header && k < 7; ++k)
        header = fields.text[k].empty();
    return header || refuse(1, LayerFileFault::NotHeader);
}

void Reader::read(std::string_view bytes)
{
    RunData& run = result_.run;
    run.commentaar1 = run.commentaar2 = run.commentaar3 = kEmptyComment;

    const bool marked = bytes.starts_with(kUtf8Mark);
    if (marked)
        bytes.remove_prefix(kUtf8Mark.size());
    codePage_ = codePageOf(bytes, marked);
    if (std::any_of(bytes.begin(), bytes.end(), isBeyondAscii))
        result_.codePage = codePage_;
    Lines lines(bytes);
    // The next line; nothing, the file refused, where it holds a lost letter.
    auto nextLine = [&]() {
        const std::string_view line = lines.next();
        line_ = lines.number();
        changed_ = false;
        // U+FFFD in UTF-8, also in a Windows-1252 file ("ï¿½"): a letter was lost on its way here.
        if (line.find(kReplacement) != std::string_view::npos) {
            refuse(line_, LayerFileFault::LostText);
            return std::optional<std::string_view>();
        }
        return std::optional<std::string_view>(line);
    };
    auto noteChange = [&]() {
        if (changed_ && result_.changedLines++ == 0)
            result_.changedLine = line_;
    };

    if (lines.atEnd()) {
        refuse(1, LayerFileFault::NotHeader);
        return;
    }
    const auto header = nextLine();
    if (!header || !readHeader(*header))
        return;

    int comments = 0;
    for (;;) {
        if (lines.atEnd()) {
            refuse(lines.number() + 1, LayerFileFault::NoColumns);
            return;
        }
        const auto line = nextLine();
        if (!line)
            return;
        const Fields fields = split(*line);
        bool columns = fields.count == 7, comment = fields.count == 7;
        for (std::size_t k = 0; k < 7 && fields.count == 7; ++k) {
            columns = columns && ascii(fields.text[k]) == kColumnNames[k];
            comment = comment && (k == 0 || fields.text[k].empty());
        }
        if (columns)
            break;
        if (fields.count != 7 && !isBlank(*line)) {
            result_.fieldCount = fields.count;
            refuse(line_, LayerFileFault::FieldCount);
            return;
        }
        if (comments == 3) {
            refuse(line_, LayerFileFault::NotColumns);
            return;
        }
        const std::string_view first = fields.text[0];
        if (!comment || !first.starts_with("# ")) {
            refuse(line_, LayerFileFault::NotComment);
            return;
        }
        std::u16string text;
        if (!readText(first.substr(kCommentStart.size()), -1, text))
            return;
        noteChange();
        run.comment(++comments) = std::move(text);
        if (run.comment(comments) != kEmptyComment)
            run.commentaar = comments;
    }

    int blankLine = 0;  // the first of the empty rows seen since the last layer
    while (!lines.atEnd()) {
        const auto line = nextLine();
        if (!line)
            return;
        if (isBlank(*line)) {
            if (blankLine == 0)
                blankLine = line_;
            continue;
        }
        if (blankLine != 0) {
            refuse(blankLine, LayerFileFault::EmptyRow);
            return;
        }
        if (run.lagen == kMaxLayers) {
            refuse(line_, LayerFileFault::TooManyLayers);
            return;
        }
        if (!readRow(*line, run.layers[run.lagen]))
            return;
        noteChange();
        ++run.lagen;
    }
}

std::u16string withNumbers(std::u16string_view text, std::initializer_list<std::u16string> values)
{
    std::u16string out(text);
    char16_t mark = u'1';
    for (const std::u16string& value : values) {
        const std::u16string placeholder{u'%', mark++};
        if (const std::size_t at = out.find(placeholder); at != std::u16string::npos)
            out.replace(at, placeholder.size(), value);
    }
    return out;
}

std::u16string number(long long value)
{
    const std::string digits = std::to_string(value);
    return ascii(digits);
}

// Texts 63 to 78.
std::int32_t faultText(LayerFileFault fault)
{
    switch (fault) {
    case LayerFileFault::FieldCount: return 63;
    case LayerFileFault::NotHeader: return 64;
    case LayerFileFault::NotComment: return 65;
    case LayerFileFault::NotColumns: return 66;
    case LayerFileFault::NoColumns: return 67;
    case LayerFileFault::NotDecimal: return 68;
    case LayerFileFault::NotWhole: return 69;
    case LayerFileFault::TooManyLayers: return 70;
    case LayerFileFault::EmptyRow: return 71;
    case LayerFileFault::LostText: return 72;
    case LayerFileFault::NotUtf8: return 73;
    case LayerFileFault::TooLong: return 74;
    case LayerFileFault::ControlCharacter: return 75;
    case LayerFileFault::Semicolon: return 76;
    case LayerFileFault::None: break;
    }
    return -1;
}

// A field shown in a message: short, and with nothing that could break its line.
std::u16string shown(std::u16string_view field)
{
    constexpr std::size_t kShown = 40;
    std::u16string out;
    for (std::size_t i = 0; i < field.size() && i < kShown; ++i)
        out += field[i] < u' ' ? u'\uFFFD' : field[i];
    if (field.size() > kShown)
        out += u'\u2026';
    return out;
}

}  // namespace

bool isUtf8WithoutMark(std::string_view bytes)
{
    return std::any_of(bytes.begin(), bytes.end(), isBeyondAscii) && isValidUtf8(bytes);
}

std::u16string_view codePageName(CodePage codePage)
{
    switch (codePage) {
    case CodePage::Utf8: return u"UTF-8";
    case CodePage::MacRoman: return u"Mac Roman";
    case CodePage::Windows1252: break;
    }
    return u"Windows-1252";
}

LayerFileReading readLayerFile(std::string_view bytes)
{
    LayerFileReading result;
    Reader(result).read(bytes);
    return result;
}

std::optional<std::string> readPlainFile(const std::filesystem::path& path, std::size_t largest)
{
    // A NUL would end the name early and read another file, as the writer refuses it.
    std::error_code error;
    if (path.native().find(std::filesystem::path::value_type()) != std::filesystem::path::string_type::npos ||
        !std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string bytes;
    std::array<char, 64 * 1024> chunk;
    while (in.read(chunk.data(), chunk.size()) || in.gcount() > 0) {
        bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > largest)
            return std::nullopt;
    }
    if (!in.eof() || in.bad())
        return std::nullopt;
    return bytes;
}

void replaceEntries(RunData& run, const LayerFileReading& reading)
{
    if (reading.errorLine > 0)
        return;
    const RunData& read = reading.run;
    run.commentaar1 = read.commentaar1;
    run.commentaar2 = read.commentaar2;
    run.commentaar3 = read.commentaar3;
    run.commentaar = read.commentaar;
    std::copy(read.layers.begin(), read.layers.begin() + read.lagen, run.layers.begin());
    run.lagen = read.lagen;
}

std::u16string refusalMessage(const LayerFileReading& reading, std::int32_t taal)
{
    std::u16string out(catalogueText(taal, 56));
    out += number(reading.errorLine);
    if (reading.errorColumn >= 0) {
        out += u", ";
        out += kColumnNames[static_cast<std::size_t>(reading.errorColumn)];
    }
    out += u": ";
    out += withNumbers(catalogueText(taal, faultText(reading.fault)),
                       {reading.fault == LayerFileFault::FieldCount ? number(static_cast<long long>(reading.fieldCount))
                                                                    : shown(reading.errorField)});
    return out;
}

std::u16string readingNotes(const LayerFileReading& reading, std::int32_t taal)
{
    std::u16string out;
    // The letters are the operator's to check: a code page chosen wrongly
    // reads every one of them as another.
    if (reading.codePage)
        out += withNumbers(catalogueText(taal, 92), {std::u16string(codePageName(*reading.codePage))});
    if (reading.changedLines > 0) {
        if (!out.empty())
            out += u"\n\n";
        out += withNumbers(catalogueText(taal, 77), {number(reading.changedLine), number(reading.changedLines)});
    }
    if (reading.unusualLines > 0) {
        if (!out.empty())
            out += u"\n\n";
        out += withNumbers(catalogueText(taal, 78), {number(reading.unusualLine), number(reading.unusualLines)});
    }
    return out;
}

}  // namespace kobalin
