#pragma once

#include <filesystem>

namespace kobalin {

// The folder of the user's settings: $XDG_CONFIG_HOME, or ~/.config when it is
// unset. Not used on Windows, where the settings are in the registry.
std::filesystem::path userConfigFolder();

// The program's own per-user folder for what it keeps beside the settings (the
// unwritten run, copies of replaced layer files): on Windows
// %LOCALAPPDATA%\Tendrik\kobalin, elsewhere <userConfigFolder>/Tendrik/kobalin.
std::filesystem::path keptFilesFolder();

}  // namespace kobalin
