#pragma once
// Printing of a view: the print dialog, the print preview window and, for tests, a PDF
// file. A job runs the printable's hooks in the order the views were written for:
// prepare (which may show the dialog), begin, one OnPrint per page, end.
#include "platform/print/PrintInfo.h"

#include <QString>

class CDC;
class QPrinter;
class QPrintPreviewDialog;
class QWidget;

// What the driver prints: the print hooks of a view.
class CPrintable {
public:
    virtual ~CPrintable() = default;
    // FALSE cancels the job (the dialog was cancelled).
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo) = 0;
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) = 0;
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo) = 0;
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) = 0;
};

namespace qelprint {

// A4 in landscape: result tables are wide.
void SetUpPrinter(QPrinter& printer);

// Shows the print dialog over the pages [min, max] of pInfo; FALSE when it is cancelled.
// A direct job or a preview shows none.
BOOL DoPreparePrinting(CPrintInfo* pInfo);

// Runs one job on the printer with info as the caller set it up. Returns the number of
// pages printed, or -1 when preparing cancelled the job or the printer cannot be drawn on.
// A job whose last page stays unknown (the 0xFFFF default) prints its first page only.
int RunJob(CPrintable& printable, QPrinter& printer, CPrintInfo& info);

// The print dialog, then the job on the chosen printer. Both use the program's printer
// when the application has registered one.
int Print(CPrintable& printable, QWidget* pParent);
// The preview window, modal; its pages are drawn by the same job.
void PrintPreview(CPrintable& printable, QWidget* pParent);
// The preview window over printer, ready to show; the caller owns it.
QPrintPreviewDialog* MakePreviewDialog(CPrintable& printable, QPrinter& printer, QWidget* pParent);
// The whole job into a PDF file, without any dialog.
int PrintToPdf(CPrintable& printable, const QString& path);

} // namespace qelprint
