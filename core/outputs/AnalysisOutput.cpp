#include "core/outputs/AnalysisOutput.h"

#include <locale>
#include <sstream>

#include "core/elements/Element.h"

std::wstring CAnalysisOutput::SetDataPoint(bool bReaction, int index, double x, double y)
{
    m_PointX = x;
    m_PointY = y;
    std::wostringstream os;
    os.imbue(std::locale::classic());
    if (bReaction)
        os << L"Reaction " << (index + 1) << L'!';
    else
        os << (index != 0 ? L"Shear!" : L"Bending!");
    os << L"\nX: " << x << L"\nY: " << y;
    return os.str();
}

std::wstring CAnalysisOutput::Join(const std::vector<std::wstring>& parts) const
{
    std::wstring out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i)
            out += m_Separator;
        out += parts[i];
    }
    return out;
}

std::wstring CAnalysisOutput::NameOf(const CElement* pElement)
{
    return pElement ? pElement->GetDescription() : std::wstring();
}
