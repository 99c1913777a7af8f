#pragma once
// A line edit whose text is fixed literal text around an editable middle part (the input
// data). Every change of the input goes through NormalizeInputData, so a derived class can
// keep the input in a canonical form while the user types.
//
// Window positions (caret, selection) count from the start of the whole text; input
// indexes count from the end of the left literals.
#include "platform/gdi/Colour.h"
#include "platform/win/WinDef.h"

#include <QFont>
#include <QLineEdit>
#include <string>

class CMaskEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CMaskEdit(QWidget* parent = nullptr);
    ~CMaskEdit() override;

    // The mask holds one lone # for the input; ## is a literal #. FALSE for a mask without
    // a lone # (nothing changes then).
    BOOL SetMask(const std::wstring& sMask);
    const std::wstring& GetMask() const { return m_sMask; }

    virtual std::wstring GetInputData() const;
    // FALSE when nPos lies outside 0..input length.
    virtual BOOL SetInputData(const std::wstring& sText, int nPos);
    // TRUE empties the input only; FALSE empties the literals as well.
    virtual void ResetInputData(BOOL bFree);
    // Tells the user a key was refused.
    virtual void ValidationError();

    // Text set from outside (as a dialog does): it is fed through the input rules.
    void SetWindowText(const std::wstring& sText);
    std::wstring GetWindowText() const { return text().toStdWString(); }

    BOOL IsInsertMode() const { return m_bInsertMode; }
    void SetTextColor(COLORREF clr);
    void SetBackColor(COLORREF clr);

    COLORREF m_clrText;
    COLORREF m_clrBack;
    QFont m_font;
    std::wstring m_sMask = L"#";
    std::wstring m_arrLeftLiterals;
    std::wstring m_arrRightLiterals;
    std::wstring m_arrInputData;
    BOOL m_bInsertMode = TRUE;
    std::wstring m_sToolTipText;
    int m_nSetTextSemaphore = 0;
    BOOL m_bNotifyChange = TRUE;
    BOOL m_bInitialized = FALSE;
    COLORREF m_clrReadOnlyBack;
    COLORREF m_clrReadOnlyText;

signals:
    // The text was rewritten by the control (EN_UPDATE, then EN_CHANGE unless notification
    // is off for the change).
    void enUpdate();
    void enChange();

protected:
    struct NoSubclass {};
    // For derived classes: they run PreSubclassWindow themselves once they are complete,
    // so that their overrides take part in the first initialisation.
    CMaskEdit(QWidget* parent, NoSubclass);
    void PreSubclassWindow();

    virtual void GetLocaleSettings() {}
    virtual void InitControl();
    // Brings the input into canonical form; returns the change in input length.
    virtual int NormalizeInputData() { return 0; }
    virtual void EmptyData();
    virtual BOOL IsInputPosition(int nPos) const;
    virtual BOOL IsInputPositionOrEnd(int nPos) const;
    // Deletes the input characters of [nStart, nEnd); returns how many went.
    virtual int DeleteRange(int& nStart, int& nEnd);
    // Both return the position of the character written, or -1 when it was refused.
    virtual int InsertAt(int nPos, wchar_t ch);
    virtual int ReplaceAt(int nPos, wchar_t ch);
    virtual int GetNextInputLocation(int nPos) const;
    virtual int GetPreviousInputLocation(int nPos) const;
    virtual void OnSignChanged() {}
    // Colours of the field as drawn now.
    virtual void CtlColor(COLORREF& clrText, COLORREF& clrBack) const;

    int LeftLength() const { return static_cast<int>(m_arrLeftLiterals.size()); }
    int InputLength() const { return static_cast<int>(m_arrInputData.size()); }
    int InputEnd() const { return LeftLength() + InputLength(); }
    // Normalises; input that may not stand (IsAcceptable) is refused and the input accepted
    // last put back (WasRefused tells). Returns the change in input length.
    int UpdateInputData();
    // Whether the normalised input may stand: the whole text, literals included, fits the
    // text limit (a longer text would be cut on the screen but not in the input).
    virtual bool IsAcceptable() const;
    // What UpdateInputData puts back on a refusal.
    virtual void SaveAccepted() { m_sLastAccepted = m_arrInputData; }
    virtual void RestoreAccepted() { m_arrInputData = m_sLastAccepted; }
    bool WasRefused() const { return m_bRefused; }
    int TextLength() const
    {
        return static_cast<int>(m_arrLeftLiterals.size() + m_arrInputData.size() + m_arrRightLiterals.size());
    }
    void WriteWindowText();
    void PlaceCaret(int nPos, bool bMovingLeft = false);
    void ApplyColours();

    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;

    // Clipboard and editing commands, as the menu and the keys reach them.
    void Cut();
    void Paste();
    void Clear();
    void OnCharTyped(wchar_t ch);
    void OnBackspace();
    void OnDeleteKey();
    virtual void OnSettingChange();

private:
    static bool SplitMask(const std::wstring& sMask, std::wstring& left, std::wstring& right);
    bool HandleKey(QKeyEvent* e);

    std::wstring m_sLastAccepted; // this field's input as accepted last
    bool m_bRefused = false;      // the last update was refused
};
