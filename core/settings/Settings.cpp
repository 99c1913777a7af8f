#include "core/settings/Settings.h"

#include <algorithm>

#include <utility>
#include <vector>

#include "core/settings/SettingEntries.h"
#include "platform/base/AppData.h"
#include "platform/base/CLocale.h"

CSettings* g_pSettings = &CSettings::Instance();

CSettings::CSettings(const CSettings& other)
{
    std::lock_guard lock(other.m_Mutex);
    m_Version = other.m_Version;
    General = other.General;
    Analysis = other.Analysis;
    Plot = other.Plot;
}

CSettings& CSettings::operator=(const CSettings& other)
{
    if (this != &other) {
        std::scoped_lock lock(m_Mutex, other.m_Mutex);
        m_Version = other.m_Version;
        General = other.General;
        Analysis = other.Analysis;
        Plot = other.Plot;
    }
    return *this;
}

CSettings::~CSettings() = default;

CSettings& CSettings::Instance()
{
    // Built on first use, so it exists whichever static initialiser asks first.
    static CSettings s_Settings = [] {
        CSettings s;
        s.ApplyDefaults();
        return s;
    }();
    return s_Settings;
}

void CSettings::SetDefaults()
{
    std::lock_guard lock(m_Mutex);
    ApplyDefaults();
}

void CSettings::ApplyDefaults()
{
    General = General_Config{};
    General.HELPFILEPATH = GetAppDataFolder() + L"/QEL/QEL User Manual.pdf";
    Analysis = Analysis_Config{};
    Plot = Plot_Config{};
}

std::wstring CSettings::GetAppDataFolder()
{
    std::wstring folder = PathToWide(::GetAppDataFolder());
    while (folder.size() > 1 && folder.back() == L'/')
        folder.pop_back();
    return folder;
}

CSettings::Analysis_Config CSettings::GetAnalysisCopy() const
{
    std::lock_guard lock(m_Mutex);
    return Analysis;
}

::Stepping CSettings::GetStepping() const
{
    return {Analysis.Stepping.BYSTEP, Analysis.Stepping.STEPSIZE, Analysis.Stepping.NSTEPS};
}

CSettings CSettings::GetCopy() const
{
    return CSettings(*this);
}

void CSettings::Assign(const CSettings& other)
{
    *this = other;
}

void CSettings::Edit(const std::function<void(CSettings&)>& fn)
{
    std::lock_guard lock(m_Mutex);
    fn(*this);
}

// The same ranges as the settings pane (SettingEntries.h): a hand-edited or damaged file
// must not give the analyses or the views a value they cannot work with. Each field out of
// range goes back to its default alone; the others stay.
std::vector<std::wstring> CSettings::ReplaceInvalidValues()
{
    const CSettings defaults;
    std::vector<std::wstring> vReplaced;
    for (const SettingEntry& entry : GetSettingEntries()) {
        if (InSettingRange(entry, *this))
            continue;
        CopySetting(entry, defaults, *this);
        vReplaced.emplace_back(entry.sName);
    }
    return vReplaced;
}

std::string ArchiveErrorReason(const std::string& sError)
{
    static const std::pair<const char*, const char*> reasons[] = {
        {"input stream error", "it ends early or holds a value that cannot be read"},
        {"unexpected end of XML archive", "it ends early or has more after its end"},
        {"invalid signature", "it does not begin as a case file does"},
        {"unsupported version", "it was written by a newer version of the program"},
        {"unsupported class version", "it was written by a newer version of the program"},
        {"unregistered class", "it holds an element of a kind QEL does not know"},
        {"XML", "its XML is not in the form QEL writes"},
        {"invalid XML", "its XML is not in the form QEL writes"},
        {"unrecognized XML syntax", "its XML is not in the form QEL writes"},
    };
    for (const auto& [key, reason] : reasons)
        if (sError.starts_with(key))
            return reason;
    return "its contents are not in the form QEL writes";
}

std::string GetArchiveErrorHint(const std::string& sError)
{
    static const std::pair<const char*, const char*> hints[] = {
        {"coding error", "Boost.Serialization library problem"},
        {"unrecognized XML syntax", "name-value-pair name contains illegal chars including whitespace?"},
        {"unregistered class", "missing BOOST_CLASS_EXPORT(SubClass) macro?"},
        {"unregistered void cast", "missing ar & BOOST_SERIALIZATION_BASE_OBJECT_NVP(BaseClass) statement?"},
        {"stream error", "asymmetric serialization, including attempt to load empty archive?"},
    };
    for (const auto& [key, hint] : hints)
        if (sError == key)
            return std::string("(") + hint + ")";
    return "(no local interpretation)";
}

std::wstring ArchiveErrorDetail(const std::string& sError)
{
    return L"Boost reports: " + Utf8ToWide(sError) + L"\nPossibly: " + Utf8ToWide(GetArchiveErrorHint(sError));
}
