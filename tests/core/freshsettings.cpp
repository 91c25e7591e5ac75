#include "freshsettings.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
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
    // The kept run and the copies of replaced files live there.
    SetEnvironmentVariableW(L"LOCALAPPDATA", (folder / "local").wstring().c_str());
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

#ifndef _WIN32
bool allSucceedTogether(int processes, const std::function<bool(int p)>& child)
{
    // The children wait at this pipe until all of them exist.
    int start[2];
    if (::pipe(start) != 0)
        return false;
    for (int p = 0; p < processes; ++p) {
        if (::fork() == 0) {
            ::close(start[1]);
            char go;
            (void)!::read(start[0], &go, 1);
            bool ok = false;
            try {
                ok = child(p);
            } catch (...) {
            }
            ::_exit(ok ? 0 : 1);
        }
    }
    ::close(start[0]);
    ::close(start[1]);
    bool all = true;
    for (int p = 0; p < processes; ++p) {
        int status = 0;
        ::wait(&status);
        all = all && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    return all;
}

namespace {

struct User {
    uid_t uid;
    gid_t gid;
};

User userWithoutRoot()
{
    if (::geteuid() != 0)
        return {::geteuid(), ::getegid()};
    const passwd* nobody = ::getpwnam("nobody");
    return nobody ? User{nobody->pw_uid, nobody->pw_gid} : User{65534, 65534};
}

}  // namespace

void giveToUserWithoutRoot(const fs::path& file)
{
    const User user = userWithoutRoot();
    if (::geteuid() == 0 && ::chown(file.c_str(), user.uid, user.gid) != 0)
        ADD_FAILURE() << "cannot give " << file << " to the user without root";
}

std::optional<std::string> runWithoutRoot(const std::function<std::string()>& check)
{
    constexpr int kCannotDrop = 77;
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child < 0)
        return "no child process";
    if (child == 0) {
        ::close(pipeEnds[0]);
        const User user = userWithoutRoot();
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(user.gid) != 0 || ::setuid(user.uid) != 0))
            ::_exit(kCannotDrop);
        std::string message;
        try {
            message = check();
        } catch (const std::exception& e) {
            message = std::string("exception: ") + e.what();
        }
        (void)!::write(pipeEnds[1], message.data(), message.size());
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string message;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotDrop)
        return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return message + " (the child ended with status " + std::to_string(status) + ")";
    return message;
}
#endif
