#pragma once

#include "app/settings.h"

#include <filesystem>

namespace kobalin {

// $XDG_CONFIG_HOME/Tendrik/kobalin.reg, with ~/.config when XDG_CONFIG_HOME is unset.
std::filesystem::path settingsFilePath();

// Opens a key of the per-user settings file. Each use reads the file afresh;
// close() merges this use's writes into the file as it is then, under a lock,
// so concurrent instances lose none of each other's values.
std::unique_ptr<SettingsKey> openFileSettingsKey(const std::filesystem::path& file, std::u16string_view keyPath);

}  // namespace kobalin
