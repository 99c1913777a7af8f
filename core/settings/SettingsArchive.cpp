#include <charconv>
#include <filesystem>
#include <limits>
#include <string_view>
#include <type_traits>
#include <fstream>
#include <locale>
#include <sstream>
#include <system_error>

#include "core/archive/ArchiveImpl.h"
#include "core/settings/Settings.h"
#include "platform/base/CLocale.h"
#include "platform/base/FileReplace.h"

using boost::serialization::make_nvp;

namespace {

// A number the reader cannot take (no number, out of its type's range) marks its field
// as unreadable instead of failing the whole file: the range check that follows puts
// that one setting back to its default.
template <class T>
T Unreadable()
{
    if constexpr (std::is_floating_point_v<T>)
        return std::numeric_limits<T>::quiet_NaN();
    else if constexpr (std::is_signed_v<T>)
        return std::numeric_limits<T>::min();
    else
        return std::numeric_limits<T>::max();
}

template <class T>
bool ParseSettingNumber(const std::string& text, T& value)
{
    if constexpr (std::is_floating_point_v<T>) {
        double v = 0.0;
        if (!ParseDoubleC(text, v))
            return false;
        value = v;
        return true;
    } else {
        std::size_t b = text.find_first_not_of(" \t\r\n");
        std::size_t e = text.find_last_not_of(" \t\r\n");
        if (b == std::string::npos)
            return false;
        const std::string_view digits(text.data() + b, e - b + 1);
        T v{};
        const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
        if (ec != std::errc() || ptr != digits.data() + digits.size())
            return false;
        value = v;
        return true;
    }
}

template <class Archive, class T>
void SettingNumber(Archive& ar, const char* name, T& value)
{
    if constexpr (std::is_same_v<Archive, CXmlIArchive>) {
        std::string text;
        ar >> make_nvp(name, text);
        if (!ParseSettingNumber(text, value))
            value = Unreadable<T>();
    } else {
        ar& make_nvp(name, value);
    }
}

// Each setting as the archive writes its type: a number as its digits (read back by
// SettingNumber), a bool as the library writes bools, the path as a wide string.
template <class Archive, class T>
void ArchiveSetting(Archive& ar, const char* name, T& value)
{
    if constexpr (std::is_same_v<T, bool>)
        ar& make_nvp(name, value);
    else if constexpr (std::is_same_v<T, std::wstring>)
        ArchiveWString(ar, name, value);
    else
        SettingNumber(ar, name, value);
}

}

// A group holds its own settings, as the table lists them, then its subgroups.
#define QEL_ARCHIVE_SETTING(group, type, NAME, ...) ArchiveSetting(ar, #NAME, NAME);
#define QEL_NO_ARCHIVE(...)

template <class Archive>
void CSettings::General_Config::General_LoadModel::serialize(Archive& ar, const unsigned int)
{
    QEL_SETTINGS_GENERAL_LOADMODEL(QEL_NO_ARCHIVE, QEL_ARCHIVE_SETTING)
}

template <class Archive>
void CSettings::General_Config::General_DecimalPlaces::serialize(Archive& ar, const unsigned int)
{
    QEL_SETTINGS_GENERAL_DECIMALPLACES(QEL_NO_ARCHIVE, QEL_ARCHIVE_SETTING)
}

template <class Archive>
void CSettings::General_Config::General_Output::serialize(Archive& ar, const unsigned int)
{
    QEL_SETTINGS_GENERAL_OUTPUT(QEL_NO_ARCHIVE, QEL_ARCHIVE_SETTING)
}

template <class Archive>
void CSettings::General_Config::serialize(Archive& ar, const unsigned int)
{
    QEL_SETTINGS_GENERAL(QEL_NO_ARCHIVE, QEL_ARCHIVE_SETTING)
    ar& make_nvp("LoadModel", LoadModel);
    ar& make_nvp("DecimalPlaces", DecimalPlaces);
    ar& make_nvp("Output", Output);
}

template <class Archive>
void CSettings::Analysis_Config::Analysis_Stepping::serialize(Archive& ar, const unsigned int)
{
    QEL_SETTINGS_ANALYSIS_STEPPING(QEL_NO_ARCHIVE, QEL_ARCHIVE_SETTING)
}

template <class Archive>
void CSettings::Analysis_Config::serialize(Archive& ar, const unsigned int)
{
    QEL_SETTINGS_ANALYSIS(QEL_NO_ARCHIVE, QEL_ARCHIVE_SETTING)
    ar& make_nvp("Stepping", Stepping);
}

template <class Archive>
void CSettings::Plot_Config::Plot_Gap::serialize(Archive& ar, const unsigned int)
{
    QEL_SETTINGS_PLOT_GAP(QEL_NO_ARCHIVE, QEL_ARCHIVE_SETTING)
}

template <class Archive>
void CSettings::Plot_Config::Plot_Colours::serialize(Archive& ar, const unsigned int)
{
    QEL_SETTINGS_PLOT_COLOURS(QEL_NO_ARCHIVE, QEL_ARCHIVE_SETTING)
}

template <class Archive>
void CSettings::Plot_Config::serialize(Archive& ar, const unsigned int)
{
    QEL_SETTINGS_PLOT(QEL_NO_ARCHIVE, QEL_ARCHIVE_SETTING)
    ar& make_nvp("Gap", Gap);
    ar& make_nvp("Colours", Colours);
}

#undef QEL_ARCHIVE_SETTING
#undef QEL_NO_ARCHIVE

QEL_INSTANTIATE_SERIALIZE(CSettings::General_Config::General_LoadModel);
QEL_INSTANTIATE_SERIALIZE(CSettings::General_Config::General_DecimalPlaces);
QEL_INSTANTIATE_SERIALIZE(CSettings::General_Config::General_Output);
QEL_INSTANTIATE_SERIALIZE(CSettings::General_Config);
QEL_INSTANTIATE_SERIALIZE(CSettings::Analysis_Config::Analysis_Stepping);
QEL_INSTANTIATE_SERIALIZE(CSettings::Analysis_Config);
QEL_INSTANTIATE_SERIALIZE(CSettings::Plot_Config::Plot_Gap);
QEL_INSTANTIATE_SERIALIZE(CSettings::Plot_Config::Plot_Colours);
QEL_INSTANTIATE_SERIALIZE(CSettings::Plot_Config);

namespace {

// The archive's own text and its hint only as a detail after what the user can act on.
std::wstring Detail(const std::exception& e)
{
    return ArchiveErrorDetail(e.what()) + L"\n";
}

// The archive library reports a file it cannot read as a stream error.
class CCannotOpen : public std::runtime_error {
public:
    CCannotOpen() : std::runtime_error("stream error") {}
};

[[noreturn]] void ThrowStreamError(boost::archive::archive_exception::exception_code code)
{
    throw boost::archive::archive_exception(code);
}

}

bool CSettings::Load(const std::wstring& sPath, std::wstring& sMessage)
{
    sMessage.clear();
    try {
        // Read into a copy: a file that fails half way must not leave a mixture.
        CSettings loaded = g_pSettings->GetCopy();
        std::ifstream file(WideToPath(sPath), std::ios::in | std::ios::binary);
        std::error_code ec;
        if (!file || !std::filesystem::is_regular_file(WideToPath(sPath), ec))
            throw CCannotOpen();
        // The checked archive measures what is left of its input; a stream in memory
        // can always tell.
        std::ostringstream bytes;
        bytes << file.rdbuf();
        std::istringstream is(std::move(bytes).str());
        is.imbue(std::locale::classic());
        ReadXmlArchive(is, [&](CXmlIArchive& ar) {
            int version = 0; // the object's own version stands
            ar >> make_nvp("m_Version", version);
            ar >> make_nvp("General", loaded.General);
            ar >> make_nvp("Analysis", loaded.Analysis);
            ar >> make_nvp("Plot", loaded.Plot);
        });
        for (const std::wstring& sName : loaded.ReplaceInvalidValues())
            sMessage += L"Settings file: " + sName + L" was not a number in its range; its default is used.\n";
        g_pSettings->Assign(loaded);
        return true;
    } catch (const std::exception& e) {
        const bool bOpened = dynamic_cast<const CCannotOpen*>(&e) == nullptr;
        sMessage = L"Problem loading Program Settings file.\n" +
                   (bOpened ? L"The file is damaged or was not written by QEL: " +
                                  Utf8ToWide(ArchiveErrorReason(e.what())) + L".\n" + Detail(e)
                            : L"The file cannot be opened.\n" + Detail(e)) +
                   L"Using default values instead.\n";
        g_pSettings->SetDefaults();
        return false;
    }
}

// The file is written beside the old one and replaces it only when complete, so a
// failed save (full disk, no access) keeps the settings the user had.
bool CSettings::Save(const std::wstring& sPath, std::wstring& sMessage)
{
    sMessage.clear();
    const std::filesystem::path path = WideToPath(sPath);
    std::filesystem::path tmp = path;
    tmp += ".tmp";
    try {
        const CSettings settings = g_pSettings->GetCopy();
        if (path.has_parent_path())
            std::filesystem::create_directories(path.parent_path());
        // The archive writes into memory, so a failing disk cannot trouble it; its
        // closing tag is written when it is destroyed.
        std::ostringstream text;
        text.imbue(std::locale::classic());
        {
            boost::archive::xml_oarchive ar(text);
            int version = settings.m_Version;
            ar << make_nvp("m_Version", version);
            ar << make_nvp("General", settings.General);
            ar << make_nvp("Analysis", settings.Analysis);
            ar << make_nvp("Plot", settings.Plot);
        }
        try {
            ReplaceFileContents(path, text.str(), tmp);
        } catch (const CFileWriteError&) {
            ThrowStreamError(boost::archive::archive_exception::output_stream_error);
        }
        return true;
    } catch (const std::exception& e) {
        sMessage = L"Problem saving file.\nThe settings file could not be written.\n" + Detail(e);
        return false;
    }
}
