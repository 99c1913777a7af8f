// Folder and file names in any script, with blanks and quotes, through every command that
// takes or shows a path: the command line, Open, Save, Save As, the recent-file list, a
// dropped file, the exports, the settings file and the user manual. The paths are built
// and checked through Qt, not through the conversion under test.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include "AppTestUtil.h"
#include "app/AppIds.h"
#include "app/ChildFrame.h"
#include "app/doc/QELDoc.h"
#include "app/pdf/PdfPane.h"
#include "common/FileNames.h"
#include "common/TestEnv.h"
#include "core/bridge/Bridge.h"
#include "doc/AnalysisTestUtil.h"

using namespace qeltest;

namespace {

QString Q(const std::wstring& s)
{
    return QString::fromStdWString(s);
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class FileNames : public AppFixture, public ::testing::WithParamInterface<FileNameCase> {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        m_Folder =
            QDir(QString::fromStdString(TempRoot().string())).filePath(QString::fromWCharArray(GetParam().folder));
        ASSERT_TRUE(QDir().mkpath(m_Folder));
        m_Stem = QString::fromWCharArray(GetParam().stem);
    }
    void TearDown() override
    {
        UseAnalysisDialogs(nullptr);
        AppFixture::TearDown();
    }

    std::wstring PathOf(const char* extension) const
    {
        return (m_Folder + QLatin1Char('/') + m_Stem + QLatin1String(extension)).toStdWString();
    }
    std::wstring BoxTexts() const
    {
        std::wstring s;
        for (const Box& b : boxes)
            s += b.text + L"\n";
        return s;
    }
    void AddBridge(const wchar_t* description)
    {
        CQELDoc* doc = app->GetDocument();
        doc->m_vBridge.push_back(std::make_shared<CBridge>(1, description, BC_ONESPAN, 20.0));
        doc->SetModifiedFlag();
    }
    // The case of the file is open, under its name, with no message on the way.
    void ExpectCaseOpen(const std::wstring& path, size_t nBridges)
    {
        EXPECT_EQ(BoxTexts(), L"");
        boxes.clear();
        CQELDoc* doc = app->GetDocument();
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(doc->GetPathName(), path);
        EXPECT_EQ(doc->m_vBridge.size(), nBridges);
        EXPECT_FALSE(doc->IsModified());
        EXPECT_EQ(ShownTitle(&Frame()).toStdWString(), (m_Stem + QStringLiteral(".qel - Pellomar QEL")).toStdWString());
        const auto& recent = app->GetRecentFileList().GetFiles();
        ASSERT_FALSE(recent.empty());
        EXPECT_EQ(recent.front(), path);
    }
    CChildFrame* ResultWindow(const QString& kind)
    {
        for (CChildFrame* f : Frame().GetChildFrames(app->GetDocument()))
            if (f->windowTitle().endsWith(kind))
                return f;
        return nullptr;
    }
    void Activate(CChildFrame* f)
    {
        Frame().GetMdiArea()->setActiveSubWindow(f);
        ProcessEvents();
        Frame().UpdateCommandUI();
    }

    QString m_Folder;
    QString m_Stem;
};

TEST_P(FileNames, SaveAsSaveOpenTheRecentListADropAndTheCommandLineKeepTheName)
{
    const std::wstring path = PathOf(".qel");
    Start();
    AddBridge(GetParam().stem);

    // Save As writes the file, says nothing, and the case takes the new name.
    fileAnswer = path;
    EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_SAVE_AS));
    EXPECT_TRUE(QFileInfo(Q(path)).isFile());
    ExpectCaseOpen(path, 1);
    Frame().UpdateCommandUI();
    // The menu shows an ampersand of the name as it stands, not as a shortcut mark.
    EXPECT_EQ(Frame().GetCommandAction(ID_FILE_MRU_FILE1)->text().toStdWString(),
              (QStringLiteral("&1 ") + Q(path).replace(QLatin1Char('&'), QStringLiteral("&&"))).toStdWString());

    // Save writes the change into the same file.
    AddBridge(L"second");
    EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_SAVE));
    ExpectCaseOpen(path, 2);

    // Open, after New.
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_NEW));
    fileAnswer = path;
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_OPEN));
    ExpectCaseOpen(path, 2);
    EXPECT_EQ(app->GetDocument()->m_vBridge[0]->m_Description, GetParam().stem);
    Frame().UpdateCommandUI();
    SaveScreenshot(&Frame(), (std::string("file-names-") + GetParam().label + ".png").c_str());

    // The recent-file list outlives the run and opens the file at the next start.
    Quit();
    Start();
    ASSERT_EQ(app->GetRecentFileList().GetFiles().size(), 1u);
    EXPECT_EQ(app->GetRecentFileList().GetFiles().front(), path);
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_MRU_FILE1));
    ExpectCaseOpen(path, 2);

    // Dropped on the window.
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_NEW));
    EXPECT_TRUE(Frame().OnDropFiles({QUrl::fromLocalFile(Q(path))}));
    ExpectCaseOpen(path, 2);
    Quit();

    // Named on the command line, in full and as a name in the folder the program starts in.
    Start({Q(path)});
    ExpectCaseOpen(path, 2);
    Quit();
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_Folder);
    Start({m_Stem + QStringLiteral(".qel")});
    QDir::setCurrent(before);
    ExpectCaseOpen(path, 2);
}

TEST_P(FileNames, EachExportWritesItsFileUnderTheName)
{
    Start();
    ScriptedAnalysisDialogs dialogs;
    UseAnalysisDialogs(&dialogs);
    CQELDoc* doc = app->GetDocument();
    doc->m_vBridge.push_back(Span(20.0));
    doc->m_vLoadModel.push_back(Axle());
    dialogs.movingLoad = MovingLoadByStep(1.0);
    ASSERT_TRUE(Frame().ExecuteCommand(32772)); // Analysis > Moving Load
    ProcessEvents();
    CChildFrame* grid = ResultWindow(QStringLiteral("Grid"));
    CChildFrame* plot = ResultWindow(QStringLiteral("Plot"));
    ASSERT_TRUE(grid && plot);
    boxes.clear();

    // Save Grid.
    Activate(grid);
    const std::wstring csv = PathOf(".csv");
    fileAnswer = csv;
    ASSERT_TRUE(Frame().ExecuteCommand(CChildFrame::ID_SAVE_GRID));
    EXPECT_EQ(BoxTexts(), L"Grid succesfully saved.\n");
    EXPECT_TRUE(ReadFile(Q(csv)).startsWith("sep=;\r\n"));

    // Save Image, as a bitmap and as a PNG.
    Activate(plot);
    for (const char* extension : {".bmp", ".png"}) {
        SCOPED_TRACE(extension);
        boxes.clear();
        fileAnswer = PathOf(extension);
        ASSERT_TRUE(Frame().ExecuteCommand(CChildFrame::ID_SAVE_IMAGE));
        EXPECT_EQ(BoxTexts(), L"Image succesfully saved.\n");
        EXPECT_EQ(QImage(Q(*fileAnswer)).size(), plot->size());
    }

    // Print, to a PDF file named in the standard print window.
    Activate(grid);
    boxes.clear();
    const QString pdf = Q(PathOf(".pdf"));
    bool bAnswered = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        auto* printers = dlg->findChild<QComboBox*>(QStringLiteral("printers"));
        auto* fileName = dlg->findChild<QLineEdit*>(QStringLiteral("filename"));
        auto* buttons = dlg->findChild<QDialogButtonBox*>();
        const int toFile = printers ? printers->findText(QStringLiteral("Print to File (PDF)")) : -1;
        if (toFile < 0 || !fileName || !buttons || !buttons->button(QDialogButtonBox::Ok)) {
            dlg->reject();
            FAIL() << "the print window offers no PDF file";
        }
        printers->setCurrentIndex(toFile);
        fileName->setText(pdf);
        bAnswered = true;
        buttons->button(QDialogButtonBox::Ok)->click();
    });
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_PRINT));
    ASSERT_TRUE(bAnswered);
    EXPECT_EQ(BoxTexts(), L"");
    QPdfDocument printed;
    ASSERT_EQ(printed.load(pdf), QPdfDocument::Error::None);
    EXPECT_GE(printed.pageCount(), 1);
}

TEST_P(FileNames, TheSettingsFileAndTheUserManualAreFoundUnderTheName)
{
    Start();
    const std::wstring manual = PathOf(".pdf");
    {
        QPdfWriter writer(Q(manual));
        QPainter painter(&writer);
        painter.drawText(200, 200, QStringLiteral("QEL User Manual"));
    }
    // The settings file in such a folder keeps a manual's path of such a name.
    const std::wstring settings = (m_Folder + QStringLiteral("/QEL.xml")).toStdWString();
    g_pSettings->General.HELPFILEPATH = manual;
    std::wstring sMessage;
    ASSERT_TRUE(CSettings::Save(settings, sMessage)) << QString::fromStdWString(sMessage).toStdString();
    g_pSettings->SetDefaults();
    ASSERT_TRUE(CSettings::Load(settings, sMessage)) << QString::fromStdWString(sMessage).toStdString();
    EXPECT_EQ(g_pSettings->General.HELPFILEPATH, manual);

    // Help > PDF Help shows it.
    ASSERT_TRUE(Frame().ExecuteCommand(ID_PANE_PDFHELP));
    EXPECT_EQ(BoxTexts(), L"");
    auto* pane = qobject_cast<CPdfPane*>(Frame().GetPaneContent(ID_PANE_PDFHELP));
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->Document()->pageCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Scripts, FileNames, ::testing::ValuesIn(kFileNameCases),
                         [](const ::testing::TestParamInfo<FileNameCase>& info) { return info.param.label; });

}
