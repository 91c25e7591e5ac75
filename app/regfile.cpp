#include "app/regfile.h"

#include "app/utf8.h"

#include <algorithm>
#include <cstdio>

namespace kobalin {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

char16_t foldCase(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c; }

std::u16string foldedName(std::u16string_view name)
{
    std::u16string folded(name);
    for (char16_t& c : folded)
        c = foldCase(c);
    return folded;
}

bool sameName(std::u16string_view a, std::u16string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return foldCase(x) == foldCase(y); });
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a quoted text at the start of s and removes it from s. Besides the
// export's own \\ and \", line breaks are escaped so that a value never spans lines.
bool takeQuoted(std::string_view& s, std::string& out)
{
    if (s.empty() || s.front() != '"')
        return false;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return true;
        }
        if (c == '\\' && i + 1 < s.size()) {
            const char e = s[++i];
            out += e == 'n' ? '\n' : e == 'r' ? '\r' : e;
        } else {
            out += c;
        }
    }
    return false;
}

bool parseDword(std::string_view s, std::int32_t& value)
{
    if (s.empty() || s.size() > 8)
        return false;
    std::uint32_t v = 0;
    for (char c : s) {
        const int d = hexDigit(c);
        if (d < 0)
            return false;
        v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    value = static_cast<std::int32_t>(v);
    return true;
}

bool parseHexBytes(std::string_view s, std::vector<std::uint8_t>& bytes)
{
    s = trim(s);
    if (s.empty())
        return true;
    while (true) {
        const std::string_view item = trim(s.substr(0, s.find(',')));
        if (item.size() != 2 || hexDigit(item[0]) < 0 || hexDigit(item[1]) < 0)
            return false;
        bytes.push_back(static_cast<std::uint8_t>(hexDigit(item[0]) * 16 + hexDigit(item[1])));
        const std::size_t comma = s.find(',');
        if (comma == std::string_view::npos)
            return true;
        s.remove_prefix(comma + 1);
    }
}

bool parseData(std::string_view data, RegValue& value, bool& invalidText)
{
    data = trim(data);
    if (!data.empty() && data.front() == '"') {
        std::string text;
        if (!takeQuoted(data, text) || !trim(data).empty())
            return false;
        bool invalid = false;
        value.type = RegValue::Type::String;
        value.text = fromUtf8(text, &invalid);
        invalidText = invalidText || invalid;
        return true;
    }
    if (data.starts_with("dword:")) {
        value.type = RegValue::Type::Dword;
        return parseDword(data.substr(6), value.dword);
    }
    if (data.starts_with("hex:")) {
        value.type = RegValue::Type::Binary;
        return parseHexBytes(data.substr(4), value.bytes);
    }
    if (data.starts_with("hex(")) {
        const std::size_t close = data.find("):");
        std::vector<std::uint8_t> bytes;
        if (close == std::string_view::npos || !parseHexBytes(data.substr(close + 2), bytes))
            return false;
        value.type = RegValue::Type::Other;
        value.raw = std::string(data);
        return true;
    }
    return false;
}

std::string quote(std::u16string_view text)
{
    std::string out = "\"";
    for (char c : toUtf8(text)) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out + '"';
}

std::string hexByte(std::uint8_t b)
{
    char buffer[3];
    std::snprintf(buffer, sizeof buffer, "%02x", b);
    return buffer;
}

// Splits the text into logical lines: CR LF or LF ends a line, a trailing
// backslash continues it (exports wrap long hex values that way).
std::vector<std::string> logicalLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::string current;
    bool continuing = false;
    // Whether current holds a "=" and a "=\"" (a string value, never wrapped).
    // Only the text just joined is searched, so a long wrapped value costs linear time.
    bool hasEquals = false;
    bool hasString = false;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (continuing)
            line = trim(line);
        const std::size_t from = current.empty() ? 0 : current.size() - 1;
        current += line;
        hasEquals = hasEquals || current.find('=', from) != std::string::npos;
        hasString = hasString || current.find("=\"", from) != std::string::npos;
        continuing = !current.empty() && current.back() == '\\' && hasEquals && !hasString;
        if (continuing) {
            current.pop_back();
            continue;
        }
        lines.push_back(std::move(current));
        current.clear();
        hasEquals = hasString = false;
    }
    if (continuing)
        lines.push_back(std::move(current));
    return lines;
}

std::string_view dropByteOrderMark(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    return bytes;
}

// regedit writes UTF-16 LE with a byte-order mark; accept that too. A last
// odd byte is half a character: it is left out and marks the file damaged.
std::string utf16FileToUtf8(std::string_view bytes, bool& damaged)
{
    std::u16string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(static_cast<std::uint8_t>(bytes[i]) | (static_cast<std::uint8_t>(bytes[i + 1]) << 8));
    damaged = damaged || bytes.size() % 2 != 0;
    return toUtf8(text);
}

}  // namespace

const RegValue* RegKey::find(std::u16string_view name) const
{
    for (const auto& [n, v] : values)
        if (sameName(n, name))
            return &v;
    return nullptr;
}

void RegKey::set(std::u16string_view name, RegValue value)
{
    for (auto& [n, v] : values) {
        if (sameName(n, name)) {
            v = std::move(value);
            return;
        }
    }
    values.emplace_back(std::u16string(name), std::move(value));
}

IndexedRegKey::IndexedRegKey(RegKey key) : key_(std::move(key))
{
    // A name that occurs twice is found at its first place, as RegKey::find does.
    for (std::size_t i = 0; i < key_.values.size(); ++i)
        positions_.try_emplace(foldedName(key_.values[i].first), i);
}

RegKey IndexedRegKey::take()
{
    RegKey taken = std::move(key_);
    key_ = RegKey();
    positions_.clear();
    return taken;
}

const RegValue* IndexedRegKey::find(std::u16string_view name) const
{
    const auto at = positions_.find(foldedName(name));
    return at == positions_.end() ? nullptr : &key_.values[at->second].second;
}

void IndexedRegKey::set(std::u16string_view name, RegValue value)
{
    const auto [at, added] = positions_.try_emplace(foldedName(name), key_.values.size());
    if (added)
        key_.values.emplace_back(std::u16string(name), std::move(value));
    else
        key_.values[at->second].second = std::move(value);
}

const RegKey* RegDocument::find(std::u16string_view path) const
{
    for (const auto& key : keys)
        if (sameName(key.path, path))
            return &key;
    return nullptr;
}

RegKey& RegDocument::obtain(std::u16string_view path)
{
    for (auto& key : keys)
        if (sameName(key.path, path))
            return key;
    keys.push_back(RegKey{std::u16string(path), {}});
    return keys.back();
}

RegDocument RegDocument::parse(std::string_view bytes)
{
    RegDocument doc;
    std::string converted;
    if (bytes.starts_with("\xFF\xFE")) {
        converted = utf16FileToUtf8(bytes, doc.damaged);
        bytes = converted;
    }
    bytes = dropByteOrderMark(bytes);

    // Built apart with their indexes: each value read is looked up by name.
    std::vector<IndexedRegKey> sections;
    IndexedRegKey* current = nullptr;
    bool headerSeen = false;
    for (const std::string& line : logicalLines(bytes)) {
        const std::string_view text = trim(line);
        if (text.empty())
            continue;
        if (!headerSeen) {
            headerSeen = true;
            if (text == kHeader)
                continue;
            doc.damaged = true;
        }
        if (text.front() == '[') {
            bool invalid = false;
            if (text.back() != ']' || text.size() < 3 || text[1] == '-') {
                doc.damaged = true;
                current = nullptr;
                continue;
            }
            const std::u16string path = fromUtf8(text.substr(1, text.size() - 2), &invalid);
            const auto same = std::find_if(sections.begin(), sections.end(),
                                           [&](const IndexedRegKey& k) { return sameName(k.key().path, path); });
            current = same != sections.end() ? &*same : &sections.emplace_back(RegKey{path, {}});
            doc.damaged = doc.damaged || invalid;
            continue;
        }
        std::string_view rest = text;
        std::string name;
        if (!current || !takeQuoted(rest, name) || (rest = trim(rest)).empty() || rest.front() != '=') {
            doc.damaged = true;
            continue;
        }
        RegValue value;
        bool invalid = false;
        if (!parseData(rest.substr(1), value, invalid)) {
            doc.damaged = true;
            continue;
        }
        bool invalidName = false;
        const std::u16string valueName = fromUtf8(name, &invalidName);
        doc.damaged = doc.damaged || invalid || invalidName;
        current->set(valueName, std::move(value));
    }
    for (IndexedRegKey& section : sections)
        doc.keys.push_back(section.take());
    return doc;
}

std::string RegDocument::serialize() const
{
    std::string out(kHeader);
    out += "\n";
    for (const auto& key : keys) {
        out += "\n[" + toUtf8(key.path) + "]\n";
        for (const auto& [name, value] : key.values) {
            out += quote(name) + "=";
            switch (value.type) {
            case RegValue::Type::String: out += quote(value.text); break;
            case RegValue::Type::Dword: {
                char buffer[16];
                std::snprintf(buffer, sizeof buffer, "dword:%08x",
                              static_cast<unsigned>(static_cast<std::uint32_t>(value.dword)));
                out += buffer;
                break;
            }
            case RegValue::Type::Binary:
                out += "hex:";
                for (std::size_t i = 0; i < value.bytes.size(); ++i) {
                    if (i)
                        out += ',';
                    out += hexByte(value.bytes[i]);
                }
                break;
            case RegValue::Type::Other: out += value.raw; break;
            }
            out += "\n";
        }
    }
    return out;
}

}  // namespace kobalin
