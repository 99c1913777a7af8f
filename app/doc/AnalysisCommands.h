#pragma once
// The document's commands of the "Analysis", "View" and "Tools" menus as data, for the
// shell to build its menus, accelerators, toolbar prompts and command enabling from.
#include <vector>

class CQELDoc;

enum class CommandEnable {
    Always,
    WhileIdle,    // no analysis runs
    WhileRunning, // an analysis runs
};

struct DocAnalysisCommand {
    int nID;
    const wchar_t* pszMenu;      // "&Analysis", "&View" or "&Tools"
    const wchar_t* pszText;      // menu text, with its key after a tab
    const char* pszKey;          // accelerator ("F4", "Alt+O"), none when null
    const wchar_t* pszStatusTip; // the prompt's two halves, none when null
    const wchar_t* pszToolTip;
    bool bToolbar; // also a button of the main toolbar
    void (CQELDoc::*pHandler)();
    CommandEnable enable;
};

// In menu order within each menu.
const std::vector<DocAnalysisCommand>& GetAnalysisCommands();
const DocAnalysisCommand* FindAnalysisCommand(int nID);
bool IsAnalysisCommandEnabled(const CQELDoc& doc, const DocAnalysisCommand& command);
