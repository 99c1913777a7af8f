#include "app/ChildFrame.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/QELApp.h"
#include "app/doc/QELDoc.h"
#include "controls/bitmap/WindowToBMP.h"
#include "controls/grid/GridCtrl.h"
#include "platform/base/CLocale.h"
#include "platform/base/FileReplace.h"
#include "platform/win/FileDialog.h"
#include "platform/win/MessageBox.h"
#include "ui/mainview/QELView.h"
#include "ui/views/GridView.h"

namespace {

// Writes a file through a scratch copy: the writer fills a file in a private folder, and
// its bytes then replace the target in one step. The grid's own save reports an unusable
// name in boxes of its own; written to the scratch file it never meets one, so the frame's
// single message stands alone.
template <class Writer>
bool ReplaceThroughScratch(const std::wstring& sTarget, Writer write)
{
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return false;
    const QString path = scratch.filePath(QStringLiteral("out"));
    if (!write(path.toStdWString()))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    try {
        ReplaceFileContents(WideToPath(sTarget), std::string_view(bytes.constData(), bytes.size()));
    } catch (const CFileWriteError&) {
        return false;
    }
    return true;
}

constexpr const wchar_t* kBitmapFilter = L"Bitmap files (*.bmp)";
constexpr const wchar_t* kPngFilter = L"PNG files (*.png)";

std::optional<std::wstring> AskSavePath(QWidget* owner, const wchar_t* filter, const wchar_t* suffix)
{
    FileDialogRequest request;
    request.bSave = true;
    request.sFilter = filter;
    request.sDefaultSuffix = suffix;
    return RunFileDialog(owner, request);
}

}

CChildFrame::CChildFrame(CQELApp& app, CQELDoc* pDoc, QWidget* pView, bool bCaseWindow)
    : m_App(app), m_pDoc(pDoc), m_bCaseWindow(bCaseWindow)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(pView);
    // The frame keeps the title its creator gives it (the case's); the main view's own
    // title names the load model on its printed pages.
}

void CChildFrame::closeEvent(QCloseEvent* e)
{
    bool bAccept = true;
    CallHandlerGuarded([&] {
        // The last window of the case closes the case, after the save question.
        if (m_pDoc && m_App.IsLastFrameOf(this)) {
            if (!m_App.CanCloseDocument()) {
                bAccept = false;
                return;
            }
            m_App.CloseDocument();
        }
    });
    if (bAccept) {
        // Only result windows are counted, so the case window leaves the count alone.
        if (m_pDoc && !m_bCaseWindow && m_pDoc->m_nWindowCount != 0)
            --m_pDoc->m_nWindowCount;
        m_bClosed = true;
        QMdiSubWindow::closeEvent(e);
    } else
        e->ignore();
}

CGridCtrl* CChildFrame::GetViewGrid(QWidget* pView)
{
    if (!pView || pView->property("viewKind").toInt() != 1)
        return nullptr;
    for (QWidget* w : pView->findChildren<QWidget*>())
        if (auto* grid = dynamic_cast<CGridCtrl*>(CWnd::FromHandle(w)))
            return grid;
    return nullptr;
}

CView* CChildFrame::GetPrintView(QWidget* pView)
{
    if (!pView)
        return nullptr;
    if (auto* pMainView = qobject_cast<CQELView*>(pView))
        return pMainView;
    return dynamic_cast<CView*>(CWnd::FromHandle(pView));
}

CGridView* CChildFrame::GetGridView(QWidget* pView)
{
    return pView ? dynamic_cast<CGridView*>(CWnd::FromHandle(pView)) : nullptr;
}

void CChildFrame::OnSaveAsBitmap()
{
    FileDialogRequest request;
    request.bSave = true;
    request.sFilter = std::wstring(kBitmapFilter) + L";;" + kPngFilter;
    request.sDefaultSuffix = L"bmp";
    std::wstring sFilter;
    request.pSelectedFilter = &sFilter;
    std::optional<std::wstring> path = RunFileDialog(this, request);
    if (!path)
        return;
    // A name that says which kind it is decides; otherwise the chosen filter does.
    const QString suffix = QFileInfo(QString::fromStdWString(*path)).suffix().toLower();
    const bool bPng = suffix == QLatin1String("png") || (suffix != QLatin1String("bmp") && sFilter == kPngFilter);
    if (suffix.isEmpty())
        *path += bPng ? L".png" : L".bmp";
    repaint(); // the dialog's remains must not be in the picture
    bool bSaved = false;
    if (HGLOBAL hDIB = CWindowToBMP::CaptureWindow(static_cast<QWidget*>(this))) {
        // The writers replace the file in one step: a failed write leaves the old picture.
        bSaved =
            (bPng ? CWindowToBMP::WritePNG(path->c_str(), hDIB) : CWindowToBMP::WriteDIB(path->c_str(), hDIB)) != FALSE;
        GlobalFree(hDIB);
    }
    if (bSaved)
        AfxMessageBox(L"Image succesfully saved.", MB_OK | MB_ICONINFORMATION);
    else
        AfxMessageBox(L"Image saving failed", MB_OK | MB_ICONERROR);
}

void CChildFrame::OnSaveGridAsCSV()
{
    QWidget* pView = GetView();
    if (!pView)
        return;
    const std::optional<std::wstring> path = AskSavePath(this, L"CSV files (*.csv)", L"csv");
    if (!path)
        return;
    repaint();
    CGridCtrl* pGrid = GetViewGrid(pView);
    const bool bSaved = pGrid && ReplaceThroughScratch(*path, [&](const std::wstring& scratch) {
                            return pGrid->Save(scratch.c_str()) != FALSE;
                        });
    if (bSaved)
        AfxMessageBox(L"Grid succesfully saved.", MB_OK | MB_ICONINFORMATION);
    else
        AfxMessageBox(L"Grid saving failed", MB_OK | MB_ICONERROR);
}
