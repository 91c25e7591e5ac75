#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// Gives each test an empty settings store of its own, never the user's:
// a new XDG_CONFIG_HOME folder, or on Windows an emptied key and a new
// LOCALAPPDATA folder (where the run is kept).
class FreshSettings : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path folder;  // a scratch folder for the test's own files
};

// A file's bytes, empty when it cannot be read.
std::string slurp(const std::filesystem::path& file);
// Writes bytes as the file, making its folder if needed.
void spit(const std::filesystem::path& file, const std::string& bytes);

#ifndef _WIN32
// Runs child(p) in `processes` forked processes that all start at the same
// moment, so that they really overlap; true when every one returned true.
bool allSucceedTogether(int processes, const std::function<bool(int p)>& child);

// Runs check in a child process as a user without root's rights: "nobody"
// when the tests run as root, else the user running them. Gives check's
// message, empty when it found nothing wrong; nullopt when root's rights
// cannot be dropped.
std::optional<std::string> runWithoutRoot(const std::function<std::string()>& check);
// Makes file (or folder) the own of the user runWithoutRoot runs as.
void giveToUserWithoutRoot(const std::filesystem::path& file);
#endif
