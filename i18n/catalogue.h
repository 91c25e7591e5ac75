#pragma once

#include <cstdint>
#include <string_view>

namespace kobalin {

// Language bases of the catalogue; any other base has no texts.
inline constexpr std::int32_t kEnglish = 1000;
inline constexpr std::int32_t kDutch = 2000;
inline constexpr std::int32_t kNorwegian = 3000;
inline constexpr std::int32_t kSwedish = 4000;
inline constexpr std::int32_t kFrench = 5000;
inline constexpr std::int32_t kDanish = 6000;

// The catalogue string with identifier base + k, or an empty text when there
// is none. Safe for every 32-bit base: a hand-edited store may hold any value.
std::u16string_view catalogueText(std::int32_t base, std::int32_t k);

}  // namespace kobalin
