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
    const wchar_t* pszMenu; // "Analysis", "View" or "Tools"
    const wchar_t* pszText; // menu text, with its key after a tab
    const wchar_t* pszKey;  // accelerator ("F4", "Alt+O"), empty when none
    const wchar_t* pszPrompt; // status-bar prompt and tool tip, split at "\n"; empty when none
    void (CQELDoc::*pHandler)();
    CommandEnable enable;
};

// In menu order within each menu.
const std::vector<DocAnalysisCommand>& GetAnalysisCommands();
const DocAnalysisCommand* FindAnalysisCommand(int nID);
bool IsAnalysisCommandEnabled(const CQELDoc& doc, const DocAnalysisCommand& command);
