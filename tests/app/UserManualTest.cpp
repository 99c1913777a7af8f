#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/pdf/UserManual.h"
#include "common/TestEnv.h"

using namespace qeltest;

namespace {

namespace fs = std::filesystem;

// Which manual Help > PDF Help shows, for each state of the setting: what the user named
// wins, a fresh installation (the default, with nothing there) shows the program's own.
TEST(UserManual, TheSettingWinsWhenItNamesAFileElseTheProgramsOwnStandsIn)
{
    const fs::path root = TempRoot() / "manual-choice";
    fs::create_directories(root / "config" / "QEL");
    fs::create_directories(root / "bin");
    fs::create_directories(root / "share");
    const auto touch = [](const fs::path& p) { std::ofstream(p) << "%PDF-1.4\n"; };
    const std::wstring userDefault = (root / "config" / "QEL" / "QEL User Manual.pdf").wstring();
    const std::wstring userNamed = (root / "mine.pdf").wstring();
    const std::wstring userMissing = (root / "gone.pdf").wstring();
    const std::wstring besideExe = (root / "bin" / "QEL User Manual.pdf").wstring();
    const std::wstring installed = (root / "share" / "QEL User Manual.pdf").wstring();
    touch(userNamed);
    touch(installed);

    struct Case {
        const char* name;
        std::wstring setting;
        bool bDefaultExists;
        std::wstring expected;
    };
    const Case cases[] = {
        {"a named file is shown", userNamed, false, userNamed},
        {"a named file that is gone is still the one tried", userMissing, false, userMissing},
        {"an empty setting shows the program's own", L"", false, installed},
        {"the default with nothing there shows the program's own", userDefault, false, installed},
        {"a manual put at the default place is shown", userDefault, true, userDefault},
    };
    for (const Case& c : cases) {
        fs::remove(userDefault);
        if (c.bDefaultExists)
            touch(userDefault);
        // The first place that holds a manual is taken; beside the executable holds none.
        EXPECT_EQ(ChooseUserManual(c.setting, userDefault, {besideExe, installed}), c.expected) << c.name;
    }

    // With no manual of its own anywhere, the setting is tried and its message shown.
    fs::remove(userDefault);
    EXPECT_EQ(ChooseUserManual(userDefault, userDefault, {besideExe}), userDefault);
    EXPECT_EQ(ChooseUserManual(L"", userDefault, {}), L"");
    // Beside the executable comes first when both hold one.
    touch(besideExe);
    EXPECT_EQ(ChooseUserManual(L"", userDefault, {besideExe, installed}), besideExe);
    // A folder of that name is no manual.
    fs::create_directories(root / "dir.pdf");
    EXPECT_EQ(ChooseUserManual((root / "dir.pdf").wstring(), userDefault, {besideExe}), (root / "dir.pdf").wstring());
}

TEST(UserManual, ThePlacesSearchedStartBesideTheExecutableAndEndInTheInstalledDataFolder)
{
    const std::vector<std::wstring> paths = BundledUserManualPaths();
    ASSERT_GE(paths.size(), 2u);
    for (const std::wstring& p : paths)
        EXPECT_EQ(fs::path(p).filename().wstring(), L"QEL User Manual.pdf");
    EXPECT_EQ(fs::path(paths.front()).parent_path(), fs::canonical("/proc/self/exe").parent_path());
    EXPECT_EQ(fs::path(paths.back()).parent_path().filename().wstring(), L"qel");
}

}
