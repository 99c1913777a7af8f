#include "ui/views/ResultCell.h"

#include <QLocale>
#include <algorithm>

IMPLEMENT_DYNCREATE(CResultCell, CGridCellNumeric)

void CResultCell::SetValue(double dValue, int nDecimals)
{
    m_dValue = dValue == 0.0 ? 0.0 : dValue;
    // The text is the user's number format; the value stays exact beside it.
    const QString text = QLocale().toString(m_dValue, 'f', std::clamp(nDecimals, 0, 9));
    CGridCell::SetText(text.toStdWString().c_str());
    SetState(GetState() | GCS_MODIFIED);
}
