#pragma once

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kobalin {

// The run's language for messages composed away from any window that holds
// it, such as the error box of an escaped error. English until the wizard has
// read the stored language.
std::int32_t runLanguage();
void setRunLanguage(std::int32_t base);

// text with %1, %2, ... replaced by values in one pass, so that a value which
// itself holds "%2" (a path may) is left as it is.
std::u16string fillIn(std::u16string_view text, std::initializer_list<std::u16string_view> values);

// "Offset (m): "-0,15" is not a valid number": a field whose text is no
// number; a decimal comma gets the sentence that asks for a point.
std::u16string unreadableNumberMessage(std::int32_t base, std::u16string_view field, std::u16string_view text);

// The user's message for an error that escaped a handler: a failed write of
// a file or of the settings in the run's language with the system's reason,
// any other error's own message.
std::u16string errorMessage(std::int32_t base, const std::exception& error);

}  // namespace kobalin
