#pragma once
// A grid in an active top-level window, with a host that records notifications and can answer
// each code differently, for driving the grid with mouse and key events.
#include "GridTestUtil.h"

#include "controls/grid/InPlaceEdit.h"
#include "platform/win/Keys.h"
#include "platform/wnd/PaintDC.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <map>

namespace qeltest {

class CInputHost : public QWidget, public CNotifyReceiver {
public:
    struct Entry {
        UINT code;
        int row;
        int col;
    };
    std::vector<Entry> entries;
    std::map<UINT, LRESULT> answers;
    int commands = 0;
    WPARAM lastCommand = 0;

    LRESULT OnNotify(WPARAM, NMHDR* pNMHDR) override
    {
        const auto* nm = reinterpret_cast<const NM_GRIDVIEW*>(pNMHDR);
        entries.push_back({pNMHDR->code, nm->iRow, nm->iColumn});
        const auto it = answers.find(pNMHDR->code);
        return it == answers.end() ? 0 : it->second;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        ++commands;
        lastCommand = wParam;
        return TRUE;
    }
    int Count(UINT code) const
    {
        int n = 0;
        for (const Entry& e : entries)
            n += e.code == code ? 1 : 0;
        return n;
    }
};

// A grid that also records the end-of-edit records reaching it from its editors.
class CEditRecordingGrid : public CGridCtrl {
public:
    std::vector<GRID_ITEM> endRecords;
    std::vector<UINT> vscrolls;
    LRESULT OnNotify(WPARAM wParam, NMHDR* pNMHDR) override
    {
        if (pNMHDR->code == LVN_ENDLABELEDITW && wParam == IDC_INPLACE_CONTROL)
            endRecords.push_back(reinterpret_cast<GRID_DISPINFO*>(pNMHDR)->item);
        return CGridCtrl::OnNotify(wParam, pNMHDR);
    }
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override
    {
        vscrolls.push_back(nSBCode);
        CGridCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
    }
};

// nRows x nCols cells of 60 x 20 pixels in a 400 x 300 window (client 396 x 296); cell (r, c)
// holds the text "r,c".
struct InputGrid {
    CInputHost host;
    CEditRecordingGrid grid;

    InputGrid(int nRows, int nCols, int nFixedRows = 1, int nFixedCols = 1)
    {
        host.resize(400, 300);
        grid.SetRowCount(nRows);
        grid.SetColumnCount(nCols);
        grid.SetFixedRowCount(nFixedRows);
        grid.SetFixedColumnCount(nFixedCols);
        grid.Create(CRect(0, 0, 400, 300), &host);
        for (int r = 0; r < nRows; ++r) {
            grid.SetRowHeight(r, 20);
            for (int c = 0; c < nCols; ++c)
                grid.SetItemText(r, c, (std::to_wstring(r) + L"," + std::to_wstring(c)).c_str());
        }
        for (int c = 0; c < nCols; ++c)
            grid.SetColumnWidth(c, 60);
        grid.m_bModified = FALSE;
        for (int r = 0; r < nRows; ++r)
            for (int c = 0; c < nCols; ++c)
                grid.SetItemState(r, c, grid.GetItemState(r, c) & ~0x80u);
        host.show();
        QApplication::setActiveWindow(&host);
        (void)QTest::qWaitForWindowActive(&host);
        grid.SetFocus();
    }
    ~InputGrid() { QApplication::setActiveWindow(nullptr); }

    QWidget* Client() { return grid.GetClientWidget(); }
    QWidget* Window() { return grid.GetSafeHwnd(); }
    static QPoint Centre(int row, int col) { return QPoint(col * 60 + 30, row * 20 + 10); }

    // Posted characters, deferred deletes.
    static void Flush()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    // The open in-place editor (line edit kind), or null.
    QLineEdit* Editor()
    {
        for (QLineEdit* e : Client()->findChildren<QLineEdit*>()) {
            auto* pEdit = dynamic_cast<CInPlaceEdit*>(e);
            if (pEdit && !pEdit->HasEnded() && pEdit->isVisible())
                return e;
        }
        return nullptr;
    }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(Window(), static_cast<Qt::Key>(key), mods);
    }
    void Type(char c) { QTest::keyClick(Window(), c); }
    void Click(int row, int col, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::mouseClick(Client(), Qt::LeftButton, mods, Centre(row, col));
    }
    std::wstring Text(int row, int col) const { return grid.GetItemText(row, col); }
};

} // namespace qeltest
