#pragma once
// The application looks, ids 205 to 219, as Qt styles and palettes.
#include <vector>

struct CAppLook {
    int nID;
    const wchar_t* text; // menu text
};

// In menu order.
const std::vector<CAppLook>& GetAppLooks();

inline constexpr int kDefaultAppLook = 210;

// Applies the look to the whole application; an unknown id applies the default look.
void ApplyAppLook(int nLook);
