#pragma once

#include <cstdint>

namespace kobalin {

// Qt's own texts (the file dialog, a text field's context menu) in the run's
// language, for the languages Qt has them in: Danish, French and Dutch.
// Swedish and Norwegian keep Qt's English (Debian ships no qtbase_sv, and
// Nynorsk is not the Bokmål the catalogue is written in). Any translation
// loaded before is taken away first. Returns whether one was loaded.
bool loadQtTranslations(std::int32_t base);

}  // namespace kobalin
