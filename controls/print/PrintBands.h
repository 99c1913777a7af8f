#pragma once
// The page header and footer bands that every printed table and view shares.
#include "platform/gdi/DC.h"

#include <string>

// Bold form of font: title centred, right on the right, a rule underneath. A title too long
// to stand clear of the right text ends in an ellipsis instead of running over it.
void PrintHeaderBand(CDC* pDC, const CRect& band, const CFont& font, const std::wstring& title,
                     const std::wstring& right);

// A rule above, "Page %d of %d" on the left and the local date and time on the right, in the
// bold form of font.
void PrintFooterBand(CDC* pDC, const CRect& band, const CFont& font, int nPage, int nPages);
