#include <QDir>
#include <QSettings>
#include <gtest/gtest.h>

#include "common/FileNames.h"
#include "platform/profile/Profile.h"

using namespace qeltest;

namespace {

// Names in any script go into the list whole, as full paths, and reach the profile file.
TEST(RecentFileList, KeepsNamesInAnyScriptAsFullPathsInTheProfileFile)
{
    CProfile::Clear();
    CRecentFileList list(4);
    std::vector<std::wstring> full;
    for (const FileNameCase& c : kFileNameCases) {
        SCOPED_TRACE(c.label);
        const std::wstring name = std::wstring(c.folder) + L"/" + c.stem + L".qel";
        list.Add(name); // relative: taken from the current folder
        full.insert(full.begin(), QDir::current().filePath(QString::fromStdWString(name)).toStdWString());
        ASSERT_FALSE(list.GetFiles().empty());
        EXPECT_EQ(list.GetFiles().front(), full.front());
    }
    // The newest four, newest first; adding one again moves it to the front.
    full.resize(4);
    EXPECT_EQ(list.GetFiles(), full);
    list.Add(full[2]);
    EXPECT_EQ(list.GetFiles(), (std::vector<std::wstring>{full[2], full[0], full[1], full[3]}));

    list.WriteList();
    CProfile::Flush();
    const QSettings file(QString::fromStdWString(CProfile::FileName()), QSettings::IniFormat);
    EXPECT_EQ(file.value(QStringLiteral("Recent File List/File1")).toString().toStdWString(), full[2]);
    CRecentFileList read(4);
    read.ReadList();
    EXPECT_EQ(read.GetFiles(), list.GetFiles());
    CProfile::Clear();
}

}
