#include "wizard/localtime.h"

#include <ctime>

namespace kobalin {

std::u16string localTime(std::int64_t seconds, const char* format)
{
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, format, &local);
    return std::u16string(text, text + length);
}

}  // namespace kobalin
