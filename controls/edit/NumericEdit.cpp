#include "controls/edit/NumericEdit.h"

#include "platform/base/CLocale.h"

#include <QLocale>
#include <cmath>
#include <string>

namespace {
bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// A setting follows the locale only while it still equals the value read last.
template <class T>
void Follow(T& setting, T& copy, const T& fromLocale)
{
    if (setting == copy)
        setting = fromLocale;
    copy = fromLocale;
}

void SplitFormat(const std::wstring& format, std::wstring& left, std::wstring& right)
{
    const size_t at = format.find(CNumericEdit::kSignSample);
    if (at == std::wstring::npos) {
        left.clear();
        right.clear();
        return;
    }
    left = format.substr(0, at);
    right = format.substr(at + CNumericEdit::kSignSampleLength);
}
} // namespace

CNumericEdit::CNumericEdit(QWidget* parent) : CMaskEdit(parent, NoSubclass{})
{
    m_clrNegative = m_clrText;
    PreSubclassWindow();
}

void CNumericEdit::InitControl()
{
    CMaskEdit::InitControl();
}

void CNumericEdit::GetLocaleSettings()
{
    const QLocale loc;
    const QString dec = loc.decimalPoint();
    if (!dec.isEmpty())
        Follow(m_chDecimalSeparator, m_chLocaleDecimalSeparator, static_cast<wchar_t>(dec.at(0).unicode()));
    const QString group = loc.groupSeparator();
    if (!group.isEmpty())
        Follow(m_chGroupSeparator, m_chLocaleGroupSeparator, static_cast<wchar_t>(group.at(0).unicode()));
    // The size of the last group of a long number; none when the locale does not group.
    const QString sample = loc.toString(qlonglong(1234567890));
    if (!group.isEmpty()) {
        const qsizetype last = sample.lastIndexOf(group);
        if (last >= 0)
            Follow(m_nGroupLength, m_nLocaleGroupLength, static_cast<int>(sample.size() - last - group.size()));
    }
    const QString minus = loc.negativeSign();
    if (!minus.isEmpty())
        Follow(m_sNegativeFormat, m_sLocaleNegativeFormat, minus.toStdWString() + kSignSample);
}

void CNumericEdit::OnSettingChange()
{
    const wchar_t oldDecimal = m_chDecimalSeparator;
    std::wstring data = GetInputData();
    GetLocaleSettings();
    // The input still holds the old separator, which the new rules would drop.
    if (oldDecimal != m_chDecimalSeparator)
        for (wchar_t& c : data)
            if (c == oldDecimal)
                c = m_chDecimalSeparator;
    ResetInputData(TRUE);
    SetInputData(data, 0);
}

void CNumericEdit::EmptyData()
{
    CMaskEdit::EmptyData();
    m_dValue = 0.0;
}

std::wstring CNumericEdit::GetInputData() const
{
    if (m_nGroupLength < 1)
        return m_arrInputData;
    std::wstring s;
    s.reserve(m_arrInputData.size());
    for (wchar_t c : m_arrInputData)
        if (c != m_chGroupSeparator)
            s += c;
    return s;
}

int CNumericEdit::IntegerDigits(const std::wstring& data) const
{
    int n = 0;
    for (wchar_t c : data) {
        if (c == m_chDecimalSeparator)
            break;
        if (IsDigit(c))
            ++n;
    }
    return n;
}

int CNumericEdit::NormalizeInputData()
{
    const std::wstring before = m_arrInputData;
    const int oldLength = InputLength();
    const size_t digits = static_cast<size_t>(std::max(0, m_nDecimalDigitCount));

    // Digits and the last decimal separator stay; a leading '-' asks for the negative sign.
    std::wstring s;
    bool separatorSeen = false;
    bool minus = false;
    for (size_t i = before.size(); i-- > 0;) {
        const wchar_t c = before[i];
        if (IsDigit(c)) {
            s.insert(s.begin(), c);
        } else if (c == m_chDecimalSeparator && !separatorSeen) {
            s.insert(s.begin(), c);
            separatorSeen = true;
        } else if (c == L'-' && i == 0) {
            minus = true;
        }
    }

    auto separatorAt = [&] { return s.find(m_chDecimalSeparator); };
    auto integerCount = [&] {
        const size_t at = separatorAt();
        return at == std::wstring::npos ? s.size() : at;
    };

    while (!s.empty() && s[0] == L'0' && integerCount() > 1)
        s.erase(0, 1);

    if (size_t at = separatorAt(); at != std::wstring::npos) {
        const size_t fraction = s.size() - at - 1;
        if (fraction > digits)
            s.erase(at + 1 + digits);
    }

    if (m_nMaxIntegerDigits != -1 && !(!s.empty() && s[0] == L'0'))
        while (integerCount() > static_cast<size_t>(std::max(0, m_nMaxIntegerDigits)))
            s.erase(0, 1);

    if (digits != 0) {
        if (separatorAt() == std::wstring::npos)
            s += m_chDecimalSeparator;
        const size_t at = separatorAt();
        while (s.size() - at - 1 < digits)
            s += L'0';
        if (at == 1 && s[0] == L'0' && !m_bShowLeadingZero)
            s.erase(0, 1);
    } else if (size_t at = separatorAt(); at != std::wstring::npos) {
        s.erase(at);
    }

    if (integerCount() == 0 && m_bShowLeadingZero)
        s.insert(s.begin(), L'0');

    if (m_nGroupLength >= 1) {
        size_t counted = 0;
        for (size_t i = integerCount(); i > 0; --i) {
            if (++counted == static_cast<size_t>(m_nGroupLength) && i > 1) {
                s.insert(i - 1, 1, m_chGroupSeparator);
                counted = 0;
            }
        }
    }

    m_arrInputData = s;
    ChangeSign(minus ? TRUE : m_bNegative);
    if (m_arrInputData != before)
        WriteWindowText();

    // The value is read in the C locale, whatever the user's separator is.
    std::wstring text = GetInputData();
    for (wchar_t& c : text)
        if (c == m_chDecimalSeparator)
            c = L'.';
    double value = 0.0;
    m_bInRange = text.empty() || ParseDoubleC(text, value);
    if (!m_bInRange)
        value = 0.0;
    m_dValue = m_bNegative ? -value : value;
    return InputLength() - oldLength;
}

int CNumericEdit::ChangeSign(BOOL bNegative)
{
    const int oldLeft = LeftLength();
    m_bNegative = bNegative;
    std::wstring maskLeft, maskRight;
    const size_t hash = m_sMask.find(L'#');
    if (hash != std::wstring::npos) {
        maskLeft = m_sMask.substr(0, hash);
        maskRight = m_sMask.substr(hash + 1);
    }
    std::wstring formatLeft, formatRight;
    SplitFormat(bNegative ? m_sNegativeFormat : m_sPositiveFormat, formatLeft, formatRight);
    m_arrLeftLiterals = maskLeft + formatLeft;
    m_arrRightLiterals = formatRight + maskRight;
    OnSignChanged();
    WriteWindowText();
    if (std::signbit(m_dValue) != (bNegative != FALSE))
        m_dValue = -m_dValue;
    return LeftLength() - oldLeft;
}

BOOL CNumericEdit::SetPositiveFormat(const std::wstring& sFormat)
{
    if (sFormat.find(kSignSample) == std::wstring::npos)
        return FALSE;
    m_sPositiveFormat = sFormat;
    ChangeSign(m_bNegative);
    return TRUE;
}

BOOL CNumericEdit::SetNegativeFormat(const std::wstring& sFormat)
{
    if (sFormat.find(kSignSample) == std::wstring::npos)
        return FALSE;
    m_sNegativeFormat = sFormat;
    ChangeSign(m_bNegative);
    return TRUE;
}

BOOL CNumericEdit::SetValue(double dValue)
{
    m_dValue = dValue;
    const int digits = std::max(0, m_nDecimalDigitCount);
    const std::string fixed = FormatDoubleC(("%." + std::to_string(digits) + "f").c_str(), dValue);
    std::wstring text;
    bool anyNonZero = false;
    for (char c : fixed) {
        if (c >= '0' && c <= '9') {
            text += static_cast<wchar_t>(c);
            anyNonZero = anyNonZero || c != '0';
        } else if (c == '.') {
            text += m_chDecimalSeparator;
        }
    }
    // A value that rounds to zero is shown as zero, without a sign.
    const BOOL negative = dValue < 0 && anyNonZero ? TRUE : FALSE;
    m_bNegative = negative;
    if (negative)
        text.insert(text.begin(), L'-');
    ResetInputData(TRUE);
    SetInputData(text, 0);
    if (WasRefused())
        return FALSE;
    ChangeSign(negative);
    return TRUE;
}

bool CNumericEdit::IsAcceptable() const
{
    return m_bInRange && CMaskEdit::IsAcceptable();
}

void CNumericEdit::SaveAccepted()
{
    CMaskEdit::SaveAccepted();
    m_bLastAcceptedNegative = m_bNegative;
}

void CNumericEdit::RestoreAccepted()
{
    CMaskEdit::RestoreAccepted();
    m_bNegative = m_bLastAcceptedNegative;
}

BOOL CNumericEdit::SetDecimalDigitCount(int nCount)
{
    if (nCount == m_nDecimalDigitCount)
        return TRUE;
    const std::wstring data = GetInputData();
    m_nDecimalDigitCount = std::max(0, nCount);
    ResetInputData(TRUE);
    SetInputData(data, 0);
    return TRUE;
}

BOOL CNumericEdit::IsInputPosition(int nPos) const
{
    if (!CMaskEdit::IsInputPosition(nPos))
        return FALSE;
    const wchar_t c = m_arrInputData[static_cast<size_t>(nPos - LeftLength())];
    return c != m_chDecimalSeparator && c != m_chGroupSeparator;
}

int CNumericEdit::InsertAt(int nPos, wchar_t ch)
{
    return ValidateChar(nPos, ch, FALSE);
}

int CNumericEdit::ReplaceAt(int nPos, wchar_t ch)
{
    return ValidateChar(nPos, ch, TRUE);
}

int CNumericEdit::ValidateChar(int nPos, wchar_t ch, BOOL bReplace)
{
    const int left = LeftLength();
    const int index = nPos - left;
    if (!IsDigit(ch) && ch != m_chDecimalSeparator) {
        if (ch == L'-') {
            const int shift = ChangeSign(!m_bNegative);
            if (!IsAcceptable()) {
                ChangeSign(!m_bNegative); // the sign would not fit the limit
                return -1;
            }
            SaveAccepted();
            return nPos - 1 + shift;
        }
        if (ch == L'.' && m_bAcceptPeriod)
            ch = m_chDecimalSeparator;
        else
            return -1;
    }

    if (ch == m_chDecimalSeparator) {
        if (m_nDecimalDigitCount <= 0)
            return -1;
        const size_t at = m_arrInputData.find(m_chDecimalSeparator);
        if (at != std::wstring::npos)
            return left + static_cast<int>(at);
        return CMaskEdit::InsertAt(InputEnd(), ch);
    }

    const std::wstring& data = m_arrInputData;
    if (!data.empty()) {
        if (ch == L'0' && index == 0 && IsInputPosition(nPos)) {
            // A zero in front of the number would be a leading zero: over a lone zero the
            // caret just steps on, in front of other digits the key is refused.
            return data[0] == L'0' ? nPos : -1;
        }
        if (index != 0 && bReplace)
            return CMaskEdit::ReplaceAt(nPos, ch);
        if (index == 0 && !bReplace && data[0] == L'0')
            return CMaskEdit::ReplaceAt(nPos, ch);
        if (index == 0 && bReplace)
            return data[0] == m_chDecimalSeparator ? CMaskEdit::InsertAt(nPos, ch) : CMaskEdit::ReplaceAt(nPos, ch);
    } else if (bReplace) {
        return CMaskEdit::ReplaceAt(nPos, ch);
    }

    const size_t at = data.find(m_chDecimalSeparator);
    if (at != std::wstring::npos && static_cast<int>(at) < index) {
        const int fraction = static_cast<int>(data.size() - at - 1);
        return fraction >= m_nDecimalDigitCount ? CMaskEdit::ReplaceAt(nPos, ch) : CMaskEdit::InsertAt(nPos, ch);
    }
    const int integers = IntegerDigits(data);
    if (at == std::wstring::npos && integers == 1 && !data.empty() && data[0] == L'0')
        return CMaskEdit::ReplaceAt(nPos - 1, ch);
    if (m_nMaxIntegerDigits != -1 && integers >= m_nMaxIntegerDigits)
        return CMaskEdit::ReplaceAt(nPos, ch);
    return CMaskEdit::InsertAt(nPos, ch);
}

int CNumericEdit::DeleteRange(int& nStart, int& nEnd)
{
    nStart = GetNextInputLocation(nStart);
    if (nEnd < nStart)
        nEnd = nStart;
    const std::wstring before = m_arrInputData;
    const int left = LeftLength();
    const int textLength =
        static_cast<int>(m_arrLeftLiterals.size() + m_arrInputData.size() + m_arrRightLiterals.size());
    // A range over the whole number takes its sign with it.
    const bool wholeNumber =
        m_bNegative && nStart <= left && nEnd >= textLength - static_cast<int>(m_arrRightLiterals.size());

    int count = 0;
    const size_t at = before.find(m_chDecimalSeparator);
    const int separator = at == std::wstring::npos ? -1 : left + static_cast<int>(at);
    if (separator < 0 || separator < nStart || separator >= nEnd) {
        count = CMaskEdit::DeleteRange(nStart, nEnd);
    } else {
        // The separator stays: the parts either side of it go separately.
        int s = separator + 1, e = nEnd;
        count += CMaskEdit::DeleteRange(s, e);
        s = nStart;
        e = separator;
        count += CMaskEdit::DeleteRange(s, e);
        nStart = s;
    }
    if (wholeNumber)
        m_bNegative = FALSE;
    if (count == 0 && !wholeNumber)
        return 0;

    auto groups = [&](const std::wstring& d) {
        int n = 0;
        if (m_nGroupLength >= 1)
            for (wchar_t c : d)
                n += c == m_chGroupSeparator;
        return n;
    };
    const int startIndex = std::clamp(nStart - left, 0, static_cast<int>(before.size()));
    int kept = 0; // characters in front of the start other than group separators
    for (int i = 0; i < startIndex; ++i)
        kept += !(m_nGroupLength >= 1 && before[static_cast<size_t>(i)] == m_chGroupSeparator);
    const int groupsBefore = groups(before);

    UpdateInputData();

    const int groupsAfter = groups(m_arrInputData);
    if (groupsBefore > groupsAfter)
        count += groupsBefore - groupsAfter;
    int newIndex = 0;
    for (int seen = 0; newIndex < InputLength() && seen < kept; ++newIndex)
        seen += !(m_nGroupLength >= 1 && m_arrInputData[static_cast<size_t>(newIndex)] == m_chGroupSeparator);
    const int vanished = std::max(0, startIndex - newIndex);
    nStart = std::max(0, nStart - vanished);
    nEnd = std::max(0, nEnd - vanished);
    return count;
}

void CNumericEdit::CtlColor(COLORREF& clrText, COLORREF& clrBack) const
{
    CMaskEdit::CtlColor(clrText, clrBack);
    if (m_bNegative)
        clrText = m_clrNegative;
}
