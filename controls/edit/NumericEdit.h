#pragma once
// The edit field of a real number: shows a double in the user's locale with a fixed number
// of decimals while the user types, and keeps m_dValue equal to what it shows. The sign is
// shown as literal text around the number (a sign format such as "-1.1" or "(1.1)").
//
// Dialogs exchange the number with SetValue (when loading) and m_dValue (when saving).
#include "controls/edit/MaskEdit.h"

class CNumericEdit : public CMaskEdit {
    Q_OBJECT

public:
    explicit CNumericEdit(QWidget* parent = nullptr);

    // FALSE when the value cannot be shown within the text limit: the field keeps its own.
    BOOL SetValue(double dValue);
    BOOL SetDecimalDigitCount(int nCount);
    int GetDecimalDigitCount() const { return m_nDecimalDigitCount; }
    // A sign format holds the sample "1.1" once; FALSE otherwise.
    virtual BOOL SetPositiveFormat(const std::wstring& sFormat);
    virtual BOOL SetNegativeFormat(const std::wstring& sFormat);
    // Returns how far the left literals moved (callers add it to the caret position).
    virtual int ChangeSign(BOOL bNegative);
    // A typed character at window position nPos: the position written, or -1 when refused.
    virtual int ValidateChar(int nPos, wchar_t ch, BOOL bReplace);

    std::wstring GetInputData() const override;

    static constexpr const wchar_t* kSignSample = L"1.1";
    static constexpr int kSignSampleLength = 3;

    wchar_t m_chGroupSeparator = L',';
    int m_nGroupLength = 3;
    wchar_t m_chDecimalSeparator = L'.';
    BOOL m_bShowLeadingZero = TRUE;
    int m_nDecimalDigitCount = 2;
    int m_nMaxIntegerDigits = -1;
    std::wstring m_sNegativeFormat = L"-1.1";
    std::wstring m_sPositiveFormat = L"1.1";
    COLORREF m_clrNegative;
    double m_dValue = 0.0;
    BOOL m_bNegative = FALSE;
    BOOL m_bAcceptPeriod = TRUE;

    // The values last read from the locale: a setting follows the locale only while it
    // still equals its copy, so a value the program set survives a change of settings.
    wchar_t m_chLocaleGroupSeparator = L',';
    int m_nLocaleGroupLength = 3;
    wchar_t m_chLocaleDecimalSeparator = L'.';
    BOOL m_bLocaleShowLeadingZero = TRUE;
    int m_nLocaleDecimalDigitCount = 2;
    int m_nLocaleMaxIntegerDigits = -1;
    std::wstring m_sLocaleNegativeFormat = L"-1.1";
    std::wstring m_sLocalePositiveFormat = L"1.1";

protected:
    void GetLocaleSettings() override;
    void InitControl() override;
    int NormalizeInputData() override;
    void EmptyData() override;
    BOOL IsInputPosition(int nPos) const override;
    int DeleteRange(int& nStart, int& nEnd) override;
    int InsertAt(int nPos, wchar_t ch) override;
    int ReplaceAt(int nPos, wchar_t ch) override;
    void CtlColor(COLORREF& clrText, COLORREF& clrBack) const override;
    // Also refuses a number beyond the range of a double, which would show digits the
    // value cannot hold.
    bool IsAcceptable() const override;
    void SaveAccepted() override;
    void RestoreAccepted() override;
    void OnSettingChange() override;

private:
    int IntegerDigits(const std::wstring& data) const;

    bool m_bInRange = true;               // the shown number fits a double
    BOOL m_bLastAcceptedNegative = FALSE; // the sign that goes with the input accepted last
};
