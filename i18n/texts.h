#pragma once

// The catalogue's tables, one per language; each language beyond the first
// three lives in a file of its own (texts_sv.cpp and so on).

#include <array>
#include <cstddef>
#include <string_view>

namespace kobalin {

// Every language has the same offsets; 4 to 11 were never assigned, so those
// slots stay empty and a lookup of them yields an empty text.
inline constexpr std::size_t kTextsPerLanguage = 155;
using TextTable = std::array<std::u16string_view, kTextsPerLanguage>;

extern const TextTable kSwedishTexts;
extern const TextTable kFrenchTexts;
extern const TextTable kDanishTexts;

}  // namespace kobalin
