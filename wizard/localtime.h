#pragma once

#include <cstdint>
#include <string>

namespace kobalin {

// The moment seconds (since 1970, UTC) in the user's local time, written by
// strftime's format; at most 31 characters.
std::u16string localTime(std::int64_t seconds, const char* format);

}  // namespace kobalin
