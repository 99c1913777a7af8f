#pragma once
// Shared fixtures of the grid tests: a grid in a shown top-level window, and pixel helpers.
#include "ScreenshotFile.h"
#include "controls/grid/GridCtrl.h"
#include "platform/gdi/Colour.h"

#include <QDir>
#include <QImage>
#include <QWidget>
#include <string>
#include <vector>

namespace qeltest {

// A grid that records what reaches its notification receiver, key and mouse handlers.
class CRecordingGrid : public CGridCtrl {
public:
    std::vector<std::string> log;
    void OnKeyDown(UINT nChar, UINT, UINT) override { log.push_back("key " + std::to_string(nChar)); }
    void OnLButtonDown(UINT, CPoint p) override { log.push_back("ldown " + Pt(p)); }
    void OnLButtonDblClk(UINT, CPoint p) override { log.push_back("ldbl " + Pt(p)); }

private:
    static std::string Pt(CPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
};

// A receiver of notifications with a fixed answer.
class CNotifyLog : public CNotifyReceiver {
public:
    struct Entry {
        WPARAM id;
        UINT code;
        int row;
        int col;
        HWND from;
    };
    std::vector<Entry> entries;
    LRESULT answer = 0;
    LRESULT OnNotify(WPARAM wParam, NMHDR* pNMHDR) override
    {
        const auto* nm = reinterpret_cast<const NM_GRIDVIEW*>(pNMHDR);
        entries.push_back({wParam, pNMHDR->code, nm->iRow, nm->iColumn, pNMHDR->hwndFrom});
        return answer;
    }
};

// Keeps a picture of what a test showed in the build folder, for a person to look at.
inline void SaveScreenshot(const QImage& image, const char* name)
{
    image.save(ScreenshotFile(QString::fromLatin1(name)));
}

inline QImage GrabClient(CWnd& wnd)
{
    return wnd.GetClientWidget()->grab().toImage();
}

inline COLORREF PixelAt(const QImage& img, int x, int y)
{
    return FromQRgb(img.pixel(x, y));
}

} // namespace qeltest
