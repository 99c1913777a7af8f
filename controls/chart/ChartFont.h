#pragma once
#include <string>

#include "platform/gdi/GdiObject.h"

class CDC;

// A font description that builds its GDI font when it is selected into a device context.
class CChartFont {
public:
    CChartFont() = default;
    CChartFont(const std::wstring& strFaceName, int iPointSize);
    CChartFont(const CChartFont& other);
    CChartFont& operator=(const CChartFont& other);

    void SetFont(const std::wstring& strFaceName, int iPointSize, bool bItalic = false, bool bBold = false,
                 bool bUnderline = false);
    // Vertical text reads upwards.
    void SetVertical(bool bVertical);
    bool IsVertical() const { return m_bVertical; }
    int GetPointSize() const { return m_iPointSize; }
    // The same font at another size (tenths of a point).
    CChartFont Resized(int iPointSize) const;

    void SelectFont(CDC* pDC);
    void UnselectFont(CDC* pDC);

private:
    std::wstring m_strFaceName = L"Microsoft Sans Serif";
    int m_iPointSize = 100; // tenths of a point
    bool m_bItalic = false;
    bool m_bBold = false;
    bool m_bUnderline = false;
    bool m_bVertical = false;

    CFont m_Font;
    bool m_bDirty = true;
    CDC* m_pBuiltFor = nullptr;
    CFont* m_pOldFont = nullptr;
};
