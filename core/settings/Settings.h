#pragma once
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "core/archive/ArchiveFwd.h"
#include "core/bounds/Bounds.h"

// The one program-wide settings object. The member initialisers below are the
// defaults (all but HELPFILEPATH, which depends on the user's folder).
//
// Threads: only the user-interface thread writes, and it writes through the locked
// members (Assign, Edit, SetDefaults, Load). That thread may read the fields
// directly; any other thread takes a copy (GetAnalysisCopy, GetCopy).
class CSettings {
public:
    struct General_Config {
        // Colours are 0x00BBGGRR.
        struct General_LoadModel {
            std::uint32_t CLR_LM_BGRND = 0xFFFFFF;
            std::uint32_t CLR_LM_BASELINE = 0x000000;
            std::uint32_t CLR_LM_GRIDLINE = 0xE0E0E0;
            std::uint32_t CLR_LM_TEXT = 0x000000;
            std::uint32_t CLR_LM_PL = 0x0000FF;
            std::uint32_t CLR_LM_UDL = 0x00FF00;
            std::uint32_t CLR_LM_PUDL = 0xFF0000;
            std::uint32_t CLR_LM_WHEEL = 0x000000;
            QEL_DECLARE_SERIALIZE;
        };
        struct General_DecimalPlaces {
            int FACTOR = 3;
            int DISTANCE = 3;
            int SPAN = 2;
            int GVW = 2;
            int VEHLENGTH = 2;
            QEL_DECLARE_SERIALIZE;
        };
        struct General_Output {
            bool BMSF = true;
            bool R = true;
            bool GRAPHS = true;
            bool TABLES = true;
            QEL_DECLARE_SERIALIZE;
        };

        std::wstring HELPFILEPATH;
        bool USEBINARYFILEFORMAT = true;
        bool SHOWINSTRUCTIONS = true;
        General_LoadModel LoadModel;
        General_DecimalPlaces DecimalPlaces;
        General_Output Output;
        QEL_DECLARE_SERIALIZE;
    };

    struct Analysis_Config {
        struct Analysis_Stepping {
            bool BYSTEP = false;
            double STEPSIZE = 0.5;
            int NSTEPS = 20;
            QEL_DECLARE_SERIALIZE;
        };

        int NPOINTS_ALONG_BEAM = 100;
        int NO_AXLE_SPACINGS = 10;
        Analysis_Stepping Stepping;
        QEL_DECLARE_SERIALIZE;
    };

    struct Plot_Config {
        struct Plot_Gap {
            int TOP = 10;
            int BTM = 10;
            int LEFT = 10;
            int RIGHT = 10;
            int BETWN = 5;
            QEL_DECLARE_SERIALIZE;
        };
        struct Plot_Colours {
            std::uint32_t CLR_BACKGRND = 0xFFFFFF;
            std::uint32_t CLR_BORDER = 0xFFFFFF;
            std::uint32_t CLR_GRID = 0xA0A0A0;
            std::uint32_t CLR_TEXT = 0x000000;
            std::uint32_t CLR_LINEMIN = 0xFF0000;
            std::uint32_t CLR_LINEMAX = 0x0000FF;
            std::uint32_t CLR_BEAM = 0x000000;
            std::uint32_t CLR_LIGHTLINE = 0xA0A0A0;
            std::uint32_t CLR_PROPMIN = 0x99FF33;
            std::uint32_t CLR_PROPMAX = 0x99FF33;
            std::uint32_t CLR_FULLSPEED = 0x008CFF;
            std::uint32_t CLR_SLOWDOWN = 0x008CFF;
            QEL_DECLARE_SERIALIZE;
        };

        bool RATIOLIMIT_FULLSPEED = true;
        bool RATIOLIMIT_SLOWDOWN = true;
        int LINEWIDTH = 2;
        int DATATIPDELAY = 3000;
        Plot_Gap Gap;
        Plot_Colours Colours;
        QEL_DECLARE_SERIALIZE;
    };

    // Most segments per span the beam solver takes: every analysis allocates its
    // stations per span, so a larger count only exhausts memory.
    static constexpr int MaxPointsAlongBeam = static_cast<int>(Bounds::PointsPerSpan.hi);
    // The one bound of a points-per-span count that reaches a solver: 1 to the most.
    static int ClampPointsAlongBeam(int n);

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

// The one settings object; set while static objects are initialised. A static
// initialiser elsewhere must call CSettings::Instance() instead, and the program's windows
// (app/, ui/) reach the settings only through CSettings::Instance().
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
