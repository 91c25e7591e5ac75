#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kobalin {

// Offsets and speeds as the user types them: "." is the decimal mark whatever
// the user's locale, spaces around the number are ignored. Nothing is returned
// for text that is not a number, or for a value that would not be finite once
// held in single precision.
std::optional<double> readDecimal(std::u16string_view text);

// The layer editor's whole numbers (passes, tolerances, CMV): kLeastCount to
// kMostCount, as typed into a count field or read from a file: spaces around
// them, a "+" and leading zeros allowed.
inline constexpr std::int32_t kLeastCount = 0;
inline constexpr std::int32_t kMostCount = 100;
std::optional<std::int32_t> readCount(std::u16string_view text);

// C's "%<width>.2f": two decimals, "." as mark, right-aligned to width.
std::string formatFixed2(double value, int width = 0);
std::u16string formatFixed2u(double value, int width = 0);

// The text of a decimal field, as C's "%7.2f".
inline std::u16string formatField(double value) { return formatFixed2u(value, 7); }

}  // namespace kobalin
