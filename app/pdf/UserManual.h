#pragma once
// Which file Help > PDF Help shows. The setting "PDF help file path" wins when it names a
// file; the manual that comes with the program stands in when the setting is empty, or
// still holds its default and no file lies there (a fresh installation).
#include <string>
#include <vector>

inline constexpr const wchar_t* kUserManualName = L"QEL User Manual.pdf";

// sSetting: the setting; sDefault: its default; vBundled: where the program's own manual
// may lie, in the order to try. Returns the file to load: the setting unless it is empty
// or an absent default and a bundled manual exists.
std::wstring ChooseUserManual(const std::wstring& sSetting, const std::wstring& sDefault,
                              const std::vector<std::wstring>& vBundled);

// The places of the program's own manual: beside the executable (a build folder), then
// the installed data folder, found from the executable and as installed.
std::vector<std::wstring> BundledUserManualPaths();

// ChooseUserManual with the settings' default and the places above.
std::wstring UserManualToShow(const std::wstring& sSetting);
