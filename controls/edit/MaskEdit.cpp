#include "controls/edit/MaskEdit.h"

#include "platform/win/MessageBox.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>

CMaskEdit::CMaskEdit(QWidget* parent) : CMaskEdit(parent, NoSubclass{})
{
    PreSubclassWindow();
}

CMaskEdit::CMaskEdit(QWidget* parent, NoSubclass)
    : QLineEdit(parent),
      m_clrText(GetSysColor(COLOR_WINDOWTEXT)),
      m_clrBack(GetSysColor(COLOR_WINDOW)),
      m_clrReadOnlyBack(GetSysColor(COLOR_BTNFACE)),
      m_clrReadOnlyText(GetSysColor(COLOR_GRAYTEXT))
{
    // Dropped or undone text would bypass the input rules.
    setAcceptDrops(false);
    setDragEnabled(false);
}

CMaskEdit::~CMaskEdit() = default;

void CMaskEdit::PreSubclassWindow()
{
    if (!m_bInitialized)
        InitControl();
}

void CMaskEdit::InitControl()
{
    GetLocaleSettings();
    setToolTip(QString::fromStdWString(m_sToolTipText));
    m_font = font();
    const std::wstring templateText = GetWindowText();
    ResetInputData(FALSE);
    SetInputData(templateText, 0);
    m_bInitialized = TRUE;
}

bool CMaskEdit::SplitMask(const std::wstring& sMask, std::wstring& left, std::wstring& right)
{
    left.clear();
    right.clear();
    bool found = false;
    for (size_t i = 0; i < sMask.size(); ++i) {
        const wchar_t c = sMask[i];
        if (c == L'#') {
            if (i + 1 < sMask.size() && sMask[i + 1] == L'#') {
                (found ? right : left) += L'#';
                ++i;
            } else if (!found) {
                found = true;
            }
            // A later lone # is dropped.
            continue;
        }
        (found ? right : left) += c;
    }
    return found;
}

BOOL CMaskEdit::SetMask(const std::wstring& sMask)
{
    if (sMask.empty() || sMask.find(L'#') == std::wstring::npos)
        return FALSE;
    std::wstring left, right;
    if (!SplitMask(sMask, left, right)) {
        // Every # was doubled: keep the old mask.
        SetMask(m_sMask);
        return FALSE;
    }
    EmptyData();
    m_arrLeftLiterals = left;
    m_arrRightLiterals = right;
    m_sMask = sMask;
    UpdateInputData();
    WriteWindowText();
    PlaceCaret(LeftLength());
    return TRUE;
}

std::wstring CMaskEdit::GetInputData() const
{
    return m_arrInputData;
}

BOOL CMaskEdit::SetInputData(const std::wstring& sText, int nPos)
{
    if (nPos < 0 || nPos > InputLength())
        return FALSE;
    size_t pos = static_cast<size_t>(nPos);
    for (wchar_t c : sText) {
        if (m_bInsertMode)
            m_arrInputData.insert(pos, 1, c);
        else if (pos < m_arrInputData.size())
            m_arrInputData[pos] = c;
        else
            m_arrInputData.push_back(c);
        ++pos;
    }
    UpdateInputData();
    WriteWindowText();
    return TRUE;
}

void CMaskEdit::ResetInputData(BOOL bFree)
{
    if (bFree)
        m_arrInputData.clear();
    else
        EmptyData();
    WriteWindowText();
    PlaceCaret(LeftLength());
}

void CMaskEdit::ValidationError()
{
    MessageBeep(MB_ICONEXCLAMATION);
}

void CMaskEdit::SetWindowText(const std::wstring& sText)
{
    if (m_nSetTextSemaphore > 0)
        return;
    const BOOL notify = m_bNotifyChange;
    m_bNotifyChange = FALSE;
    m_arrInputData.clear();
    SetInputData(sText, 0);
    m_bNotifyChange = notify;
}

void CMaskEdit::EmptyData()
{
    m_arrLeftLiterals.clear();
    m_arrRightLiterals.clear();
    m_arrInputData.clear();
}

BOOL CMaskEdit::IsInputPosition(int nPos) const
{
    return nPos >= LeftLength() && nPos < InputEnd();
}

BOOL CMaskEdit::IsInputPositionOrEnd(int nPos) const
{
    return nPos >= LeftLength() && nPos <= InputEnd();
}

int CMaskEdit::GetNextInputLocation(int nPos) const
{
    if (IsInputPositionOrEnd(nPos))
        return nPos;
    if (nPos > InputEnd())
        return InputEnd();
    for (int p = nPos + 1; p < InputEnd(); ++p)
        if (IsInputPositionOrEnd(p))
            return p;
    return InputEnd();
}

int CMaskEdit::GetPreviousInputLocation(int nPos) const
{
    if (IsInputPositionOrEnd(nPos))
        return nPos;
    if (nPos < LeftLength())
        return LeftLength();
    for (int p = std::min(nPos, InputEnd() + 1) - 1; p > LeftLength(); --p)
        if (IsInputPositionOrEnd(p))
            return p;
    return LeftLength();
}

int CMaskEdit::DeleteRange(int& nStart, int& nEnd)
{
    const int left = LeftLength();
    int count = 0;
    wchar_t lowest = 0, highest = 0;
    int lowestIndex = -1;
    for (int p = nEnd - 1; p >= nStart; --p) {
        if (!IsInputPosition(p))
            continue;
        const size_t i = static_cast<size_t>(p - left);
        if (count == 0)
            highest = m_arrInputData[i];
        lowest = m_arrInputData[i];
        lowestIndex = static_cast<int>(i);
        m_arrInputData.erase(i, 1);
        ++count;
    }
    if (count == 0)
        return 0;
    // A line end goes as a whole.
    if (lowest == L'\r' && lowestIndex < InputLength() && m_arrInputData[static_cast<size_t>(lowestIndex)] == L'\n') {
        m_arrInputData.erase(static_cast<size_t>(lowestIndex), 1);
        ++count;
    }
    if (highest == L'\n' && IsInputPosition(nStart - 1) &&
        m_arrInputData[static_cast<size_t>(nStart - 1 - left)] == L'\r') {
        m_arrInputData.erase(static_cast<size_t>(nStart - 1 - left), 1);
        ++count;
        --nStart;
    }
    WriteWindowText();
    return count;
}

int CMaskEdit::InsertAt(int nPos, wchar_t ch)
{
    if (!IsInputPositionOrEnd(nPos))
        nPos = GetNextInputLocation(nPos + 1);
    m_arrInputData.insert(static_cast<size_t>(nPos - LeftLength()), 1, ch);
    const int delta = UpdateInputData();
    WriteWindowText();
    return WasRefused() ? -1 : nPos + delta;
}

int CMaskEdit::ReplaceAt(int nPos, wchar_t ch)
{
    if (!IsInputPosition(nPos)) {
        nPos = GetNextInputLocation(nPos + 1);
        if (!IsInputPosition(nPos))
            return -1;
    }
    m_arrInputData[static_cast<size_t>(nPos - LeftLength())] = ch;
    const int delta = UpdateInputData();
    WriteWindowText();
    return WasRefused() ? -1 : nPos + delta;
}

int CMaskEdit::UpdateInputData()
{
    const int before = InputLength();
    NormalizeInputData();
    m_bRefused = !IsAcceptable();
    if (m_bRefused) {
        RestoreAccepted();
        NormalizeInputData();
    }
    SaveAccepted();
    return InputLength() - before;
}

bool CMaskEdit::IsAcceptable() const
{
    return TextLength() <= maxLength();
}

void CMaskEdit::WriteWindowText()
{
    const std::wstring text = m_arrLeftLiterals + m_arrInputData + m_arrRightLiterals;
    const int caret = cursorPosition();
    ++m_nSetTextSemaphore;
    setText(QString::fromStdWString(text));
    setCursorPosition(std::min(caret, static_cast<int>(text.size())));
    --m_nSetTextSemaphore;
    setModified(true);
    ApplyColours();
    emit enUpdate();
    if (m_bNotifyChange)
        emit enChange();
}

void CMaskEdit::PlaceCaret(int nPos, bool bMovingLeft)
{
    const int p = bMovingLeft ? GetPreviousInputLocation(nPos) : GetNextInputLocation(nPos);
    setCursorPosition(p);
}

void CMaskEdit::SetTextColor(COLORREF clr)
{
    m_clrText = clr;
    ApplyColours();
}

void CMaskEdit::SetBackColor(COLORREF clr)
{
    m_clrBack = clr;
    ApplyColours();
}

void CMaskEdit::CtlColor(COLORREF& clrText, COLORREF& clrBack) const
{
    if (!isEnabled()) {
        clrText = GetSysColor(COLOR_GRAYTEXT);
        clrBack = GetSysColor(COLOR_BTNFACE);
    } else if (isReadOnly()) {
        clrText = m_clrReadOnlyText;
        clrBack = m_clrReadOnlyBack;
    } else {
        clrText = m_clrText;
        clrBack = m_clrBack;
    }
}

void CMaskEdit::ApplyColours()
{
    COLORREF text = 0, back = 0;
    CtlColor(text, back);
    QPalette pal = palette();
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    for (QPalette::ColorGroup g : {group, group == QPalette::Active ? QPalette::Inactive : QPalette::Disabled}) {
        pal.setColor(g, QPalette::Text, ToQColor(text));
        pal.setColor(g, QPalette::Base, ToQColor(back));
    }
    setPalette(pal);
}

// --- Input ---------------------------------------------------------------------------------

void CMaskEdit::keyPressEvent(QKeyEvent* e)
{
    // A key whose handling failed is not handed on to the plain edit either.
    bool handled = true;
    CallHandlerGuarded([&] { handled = HandleKey(e); });
    if (handled)
        e->accept();
    else
        QLineEdit::keyPressEvent(e);
}

bool CMaskEdit::HandleKey(QKeyEvent* e)
{
    if (isReadOnly())
        return false;
    const Qt::KeyboardModifiers mods = e->modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool control = mods & Qt::ControlModifier;
    if (e->matches(QKeySequence::Cut) || (e->key() == Qt::Key_Delete && shift)) {
        Cut();
        return true;
    }
    if (e->matches(QKeySequence::Paste)) {
        Paste();
        return true;
    }
    // Undoing would restore text that never went through the input rules.
    if (e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo))
        return true;
    if (e->matches(QKeySequence::Copy) || e->matches(QKeySequence::SelectAll))
        return false;

    switch (e->key()) {
    case Qt::Key_Delete: OnDeleteKey(); return true;
    case Qt::Key_Backspace: OnBackspace(); return true;
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
        QLineEdit::keyPressEvent(e);
        if (!shift)
            PlaceCaret(e->key() == Qt::Key_Home ? GetNextInputLocation(cursorPosition()) : cursorPosition(),
                       e->key() != Qt::Key_Home);
        return true;
    case Qt::Key_End:
    case Qt::Key_Right:
    case Qt::Key_Down:
        QLineEdit::keyPressEvent(e);
        if (!shift)
            PlaceCaret(e->key() == Qt::Key_End ? GetPreviousInputLocation(cursorPosition()) : cursorPosition(),
                       e->key() == Qt::Key_End);
        return true;
    case Qt::Key_Insert:
        if (!shift && !control)
            m_bInsertMode = !m_bInsertMode;
        return true;
    default: break;
    }
    const QString text = e->text();
    if (text.isEmpty() || control || (mods & Qt::AltModifier))
        return false;
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false; // Return, Tab, Escape: the dialog's
    for (QChar c : text)
        OnCharTyped(static_cast<wchar_t>(c.unicode()));
    return true;
}

void CMaskEdit::inputMethodEvent(QInputMethodEvent* e)
{
    if (isReadOnly()) {
        QLineEdit::inputMethodEvent(e);
        return;
    }
    CallHandlerGuarded([&] {
        for (QChar c : e->commitString())
            if (c.unicode() >= 0x20)
                OnCharTyped(static_cast<wchar_t>(c.unicode()));
    });
    e->accept();
}

void CMaskEdit::OnCharTyped(wchar_t ch)
{
    int result = -1;
    int start = cursorPosition();
    if (hasSelectedText()) {
        start = selectionStart();
        int end = start + selectionLength();
        if (DeleteRange(start, end) == 0) {
            ValidationError();
            return;
        }
        result = InsertAt(start, ch);
    } else if (!IsInputPositionOrEnd(start)) {
        ValidationError();
        PlaceCaret(start + 1);
        return;
    } else {
        result = m_bInsertMode ? InsertAt(start, ch) : ReplaceAt(start, ch);
    }
    if (result < 0) {
        ValidationError();
        PlaceCaret(start);
    } else {
        PlaceCaret(result + 1);
    }
}

void CMaskEdit::OnBackspace()
{
    int start = 0, end = 0;
    int count = 0;
    if (hasSelectedText()) {
        start = selectionStart();
        end = start + selectionLength();
        count = DeleteRange(start, end);
    } else {
        const int p = cursorPosition();
        for (int shift = 0; count == 0 && p - 1 - shift >= 0; ++shift) {
            start = p - 1 - shift;
            end = p - shift;
            count = DeleteRange(start, end);
        }
        if (count == 0)
            start = p;
    }
    PlaceCaret(start, true);
}

void CMaskEdit::OnDeleteKey()
{
    int start = 0, end = 0;
    if (hasSelectedText()) {
        start = selectionStart();
        end = start + selectionLength();
        DeleteRange(start, end);
    } else {
        const int p = cursorPosition();
        int count = 0;
        for (int shift = 0; count == 0 && p + shift < InputEnd(); ++shift) {
            start = p + shift;
            end = start + 1;
            count = DeleteRange(start, end);
        }
        if (count == 0)
            start = p;
    }
    PlaceCaret(start);
}

void CMaskEdit::Cut()
{
    if (!hasSelectedText())
        return;
    copy();
    Clear();
}

void CMaskEdit::Clear()
{
    if (!hasSelectedText() || isReadOnly())
        return;
    int start = selectionStart();
    int end = start + selectionLength();
    DeleteRange(start, end);
    PlaceCaret(start);
}

void CMaskEdit::Paste()
{
    if (isReadOnly())
        return;
    const std::wstring clip = QApplication::clipboard()->text().toStdWString();
    const std::wstring current = GetWindowText();
    int start = cursorPosition(), length = 0;
    if (hasSelectedText()) {
        start = selectionStart();
        length = selectionLength();
    }
    std::wstring text =
        current.substr(0, static_cast<size_t>(start)) + clip + current.substr(static_cast<size_t>(start + length));
    // The literals are the control's own, not part of the input.
    if (!m_arrLeftLiterals.empty() && text.starts_with(m_arrLeftLiterals))
        text.erase(0, m_arrLeftLiterals.size());
    if (!m_arrRightLiterals.empty() && text.ends_with(m_arrRightLiterals))
        text.erase(text.size() - m_arrRightLiterals.size());
    ResetInputData(TRUE);
    SetInputData(text, 0);
    if (WasRefused())
        ValidationError();
    PlaceCaret(start);
}

void CMaskEdit::mousePressEvent(QMouseEvent* e)
{
    QLineEdit::mousePressEvent(e);
    CallHandlerGuarded([&] {
        if (!hasSelectedText() && !IsInputPositionOrEnd(cursorPosition()))
            PlaceCaret(LeftLength());
    });
}

void CMaskEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    CallHandlerGuarded([&] {
        // Tabbing in selects everything; the input starts at its first position instead.
        if (!text().isEmpty() && selectedText() == text())
            PlaceCaret(LeftLength());
    });
}

void CMaskEdit::changeEvent(QEvent* e)
{
    QLineEdit::changeEvent(e);
    CallHandlerGuarded([&] {
        switch (e->type()) {
        case QEvent::FontChange: m_font = font(); break;
        case QEvent::EnabledChange:
        case QEvent::ReadOnlyChange: ApplyColours(); break;
        case QEvent::LocaleChange: OnSettingChange(); break;
        default: break;
        }
    });
}

void CMaskEdit::OnSettingChange()
{
    const std::wstring data = GetInputData();
    GetLocaleSettings();
    ResetInputData(TRUE);
    SetInputData(data, 0);
}

void CMaskEdit::contextMenuEvent(QContextMenuEvent* e)
{
    // The standard menu would edit the text behind the input rules' back.
    QMenu menu(this);
    const bool editable = !isReadOnly();
    const bool selected = hasSelectedText();
    menu.addAction(tr("Cu&t"), this, [this] { CallHandlerGuarded([&] { Cut(); }); })->setEnabled(editable && selected);
    menu.addAction(tr("&Copy"), this, [this] { copy(); })->setEnabled(selected);
    menu.addAction(tr("&Paste"), this, [this] { CallHandlerGuarded([&] { Paste(); }); })
        ->setEnabled(editable && !QApplication::clipboard()->text().isEmpty());
    menu.addAction(tr("Delete"), this, [this] { CallHandlerGuarded([&] { Clear(); }); })
        ->setEnabled(editable && selected);
    menu.addSeparator();
    menu.addAction(tr("Select All"), this, [this] { selectAll(); })->setEnabled(!text().isEmpty());
    menu.exec(e->globalPos());
}
