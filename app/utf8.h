#pragma once

#include <string>
#include <string_view>

namespace kobalin {

// UTF-16 to UTF-8. A lone surrogate is kept as its own three-byte form, so that
// every UTF-16 string survives a round trip through fromUtf8.
std::string toUtf8(std::u16string_view text);

// UTF-8 to UTF-16. Bytes that are not UTF-8 become U+FFFD and set *invalid.
std::u16string fromUtf8(std::string_view bytes, bool* invalid = nullptr);

}  // namespace kobalin
