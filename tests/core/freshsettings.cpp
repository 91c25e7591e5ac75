#include "freshsettings.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

void FreshSettings::SetUp()
{
    static std::atomic<int> counter{0};
#ifdef _WIN32
    const std::string id = std::to_string(GetCurrentProcessId());
#else
    const std::string id = std::to_string(::getpid());
#endif
    folder = fs::temp_directory_path() / ("kobalin-test-" + id + "-" + std::to_string(counter++));
    fs::remove_all(folder);
    fs::create_directories(folder);
#ifdef _WIN32
    RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Tendrik\\kobalin");
#else
    ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
#endif
}

void FreshSettings::TearDown()
{
    std::error_code ec;
    fs::remove_all(folder, ec);
}

std::string slurp(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void spit(const fs::path& file, const std::string& bytes)
{
    if (file.has_parent_path())
        fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}
