// The layer table reads whatever text is on the clipboard. No text may crash
// it; every paste it takes leaves only cells the table can keep, within the
// table, and its cells copied again read back the same.
#include "app/utf8.h"
#include "i18n/catalogue.h"
#include "wizard/layerrows.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace kobalin;

namespace {

[[noreturn]] void broken(const char* rule)
{
    std::fprintf(stderr, "paste: %s\n", rule);
    std::abort();
}

using Cells = std::vector<std::vector<std::u16string>>;

Cells withoutEmptyRowsAtTheEnd(Cells cells)
{
    while (!cells.empty() && std::all_of(cells.back().begin(), cells.back().end(), [](const auto& c) { return c.empty(); }))
        cells.pop_back();
    return cells;
}

}  // namespace

// The first byte chooses the current column (low three bits) and how far above
// the empty row the current row is; the second how many layers the table has.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int layers = std::min(data[1] * 4, int{kMaxLayers});
    const CellPlace at{std::max(layers - (data[0] >> 3), 0), data[0] & 7};
    const std::u16string text = fromUtf8(std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2));
    const Paste paste = readPaste(text, at, layers);
    if (paste.refused()) {
        if (pasteRefusal(paste, kEnglish).empty())
            broken("a refused paste says nothing");
        return 0;
    }
    if (paste.layerCount > kMaxLayers || paste.layerCount < layers)
        broken("the layer count is out of range");
    for (std::size_t i = 0; i < paste.rows.size(); ++i) {
        if (static_cast<int>(paste.rows[i].size()) > kValueColumns - at.column)
            broken("a field lands past the last column");
        for (std::size_t k = 0; k < paste.rows[i].size(); ++k) {
            const CellFault fault = cellFault(at.column + static_cast<int>(k), paste.rows[i][k]);
            if (fault != CellFault::None && fault != CellFault::Empty)
                broken("a cell the table cannot keep was taken");
        }
    }
    std::vector<LayerRow> table(static_cast<std::size_t>(layers));
    if (pastedRows(table, paste).size() != paste.rows.size())
        broken("the pasted rows are not the block's");
    // Copied and pasted again from the same column: the same cells.
    const Paste again = readPaste(copiedText(paste.rows), at, layers);
    if (again.refused() || again.decimalComma || again.nameCut)
        broken("copied cells do not paste again as they are");
    if (withoutEmptyRowsAtTheEnd(again.rows) != withoutEmptyRowsAtTheEnd(paste.rows))
        broken("copied cells paste again as other cells");
    return 0;
}
