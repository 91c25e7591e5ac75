// The layer-file reader takes whatever file the user opens. No input may crash
// it, and every input it accepts must write a file that reads back to the same
// run and writes again byte for byte, and that the next write would not change.
#include "wizard/decimal.h"
#include "wizard/layerfile.h"
#include "wizard/layerfilereader.h"
#include "wizard/windows1252.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace kobalin;

namespace {

[[noreturn]] void broken(const char* rule)
{
    std::fprintf(stderr, "layer file reader: %s\n", rule);
    std::abort();
}

// A text as it comes back from the file: through the code page.
std::u16string throughFile(std::u16string_view text)
{
    std::string bytes;
    appendWindows1252(bytes, text);
    std::u16string out;
    for (const char byte : bytes)
        out += fromWindows1252(static_cast<unsigned char>(byte));
    return out;
}

// A value as it comes back from the file: two decimals.
float throughFile(float value) { return static_cast<float>(readDecimal(std::u16string(formatFixed2u(value))).value()); }

bool isText(std::u16string_view text, std::u16string_view refused)
{
    return text.find_first_of(refused) == std::u16string_view::npos;
}

// What no editor can type: more than the editors take, a control character
// (the tab excepted), a letter an earlier conversion lost.
bool isTypable(std::u16string_view text)
{
    if (text.size() > kLongestText || text.find(u'\uFFFD') != std::u16string_view::npos)
        return false;
    for (const char16_t c : text)
        if (c < u' ' && c != u'\t')
            return false;
    return true;
}

void checkRun(const RunData& run)
{
    if (run.lagen < 0 || run.lagen > kMaxLayers)
        broken("the layer count is out of range");
    int last = 0, line = 0;
    for (const std::u16string* comment : {&run.commentaar1, &run.commentaar2, &run.commentaar3}) {
        ++line;
        if (!isText(*comment, u";\r\n"))
            broken("a comment line holds a \";\" or a line break");
        if (!isTypable(*comment))
            broken("a comment line holds what no editor types");
        if (*comment != kEmptyComment)
            last = line;
    }
    if (run.commentaar != last)
        broken("the comment count is not the last comment line entered");
    for (int i = 0; i < run.lagen; ++i) {
        const TLayerRecord& r = run.layers[i];
        if (!isText(r.Name, u".,;\r\n"))
            broken("a name holds a \".\", \",\", \";\" or a line break");
        if (!isTypable(r.Name))
            broken("a name holds what no editor types");
        for (const std::int32_t whole : {r.PassCount_Target, r.PassCount_MaxExtra, r.Speed_MaxDiff, r.Compaction_Target})
            if (whole < 0 || whole > 100)
                broken("a whole number is outside 0 to 100");
        if (!std::isfinite(r.Offset) || !std::isfinite(r.Speed_Target))
            broken("a decimal is not finite");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const LayerFileReading first = readLayerFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (first.errorLine != 0) {
        if (first.errorLine < 1)
            broken("a refusal names no line");
        return 0;
    }
    checkRun(first.run);

    const std::string file = layerFileContent(first.run);
    const LayerFileReading second = readLayerFile(file);
    if (second.errorLine != 0)
        broken("a file written from an accepted one is refused");
    if (second.nameCut)
        broken("a written name is cut when read back");
    // Windows-1252 bytes that happen to be UTF-8 too read as UTF-8 (real text
    // in the program's languages never is): only the layout must come back.
    const bool readAsUtf8 = isUtf8WithoutMark(file);
    if (second.changedLines != 0 && !readAsUtf8)
        broken("a file just written would change at the next write");
    const RunData& a = first.run;
    const RunData& b = second.run;
    if (!readAsUtf8 && (b.commentaar1 != throughFile(a.commentaar1) || b.commentaar2 != throughFile(a.commentaar2) ||
                        b.commentaar3 != throughFile(a.commentaar3)))
        broken("the comment lines do not read back");
    if (b.lagen != a.lagen)
        broken("the layer count does not read back");
    for (int i = 0; i < a.lagen; ++i) {
        const TLayerRecord& x = a.layers[i];
        const TLayerRecord& y = b.layers[i];
        if ((!readAsUtf8 && y.Name != throughFile(x.Name)) || y.Offset != throughFile(x.Offset) ||
            y.Speed_Target != throughFile(x.Speed_Target) || y.PassCount_Target != x.PassCount_Target ||
            y.PassCount_MaxExtra != x.PassCount_MaxExtra || y.Speed_MaxDiff != x.Speed_MaxDiff ||
            y.Compaction_Target != x.Compaction_Target)
            broken("a layer does not read back");
    }
    if (!readAsUtf8 && layerFileContent(b) != file)
        broken("the file read back is not written byte for byte");
    return 0;
}
