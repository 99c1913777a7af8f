#include "controls/grid/InPlaceList.h"

#include "controls/grid/InPlaceEditor.h"

#include "platform/gdi/Colour.h"
#include "platform/win/Keys.h"
#include "platform/win/MessageBox.h"
#include "platform/wnd/Wnd.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPointer>

namespace {
bool IsEndKey(UINT vk)
{
    return vk == VK_ESCAPE || vk == VK_TAB || vk == VK_RETURN;
}
} // namespace

// --- CComboEdit -------------------------------------------------------------------------------------

CComboEdit::CComboEdit(CInPlaceList* pList) : QLineEdit(pList), m_pList(pList) {}

bool CComboEdit::event(QEvent* e)
{
    return DispatchEditorEvent(
        e, [this](QKeyEvent* k) { keyPressEvent(k); }, [this](QEvent* ev) { return QLineEdit::event(ev); });
}

void CComboEdit::keyPressEvent(QKeyEvent* e)
{
    const UINT vk = VirtualKeyFromQt(e->key());
    if (IsEditExitKey(vk) && (e->modifiers() & Qt::ControlModifier)) {
        if (m_pList->OnKeyDown(vk))
            return;
    }
    // These end the edit when released.
    if (IsEndKey(vk))
        return;
    QLineEdit::keyPressEvent(e);
}

void CComboEdit::keyReleaseEvent(QKeyEvent* e)
{
    const UINT vk = VirtualKeyFromQt(e->key());
    if (IsEndKey(vk)) {
        m_pList->OnKeyUp(vk);
        return;
    }
    QLineEdit::keyReleaseEvent(e);
}

void CComboEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (e->reason() == Qt::PopupFocusReason)
        return;
    m_pList->EndEdit();
}

// --- CInPlaceList -----------------------------------------------------------------------------------

CInPlaceList::CInPlaceList(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn, COLORREF,
                           COLORREF, const std::vector<std::wstring>& items, std::wstring sInitText, UINT nFirstChar)
    : QComboBox(pParent ? pParent->GetClientWidget() : nullptr),
      m_sInitText(std::move(sInitText)),
      m_nRow(nRow),
      m_nCol(nColumn),
      m_pParent(pParent),
      m_nID(nID),
      m_dwStyle(dwStyle)
{
    setObjectName(QString::number(nID));
    const int nHeight = rect.Height();
    // The window reaches down over the lines of the dropped list.
    rect.bottom = rect.bottom + m_nNumLines * nHeight + GetSystemMetrics(SM_CYHSCROLL);
    if (!IsDropDownList()) {
        setEditable(true);
        m_edit = new CComboEdit(this);
        setLineEdit(m_edit);
        setInsertPolicy(QComboBox::NoInsert);
    }
    if (pParent)
        if (CFont* pFont = pParent->GetFont())
            setFont(pFont->ToQFont());
    for (const std::wstring& item : items)
        addItem(QString::fromStdWString(item));
    setMaxVisibleItems(m_nNumLines);
    // The selection field is as high as the cell.
    setGeometry(rect.left, rect.top, rect.Width(), nHeight);
    view()->setMinimumWidth(GetCorrectDropWidth());

    const QString init = QString::fromStdWString(m_sInitText);
    const int index = findText(init, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        setCurrentIndex(index);
    else if (m_edit)
        setEditText(init);
    else
        setCurrentIndex(-1);

    QObject::connect(this, qOverload<int>(&QComboBox::activated), this, [this](int chosen) {
        // The choice is made (in the drop-down list, outside this widget's own events): it
        // goes into the edit part and the edit ends.
        CallHandlerGuarded([&] {
            if (m_edit)
                m_edit->setText(itemText(chosen));
            LeaveEdit(m_nLastChar);
        });
    });
    show();
    // The choices are shown at once: a combo cell is edited by choosing.
    showPopup();

    if (IsDropDownList()) {
        setFocus(Qt::OtherFocusReason);
        return;
    }
    m_edit->setFocus(Qt::OtherFocusReason);
    switch (nFirstChar) {
    case VK_LBUTTON:
    case VK_RETURN: m_edit->end(false); return;
    case VK_BACK:
        m_edit->end(false);
        m_edit->backspace();
        return;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: m_edit->selectAll(); return;
    default: break;
    }
    m_edit->selectAll();
    if (nFirstChar >= 0x20)
        m_edit->insert(QString(QChar(static_cast<char16_t>(nFirstChar))));
}

CInPlaceList::~CInPlaceList()
{
    m_bEnded = true;
}

int CInPlaceList::GetCorrectDropWidth() const
{
    constexpr int kMaxWidth = 200;
    const QFontMetrics fm(font());
    int width = 0;
    for (int i = 0; i < count(); ++i)
        width = std::max(width, fm.horizontalAdvance(itemText(i)));
    width += GetSystemMetrics(SM_CXVSCROLL) + fm.horizontalAdvance(QStringLiteral("0"));
    return std::min(width, kMaxWidth);
}

void CInPlaceList::showPopup()
{
    view()->setMinimumWidth(GetCorrectDropWidth());
    QComboBox::showPopup();
}

bool CInPlaceList::event(QEvent* e)
{
    return DispatchEditorEvent(
        e, [this](QKeyEvent* k) { keyPressEvent(k); }, [this](QEvent* ev) { return QComboBox::event(ev); });
}

void CInPlaceList::keyPressEvent(QKeyEvent* e)
{
    const UINT vk = VirtualKeyFromQt(e->key());
    if (IsEditExitKey(vk) && OnKeyDown(vk))
        return;
    if (IsEndKey(vk))
        return;
    QComboBox::keyPressEvent(e);
}

void CInPlaceList::keyReleaseEvent(QKeyEvent* e)
{
    const UINT vk = VirtualKeyFromQt(e->key());
    if (IsEndKey(vk)) {
        OnKeyUp(vk);
        return;
    }
    QComboBox::keyReleaseEvent(e);
}

bool CInPlaceList::OnKeyDown(UINT nChar)
{
    if (IsEditExitKey(nChar) && (m_bExitOnArrows || GetKeyState(VK_CONTROL) < 0)) {
        LeaveEdit(nChar);
        return true;
    }
    return false;
}

void CInPlaceList::OnKeyUp(UINT nChar)
{
    if (nChar == VK_ESCAPE) {
        const QString init = QString::fromStdWString(m_sInitText);
        if (m_edit) {
            m_edit->setText(init);
        } else {
            setCurrentIndex(findText(init, Qt::MatchExactly | Qt::MatchCaseSensitive));
        }
        LeaveEdit(nChar);
    } else if (nChar == VK_TAB || nChar == VK_RETURN) {
        LeaveEdit(nChar);
    }
}

void CInPlaceList::focusOutEvent(QFocusEvent* e)
{
    QComboBox::focusOutEvent(e);
    if (e->reason() == Qt::PopupFocusReason)
        return;
    OnKillFocus();
}

void CInPlaceList::OnKillFocus()
{
    QWidget* pFocus = QApplication::focusWidget();
    const bool inside = pFocus && (pFocus == this || isAncestorOf(pFocus) || pFocus == view());
    if (!inside && IsDropDownList())
        EndEdit();
}

void CInPlaceList::LeaveEdit(UINT nLastChar)
{
    m_nLastChar = nLastChar;
    QPointer<CInPlaceList> self(this);
    if (m_pParent)
        m_pParent->SetFocus();
    if (self)
        EndEdit();
}

void CInPlaceList::EndEdit()
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    // The editor goes even when the grid's answer fails.
    struct Closer {
        QPointer<CInPlaceList> self;
        ~Closer()
        {
            if (self) {
                self->hidePopup();
                self->hide();
                self->deleteLater();
            }
        }
    } closer{this};
    SendEndLabelEdit(m_pParent, this, m_nID, m_nRow, m_nCol, (m_edit ? m_edit->text() : currentText()).toStdWString(),
                     m_nLastChar);
}
