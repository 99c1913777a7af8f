#pragma once
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "core/analysis/Stepping.h"
#include "core/archive/ArchiveFwd.h"
#include "core/bounds/Bounds.h"
#include "core/settings/SettingsTable.h"

// The one program-wide settings object. Its fields and their defaults are made from the
// table of settings (SettingsTable.h); the nested groups are the groups of the settings file.
//
// Threads: only the user-interface thread writes, and it writes through the locked
// members (Assign, Edit, SetDefaults, Load). That thread may read the fields
// directly; any other thread takes a copy (GetAnalysisCopy, GetCopy).
class CSettings {
public:
#define QEL_SETTING_FIELD(group, type, NAME, def, ...) type NAME = def;
#define QEL_SETTING_NO_FIELD(...)
    struct General_Config {
        struct General_LoadModel {
            QEL_SETTINGS_GENERAL_LOADMODEL(QEL_SETTING_NO_FIELD, QEL_SETTING_FIELD)
            QEL_DECLARE_SERIALIZE;
        };
        struct General_DecimalPlaces {
            QEL_SETTINGS_GENERAL_DECIMALPLACES(QEL_SETTING_NO_FIELD, QEL_SETTING_FIELD)
            QEL_DECLARE_SERIALIZE;
        };
        struct General_Output {
            QEL_SETTINGS_GENERAL_OUTPUT(QEL_SETTING_NO_FIELD, QEL_SETTING_FIELD)
            QEL_DECLARE_SERIALIZE;
        };

        QEL_SETTINGS_GENERAL(QEL_SETTING_NO_FIELD, QEL_SETTING_FIELD)
        General_LoadModel LoadModel;
        General_DecimalPlaces DecimalPlaces;
        General_Output Output;
        QEL_DECLARE_SERIALIZE;
    };

    struct Analysis_Config {
        struct Analysis_Stepping {
            QEL_SETTINGS_ANALYSIS_STEPPING(QEL_SETTING_NO_FIELD, QEL_SETTING_FIELD)
            QEL_DECLARE_SERIALIZE;
        };

        QEL_SETTINGS_ANALYSIS(QEL_SETTING_NO_FIELD, QEL_SETTING_FIELD)
        Analysis_Stepping Stepping;
        QEL_DECLARE_SERIALIZE;
    };

    struct Plot_Config {
        struct Plot_Gap {
            QEL_SETTINGS_PLOT_GAP(QEL_SETTING_NO_FIELD, QEL_SETTING_FIELD)
            QEL_DECLARE_SERIALIZE;
        };
        struct Plot_Colours {
            QEL_SETTINGS_PLOT_COLOURS(QEL_SETTING_NO_FIELD, QEL_SETTING_FIELD)
            QEL_DECLARE_SERIALIZE;
        };

        QEL_SETTINGS_PLOT(QEL_SETTING_NO_FIELD, QEL_SETTING_FIELD)
        Plot_Gap Gap;
        Plot_Colours Colours;
        QEL_DECLARE_SERIALIZE;
    };
#undef QEL_SETTING_FIELD
#undef QEL_SETTING_NO_FIELD

    // Every default, HELPFILEPATH empty; CSettings::Instance applies SetDefaults.
    CSettings() = default;
    CSettings(const CSettings& other);
    CSettings& operator=(const CSettings& other);
    virtual ~CSettings();

    static CSettings& Instance();

    void SetDefaults();

    // The user's application-data folder, without a trailing separator.
    static std::wstring GetAppDataFolder();

    // Both work on the object behind g_pSettings. On failure sMessage receives the
    // text to show the user. A load that put single fields back to their defaults
    // succeeds with one line per field in sMessage, for the status log; otherwise a
    // success clears it.
    static bool Load(const std::wstring& sPath, std::wstring& sMessage);
    static bool Save(const std::wstring& sPath, std::wstring& sMessage);

    // Consistent copies for readers on other threads.
    Analysis_Config GetAnalysisCopy() const;
    CSettings GetCopy() const;

    // Locked writes. The function given to Edit must not call another member that locks.
    void Assign(const CSettings& other);
    void Edit(const std::function<void(CSettings&)>& fn);

    // The default stepping of the analyses, as one value (the fields of Analysis.Stepping);
    // read on the user-interface thread.
    ::Stepping GetStepping() const;

    int m_Version = 1;
    General_Config General;
    Analysis_Config Analysis;
    Plot_Config Plot;

private:
    void ApplyDefaults();
    // The names of the fields put back to their defaults.
    std::vector<std::wstring> ReplaceInvalidValues();

    mutable std::mutex m_Mutex;
};

// The one settings object, set while static objects are initialised: every reader and
// writer reaches the settings through it. Only a static initialiser elsewhere, which may run
// before this pointer is set, would have to call CSettings::Instance() instead.
extern CSettings* g_pSettings;

// What an archive error says of a file, in the user's words: "it ends early or holds a
// value that cannot be read".
std::string ArchiveErrorReason(const std::string& sError);

// The archive library's own guess at the cause of an error text, in parentheses: "stream
// error" gives "(asymmetric serialization, including attempt to load empty archive?)";
// a text the table does not hold word for word gives "(no local interpretation)".
std::string GetArchiveErrorHint(const std::string& sError);

// The detail of a damaged-file message: "Boost reports: " and the library's text, a
// newline, "Possibly: " and its hint.
std::wstring ArchiveErrorDetail(const std::string& sError);
