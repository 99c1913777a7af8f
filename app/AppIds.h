#pragma once
// Command and pane ids of the application shell. Commands keep the numbers the system
// gives them, so tests and code find an action by its id.
enum : int {
    // File
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616, // ... ID_FILE_MRU_FILE1 + 3
    ID_FILE_PRINT_ALL = 32863,
    ID_APP_EXIT = 57665,
    ID_APP_ABOUT = 57664,

    // Edit
    ID_EDIT_COPY = 57634,
    ID_EDIT_SELECT_ALL = 57642,

    // Case ("Configuration")
    ID_CASE_DATA = 32862,
    ID_ADD_BRIDGE = 32791,
    ID_ADD_BRIDGESET = 32792,
    ID_ADD_LOADMODEL = 32793,
    ID_ADD_LOADMODELENSEMBLE = 32794,
    ID_ADD_REFCOLLECTION = 32805,

    // View
    ID_VIEW_CUSTOMIZE = 126,

    // Window
    ID_WINDOW_MANAGER = 131,
    ID_WINDOW_CLOSE_TAB = 32800,
    ID_WINDOW_CLOSE_ALL_TABS = 32802,
    ID_MDI_NEW_HORZ_TAB_GROUP = 32808,
    ID_MDI_NEW_VERT_GROUP = 32810,
    ID_MDI_MOVE_TO_NEXT_GROUP = 32812,
    ID_MDI_MOVE_TO_PREV_GROUP = 32814,

    // Panes: the command that shows a pane has the pane's id.
    ID_PANE_ELEMENTS = 133,
    ID_PANE_OUTPUT = 149,
    ID_PANE_SETTINGS = 160,
    ID_PANE_PDFHELP = 196,

    // Application looks
    ID_VIEW_APPLOOK_WIN_2000 = 205,
    ID_VIEW_APPLOOK_OFF_XP = 206,
    ID_VIEW_APPLOOK_WIN_XP = 207,
    ID_VIEW_APPLOOK_OFF_2003 = 208,
    ID_VIEW_APPLOOK_VS_2005 = 209,
    ID_VIEW_APPLOOK_VS_2008 = 210,
    ID_VIEW_APPLOOK_OFF_2007_BLUE = 215,
    ID_VIEW_APPLOOK_OFF_2007_BLACK = 216,
    ID_VIEW_APPLOOK_OFF_2007_SILVER = 217,
    ID_VIEW_APPLOOK_OFF_2007_AQUA = 218,
    ID_VIEW_APPLOOK_WINDOWS_7 = 219,
};

inline constexpr int kRecentFileCount = 4;
