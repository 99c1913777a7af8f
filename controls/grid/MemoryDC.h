#pragma once
// An off-screen DC for one paint: drawing goes into a picture of the target's clip box,
// copied to the target in one step when the object goes. On a printer it draws straight
// through to the printer's DC.
#include "platform/gdi/DC.h"

class CMemoryDC : public CDC {
public:
    explicit CMemoryDC(CDC* pDC);
    ~CMemoryDC() override;
    CMemoryDC* operator->() { return this; }
    operator CMemoryDC*() { return this; }

    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC;
};
