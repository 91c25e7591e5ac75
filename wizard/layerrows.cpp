#include "wizard/layerrows.h"

#include "i18n/catalogue.h"
#include "layeredit/namerule.h"
#include "wizard/decimal.h"
#include "wizard/layerfilereader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>

namespace kobalin {

namespace {

constexpr std::array<std::u16string_view, kValueColumns> kColumnNames = {
    u"Name", u"Offset", u"PassCount_Target", u"PassCount_MaxExtra", u"Speed_Target", u"Speed_MaxDiff", u"Compaction_Target",
};

// At most this many cells are named in one message; the rest are counted.
constexpr std::size_t kNamedCells = 20;

std::u16string widened(std::string_view text) { return std::u16string(text.begin(), text.end()); }

std::u16string number(double value)
{
    char buffer[400];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0).ptr;
    return widened(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

bool isBlank(std::u16string_view text) { return text.find_first_not_of(u" \t") == std::u16string_view::npos; }

using Block = std::vector<std::vector<std::u16string>>;

// The cells of text, rows at line ends, cells at sep. A cell that opens a
// quote and closes it right before sep, a line end or the end is quoted (a
// doubled quote in it stands for one; it may hold sep and line breaks); any
// other cell is taken as it stands, quotes and all.
Block split(std::u16string_view text, char16_t sep)
{
    // A row's cells reserved at once: growing 7,000 of them one by one costs
    // more than reading them.
    Block rows(1);
    rows.back().reserve(kValueColumns);
    const std::size_t n = text.size();
    const std::u16string_view ends{u"\r\n"};
    const char16_t cellEnds[] = {sep, u'\r', u'\n'};
    const std::u16string_view stops(cellEnds, 3);
    std::size_t i = 0;
    for (;;) {
        std::u16string cell;
        bool quoted = false;
        if (i < n && text[i] == u'"') {
            std::size_t j = i + 1;
            for (; j < n; ++j) {
                if (text[j] != u'"')
                    cell += text[j];
                else if (j + 1 < n && text[j + 1] == u'"')
                    cell += text[++j];
                else
                    break;
            }
            quoted = j < n && (j + 1 == n || text[j + 1] == sep || ends.find(text[j + 1]) != std::u16string_view::npos);
            if (quoted)
                i = j + 1;
        }
        if (!quoted) {
            const std::size_t end = std::min(text.find_first_of(stops, i), n);
            cell.assign(text.substr(i, end - i));
            i = end;
        }
        rows.back().push_back(std::move(cell));
        if (i == n)
            break;
        if (text[i] == sep) {
            ++i;
            continue;
        }
        i += text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n' ? 2 : 1;
        if (i == n)
            break;  // the last row's line end
        rows.emplace_back().reserve(kValueColumns);
    }
    return rows;
}

bool isEmptyRow(const std::vector<std::u16string>& row)
{
    return std::all_of(row.begin(), row.end(), [](const std::u16string& cell) { return cell.empty(); });
}

// The header, a comment line or the column names of a layer file.
bool isFileFurniture(const std::vector<std::u16string>& row)
{
    const bool comment = row.front().starts_with(u"#") &&
                         std::all_of(row.begin() + 1, row.end(), [](const auto& cell) { return cell.empty(); });
    return comment || std::equal(row.begin(), row.end(), kColumnNames.begin(), kColumnNames.end());
}

// The block's decimal mark, from the cells that land in a decimal column:
// nothing when none has one, or the first cell whose mark differs.
struct Marks {
    char16_t mark = 0;
    std::optional<CellPlace> mixed;
};

Marks blockMarks(const Block& block, CellPlace at)
{
    Marks marks;
    for (std::size_t i = 0; i < block.size(); ++i) {
        for (std::size_t k = 0; k < block[i].size(); ++k) {
            const CellPlace place{at.row + static_cast<int>(i), at.column + static_cast<int>(k)};
            if (place.column >= kValueColumns || !isDecimalColumn(place.column))
                continue;
            const std::u16string& cell = block[i][k];
            const bool comma = cell.find(u',') != std::u16string::npos;
            const bool point = cell.find(u'.') != std::u16string::npos;
            if ((comma && point) || (comma && marks.mark == u'.') || (point && marks.mark == u',')) {
                marks.mixed = place;
                return marks;
            }
            if (comma || point)
                marks.mark = comma ? u',' : u'.';
        }
    }
    return marks;
}

CellFault nameFault(std::u16string_view text)
{
    if (text.empty())
        return CellFault::Empty;
    switch (textFault(text)) {
    case LayerFileFault::TooLong: return CellFault::TooLong;
    case LayerFileFault::ControlCharacter: return CellFault::ControlCharacter;
    case LayerFileFault::Semicolon: return CellFault::Semicolon;
    default: return CellFault::None;
    }
}

// A cell's fault and, where it has none, the cell as the table keeps it:
// the text read once, as a paste of a full table reads 7,000 cells.
struct CheckedCell {
    CellFault fault = CellFault::None;
    std::u16string kept;
};

CheckedCell checkCell(int column, std::u16string_view text, bool* nameCut)
{
    if (column < 0 || column >= kValueColumns)
        return {CellFault::None, std::u16string(text)};
    if (column == kNameColumn) {
        if (const CellFault fault = nameFault(text); fault != CellFault::None)
            return {fault, std::u16string(text)};
        NameRuleResult ruled = applyNameRule(text);
        if (ruled.cut && nameCut)
            *nameCut = true;
        return {CellFault::None, std::move(ruled.name)};
    }
    if (isBlank(text))
        return {CellFault::Empty, std::u16string(text)};
    if (isDecimalColumn(column)) {
        const auto value = readDecimal(text);
        if (!value)
            return {CellFault::NotDecimal, std::u16string(text)};
        // A cell already as decimalCell writes it reads back as its value: kept without reading it again.
        const float single = static_cast<float>(*value);
        const std::string two = formatFixed2(single);
        if (std::equal(two.begin(), two.end(), text.begin(), text.end()))
            return {CellFault::None, std::u16string(text)};
        return {CellFault::None, decimalCell(single)};
    }
    const auto value = readCount(text);
    return value ? CheckedCell{CellFault::None, widened(std::to_string(*value))}
                 : CheckedCell{CellFault::NotWhole, std::u16string(text)};
}

// One row of the block into the table's form, its faults into paste.
std::vector<std::u16string> readRow(const std::vector<std::u16string>& fields, int row, Paste& paste)
{
    std::vector<std::u16string> cells;
    cells.reserve(fields.size());
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const CellPlace place{row, paste.at.column + static_cast<int>(k)};
        if (place.column >= kValueColumns) {
            // An empty cell past the last column carries nothing.
            const auto last = std::find_if(fields.rbegin(), fields.rend(), [](const auto& f) { return !f.empty(); });
            const std::size_t used = static_cast<std::size_t>(fields.rend() - last);
            if (used > k)
                paste.faults.push_back({{row, paste.at.column}, CellFault::TooManyFields, {}, used});
            break;
        }
        std::u16string_view text = fields[k];
        std::u16string pointed;
        if (paste.decimalComma && isDecimalColumn(place.column)) {
            pointed = text;
            std::replace(pointed.begin(), pointed.end(), u',', u'.');
            text = pointed;
        }
        if (place.column != kNameColumn && isBlank(text))
            text = {};
        // An empty cell empties the cell it lands on.
        CheckedCell checked = checkCell(place.column, text, &paste.nameCut);
        if (checked.fault != CellFault::None && checked.fault != CellFault::Empty)
            paste.faults.push_back({place, checked.fault, fields[k]});
        cells.push_back(std::move(checked.kept));
    }
    return cells;
}

std::u16string liftName(const std::u16string& name, double i) { return name.empty() ? number(i) : name + u" " + number(i); }

}  // namespace

std::u16string decimalCell(float value)
{
    const std::string two = formatFixed2(value);
    double back = 0;
    if (std::from_chars(two.data(), two.data() + two.size(), back).ec == std::errc() && static_cast<float>(back) == value)
        return widened(two);
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed).ptr;
    return widened(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

LayerRow rowOf(const TLayerRecord& r)
{
    auto whole = [](std::int32_t value) { return widened(std::to_string(value)); };
    return {r.Name,
            decimalCell(r.Offset),
            whole(r.PassCount_Target),
            whole(r.PassCount_MaxExtra),
            decimalCell(r.Speed_Target),
            whole(r.Speed_MaxDiff),
            whole(r.Compaction_Target)};
}

CellFault cellFault(int column, std::u16string_view text)
{
    if (column < 0 || column >= kValueColumns)
        return CellFault::None;
    if (column == kNameColumn)
        return nameFault(text);
    if (isBlank(text))
        return CellFault::Empty;
    if (isDecimalColumn(column))
        return readDecimal(text) ? CellFault::None : CellFault::NotDecimal;
    return readCount(text) ? CellFault::None : CellFault::NotWhole;
}

std::u16string tidyCell(int column, std::u16string_view text, bool* nameCut)
{
    return std::move(checkCell(column, text, nameCut).kept);
}

TLayerRecord recordOf(const LayerRow& row)
{
    auto decimal = [&](int column) { return static_cast<float>(readDecimal(row[column]).value_or(0)); };
    auto whole = [&](int column) { return readCount(row[column]).value_or(0); };
    return {row[kNameColumn],      decimal(kOffsetColumn),  whole(kPassTargetColumn), whole(kPassExtraColumn),
            decimal(kSpeedColumn), whole(kSpeedDiffColumn), whole(kCmvColumn)};
}

std::vector<std::optional<double>> rowThicknesses(const std::vector<LayerRow>& rows)
{
    std::vector<std::size_t> numbered;
    std::vector<float> offsets;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (const auto offset = readDecimal(rows[i][kOffsetColumn])) {
            numbered.push_back(i);
            offsets.push_back(static_cast<float>(*offset));
        }
    }
    const std::vector<std::optional<double>> lifts = liftThicknesses(offsets);
    std::vector<std::optional<double>> out(rows.size());
    for (std::size_t k = 0; k < numbered.size(); ++k)
        out[numbered[k]] = lifts[k];
    return out;
}

std::vector<bool> equalOffsetRows(const std::vector<LayerRow>& rows)
{
    std::vector<std::pair<float, std::size_t>> offsets;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (const auto offset = readDecimal(rows[i][kOffsetColumn]))
            offsets.emplace_back(static_cast<float>(*offset), i);
    std::sort(offsets.begin(), offsets.end());
    std::vector<bool> equal(rows.size());
    for (std::size_t k = 1; k < offsets.size(); ++k) {
        if (offsets[k].first == offsets[k - 1].first)
            equal[offsets[k].second] = equal[offsets[k - 1].second] = true;
    }
    return equal;
}

Paste readPaste(std::u16string_view text, CellPlace at, int layerRows)
{
    Paste paste;
    paste.at = at;
    const bool fileRows = text.find(u'\t') == std::u16string_view::npos && text.find(u';') != std::u16string_view::npos;
    Block block = split(text, fileRows ? u';' : u'\t');
    if (fileRows)
        std::erase_if(block, isFileFurniture);
    // Spreadsheets end the block with a line end, some with empty rows.
    while (!block.empty() && isEmptyRow(block.back()))
        block.pop_back();
    paste.layerCount = std::max<std::int64_t>(layerRows, std::int64_t{at.row} + static_cast<std::int64_t>(block.size()));

    const Marks marks = blockMarks(block, at);
    if (marks.mixed) {
        paste.mixedMarks = marks.mixed;
        return paste;
    }
    paste.decimalComma = marks.mark == u',';
    paste.rows.reserve(block.size());
    for (std::size_t i = 0; i < block.size(); ++i)
        paste.rows.push_back(readRow(block[i], at.row + static_cast<int>(i), paste));
    return paste;
}

std::vector<LayerRow> pastedRows(const std::vector<LayerRow>& rows, Paste paste)
{
    const auto from = static_cast<std::size_t>(paste.at.column);
    std::vector<LayerRow> out(paste.rows.size());
    for (std::size_t i = 0; i < paste.rows.size(); ++i) {
        const std::size_t row = static_cast<std::size_t>(paste.at.row) + i;
        std::vector<std::u16string>& fields = paste.rows[i];
        for (std::size_t c = 0; c < kValueColumns; ++c) {
            if (c >= from && c - from < fields.size())
                out[i][c] = std::move(fields[c - from]);
            else if (row < rows.size())
                out[i][c] = rows[row][c];
        }
    }
    return out;
}

std::u16string copiedText(const std::vector<std::vector<std::u16string>>& cells)
{
    std::u16string out;
    for (const auto& row : cells) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            if (k > 0)
                out += u'\t';
            const std::u16string& cell = row[k];
            if (cell.find_first_of(u"\t\"\r\n") == std::u16string::npos) {
                out += cell;
                continue;
            }
            out += u'"';
            for (const char16_t c : cell) {
                if (c == u'"')
                    out += u'"';
                out += c;
            }
            out += u'"';
        }
        out += u'\n';
    }
    return out;
}

Lifts generateLifts(const LiftRequest& request, const LayerRow& valuesFrom, int layerRows)
{
    // In whole centimetres, held exactly as doubles: no division leaves a remainder by rounding.
    const double surface = std::round(request.surface * 100);
    const double top = std::round(request.top * 100);
    const double thickness = std::round(request.thickness * 100);
    Lifts lifts;
    lifts.height = (top - surface) / 100;
    if (top <= surface) {
        lifts.fault = LiftFault::TopNotAbove;
        return lifts;
    }
    if (thickness <= 0 || std::fmod(top - surface, thickness) != 0) {
        lifts.fault = LiftFault::NotDivided;
        return lifts;
    }
    const double count = (top - surface) / thickness;
    lifts.layerCount = layerRows + count;
    if (lifts.layerCount > kMaxLayers) {
        lifts.fault = LiftFault::TooManyLayers;
        return lifts;
    }
    NameRuleResult name = applyNameRule(request.name);
    lifts.nameCut = name.cut;
    for (double i = count; i >= 1; --i) {
        LayerRow row = valuesFrom;
        row[kNameColumn] = liftName(name.name, i);
        row[kOffsetColumn] = decimalCell(static_cast<float>((surface + i * thickness) / 100));
        lifts.rows.push_back(std::move(row));
    }
    return lifts;
}

std::u16string cellName(CellPlace place, std::int32_t taal)
{
    std::u16string out = withNumbers(catalogueText(taal, 117), {number(place.row + 1)});
    out += u", ";
    out += catalogueText(taal, place.column == kThicknessColumn ? 110 : 30 + place.column);
    return out;
}

std::u16string cellFaultText(const PasteFault& fault, std::int32_t taal)
{
    switch (fault.fault) {
    case CellFault::Empty: return std::u16string(catalogueText(taal, 122));
    case CellFault::NotDecimal: return withNumbers(catalogueText(taal, 68), {shownField(fault.text)});
    case CellFault::NotWhole: return withNumbers(catalogueText(taal, 69), {shownField(fault.text)});
    case CellFault::TooLong: return std::u16string(catalogueText(taal, 74));
    case CellFault::ControlCharacter: return std::u16string(catalogueText(taal, 75));
    case CellFault::Semicolon: return std::u16string(catalogueText(taal, 76));
    case CellFault::TooManyFields:
        return withNumbers(catalogueText(taal, 120),
                           {number(static_cast<double>(fault.fields)), number(kValueColumns - fault.place.column)});
    case CellFault::None: break;
    }
    return {};
}

std::u16string pasteRefusal(const Paste& paste, std::int32_t taal)
{
    if (paste.mixedMarks)
        return std::u16string(catalogueText(taal, 119)) + cellName(*paste.mixedMarks, taal);
    if (!paste.refused())
        return {};
    std::u16string out(catalogueText(taal, 116));
    for (std::size_t i = 0; i < paste.faults.size() && i < kNamedCells; ++i) {
        const PasteFault& fault = paste.faults[i];
        out += u'\n';
        out += fault.fault == CellFault::TooManyFields ? withNumbers(catalogueText(taal, 117), {number(fault.place.row + 1)})
                                                       : cellName(fault.place, taal);
        out += u": ";
        out += cellFaultText(fault, taal);
    }
    if (paste.faults.size() > kNamedCells)
        out += u"\n\u2026 (+" + number(static_cast<double>(paste.faults.size() - kNamedCells)) + u")";
    if (paste.layerCount > kMaxLayers)
        out += u"\n" + withNumbers(catalogueText(taal, 121), {number(static_cast<double>(paste.layerCount))});
    return out;
}

std::u16string liftRefusal(const Lifts& lifts, std::int32_t taal)
{
    switch (lifts.fault) {
    case LiftFault::TopNotAbove: return std::u16string(catalogueText(taal, 128));
    case LiftFault::NotDivided: return withNumbers(catalogueText(taal, 129), {formatFixed2u(lifts.height)});
    case LiftFault::TooManyLayers: return withNumbers(catalogueText(taal, 121), {number(lifts.layerCount)});
    case LiftFault::None: break;
    }
    return {};
}

}  // namespace kobalin
