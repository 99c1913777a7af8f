#include "TestEnv.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
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
    // Each test runs in a process of its own and many start at once: mkdtemp makes the folder
    // this process's alone, whatever the others picked.
    std::string templ =
        (std::filesystem::temp_directory_path() / ("qel-test-" + std::to_string(::getpid()) + "-XXXXXX")).string();
    if (!::mkdtemp(templ.data()))
        throw std::runtime_error("cannot make a temporary folder for the test: " + std::string(std::strerror(errno)));
    g_root = templ;
    // Qt reads these for its settings, caches and sockets; without them, processes would share
    // the user's folders or one /tmp/runtime-<user>.
    const struct {
        const char* var;
        const char* dir;
    } dirs[] = {{"HOME", "home"},
                {"XDG_CONFIG_HOME", "config"},
                {"XDG_DATA_HOME", "data"},
                {"XDG_CACHE_HOME", "cache"},
                {"XDG_STATE_HOME", "state"},
                {"XDG_RUNTIME_DIR", "runtime"}};
    for (const auto& d : dirs) {
        const std::filesystem::path p = g_root / d.dir;
        std::filesystem::create_directories(p);
        ::setenv(d.var, p.c_str(), 1);
    }
    // Qt refuses a runtime folder that others may read.
    ::chmod((g_root / "runtime").c_str(), 0700);
}

const std::filesystem::path& TempRoot()
{
    return g_root;
}

}
