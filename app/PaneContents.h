#pragma once
// The contents of the case window and of the panes that other parts of the program fill.
// Each is made here and only here, so a real view replaces its stand-in in one place.
#include <string>

class QWidget;
class CQELDoc;

// The case's main view, shown in the case window.
QWidget* CreateCaseMainView(CQELDoc& doc, QWidget* parent);

// Pane 133 "Analysis Elements".
QWidget* CreateElementPaneContent(QWidget* parent);
// Pane 160 "Settings".
QWidget* CreateSettingsPaneContent(QWidget* parent);
// Pane 196 "PDF Help".
QWidget* CreatePdfPaneContent(QWidget* parent);
// Shows the manual in the PDF pane's content, sSetting being the setting "PDF help file
// path" (the program's own manual when it names no file); false when the file cannot be
// loaded.
bool LoadUserManual(QWidget* pPdfPaneContent, const std::wstring& sSetting);
