#include "controls/grid/InPlaceEdit.h"

#include "controls/grid/InPlaceEditor.h"

#include "platform/win/Keys.h"
#include "platform/win/MessageBox.h"
#include "platform/wnd/Wnd.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMetaObject>
#include <QPointer>

namespace {
// One edit ends at a time: the grid's answer may open the next editor, whose focus would
// otherwise end the editor being closed a second time.
bool s_bEnding = false;
} // namespace

CInPlaceEdit::CInPlaceEdit(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                           std::wstring sInitText, UINT nFirstChar)
    : QLineEdit(pParent ? pParent->GetClientWidget() : nullptr),
      m_Rect(rect),
      m_nRow(nRow),
      m_nColumn(nColumn),
      m_sInitText(std::move(sInitText)),
      m_bExitOnArrows(nFirstChar != VK_LBUTTON),
      m_pParent(pParent),
      m_nID(nID)
{
    setObjectName(QString::number(nID));
    if ((dwStyle & ES_RIGHT) == ES_RIGHT)
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    else if (dwStyle & ES_CENTER)
        setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    else
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setFrame(true);
    setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    if (pParent)
        if (CFont* pFont = pParent->GetFont())
            setFont(pFont->ToQFont());
    setText(QString::fromStdWString(m_sInitText));
    show();
    setFocus(Qt::OtherFocusReason);

    switch (nFirstChar) {
    case VK_LBUTTON:
    case VK_RETURN: end(false); return;
    case VK_BACK: end(false); break;
    case VK_TAB:
    case VK_SPACE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: selectAll(); return;
    default: selectAll(); break;
    }
    // The starting character arrives after construction, as a posted one would, so that a
    // derived editor has set its text first; it then replaces the selected text.
    QMetaObject::invokeMethod(
        this, [this, nFirstChar] { OnChar(nFirstChar); }, Qt::QueuedConnection);
}

CInPlaceEdit::~CInPlaceEdit()
{
    m_bEnded = true;
}

bool CInPlaceEdit::event(QEvent* e)
{
    return DispatchEditorEvent(
        e, [this](QKeyEvent* k) { keyPressEvent(k); }, [this](QEvent* ev) { return QLineEdit::event(ev); });
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* e)
{
    const UINT vk = VirtualKeyFromQt(e->key());
    if (IsEditExitKey(vk) && OnKeyDown(vk))
        return;
    switch (vk) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE: OnChar(vk); return;
    default: break;
    }
    QPointer<CInPlaceEdit> self(this);
    if (!e->text().isEmpty() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
        e->text().at(0).isPrint()) {
        OnChar(e->text().at(0).unicode());
        return;
    }
    QLineEdit::keyPressEvent(e);
    if (self && !e->text().isEmpty())
        FitToText(text());
}

bool CInPlaceEdit::OnKeyDown(UINT nChar)
{
    if (IsEditExitKey(nChar) && (m_bExitOnArrows || GetKeyState(VK_CONTROL) < 0)) {
        LeaveEdit(nChar);
        return true;
    }
    return false;
}

void CInPlaceEdit::OnChar(UINT nChar)
{
    if (nChar == VK_TAB || nChar == VK_RETURN) {
        LeaveEdit(nChar);
        return;
    }
    if (nChar == VK_ESCAPE) {
        setText(QString::fromStdWString(m_sInitText));
        LeaveEdit(nChar);
        return;
    }
    QPointer<CInPlaceEdit> self(this);
    DefaultChar(nChar);
    if (self)
        FitToText(text());
}

void CInPlaceEdit::DefaultChar(UINT nChar)
{
    if (nChar == VK_BACK)
        backspace();
    else if (nChar >= 0x20)
        insert(QString(QChar(static_cast<char16_t>(nChar))));
}

void CInPlaceEdit::FitToText(const QString& str)
{
    const QFontMetrics fm(font());
    // Frame and text margins of the line edit come on top of the text.
    const int needed = fm.horizontalAdvance(str + QStringLiteral("      ")) + 6;
    if (needed <= width() || !m_pParent)
        return;
    CRect client;
    m_pParent->GetClientRect(&client);
    const int right = std::min(static_cast<int>(client.right), x() + needed);
    if (right > x() + width()) {
        resize(right - x(), height());
        m_Rect.right = right;
    }
}

void CInPlaceEdit::LeaveEdit(UINT nLastChar)
{
    m_nLastChar = nLastChar;
    QPointer<CInPlaceEdit> self(this);
    if (m_pParent)
        m_pParent->SetFocus();
    // The focus change normally ends the edit; an inactive window sees no focus change.
    if (self && !m_bEnded)
        OnKillFocus();
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    // A context menu or a popup of the edit itself is no end of the edit.
    if (e->reason() == Qt::PopupFocusReason)
        return;
    OnKillFocus();
}

void CInPlaceEdit::OnKillFocus()
{
    EndEdit();
}

void CInPlaceEdit::EndEdit()
{
    if (s_bEnding || m_bEnded)
        return;
    s_bEnding = true;
    m_bEnded = true;
    // The editor goes and the next edit can end even when the grid's answer fails.
    struct Closer {
        QPointer<CInPlaceEdit> self;
        ~Closer()
        {
            s_bEnding = false;
            if (self) {
                self->hide();
                self->deleteLater();
            }
        }
    } closer{this};
    SendEndLabelEdit(m_pParent, this, m_nID, m_nRow, m_nColumn, text().toStdWString(), m_nLastChar);
}
