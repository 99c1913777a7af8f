#pragma once
// Layout help shared by the result views.
class CWnd;

// A window placed while it (or its parent) is hidden gets its new size only when it is
// shown; until then its client area reads as empty. This applies the size at once, so
// that a view filled before it is shown (or offscreen) lays out and measures as on screen.
void ApplyPendingGeometry(CWnd* pWnd);
