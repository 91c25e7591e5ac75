#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kobalin {

// Windows-1252, the code page of the layer file both ways: the 8-bit code page
// of English, Dutch and Norwegian Windows. One table, so every byte reads as
// one character that writes back as the same byte.
char16_t fromWindows1252(unsigned char byte);
std::optional<unsigned char> toWindows1252(char16_t c);

// Text to Windows-1252: a character without a byte (a surrogate pair counts as
// one character) becomes one "?".
void appendWindows1252(std::string& out, std::u16string_view text);

}  // namespace kobalin
