#include "app/winerror.h"

#include "app/utf8.h"

#include <windows.h>

namespace kobalin {

std::string windowsErrorMessage(unsigned long error)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text;
    if (length > 0 && buffer)
        text.assign(reinterpret_cast<const char16_t*>(buffer), length);
    LocalFree(buffer);
    // The system's texts end in a line break, and most in a full stop that
    // would sit oddly inside the parentheses of our messages.
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ' || text.back() == u'.'))
        text.pop_back();
    if (text.empty())
        return "error " + std::to_string(error);
    return toUtf8(text);
}

}  // namespace kobalin
