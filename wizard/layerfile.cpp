#include "wizard/layerfile.h"

#include "app/atomicfile.h"
#include "app/settings.h"
#include "wizard/decimal.h"
#include "wizard/windows1252.h"

#include <charconv>
#include <filesystem>
#include <system_error>

namespace kobalin {

namespace {

// A name or comment must not add fields or lines: the machine reads exactly
// seven fields per line.
void appendText(std::string& out, std::u16string_view text)
{
    for (;;) {
        const std::size_t breaking = text.find_first_of(u";\r\n");
        appendWindows1252(out, text.substr(0, breaking));
        if (breaking == std::u16string_view::npos)
            return;
        out += text[breaking] == u';' ? ',' : ' ';
        text.remove_prefix(breaking + 1);
    }
}

// A name that begins and ends with a quote would read as a quoted field:
// it is written in quotes, each of its quotes doubled, as spreadsheets do.
void appendName(std::string& out, std::u16string_view name)
{
    std::string text;
    appendText(text, name);
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

constexpr std::string_view kEndOfLine = "\r\n";

}  // namespace

std::string layerFileContent(const RunData& run)
{
    std::string out(kLayerFileHeader);
    out += kEndOfLine;
    for (const std::u16string* comment : {&run.commentaar1, &run.commentaar2, &run.commentaar3}) {
        out += "# ";
        appendText(out, *comment);
        out += ";;;;;;";
        out += kEndOfLine;
    }
    out += kLayerFileColumns;
    out += kEndOfLine;
    for (std::int32_t i = 0; i < run.lagen; ++i) {
        const TLayerRecord& r = run.layers[i];
        appendName(out, r.Name);
        out += ';';
        out += formatFixed2(r.Offset);
        out += ';';
        appendInteger(out, r.PassCount_Target);
        out += ';';
        appendInteger(out, r.PassCount_MaxExtra);
        out += ';';
        out += formatFixed2(r.Speed_Target);
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

LayerFileResult writeLayerFile(const RunData& run, bool linked)
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

    LayerFileResult result{false, layerFilePath(linked, meetfile, initdir), {}};
    // Without a known folder the file would land in the root of the drive.
    if (linked ? meetfile.empty() : initdir.empty())
        return result;
    try {
        replaceFileAtomically(nativePath(result.path), layerFileContent(run));
        result.written = true;
    } catch (const FileWriteError& e) {
        result.reason = e.reason();
    }
    return result;
}

}  // namespace kobalin
