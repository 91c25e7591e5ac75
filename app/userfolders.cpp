#include "app/userfolders.h"

#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kobalin {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
std::wstring environment(const wchar_t* name)
{
    std::wstring value(MAX_PATH, L'\0');
    DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    if (length >= value.size()) {
        value.resize(length);
        length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    }
    value.resize(length < value.size() ? length : 0);
    return value;
}
#endif

}  // namespace

fs::path userConfigFolder()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config)
        return config;
    const char* home = std::getenv("HOME");
    return fs::path(home ? home : ".") / ".config";
}

fs::path keptFilesFolder()
{
#ifdef _WIN32
    fs::path local = environment(L"LOCALAPPDATA");
    if (local.empty())
        local = fs::path(environment(L"USERPROFILE")) / L"AppData" / L"Local";
    return local / L"Tendrik" / L"kobalin";
#else
    return userConfigFolder() / "Tendrik" / "kobalin";
#endif
}

}  // namespace kobalin
