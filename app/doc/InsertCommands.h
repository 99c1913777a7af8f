#pragma once
// The Insert menu: three standard bridge sets and the standard vehicles of ten design-code
// families. One row per vehicle command; the document's handler OnInsert<Name> calls the
// library's Get<Name>, and the menu, the command table and the tests read the same rows.
//
// X(Name, command id, submenu, item text, separator before the item, status prompt)
#define QEL_INSERT_VEHICLES(X)                                                                                       \
    X(A26, 32901, L"A&26", L"All A26", false, L"Insert all load models from A26\nAll A26")                           \
    X(A26_AA26, 32865, L"A&26", L"AA26", true, nullptr)                                                              \
    X(A26_A26, 32866, L"A&26", L"A26", false, nullptr)                                                               \
    X(A26_B26, 32867, L"A&26", L"B26", false, nullptr)                                                               \
    X(A36, 32902, L"A&36", L"All A36", false, L"Insert all load models from A36\nAll A36")                           \
    X(A36_AA36, 32869, L"A&36", L"AA36", true, nullptr)                                                              \
    X(A36_A36, 32870, L"A&36", L"A36", false, nullptr)                                                               \
    X(A36_B36, 32871, L"A&36", L"B36", false, nullptr)                                                               \
    X(NAASRA1970, 32903, L"NAASRA 197&0", L"All NAASRA 1970", false,                                                 \
      L"Insert all load models from NAASRA 1970\nAll NAASRA 1970")                                                   \
    X(NAASRA1970_MS18, 32873, L"NAASRA 197&0", L"MS18", true, nullptr)                                               \
    X(NAASRA1970_MS13, 32874, L"NAASRA 197&0", L"MS13.5", false, nullptr)                                            \
    X(NAASRA1970_M18, 32875, L"NAASRA 197&0", L"M18", false, nullptr)                                                \
    X(NAASRA1970_M13, 32876, L"NAASRA 197&0", L"M13.5", false, nullptr)                                              \
    X(NAASRA1970_M9, 32877, L"NAASRA 197&0", L"M9", false, nullptr)                                                  \
    X(NAASRA1976, 32904, L"NAASRA 197&6", L"All Standard NAASRA 1976", false,                                        \
      L"Insert all standard load models from NAASRA 1976\nAll NAASRA 1976")                                          \
    X(NAASRA1976_A14, 32880, L"NAASRA 197&6", L"A14", true, nullptr)                                                 \
    X(NAASRA1976_T44, 32879, L"NAASRA 197&6", L"T44", false, nullptr)                                                \
    X(NAASRA1976_L44, 32910, L"NAASRA 197&6", L"L44", false, nullptr)                                                \
    X(NAASRA1976_SAV, 32911, L"NAASRA 197&6", L"Abnormal Vehicle", true, nullptr)                                    \
    X(ABDC1992, 32905, L"ABDC 199&2", L"All Standard ABDC", false,                                                   \
      L"Insert all standard load models from ABDC 1992\nAll ABDC 1992")                                              \
    X(ABDC1992_W7, 32883, L"ABDC 199&2", L"A14", true, nullptr)                                                      \
    X(ABDC1992_T44, 32882, L"ABDC 199&2", L"T44", false, nullptr)                                                    \
    X(ABDC1992_L44, 32912, L"ABDC 199&2", L"L44", false, nullptr)                                                    \
    X(ABDC1992_HLP320, 32913, L"ABDC 199&2", L"HLP 320", true, nullptr)                                              \
    X(ABDC1992_HLP400, 32914, L"ABDC 199&2", L"HLP 400", false, nullptr)                                             \
    X(ABAG, 32925, L"&ABAG", L"All ABAG", false, L"Insert all load models from ABAG\nAll ABAG")                      \
    X(ABAG_BDouble1, 32933, L"&ABAG", L"B-double 1", true, nullptr)                                                  \
    X(ABAG_BDouble2, 32934, L"&ABAG", L"B-double 2", false, nullptr)                                                 \
    X(ABAG_BDouble3, 32935, L"&ABAG", L"B-double 3", false, nullptr)                                                 \
    X(ABAG_Semi1, 32936, L"&ABAG", L"Semi-Trailer 1", false, nullptr)                                                \
    X(ABAG_Semi2, 32937, L"&ABAG", L"Semi-Trailer 2", false, nullptr)                                                \
    X(ABAG_Semi3, 32938, L"&ABAG", L"Semi-Trailer 3", false, nullptr)                                                \
    X(ABAG_Semi4, 32939, L"&ABAG", L"Semi-Trailer 4", false, nullptr)                                                \
    X(AS5100, 32900, L"A&S5100.2", L"All SM1600", false, L"Insert all standard load models from AS5100\nAll AS5100") \
    X(AS5100_W80, 32885, L"A&S5100.2", L"W80", true, nullptr)                                                        \
    X(AS5100_A160, 32886, L"A&S5100.2", L"A160", false, nullptr)                                                     \
    X(AS5100_M1600, 32887, L"A&S5100.2", L"M1600", false, nullptr)                                                   \
    X(AS5100_S1600, 32888, L"A&S5100.2", L"S1600", false, nullptr)                                                   \
    X(AS5100_HLP320, 32908, L"A&S5100.2", L"HLP320", true, nullptr)                                                  \
    X(AS5100_HLP400, 32909, L"A&S5100.2", L"HLP400", false, nullptr)                                                 \
    X(Eurocode, 32907, L"&Eurocode", L"All Eurocode", false, nullptr)                                                \
    X(Eurocode_LM1, 32890, L"&Eurocode", L"LM1", true, nullptr)                                                      \
    X(BS5400, 32906, L"BS&5400", L"All BS5400", false, nullptr)                                                      \
    X(BS5400_HA, 32892, L"BS&5400", L"HA", true, nullptr)                                                            \
    X(BS5400_HAHB, 32893, L"BS&5400", L"HA+HB", false, nullptr)                                                      \
    X(AASHTO, 32917, L"AAS&HTO", L"All AASHTO", false, nullptr)                                                      \
    X(AASHTO_HL93, 32916, L"AAS&HTO", L"HL93", true, nullptr)

// The bridge-set rows, in menu order.
#define QEL_INSERT_BRIDGES(X)                                                                                   \
    X(AllBridges, 32898, L"&Bridges", L"All 50 m Bridges", false, L"Insert all 50 m bridges\nAll 50 m Bridges") \
    X(Bridges1Span, 32895, L"&Bridges", L"1-Span", true, nullptr)                                               \
    X(Bridges2Span, 32896, L"&Bridges", L"2-Span", false, nullptr)                                              \
    X(Bridges3Span, 32897, L"&Bridges", L"3-Span", false, nullptr)

#ifdef __cplusplus
#include <span>

class CQELDoc;

struct InsertCommand {
    int nID;
    const wchar_t* sSubmenu;
    const wchar_t* sText;
    bool bSeparatorBefore;  // within the submenu
    const wchar_t* sPrompt; // status text and tip, or none
    void (CQELDoc::*pHandler)();
};

// Every insert command in menu order: the bridges first, then the ten families.
std::span<const InsertCommand> GetInsertCommands();
// The submenus after which the Insert menu has a separator.
bool IsSeparatorAfterSubmenu(const wchar_t* sSubmenu);
// The "Insert" toolbar: command ids, 0 for a separator.
std::span<const int> GetInsertToolbar();
#endif
