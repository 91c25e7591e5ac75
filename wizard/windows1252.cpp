#include "wizard/windows1252.h"

#include <array>

namespace kobalin {

namespace {

// Bytes 0x80 to 0x9F; every other byte is the character of the same number.
// The five bytes the code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// stand for the control characters of their number, as Windows' own
// conversion has it, so that no byte is lost on the way through.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

char16_t fromWindows1252(unsigned char byte) { return byte >= 0x80 && byte <= 0x9F ? kHigh[byte - 0x80] : char16_t{byte}; }

std::optional<unsigned char> toWindows1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void appendWindows1252(std::string& out, std::u16string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (const auto byte = toWindows1252(text[i])) {
            out += static_cast<char>(*byte);
            continue;
        }
        out += '?';
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]))
            ++i;
    }
}

}  // namespace kobalin
