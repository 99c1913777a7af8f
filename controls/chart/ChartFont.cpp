#include "ChartFont.h"

#include <algorithm>

#include "platform/gdi/DC.h"

CChartFont::CChartFont(const std::wstring& strFaceName, int iPointSize)
    : m_strFaceName(strFaceName), m_iPointSize(iPointSize)
{
}

CChartFont::CChartFont(const CChartFont& other)
    : m_strFaceName(other.m_strFaceName),
      m_iPointSize(other.m_iPointSize),
      m_bItalic(other.m_bItalic),
      m_bBold(other.m_bBold),
      m_bUnderline(other.m_bUnderline),
      m_bVertical(other.m_bVertical)
{
}

CChartFont& CChartFont::operator=(const CChartFont& other)
{
    if (this != &other) {
        m_strFaceName = other.m_strFaceName;
        m_iPointSize = other.m_iPointSize;
        m_bItalic = other.m_bItalic;
        m_bBold = other.m_bBold;
        m_bUnderline = other.m_bUnderline;
        m_bVertical = other.m_bVertical;
        m_bDirty = true;
    }
    return *this;
}

CChartFont CChartFont::Resized(int iPointSize) const
{
    CChartFont f(*this);
    f.m_iPointSize = iPointSize;
    return f;
}

void CChartFont::SetFont(const std::wstring& strFaceName, int iPointSize, bool bItalic, bool bBold, bool bUnderline)
{
    m_strFaceName = strFaceName;
    m_iPointSize = iPointSize;
    m_bItalic = bItalic;
    m_bBold = bBold;
    m_bUnderline = bUnderline;
    m_bDirty = true;
}

void CChartFont::SetVertical(bool bVertical)
{
    m_bVertical = bVertical;
    m_bDirty = true;
}

void CChartFont::SelectFont(CDC* pDC)
{
    // The point size becomes pixels through the DC, so a font made for the screen is
    // rebuilt for a printer.
    if (m_bDirty || m_pBuiltFor != pDC) {
        LOGFONT lf{};
        lf.lfHeight = m_iPointSize;
        lf.lfWeight = m_bBold ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = m_bItalic;
        lf.lfUnderline = m_bUnderline;
        if (m_bVertical) {
            lf.lfEscapement = 900;
            lf.lfOrientation = 900;
        }
        const std::size_t length = std::min<std::size_t>(m_strFaceName.size(), LF_FACESIZE - 1);
        std::copy_n(m_strFaceName.begin(), length, lf.lfFaceName);
        lf.lfFaceName[length] = L'\0';
        m_Font.DeleteObject();
        m_Font.CreatePointFontIndirect(&lf, pDC);
        m_bDirty = false;
        m_pBuiltFor = pDC;
    }
    m_pOldFont = pDC->SelectObject(&m_Font);
}

void CChartFont::UnselectFont(CDC* pDC)
{
    if (m_pOldFont)
        pDC->SelectObject(m_pOldFont);
    m_pOldFont = nullptr;
}
