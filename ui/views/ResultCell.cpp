#include "ui/views/ResultCell.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

IMPLEMENT_DYNCREATE(CResultCell, CGridCellNumeric)

void CResultCell::SetValue(double dValue, int nDecimals)
{
    m_dValue = dValue == 0.0 ? 0.0 : dValue;
    const int decimals = std::clamp(nDecimals, 0, 9);
    // A value that rounds to zero shows no sign ("-0.00" reads as a fault in a table).
    const double shown = std::fabs(dValue) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : dValue;
    // The text is the user's number format; the value stays exact beside it.
    const QString text = QLocale().toString(shown, 'f', decimals);
    CGridCell::SetText(text.toStdWString().c_str());
    SetState(GetState() | GCS_MODIFIED);
}
