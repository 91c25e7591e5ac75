#include "wizard/layerfile.h"

#include "app/atomicfile.h"
#include "app/settings.h"
#include "app/utf8.h"
#include "wizard/decimal.h"
#include "wizard/layerfilereader.h"
#include "wizard/replacedfiles.h"
#include "wizard/windows1252.h"

#include <charconv>
#include <chrono>
#include <filesystem>
#include <system_error>

namespace kobalin {

namespace {

void appendEncoded(std::string& out, std::u16string_view text, LayerFileForm form)
{
    if (form == LayerFileForm::Exact)
        out += toUtf8(text);
    else
        appendWindows1252(out, text);
}

// A name or comment must not add fields or lines: the machine reads exactly
// seven fields per line.
void appendText(std::string& out, std::u16string_view text, LayerFileForm form)
{
    for (;;) {
        const std::size_t breaking = text.find_first_of(u";\r\n");
        appendEncoded(out, text.substr(0, breaking), form);
        if (breaking == std::u16string_view::npos)
            return;
        out += text[breaking] == u';' ? ',' : ' ';
        text.remove_prefix(breaking + 1);
    }
}

// A name that begins and ends with a quote would read as a quoted field:
// it is written in quotes, each of its quotes doubled, as spreadsheets do.
void appendName(std::string& out, std::u16string_view name, LayerFileForm form)
{
    std::string text;
    appendText(text, name, form);
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void appendInteger(std::string& out, std::int32_t value)
{
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end);
}

// The shortest text that reads back as the same single-precision value, with
// no "+" in its exponent, which the decimal reader does not take.
void appendExact(std::string& out, float value)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, double{value}).ptr;
    for (const char* c = buffer; c != end; ++c)
        if (*c != '+')
            out += *c;
}

void appendDecimal(std::string& out, float value, LayerFileForm form)
{
    if (form == LayerFileForm::Exact)
        appendExact(out, value);
    else
        out += formatFixed2(value);
}

constexpr std::string_view kEndOfLine = "\r\n";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

std::string layerFileContent(const RunData& run, LayerFileForm form)
{
    std::string out(form == LayerFileForm::Exact ? kUtf8Mark : std::string_view());
    out += kLayerFileHeader;
    out += kEndOfLine;
    for (const std::u16string* comment : {&run.commentaar1, &run.commentaar2, &run.commentaar3}) {
        out += "# ";
        appendText(out, *comment, form);
        out += ";;;;;;";
        out += kEndOfLine;
    }
    out += kLayerFileColumns;
    out += kEndOfLine;
    for (std::int32_t i = 0; i < run.lagen; ++i) {
        const TLayerRecord& r = run.layers[i];
        appendName(out, r.Name, form);
        out += ';';
        appendDecimal(out, r.Offset, form);
        out += ';';
        appendInteger(out, r.PassCount_Target);
        out += ';';
        appendInteger(out, r.PassCount_MaxExtra);
        out += ';';
        appendDecimal(out, r.Speed_Target, form);
        out += ';';
        appendInteger(out, r.Speed_MaxDiff);
        out += ';';
        appendInteger(out, r.Compaction_Target);
        out += kEndOfLine;
    }
    return out;
}

std::u16string layerFileText(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;  // the LF that follows ends the line
        text += fromWindows1252(static_cast<unsigned char>(bytes[i]));
    }
    return text;
}

std::u16string layerFilePath(bool linked, std::u16string_view meetfile, std::u16string_view initdir, PathStyle style)
{
    if (linked)
        return std::u16string(meetfile);
    return joinPath(initdir, u"_layer.csv", style);
}

LayerFileToOpen layerFileToOpen(bool linked)
{
    auto key = openSettingsKey(kSettingsKey);
    const std::u16string meetfile = key->readString(u"meetfile").value_or(std::u16string());
    LayerFileToOpen start{key->readString(u"initdir").value_or(std::u16string()), {}};
    key->close();
    std::error_code error;
    if (!(linked ? meetfile.empty() : start.folder.empty())) {
        const std::u16string path = layerFilePath(linked, meetfile, start.folder);
        if (std::filesystem::is_regular_file(nativePath(path), error))
            start.existing = path;
    }
    return start;
}

namespace {

// With the box not ticked every model in a folder shares "_layer.csv": the
// file there may be another job's. What no copy can be made of is told, and
// the write goes on.
void keepOtherContent(const std::filesystem::path& target, std::string_view bytes, const OwnLayerFiles* own,
                      LayerFileResult& result)
{
    std::error_code error;
    if (!std::filesystem::exists(target, error))
        return;
    const std::optional<std::string> old = readPlainFile(target);
    if (old && (*old == bytes || (own && own->holds(*old))))
        return;
    const std::filesystem::path folder = replacedFilesFolder();
    try {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        result.keptCopy = keepReplacedFile(folder, target, old ? std::optional<std::string_view>(*old) : std::nullopt,
                                           std::chrono::duration_cast<std::chrono::seconds>(now).count())
                              .u16string();
    } catch (const FileWriteError&) {
        result.copyFailedIn = folder.u16string();
    }
}

}  // namespace

LayerFileResult writeLayerFile(const RunData& run, bool linked, OwnLayerFiles* own)
{
    auto key = openSettingsKey(kSettingsKey);
    std::u16string meetfile, initdir;
    // A value of another type leaves it and the values after it empty.
    if (auto value = key->readString(u"meetfile")) {
        meetfile = std::move(*value);
        initdir = key->readString(u"initdir").value_or(std::u16string());
    }
    key->writeInteger(u"koppel", linked ? 1 : 0);
    key->close();

    LayerFileResult result{false, layerFilePath(linked, meetfile, initdir), {}, {}, {}};
    // Without a known folder the file would land in the root of the drive.
    if (linked ? meetfile.empty() : initdir.empty())
        return result;
    const std::string bytes = layerFileContent(run);
    keepOtherContent(nativePath(result.path), bytes, own, result);
    try {
        replaceFileAtomically(nativePath(result.path), bytes);
        result.written = true;
        if (own)
            own->add(bytes);
    } catch (const FileWriteError& e) {
        result.reason = e.reason();
    }
    return result;
}

}  // namespace kobalin
