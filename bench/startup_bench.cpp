// Start-up to the first painted wizard window, against Qt showing an empty
// window. A QApplication cannot be made again and again in one process, so
// each iteration starts a whole process and waits for its "painted" line.
#include "benchsupport.h"

#include "app/settings.h"
#include "app/settingsfile.h"
#include "i18n/catalogue.h"

#include <cerrno>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bench {

namespace {

// The environment of the started programs: this one's, with a settings store
// of their own that holds only the language and the link choice, whatever
// the other benchmarks leave in theirs.
std::vector<std::string> startupEnvironment()
{
    const std::filesystem::path config = scratch() / "startup-config";
    auto key = kobalin::openFileSettingsKey(config / "Tendrik" / "kobalin.reg", kobalin::kSettingsKey);
    key->writeInteger(u"taal", kobalin::kEnglish);
    key->writeInteger(u"koppel", 1);
    key->close();
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("XDG_CONFIG_HOME=", 0) != 0)
            env.emplace_back(*e);
    env.push_back("XDG_CONFIG_HOME=" + config.string());
    return env;
}

// Starts program with its standard output on a pipe; false when it could not.
bool spawn(const char* program, const char* argument, char* const* env, pid_t& pid, int& output)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    // The offscreen platform's warnings would bury the figures; a program
    // that fails shows as an error of the benchmark.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(program), const_cast<char*>(argument), nullptr};
    const int error = posix_spawn(&pid, program, &actions, nullptr, argv, env);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (error != 0) {
        ::close(fds[0]);
        return false;
    }
    output = fds[0];
    return true;
}

// Waits for the line the program writes once its window is painted.
bool waitForPaint(int output)
{
    std::string seen;
    char buffer[64];
    while (seen.find("painted\n") == std::string::npos) {
        const ssize_t n = ::read(output, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        seen.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

struct Child {
    pid_t pid = -1;
    int output = -1;
    bool painted = false;
};

// Up to the first paint: what is timed.
Child startUntilPainted(const char* program, const char* argument, char* const* env)
{
    Child child;
    if (spawn(program, argument, env, child.pid, child.output))
        child.painted = waitForPaint(child.output);
    return child;
}

// Its exit is not part of its start. False when it failed.
bool finish(const Child& child)
{
    if (child.pid < 0)
        return false;
    ::close(child.output);
    int status = 0;
    ::waitpid(child.pid, &status, 0);
    return child.painted && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The program's start beside the bare window's, beside the bare window with a
// line of text, and beside the bare window with the first step's words.
void startup(benchmark::State& state)
{
    std::vector<std::string> env = startupEnvironment();
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    Pair pair(state);
    bool ok = true;
    for (auto _ : state) {
        Child child;
        // Each one ends before the next starts, untimed.
        pair.figure([&] { child = startUntilPainted(KOBALIN_BENCH_STARTUP, nullptr, envp.data()); });
        ok = finish(child) && ok;
        pair.floor("floor_ms", [&] { child = startUntilPainted(KOBALIN_BENCH_BARE, nullptr, envp.data()); });
        ok = finish(child) && ok;
        pair.floor("text_ms", [&] { child = startUntilPainted(KOBALIN_BENCH_BARE, "--text", envp.data()); });
        ok = finish(child) && ok;
        pair.floor("step1_ms", [&] { child = startUntilPainted(KOBALIN_BENCH_BARE, "--step1", envp.data()); });
        ok = finish(child) && ok;
        pair.lap();
        if (!ok) {
            state.SkipWithError("a program did not show its window");
            break;
        }
    }
}

}  // namespace

void registerStartupBenchmarks() { timed(benchmark::RegisterBenchmark("Startup/program", startup))->MinTime(2); }

}  // namespace bench
