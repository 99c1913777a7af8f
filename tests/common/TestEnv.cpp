#include "TestEnv.h"

#include <cstdlib>
#include <random>
#include <string>
#include <unistd.h>

namespace qeltest {

namespace {
std::filesystem::path g_root;

struct Cleanup {
    ~Cleanup()
    {
        std::error_code ec;
        if (!g_root.empty())
            std::filesystem::remove_all(g_root, ec);
    }
} g_cleanup;
}

void SetUpIsolatedHome()
{
    std::random_device rd;
    g_root = std::filesystem::temp_directory_path() /
             ("qel-test-" + std::to_string(::getpid()) + "-" + std::to_string(rd()));
    std::filesystem::create_directories(g_root / "home");
    std::filesystem::create_directories(g_root / "config");
    ::setenv("HOME", (g_root / "home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (g_root / "config").c_str(), 1);
}

const std::filesystem::path& TempRoot() { return g_root; }

}
