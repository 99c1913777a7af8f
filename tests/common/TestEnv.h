#pragma once
#include <filesystem>

// Every test process works in its own temporary home, so no test touches the user's files.
namespace qeltest {
void SetUpIsolatedHome();
const std::filesystem::path& TempRoot();
}
