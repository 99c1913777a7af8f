#pragma once
// Helpers of the load model editor and ensemble dialog tests: answered message boxes and
// menus, typing into grid cells and numeric fields as a user does, screenshots.
#include "Screenshot.h"
#include "controls/edit/NumericEdit.h"
#include "controls/grid/GridCtrl.h"
#include "controls/grid/InPlaceEdit.h"
#include "platform/win/MessageBox.h"
#include "ui/gridDlg/PopupMenu.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

namespace lmtest {

// Every box is recorded and answered with the next of the given answers (then IDOK/IDYES).
struct BoxScript {
    struct Box {
        std::wstring text;
        UINT type;
    };
    std::vector<Box> shown;
    std::vector<int> answers;
    MessageBoxAnswerer previous;

    explicit BoxScript(std::vector<int> vAnswers = {}) : answers(std::move(vAnswers))
    {
        previous = SetMessageBoxAnswerer([this](const std::wstring& text, const std::wstring&, UINT type) {
            shown.push_back({text, type});
            if (!answers.empty()) {
                const int a = answers.front();
                answers.erase(answers.begin());
                return a;
            }
            return (type & 0xF) == MB_YESNO ? IDYES : IDOK;
        });
    }
    ~BoxScript() { SetMessageBoxAnswerer(previous); }
};

// The context menu answers with a command and records what it offered.
struct MenuScript {
    UINT answer;
    std::vector<PopupMenuItem> offered;
    PopupMenuAnswerer previous;
    explicit MenuScript(UINT nAnswer) : answer(nAnswer)
    {
        previous = SetPopupMenuAnswerer([this](const std::vector<PopupMenuItem>& items) {
            offered = items;
            return answer;
        });
    }
    ~MenuScript() { SetPopupMenuAnswerer(previous); }
};

struct EnglishLocale {
    QLocale old;
    EnglishLocale() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~EnglishLocale() { QLocale::setDefault(old); }
};

inline void Flush()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

inline void Activate(QWidget* pWindow)
{
    pWindow->show();
    QApplication::setActiveWindow(pWindow);
    (void)QTest::qWaitForWindowActive(pWindow);
}

// The grid's open in-place editor, or null.
inline QLineEdit* GridEditor(CGridCtrl& grid)
{
    for (QLineEdit* e : grid.GetClientWidget()->findChildren<QLineEdit*>()) {
        auto* pEdit = dynamic_cast<CInPlaceEdit*>(e);
        if (pEdit && !pEdit->HasEnded() && pEdit->isVisible())
            return e;
    }
    return nullptr;
}

// Types the text into the cell as a user does: the first key opens the editor, Return ends
// the edit. With bTab the edit ends with Tab instead.
inline void TypeIntoCell(CGridCtrl& grid, int nRow, int nCol, const QString& sText, bool bTab = false)
{
    grid.SetFocus();
    grid.SetFocusCell(nRow, nCol);
    grid.SetSelectedRange(nRow, nCol, nRow, nCol);
    QTest::keyClick(grid.GetSafeHwnd(), sText.at(0).toLatin1());
    Flush();
    QLineEdit* pEdit = GridEditor(grid);
    if (!pEdit)
        return;
    QTest::keyClicks(pEdit, sText.mid(1));
    QTest::keyClick(pEdit, bTab ? Qt::Key_Tab : Qt::Key_Return);
    Flush();
}

// Replaces what a numeric field shows by typing.
inline void TypeIntoField(QLineEdit* pEdit, const QString& sText)
{
    pEdit->setFocus();
    pEdit->selectAll();
    QTest::keyClicks(pEdit, sText);
}

inline void SaveScreenshot(QWidget* pWidget, const QString& sName)
{
    uitest::Screenshot(*pWidget, sName);
}

} // namespace lmtest
