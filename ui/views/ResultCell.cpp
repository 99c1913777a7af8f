#include "ui/views/ResultCell.h"

#include "platform/base/CLocale.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

IMPLEMENT_DYNCREATE(CResultCell, CGridCellNumeric)

namespace {
// A value that rounds to zero is shown without a sign ("-0.00" reads as a fault in a table).
double Shown(double dValue, int nDecimals)
{
    return std::fabs(dValue) < 0.5 * std::pow(10.0, -nDecimals) ? 0.0 : dValue;
}
} // namespace

std::wstring ResultText(double dValue, int nDecimals)
{
    nDecimals = std::clamp(nDecimals, 0, 9);
    return QLocale().toString(Shown(dValue, nDecimals), 'f', nDecimals).toStdWString();
}

void CResultCell::SetValue(double dValue, int nDecimals)
{
    m_bNotAvailable = false;
    m_dValue = dValue == 0.0 ? 0.0 : dValue;
    m_nDecimals = std::clamp(nDecimals, 0, 9);
    CGridCell::SetText(ResultText(m_dValue, m_nDecimals).c_str());
    SetState(GetState() | GCS_MODIFIED);
}

void CResultCell::SetNotAvailable()
{
    m_bNotAvailable = true;
    m_dValue = 0.0;
    m_nDecimals = -1;
    CGridCell::SetText(L"n/a");
    SetState(GetState() | GCS_MODIFIED);
}

std::wstring CResultCell::GetExportText() const
{
    if (m_bNotAvailable)
        return {};
    if (m_nDecimals < 0)
        return CGridCellNumeric::GetExportText();
    const std::string format = "%." + std::to_string(m_nDecimals) + "f";
    return FormatDoubleCW(format.c_str(), Shown(m_dValue, m_nDecimals));
}
