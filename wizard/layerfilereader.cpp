#include "wizard/layerfilereader.h"

#include "app/utf8.h"
#include "layeredit/namerule.h"
#include "wizard/decimal.h"
#include "wizard/layerfile.h"
#include "wizard/windows1252.h"

#include <charconv>
#include <optional>

// What is read beyond what the writer writes, as a hand-edited file may have it:
// LF alone as line end, a last line without line end, empty lines at the end,
// fewer than three comment lines, UTF-8 after its byte-order mark, numbers as
// the layer editor reads them (spaces around them, a "+", an exponent, more
// than two decimals; the next write rounds to two), whole numbers with leading
// zeros or spaces around them, and names with "." or "," (cut by the name rule).
// Refused although the record could hold it, because no editor can make it:
// a ";" inside a comment or field (a line has exactly seven fields), a CR that
// does not end a line, and whole numbers outside 0 to 100.

namespace kobalin {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kCommentStart = "# ";
constexpr std::string_view kCommentEnd = ";;;;;;";

// The file's lines, one at a time, without their line ends.
class Lines {
public:
    explicit Lines(std::string_view bytes) : rest_(bytes) {}

    bool atEnd() const { return rest_.empty(); }
    int number() const { return number_; }

    std::string_view next()
    {
        ++number_;
        const std::size_t end = rest_.find('\n');
        std::string_view line = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return line;
    }

    // Only empty lines are left.
    bool onlyLineEndsLeft() const
    {
        for (std::size_t i = 0; i < rest_.size(); ++i) {
            if (rest_[i] == '\r' && i + 1 < rest_.size() && rest_[i + 1] == '\n')
                ++i;
            else if (rest_[i] != '\n')
                return false;
        }
        return true;
    }

private:
    std::string_view rest_;
    int number_ = 0;
};

// A field's text; nothing for a line break inside it or, in UTF-8, for bytes
// that are not UTF-8.
std::optional<std::u16string> decode(std::string_view bytes, bool utf8)
{
    if (bytes.find('\r') != std::string_view::npos)
        return std::nullopt;
    if (!utf8) {
        std::u16string text;
        text.reserve(bytes.size());
        for (const char byte : bytes)
            text += fromWindows1252(static_cast<unsigned char>(byte));
        return text;
    }
    bool invalid = false;
    std::u16string text = fromUtf8(bytes, &invalid);
    // Surrogates are not characters: UTF-8 has no encoded form of them (ED A0-BF).
    for (std::size_t i = 0; !invalid && i + 1 < bytes.size(); ++i)
        invalid = static_cast<unsigned char>(bytes[i]) == 0xED && static_cast<unsigned char>(bytes[i + 1]) >= 0xA0;
    if (invalid)
        return std::nullopt;
    return text;
}

std::optional<float> decimalField(std::string_view field)
{
    // The decimal reader refuses every character that is not ASCII, so bytes do as characters.
    const auto value = readDecimal(std::u16string(field.begin(), field.end()));
    if (!value)
        return std::nullopt;
    return static_cast<float>(*value);
}

// The layer editor's whole numbers, 0 to 100.
std::optional<std::int32_t> wholeField(std::string_view field)
{
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t'))
        field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
        field.remove_suffix(1);
    if (field.empty() || field.front() < '0' || field.front() > '9')
        return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || value > 100)
        return std::nullopt;
    return value;
}

// "# " + text + ";;;;;;", the text without ";".
std::optional<std::u16string> commentLine(std::string_view line, bool utf8)
{
    if (line.size() < kCommentStart.size() + kCommentEnd.size() || !line.starts_with(kCommentStart) ||
        !line.ends_with(kCommentEnd))
        return std::nullopt;
    const std::string_view text = line.substr(kCommentStart.size(), line.size() - kCommentStart.size() - kCommentEnd.size());
    if (text.find(';') != std::string_view::npos)
        return std::nullopt;
    return decode(text, utf8);
}

bool readRow(std::string_view line, bool utf8, TLayerRecord& r, bool& nameCut)
{
    std::string_view fields[7];
    for (int i = 0; i < 7; ++i) {
        const std::size_t end = line.find(';');
        if ((end == std::string_view::npos) != (i == 6))
            return false;
        fields[i] = line.substr(0, end);
        line.remove_prefix(i == 6 ? line.size() : end + 1);
    }
    const auto name = decode(fields[0], utf8);
    const auto offset = decimalField(fields[1]);
    const auto passes = wholeField(fields[2]);
    const auto extra = wholeField(fields[3]);
    const auto speed = decimalField(fields[4]);
    const auto speedDiff = wholeField(fields[5]);
    const auto cmv = wholeField(fields[6]);
    if (!name || !offset || !passes || !extra || !speed || !speedDiff || !cmv)
        return false;
    NameRuleResult ruled = applyNameRule(*name);
    nameCut = nameCut || ruled.cut;
    r = TLayerRecord{std::move(ruled.name), *offset, *passes, *extra, *speed, *speedDiff, *cmv};
    return true;
}

}  // namespace

LayerFileReading readLayerFile(std::string_view bytes)
{
    LayerFileReading result;
    RunData& run = result.run;
    run.commentaar1 = run.commentaar2 = run.commentaar3 = kEmptyComment;
    auto refuse = [&result](int line) {
        result.errorLine = line;
        return std::move(result);
    };

    const bool utf8 = bytes.starts_with(kUtf8Mark);
    if (utf8)
        bytes.remove_prefix(kUtf8Mark.size());
    Lines lines(bytes);

    if (lines.atEnd() || lines.next() != kLayerFileHeader)
        return refuse(1);

    int comments = 0;
    for (;;) {
        if (lines.atEnd())
            return refuse(lines.number() + 1);  // the column line is missing
        const std::string_view line = lines.next();
        if (line == kLayerFileColumns)
            break;
        if (comments == 3)
            return refuse(lines.number());
        auto text = commentLine(line, utf8);
        if (!text)
            return refuse(lines.number());
        run.comment(++comments) = std::move(*text);
        if (run.comment(comments) != kEmptyComment)
            run.commentaar = comments;
    }

    while (!lines.atEnd()) {
        const std::string_view line = lines.next();
        if (line.empty() && lines.onlyLineEndsLeft())
            break;
        if (run.lagen == kMaxLayers || !readRow(line, utf8, run.layers[run.lagen], result.nameCut))
            return refuse(lines.number());
        ++run.lagen;
    }
    return result;
}

}  // namespace kobalin
