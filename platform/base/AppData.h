#pragma once
#include <filesystem>

// The user's application-data folder: $XDG_CONFIG_HOME, or $HOME/.config when that is unset.
std::filesystem::path GetAppDataFolder();
