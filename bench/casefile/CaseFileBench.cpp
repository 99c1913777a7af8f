// Opening and saving a big case: a reference collection of the one-, two- and three-span
// families of 1, 2, ..., 50 m against the NAASRA 1976 and ABDC 1992 families with
// overstress, compared with a proposed five-axle vehicle, stepped at 0.1 m. Prints, for
// each layout and kind of file, the file's size, the time to save and to open it, and
// the memory used above the case's own while saving and while opening. Each open runs
// in a fresh process of this program, so that its peak is its own. Rows:
//   earlier program: the earlier layout, made whole in memory before it is written, and
//                    read whole into memory and copied into a stream before it is read;
//   earlier layout:  the earlier layout through the file as it goes;
//   compact:         the current layout through the file as it goes.
//
//   qel_casefile_bench [--step M] [--dir DIR] [--families 1|2] [--keep]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <locale>
#include <string_view>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <malloc.h>
#include <unistd.h>

#include "app/doc/CaseFile.h"
#include "core/archive/Crc32.h"
#include "core/bridge/BridgeSet.h"
#include "core/library/LMEFactory.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "core/settings/Settings.h"
#include "platform/base/CLocale.h"
#include "platform/base/FileReplace.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point t0)
{
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

// kB of a line of /proc/self/status.
long StatusKb(const char* key)
{
    std::ifstream is("/proc/self/status");
    std::string line;
    while (std::getline(is, line))
        if (line.starts_with(key))
            return std::strtol(line.c_str() + std::strlen(key), nullptr, 10);
    return 0;
}

double RssMb()
{
    malloc_trim(0);
    return StatusKb("VmRSS:") / 1024.0;
}

double PeakMb()
{
    return StatusKb("VmHWM:") / 1024.0;
}

// The peak starts again from what the process holds now.
void ResetPeak()
{
    std::ofstream os("/proc/self/clear_refs");
    os << "5";
}

struct Variant {
    const char* name;
    bool bBinary;
    bool bLegacy;
    bool bInMemory;
};

const Variant kVariants[] = {
    {"binary earlier program", true, true, true}, {"binary earlier layout", true, true, false},
    {"binary compact", true, false, false},       {"XML earlier program", false, true, true},
    {"XML earlier layout", false, true, false},   {"XML compact", false, false, false},
};

// The earlier program's open: the whole file in a growing string, then copied into a
// stream, its check tested before the archive reads it.
void LoadInMemory(const std::string& path, CaseContents& contents)
{
    std::ifstream is(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << is.rdbuf();
    const std::string data = std::move(bytes).str();
    const bool bXml = data.starts_with("<?xml");
    std::string_view archive = data;
    if (!bXml && archive.size() >= CaseTrailerSize &&
        archive.substr(archive.size() - CaseTrailerSize).starts_with("QELCHECK")) {
        std::uint32_t crc = 0;
        for (int i = 3; i >= 0; --i)
            crc = (crc << 8) | static_cast<unsigned char>(data[data.size() - 4 + static_cast<std::size_t>(i)]);
        archive.remove_suffix(CaseTrailerSize);
        if (Crc32(archive) != crc)
            throw CCaseFileError("The file is damaged");
    }
    std::istringstream in{std::string(archive)};
    in.imbue(std::locale::classic());
    ReadCaseArchive(in, contents, !bXml);
}

void Save(const Variant& v, const std::string& path, const CaseContents& c)
{
    if (v.bInMemory)
        ReplaceFileContents(path, MakeCaseFileData(c, v.bBinary, v.bLegacy));
    else
        SaveCaseFile(Utf8ToWide(path), c, v.bBinary, {}, v.bLegacy);
}

// In a process of its own: opens the file, prints seconds, peak and held MB above the start.
int OpenChild(const std::string& path, bool bInMemory)
{
    g_pSettings->SetDefaults();
    const double base = RssMb();
    ResetPeak();
    const auto t0 = Clock::now();
    CaseContents contents;
    if (bInMemory)
        LoadInMemory(path, contents);
    else
        LoadCaseFile(Utf8ToWide(path), contents);
    const double t = Seconds(t0);
    const double peak = PeakMb() - base;
    const double held = RssMb() - base;
    std::printf("%.3f %.1f %.1f\n", t, peak, held);
    return 0;
}

struct OpenFigures {
    double seconds = 0, peakMb = 0, caseMb = 0;
};

OpenFigures OpenInChild(const std::string& path, bool bInMemory)
{
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    OpenFigures f;
    if (n <= 0)
        return f;
    const std::string cmd = std::string(self) + (bInMemory ? " --open-in-memory '" : " --open '") + path + "'";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return f;
    if (std::fscanf(p, "%lf %lf %lf", &f.seconds, &f.peakMb, &f.caseMb) != 3)
        f = {};
    pclose(p);
    return f;
}

CaseContents MakeCase(double step, int families)
{
    const AnalysisOptions options{100, AnalysisPath::Fast, 0}; // the settings' default points, every core
    CaseContents c;
    CLMEFactory factory;
    c.m_vLoadModelEnsemble.push_back(factory.GetNAASRA1976(false, 10));
    if (families > 1)
        c.m_vLoadModelEnsemble.push_back(factory.GetABDC1992(false, 10));
    for (size_t i = 0; i < c.m_vLoadModelEnsemble.size(); ++i)
        c.m_vLoadModelEnsemble[i]->m_ID = static_cast<int>(i) + 1;
    int id = 0;
    for (BridgeConfig config : {BC_ONESPAN, BC_TWOSPAN, BC_THREESPAN})
        c.m_vBridgeSet.push_back(std::make_shared<CBridgeSet>(++id, L"1:1:50", config, 1.0, 50.0, 1.0));
    auto proposed =
        CLMEFactory::MakeVehicle(1, L"Proposed five-axle", {60.0, 125.0, 125.0, 90.0, 90.0}, {3.7, 1.2, 6.1, 1.2});
    c.m_vLoadModel.push_back(proposed);
    auto coll =
        std::make_shared<CReferenceCollection>(1, L"Bench", Stepping{.bByStep = true, .step = step, .nSteps = 0});
    coll->m_vLME = c.m_vLoadModelEnsemble;
    coll->m_vBS = c.m_vBridgeSet;
    coll->m_bUseOverstress = true;
    coll->Calculate(CAnalysisFeedback::None(), options);
    coll->SetProposedLoadModel(proposed);
    coll->CompareProposed(CAnalysisFeedback::None(), 1.0, options);
    c.m_vRefCollection.push_back(coll);
    return c;
}

}

int main(int argc, char** argv)
{
    double step = 0.1;
    int families = 2;
    bool bKeep = false;
    fs::path dir = fs::temp_directory_path() / "qel-casefile-bench";
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if ((a == "--open" || a == "--open-in-memory") && i + 1 < argc)
            return OpenChild(argv[i + 1], a == "--open-in-memory");
        if (a == "--step" && i + 1 < argc)
            step = std::atof(argv[++i]);
        else if (a == "--dir" && i + 1 < argc)
            dir = argv[++i];
        else if (a == "--families" && i + 1 < argc)
            families = std::atoi(argv[++i]);
        else if (a == "--keep")
            bKeep = true;
    }
    fs::create_directories(dir);

    const double base = RssMb();
    auto t0 = Clock::now();
    const CaseContents c = MakeCase(step, families);
    const double tCalc = Seconds(t0);
    const double caseMb = RssMb() - base;
    std::printf("case: %d families, step %.2f m, calculated in %.1f s, %.0f MB in memory\n", families, step, tCalc,
                caseMb);
    std::printf("%-24s %9s %8s %8s %12s %12s %10s\n", "file", "size MB", "save s", "open s", "save peak+MB",
                "open peak MB", "opened MB");
    for (const Variant& v : kVariants) {
        const fs::path file =
            dir / (std::string("case-") + (v.bBinary ? "bin" : "xml") + (v.bLegacy ? "-earlier" : "") + ".qel");
        const double before = RssMb();
        ResetPeak();
        t0 = Clock::now();
        Save(v, file.string(), c);
        const double tSave = Seconds(t0);
        const double savePeak = PeakMb() - before;
        const double size = static_cast<double>(fs::file_size(file)) / (1024.0 * 1024.0);
        if (std::getenv("QEL_BENCH_ESTIMATE"))
            std::printf("estimate %.1f MB\n", static_cast<double>(EstimateCaseFileBytes(c, v.bBinary)) / 1048576.0);
        const OpenFigures o = OpenInChild(file.string(), v.bInMemory);
        std::printf("%-24s %9.1f %8.2f %8.2f %12.1f %12.1f %10.1f\n", v.name, size, tSave, o.seconds, savePeak,
                    o.peakMb, o.caseMb);
        std::fflush(stdout);
        if (!bKeep)
            fs::remove(file);
    }
    double load[3] = {};
    if (getloadavg(load, 3) == 3)
        std::printf("load average: %.2f %.2f %.2f\n", load[0], load[1], load[2]);
    return 0;
}
