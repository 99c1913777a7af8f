#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>
#include <system_error>

#include "core/archive/ArchiveImpl.h"
#include "core/settings/Settings.h"
#include "platform/base/CLocale.h"
#include "platform/base/FileReplace.h"

using boost::serialization::make_nvp;

template <class Archive>
void CSettings::General_Config::General_LoadModel::serialize(Archive& ar, const unsigned int)
{
    ar & make_nvp("CLR_LM_BGRND", CLR_LM_BGRND);
    ar & make_nvp("CLR_LM_BASELINE", CLR_LM_BASELINE);
    ar & make_nvp("CLR_LM_GRIDLINE", CLR_LM_GRIDLINE);
    ar & make_nvp("CLR_LM_TEXT", CLR_LM_TEXT);
    ar & make_nvp("CLR_LM_PL", CLR_LM_PL);
    ar & make_nvp("CLR_LM_UDL", CLR_LM_UDL);
    ar & make_nvp("CLR_LM_PUDL", CLR_LM_PUDL);
    ar & make_nvp("CLR_LM_WHEEL", CLR_LM_WHEEL);
}

template <class Archive>
void CSettings::General_Config::General_DecimalPlaces::serialize(Archive& ar, const unsigned int)
{
    ar & make_nvp("FACTOR", FACTOR);
    ar & make_nvp("DISTANCE", DISTANCE);
    ar & make_nvp("SPAN", SPAN);
    ar & make_nvp("GVW", GVW);
    ar & make_nvp("VEHLENGTH", VEHLENGTH);
}

template <class Archive>
void CSettings::General_Config::General_Output::serialize(Archive& ar, const unsigned int)
{
    ar & make_nvp("BMSF", BMSF);
    ar & make_nvp("R", R);
    ar & make_nvp("GRAPHS", GRAPHS);
    ar & make_nvp("TABLES", TABLES);
}

template <class Archive>
void CSettings::General_Config::serialize(Archive& ar, const unsigned int)
{
    ArchiveWString(ar, "HELPFILEPATH", HELPFILEPATH);
    ar & make_nvp("USEBINARYFILEFORMAT", USEBINARYFILEFORMAT);
    ar & make_nvp("SHOWINSTRUCTIONS", SHOWINSTRUCTIONS);
    ar & make_nvp("LoadModel", LoadModel);
    ar & make_nvp("DecimalPlaces", DecimalPlaces);
    ar & make_nvp("Output", Output);
}

template <class Archive>
void CSettings::Analysis_Config::Analysis_Stepping::serialize(Archive& ar, const unsigned int)
{
    ar & make_nvp("BYSTEP", BYSTEP);
    ar & make_nvp("STEPSIZE", STEPSIZE);
    ar & make_nvp("NSTEPS", NSTEPS);
}

template <class Archive>
void CSettings::Analysis_Config::serialize(Archive& ar, const unsigned int)
{
    ar & make_nvp("NPOINTS_ALONG_BEAM", NPOINTS_ALONG_BEAM);
    ar & make_nvp("NO_AXLE_SPACINGS", NO_AXLE_SPACINGS);
    ar & make_nvp("Stepping", Stepping);
}

template <class Archive>
void CSettings::Plot_Config::Plot_Gap::serialize(Archive& ar, const unsigned int)
{
    ar & make_nvp("TOP", TOP);
    ar & make_nvp("BTM", BTM);
    ar & make_nvp("LEFT", LEFT);
    ar & make_nvp("RIGHT", RIGHT);
    ar & make_nvp("BETWN", BETWN);
}

template <class Archive>
void CSettings::Plot_Config::Plot_Colours::serialize(Archive& ar, const unsigned int)
{
    ar & make_nvp("CLR_BACKGRND", CLR_BACKGRND);
    ar & make_nvp("CLR_BORDER", CLR_BORDER);
    ar & make_nvp("CLR_GRID", CLR_GRID);
    ar & make_nvp("CLR_TEXT", CLR_TEXT);
    ar & make_nvp("CLR_LINEMIN", CLR_LINEMIN);
    ar & make_nvp("CLR_LINEMAX", CLR_LINEMAX);
    ar & make_nvp("CLR_BEAM", CLR_BEAM);
    ar & make_nvp("CLR_LIGHTLINE", CLR_LIGHTLINE);
    ar & make_nvp("CLR_PROPMIN", CLR_PROPMIN);
    ar & make_nvp("CLR_PROPMAX", CLR_PROPMAX);
    ar & make_nvp("CLR_FULLSPEED", CLR_FULLSPEED);
    ar & make_nvp("CLR_SLOWDOWN", CLR_SLOWDOWN);
}

template <class Archive>
void CSettings::Plot_Config::serialize(Archive& ar, const unsigned int)
{
    ar & make_nvp("RATIOLIMIT_FULLSPEED", RATIOLIMIT_FULLSPEED);
    ar & make_nvp("RATIOLIMIT_SLOWDOWN", RATIOLIMIT_SLOWDOWN);
    ar & make_nvp("LINEWIDTH", LINEWIDTH);
    ar & make_nvp("DATATIPDELAY", DATATIPDELAY);
    ar & make_nvp("Gap", Gap);
    ar & make_nvp("Colours", Colours);
}

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

std::wstring ReportLine(const std::exception& e)
{
    const std::string what = e.what();
    return L"Boost reports: " + Utf8ToWide(what) + L"\nPossibly: " + Utf8ToWide(GetArchiveErrorHint(what)) + L"\n";
}

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
        if (!file)
            ThrowStreamError(boost::archive::archive_exception::input_stream_error);
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
        loaded.ReplaceInvalidValues();
        g_pSettings->Assign(loaded);
        return true;
    }
    catch (const std::exception& e) {
        sMessage = L"Problem loading Program Settings file.\n" + ReportLine(e) + L"Using default values instead.\n";
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
    }
    catch (const std::exception& e) {
        sMessage = L"Problem saving file.\n" + ReportLine(e);
        return false;
    }
}
