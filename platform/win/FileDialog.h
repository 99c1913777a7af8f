#pragma once
// File dialogs of the program. Tests install an answerer, so no dialog ever blocks a test.
#include <functional>
#include <optional>
#include <string>

class QWidget;

struct FileDialogRequest {
    bool bSave = false;
    std::wstring sTitle;
    std::wstring sFilter;        // Qt form: "QEL Files (*.qel)", several joined by ";;"
    std::wstring sDefaultSuffix; // without the dot; added when the name has none
    // When given, receives the filter the user chose (the first one unless changed).
    // Choosing another filter of one "*.ext" pattern makes ext the suffix that is added.
    std::wstring* pSelectedFilter = nullptr;
    std::wstring sInitialName;
};

// Returns the chosen path, or nothing for Cancel.
using FileDialogAnswerer = std::function<std::optional<std::wstring>(const FileDialogRequest&)>;

// Installs an answerer (an empty one restores the real dialogs); returns the previous one.
FileDialogAnswerer SetFileDialogAnswerer(FileDialogAnswerer answerer);

std::optional<std::wstring> RunFileDialog(QWidget* parent, const FileDialogRequest& request);
