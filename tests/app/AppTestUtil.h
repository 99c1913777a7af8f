#pragma once
// A fixture that starts and stops the application in the test process: empty profile and
// settings folder, recorded message boxes and file dialogs with scripted answers.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QWidget>
#include <QWindow>
#include <deque>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ScreenshotFile.h"
#include "app/MainFrame.h"
#include "app/QELApp.h"
#include "core/settings/Settings.h"
#include "platform/profile/Profile.h"
#include "platform/win/FileDialog.h"
#include "platform/win/MessageBox.h"

namespace qeltest {

struct Box {
    std::wstring text;
    std::wstring caption;
    UINT type = 0;
};

inline std::filesystem::path ConfigDir()
{
    return std::filesystem::path(std::getenv("XDG_CONFIG_HOME"));
}
inline std::filesystem::path SettingsFile()
{
    return ConfigDir() / "QEL" / "QEL.xml";
}

// Deletes what closed windows left for later.
inline void ProcessEvents()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline void SaveScreenshot(QWidget* w, const char* name)
{
    w->grab().save(ScreenshotFile(QString::fromLatin1(name)));
}

// A window's title as shown, with "[*]" turned into the mark of unsaved changes or removed.
inline QString ShownTitle(QWidget* w)
{
    return w->windowHandle() ? w->windowHandle()->title() : w->windowTitle();
}

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        CProfile::Clear();
        std::filesystem::remove_all(ConfigDir() / "QEL");
        g_pSettings->SetDefaults();
        m_prevBox = SetMessageBoxAnswerer([this](const std::wstring& t, const std::wstring& c, UINT type) {
            boxes.push_back({t, c, type});
            if (answers.empty())
                return (type & 0x0F) == MB_OK ? IDOK : IDCANCEL;
            const int a = answers.front();
            answers.pop_front();
            return a;
        });
        m_prevFile = SetFileDialogAnswerer([this](const FileDialogRequest& r) {
            fileRequests.push_back(r);
            if (filterAnswer && r.pSelectedFilter)
                *r.pSelectedFilter = *filterAnswer;
            return fileAnswer;
        });
    }

    void TearDown() override
    {
        if (app)
            Quit();
        SetMessageBoxAnswerer(m_prevBox);
        SetFileDialogAnswerer(m_prevFile);
    }

    CQELApp& Start(const QStringList& args = {})
    {
        app = std::make_unique<CQELApp>();
        EXPECT_TRUE(app->InitInstance(args));
        ProcessEvents();
        return *app;
    }

    // As the user quits: the main window closes, then the application exits.
    void Quit()
    {
        app->GetMainFrame()->close();
        ProcessEvents();
        app->ExitInstance();
        app.reset();
        ProcessEvents();
    }

    CMainFrame& Frame() { return *app->GetMainFrame(); }

    std::unique_ptr<CQELApp> app;
    std::vector<Box> boxes;
    std::deque<int> answers;
    std::vector<FileDialogRequest> fileRequests;
    std::optional<std::wstring> fileAnswer;
    std::optional<std::wstring> filterAnswer; // the filter chosen, when not the first

private:
    MessageBoxAnswerer m_prevBox;
    FileDialogAnswerer m_prevFile;
};

}
