#include "platform/print/PrintDriver.h"

#include "platform/gdi/DC.h"
#include "platform/print/AppPrinter.h"
#include "platform/win/MessageBox.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>
#include <memory>

namespace qelprint {

void SetUpPrinter(QPrinter& printer)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
}

BOOL DoPreparePrinting(CPrintInfo* pInfo)
{
    if (!pInfo)
        return FALSE;
    if (pInfo->m_bDirect || pInfo->m_bPreview || !pInfo->m_pPrinter)
        return TRUE;
    QPrinter& printer = *pInfo->m_pPrinter;
    printer.setFromTo(0, 0);
    QPrintDialog dialog(&printer, pInfo->m_pDialogParent);
    dialog.setMinMax(static_cast<int>(pInfo->GetMinPage()), static_cast<int>(pInfo->GetMaxPage()));
    if (dialog.exec() != QDialog::Accepted)
        return FALSE;
    if (printer.printRange() == QPrinter::PageRange) {
        pInfo->m_nFromPage = static_cast<UINT>(printer.fromPage());
        pInfo->m_nToPage = static_cast<UINT>(printer.toPage());
    }
    return TRUE;
}

int RunJob(CPrintable& printable, QPrinter& printer, CPrintInfo& info)
{
    info.m_pPrinter = &printer;
    if (!printable.OnPreparePrinting(&info))
        return -1;
    CDC dc;
    if (!dc.AttachDevice(&printer, true))
        return -1;
    printable.OnBeginPrinting(&dc, &info);
    // The range is read after OnBeginPrinting: a grid learns its page count only there.
    const bool bUnknownEnd = info.GetMaxPage() == 0xFFFF;
    const UINT nFrom = std::max(info.GetFromPage(), info.GetMinPage());
    const UINT nTo = bUnknownEnd ? nFrom : std::min(info.GetToPage(), info.GetMaxPage());
    int nPrinted = 0;
    for (UINT page = nFrom; page <= nTo && info.m_bContinuePrinting; ++page) {
        if (nPrinted > 0 && !printer.newPage())
            break;
        info.m_nCurPage = page;
        printable.OnPrint(&dc, &info);
        ++nPrinted;
    }
    printable.OnEndPrinting(&dc, &info);
    dc.DeleteDC();
    return nPrinted;
}

namespace {
// The program's printer (Print Setup's choices) when the application has one, else a
// landscape A4 printer of the job's own.
template <class Job>
auto WithPrinter(Job&& job)
{
    if (QPrinter* pShared = GetAppPrinter())
        return job(*pShared);
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    return job(printer);
}
} // namespace

int Print(CPrintable& printable, QWidget* pParent)
{
    return WithPrinter([&](QPrinter& printer) {
        CPrintInfo info;
        info.m_pDialogParent = pParent;
        return RunJob(printable, printer, info);
    });
}

QPrintPreviewDialog* MakePreviewDialog(CPrintable& printable, QPrinter& printer, QWidget* pParent)
{
    auto* dialog = new QPrintPreviewDialog(&printer, pParent);
    QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog, [&printable](QPrinter* pPrinter) {
        CallHandlerGuarded([&] {
            CPrintInfo info;
            info.m_bPreview = TRUE;
            RunJob(printable, *pPrinter, info);
        });
    });
    return dialog;
}

void PrintPreview(CPrintable& printable, QWidget* pParent)
{
    WithPrinter([&](QPrinter& printer) {
        std::unique_ptr<QPrintPreviewDialog> dialog(MakePreviewDialog(printable, printer, pParent));
        dialog->exec();
        return 0;
    });
}

int PrintToPdf(CPrintable& printable, const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    CPrintInfo info;
    info.m_bDirect = TRUE;
    return RunJob(printable, printer, info);
}

} // namespace qelprint
