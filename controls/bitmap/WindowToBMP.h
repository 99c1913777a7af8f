#pragma once
// Copies what a window shows, frame included, into a packed device-independent bitmap in
// a global memory block (header, colour table, bottom-up rows), and writes such a block to
// a bitmap or PNG file. The caller owns a returned block and frees it with GlobalFree.
#include "platform/gdi/Dib.h"
#include "platform/win/GlobalMem.h"

class CWnd;
class QWidget;

class CWindowToBMP {
public:
    virtual ~CWindowToBMP() = default;

    // Null when there is no window or no memory.
    static HGLOBAL CaptureWindow(CWnd* pWnd);
    static HGLOBAL CaptureWindow(QWidget* pWidget);
    // Null when the bitmap is empty, the compression cannot be given or memory runs out.
    static HGLOBAL DDBToDIB(CBitmap& bitmap, DWORD dwCompression, CPalette* pPal);
    // FALSE when the file cannot be written (a partly written file is removed).
    static BOOL WriteDIB(LPCTSTR szFile, HGLOBAL hDIB);
    // The same picture as a PNG file, a fraction of the bitmap's size; FALSE as above.
    static BOOL WritePNG(LPCTSTR szFile, HGLOBAL hDIB);
};
