// Damaged case and settings files, as a user's disk or mail might hand them over. A few
// seed cases are made through the document's own commands and saved in both kinds; each
// mutant of them is opened through the open command in a process of its own, which must
// accept or refuse it: never crash, hang or grow past the memory limit.
//
//   qel_casefuzz [--count N] [--seed S] [--jobs J] [--timeout CPU-SECONDS] [--max-mb MB]
//                [--out DIR] [--only I]
//
// Mutant i is the same for the same seed on every machine; --only I opens that one in
// this process (for a debugger). Files that crash, hang or use too much memory are
// written to DIR (default casefuzz-failures) under their number.
#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/doc/CaseFile.h"
#include "app/doc/DocDialogs.h"
#include "app/doc/DocHost.h"
#include "app/doc/QELDoc.h"
#include "core/analysis/AnalysisOptions.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "core/settings/Settings.h"
#include "platform/base/CLocale.h"

namespace {

namespace fs = std::filesystem;

// ---------------------------------------------------------------- seeds

// Dialogs that answer OK with what the seed wants in them.
struct SeedDialogs : CDocDialogs {
    struct Config : CConfigDlgInterface {
        int DoModal() override
        {
            m_sCaseRef = L"Seed case \u00e9";
            m_sCaseNotes = L"Made by the document's commands.\r\nSecond line.";
            return DLG_IDOK;
        }
    };
    struct Bridge : CBridgeDlgInterface {
        void SetBridge(std::shared_ptr<CBridge> p) override { m_p = std::move(p); }
        int DoModal() override { return DLG_IDOK; }
        std::shared_ptr<CBridge> GetBridge() const override { return m_p; }
        std::shared_ptr<CBridge> m_p;
    };
    struct BridgeSet : CBridgeSetDlgInterface {
        void SetBridgeSet(std::shared_ptr<CBridgeSet> p) override { m_p = std::move(p); }
        int DoModal() override { return DLG_IDOK; }
        std::shared_ptr<CBridgeSet> GetBridgeSet() const override
        {
            return std::make_shared<CBridgeSet>(m_p->m_ID, m_p->m_Description, BC_TWOSPAN, 10.0, 30.0, 10.0);
        }
        std::shared_ptr<CBridgeSet> m_p;
    };
    struct LoadModel : CPropSheetLMInterface {
        void SetLoadModel(std::shared_ptr<CLoadModel> p) override { m_p = std::move(p); }
        int DoModal() override
        {
            // A three-axle truck with a lane load behind it.
            m_p->AddPointLoad(60.0, 0.0, 0.0);
            m_p->AddPointLoad(120.0, 3.6, 0.0);
            m_p->AddPointLoad(120.0, 1.2, 0.0);
            m_p->AddPartialUDL(9.0, 2.0, 10.0);
            return DLG_IDOK;
        }
        std::shared_ptr<CLoadModel> m_p;
    };
    struct Ensemble : CLoadModelEnsembleDlgInterface {
        int DoModal() override
        {
            for (const auto& p : m_vLoadModels)
                m_pLME->AddLoadModel(p);
            return DLG_IDOK;
        }
    };
    struct RefCollection : CRefCollectionDlgInterface {
        void SetData(std::shared_ptr<CReferenceCollection> p) override { m_p = std::move(p); }
        int DoModal() override
        {
            if (!m_vBridgeSets.empty())
                m_p->m_vBS.push_back(m_vBridgeSets.front());
            if (!m_vLMEs.empty())
                m_p->m_vLME.push_back(m_vLMEs.front());
            return DLG_IDOK;
        }
        std::shared_ptr<CReferenceCollection> m_p;
    };

    std::unique_ptr<CConfigDlgInterface> MakeConfigDlg() override { return std::make_unique<Config>(); }
    std::unique_ptr<CBridgeDlgInterface> MakeBridgeDlg() override { return std::make_unique<Bridge>(); }
    std::unique_ptr<CBridgeSetDlgInterface> MakeBridgeSetDlg() override { return std::make_unique<BridgeSet>(); }
    std::unique_ptr<CPropSheetLMInterface> MakePropSheetLM() override { return std::make_unique<LoadModel>(); }
    std::unique_ptr<CLoadModelEnsembleDlgInterface> MakeLoadModelEnsembleDlg() override
    {
        return std::make_unique<Ensemble>();
    }
    std::unique_ptr<CRefCollectionDlgInterface> MakeRefCollectionDlg() override
    {
        return std::make_unique<RefCollection>();
    }
};

std::string SaveSeed(CQELDoc& doc, const fs::path& dir, const std::string& name, bool bBinary)
{
    g_pSettings->Edit([bBinary](CSettings& s) { s.General.USEBINARYFILEFORMAT = bBinary; });
    const fs::path path = dir / (name + (bBinary ? ".bin.qel" : ".xml.qel"));
    if (!doc.OnSaveDocument(Utf8ToWide(path.string()))) {
        std::fprintf(stderr, "cannot save seed %s: %s\n", name.c_str(), WideToUtf8(doc.GetFileError()).c_str());
        std::exit(2);
    }
    std::ifstream is(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(is)), std::istreambuf_iterator<char>());
}

struct Seed {
    std::string name;
    std::string data;
    bool bBinary = false;
    bool bSettings = false;
};

std::vector<Seed> MakeSeeds(const fs::path& dir)
{
    SeedDialogs dialogs;
    SetDocHost({nullptr, &dialogs});
    std::vector<Seed> seeds;
    auto keep = [&](CQELDoc& doc, const std::string& name) {
        for (bool bBinary : {true, false})
            seeds.push_back({name, SaveSeed(doc, dir, name, bBinary), bBinary, false});
    };

    CQELDoc empty;
    empty.OnNewDocument();
    keep(empty, "empty");

    CQELDoc small;
    small.OnNewDocument();
    small.OnAddBridge();
    small.OnAddLoadModel();
    small.OnCaseData();
    keep(small, "small");

    // Shared elements: the load models sit in the list and in the ensemble, the set and
    // the ensemble in the collection.
    CQELDoc shared;
    shared.OnNewDocument();
    shared.OnAddBridge();
    shared.OnAddBridge();
    shared.OnAddBridgeSet();
    shared.OnAddLoadModel();
    shared.OnAddLoadModel();
    shared.OnAddLoadModelEnsemble();
    shared.OnAddRefCollection();
    shared.OnCaseData();
    keep(shared, "shared");

    // The same with a standard vehicle family and a calculated collection: envelopes,
    // critical values and the load models they came from.
    shared.AddLoadModelEnsemble(shared.m_LMEFactory.GetA36());
    shared.OnAddRefCollection();
    shared.m_vRefCollection.back()->m_vLME = {shared.m_vLoadModelEnsemble.back()};
    // On this thread: a mutant's process is forked from this one, and helper threads'
    // buffers would look leaked there.
    AnalysisOptions oneThread = AnalysisOptionsFromSettings(*g_pSettings);
    oneThread.nThreads = 1;
    // The last collection calculated and compared with the proposed load model, then kept.
    auto calculateAndKeep = [&](const std::shared_ptr<CLoadModel>& proposed, const std::string& name) {
        const auto& coll = shared.m_vRefCollection.back();
        std::atomic<bool> keepRunning{true};
        if (!coll->Calculate(CStopFlagFeedback(keepRunning), oneThread)) {
            std::fprintf(stderr, "cannot calculate the %s seed collection\n", name.c_str());
            std::exit(2);
        }
        coll->SetProposedLoadModel(proposed);
        coll->CompareProposed(CStopFlagFeedback(keepRunning), 1.0, oneThread);
        keep(shared, name);
    };
    calculateAndKeep(shared.m_vLoadModel.front(), "calculated");

    // The results of an overstressed collection over two families, whose reference
    // results a file does not hold (made again on reading) and whose proposed results it
    // holds once for both.
    shared.AddLoadModelEnsemble(shared.m_LMEFactory.GetA26());
    shared.OnAddRefCollection();
    const auto& over = shared.m_vRefCollection.back();
    over->m_vLME = {shared.m_vLoadModelEnsemble[shared.m_vLoadModelEnsemble.size() - 2],
                    shared.m_vLoadModelEnsemble.back()};
    over->m_bUseOverstress = true;
    calculateAndKeep(shared.m_vLoadModel.back(), "overstressed");

    // The same case as earlier programs stored it, results entry by entry.
    const CaseContents contents{
        shared.m_vBridge,        shared.m_vBridgeSet, shared.m_vLoadModel, shared.m_vLoadModelEnsemble,
        shared.m_vRefCollection, shared.m_sCaseRef,   shared.m_sCaseNotes};
    for (bool bBinary : {true, false})
        seeds.push_back({"earlier", MakeCaseFileData(contents, bBinary, true), bBinary, false});
    SetDocHost({});

    // Settings files: the defaults and a changed set.
    g_pSettings->SetDefaults();
    for (int i = 0; i < 2; ++i) {
        if (i == 1)
            g_pSettings->Edit([](CSettings& s) {
                s.General.HELPFILEPATH = L"/home/user/QEL \u00e9/manual.pdf";
                s.Analysis.Stepping.STEPSIZE = 0.25;
                s.Plot.LINEWIDTH = 3;
            });
        const fs::path path = dir / ("settings" + std::to_string(i) + ".xml");
        std::wstring sMessage;
        if (!CSettings::Save(Utf8ToWide(path.string()), sMessage)) {
            std::fprintf(stderr, "cannot save seed settings\n");
            std::exit(2);
        }
        std::ifstream is(path, std::ios::binary);
        seeds.push_back({"settings" + std::to_string(i),
                         std::string((std::istreambuf_iterator<char>(is)), std::istreambuf_iterator<char>()), false,
                         true});
    }
    g_pSettings->SetDefaults();
    return seeds;
}

// ---------------------------------------------------------------- mutations

using Rng = std::mt19937_64;

size_t Pick(Rng& rng, size_t n)
{
    return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(rng);
}

// Numbers that a length, count or id field can be made to say.
const std::int64_t kFieldValues[] = {0,
                                     1,
                                     -1,
                                     2,
                                     127,
                                     128,
                                     255,
                                     256,
                                     0x7FFF,
                                     0x8000,
                                     -5000,
                                     65535,
                                     65536,
                                     0x7FFFFFFF,
                                     -0x7FFFFFFF - 1,
                                     100000000000LL,
                                     0x7FFFFFFFFFFFFFFFLL};
const char* const kXmlNumbers[] = {"0",           "-1",    "-5000",  "5000", "32767", "32768",
                                   "99999999999", "1e308", "-1e308", "nan",  "inf",   "-0",
                                   "0x10",        "1.5",   "abc",    "",     " 7",    "18446744073709551615"};
const char* const kXmlAttributes[] = {
    "class_id=\"", "class_id_reference=\"", "object_id=\"_", "object_id_reference=\"_", "tracking_level=\"",
    "version=\"",  "class_name=\""};

void FlipBits(std::string& s, Rng& rng)
{
    if (s.empty())
        return;
    for (size_t n = 1 + Pick(rng, 4); n > 0; --n)
        s[Pick(rng, s.size())] ^= static_cast<char>(1u << Pick(rng, 8));
}

void SetBytes(std::string& s, Rng& rng)
{
    if (s.empty())
        return;
    for (size_t n = 1 + Pick(rng, 4); n > 0; --n)
        s[Pick(rng, s.size())] = static_cast<char>(Pick(rng, 256));
}

void Truncate(std::string& s, Rng& rng)
{
    s.resize(Pick(rng, s.size() + 1));
}

void InsertBytes(std::string& s, Rng& rng)
{
    std::string bytes(1 + Pick(rng, 16), '\0');
    for (char& c : bytes)
        c = static_cast<char>(Pick(rng, 256));
    s.insert(Pick(rng, s.size() + 1), bytes);
}

void DeleteBytes(std::string& s, Rng& rng)
{
    if (s.empty())
        return;
    const size_t at = Pick(rng, s.size());
    s.erase(at, 1 + Pick(rng, 16));
}

// A binary field of 1, 2, 4 or 8 bytes anywhere made to hold a telling number.
void HugeField(std::string& s, Rng& rng)
{
    const size_t width = size_t(1) << Pick(rng, 4);
    if (s.size() < width)
        return;
    const std::int64_t value = kFieldValues[Pick(rng, std::size(kFieldValues))];
    std::memcpy(s.data() + Pick(rng, s.size() - width + 1), &value, width); // little-endian: the low bytes
}

// Positions of a text in s.
std::vector<size_t> FindAll(const std::string& s, const std::string& what)
{
    std::vector<size_t> at;
    for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1))
        at.push_back(p);
    return at;
}

// A tag name made longer, shorter or different (a closing tag longer than the name
// read it past the name's end in the library).
void EditTag(std::string& s, Rng& rng)
{
    const bool bClosing = Pick(rng, 3) != 0;
    const std::vector<size_t> at = FindAll(s, bClosing ? "</" : "<");
    if (at.empty())
        return;
    const size_t start = at[Pick(rng, at.size())] + (bClosing ? 2 : 1);
    const size_t end = s.find_first_of("> ", start);
    if (end == std::string::npos)
        return;
    switch (Pick(rng, 4)) {
    case 0: s.insert(end, std::string(1 + Pick(rng, 40), "XYZ_"[Pick(rng, 4)])); break;
    case 1: s.erase(start, std::min(end - start, 1 + Pick(rng, 4))); break;
    case 2: s.replace(start, end - start, "m_vBridgeSet_and_a_good_deal_longer_than_any_name"); break;
    default: s.replace(start, end - start, "item"); break;
    }
}

void EditAttribute(std::string& s, Rng& rng)
{
    const std::string name = kXmlAttributes[Pick(rng, std::size(kXmlAttributes))];
    std::vector<size_t> at = FindAll(s, name);
    if (at.empty()) {
        // Add one to a tag that lacks it.
        at = FindAll(s, "<item");
        if (at.empty())
            return;
        s.insert(at[Pick(rng, at.size())] + 5, " " + name + kXmlNumbers[Pick(rng, std::size(kXmlNumbers))] + "\"");
        return;
    }
    const size_t start = at[Pick(rng, at.size())] + name.size();
    const size_t end = s.find('"', start);
    if (end == std::string::npos)
        return;
    if (Pick(rng, 5) == 0)
        s.erase(start - name.size(), end + 1 - (start - name.size())); // the attribute gone
    else
        s.replace(start, end - start, kXmlNumbers[Pick(rng, std::size(kXmlNumbers))]);
}

// An element's text (a count, a number, a flag) replaced.
void EditNumber(std::string& s, Rng& rng)
{
    const std::vector<size_t> at = FindAll(s, ">");
    if (at.empty())
        return;
    const size_t start = at[Pick(rng, at.size())] + 1;
    const size_t end = s.find('<', start);
    if (end == std::string::npos || end - start > 40)
        return;
    s.replace(start, end - start, kXmlNumbers[Pick(rng, std::size(kXmlNumbers))]);
}

// One number of a list held as one text (the stored results) replaced, dropped or doubled.
void EditListNumber(std::string& s, Rng& rng)
{
    std::vector<size_t> lists;
    for (const std::vector<size_t> all = FindAll(s, ">"); size_t p : all)
        if (p + 2 < s.size() && std::isdigit(static_cast<unsigned char>(s[p + 1])) && s.find(' ', p) < s.find('<', p))
            lists.push_back(p + 1);
    if (lists.empty())
        return;
    const size_t start = lists[Pick(rng, lists.size())];
    const size_t end = s.find('<', start);
    if (end == std::string::npos)
        return;
    std::vector<size_t> tokens{start};
    for (size_t p = s.find(' ', start); p < end; p = s.find(' ', p + 1))
        tokens.push_back(p + 1);
    const size_t t = tokens[Pick(rng, tokens.size())];
    const size_t tEnd = std::min(s.find(' ', t), end);
    switch (Pick(rng, 3)) {
    case 0: s.replace(t, tEnd - t, kXmlNumbers[Pick(rng, std::size(kXmlNumbers))]); break;
    case 1: s.erase(t, tEnd - t + (tEnd < end ? 1 : 0)); break;
    default: s.insert(t, s.substr(t, tEnd - t) + " "); break;
    }
}

std::string Mutate(const Seed& seed, Rng& rng)
{
    const bool bXml = !seed.bBinary;
    std::string data = seed.data;
    // A binary case: damage the whole file (the trailer must catch it), or the archive
    // alone and give it a fitting trailer or none (the archive reader must cope).
    int binaryMode = 0;
    if (!bXml) {
        binaryMode = static_cast<int>(Pick(rng, 5)); // 0: whole file, 1-3: sealed again, 4: no trailer
        if (binaryMode != 0)
            data.resize(data.size() - CaseTrailerSize);
    }
    for (size_t n = 1 + Pick(rng, 3); n > 0; --n) {
        const size_t op = Pick(rng, bXml ? 11 : 7);
        switch (op) {
        case 0: FlipBits(data, rng); break;
        case 1: SetBytes(data, rng); break;
        case 2: Truncate(data, rng); break;
        case 3: InsertBytes(data, rng); break;
        case 4: DeleteBytes(data, rng); break;
        case 5:
        case 6:
            if (bXml)
                EditNumber(data, rng);
            else
                HugeField(data, rng);
            break;
        case 7: EditTag(data, rng); break;
        case 8: EditAttribute(data, rng); break;
        case 9: EditListNumber(data, rng); break;
        default: EditAttribute(data, rng); break;
        }
    }
    if (!bXml && binaryMode >= 1 && binaryMode <= 3)
        data = SealCaseArchive(std::move(data)); // the trailer then fits the damaged archive
    return data;
}

// ---------------------------------------------------------------- one mutant

enum ExitCode { kAccepted = 0, kRefused = 3 };

// Opens one file as the program would and says whether it was taken.
int OpenOne(const Seed& seed, const fs::path& path)
{
    if (seed.bSettings) {
        std::wstring sMessage;
        return CSettings::Load(Utf8ToWide(path.string()), sMessage) ? kAccepted : kRefused;
    }
    CQELDoc doc;
    if (!doc.OnOpenDocument(Utf8ToWide(path.string())))
        return kRefused;
    // What was taken must be whole enough to be written again.
    try {
        CaseContents contents{doc.m_vBridge,        doc.m_vBridgeSet, doc.m_vLoadModel, doc.m_vLoadModelEnsemble,
                              doc.m_vRefCollection, doc.m_sCaseRef,   doc.m_sCaseNotes};
        (void)MakeCaseFileData(contents, true);
        (void)MakeCaseFileData(contents, false);
    } catch (const std::exception&) {
    }
    return kAccepted;
}

struct Options {
    long long count = 2000;
    std::uint64_t seed = 1;
    int jobs = 1;
    int timeout = 5;
    long long maxMb = 1024;
    fs::path out = "casefuzz-failures";
    long long only = -1;
};

Options Parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
        auto need = [&]() -> const char* {
            if (!v) {
                std::fprintf(stderr, "%s needs a value\n", a.c_str());
                std::exit(2);
            }
            ++i;
            return v;
        };
        if (a == "--count")
            o.count = std::atoll(need());
        else if (a == "--seed")
            o.seed = std::strtoull(need(), nullptr, 10);
        else if (a == "--jobs")
            o.jobs = std::max(1, std::atoi(need()));
        else if (a == "--timeout")
            o.timeout = std::max(1, std::atoi(need()));
        else if (a == "--max-mb")
            o.maxMb = std::atoll(need());
        else if (a == "--out")
            o.out = need();
        else if (a == "--only")
            o.only = std::atoll(need());
        else {
            std::fprintf(stderr,
                         "usage: %s [--count N] [--seed S] [--jobs J] [--timeout SEC] [--max-mb MB] "
                         "[--out DIR] [--only I]\n",
                         argv[0]);
            std::exit(2);
        }
    }
    return o;
}

// Mutant i of the run: its seed file and its bytes.
std::pair<const Seed*, std::string> MakeMutant(const std::vector<Seed>& seeds, const Options& o, long long i)
{
    Rng rng(o.seed * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(i));
    const Seed& seed = seeds[Pick(rng, seeds.size())];
    return {&seed, Mutate(seed, rng)};
}

void WriteFile(const fs::path& path, const std::string& data)
{
    std::ofstream os(path, std::ios::binary | std::ios::trunc);
    os.write(data.data(), static_cast<std::streamsize>(data.size()));
}

}

int main(int argc, char** argv)
{
    const Options o = Parse(argc, argv);
    const fs::path work = fs::temp_directory_path() / ("qel-casefuzz-" + std::to_string(::getpid()));
    fs::create_directories(work);
    const std::vector<Seed> seeds = MakeSeeds(work);
    std::fprintf(stdout, "seeds:");
    for (const Seed& s : seeds)
        std::fprintf(stdout, " %s%s %zu B;", s.name.c_str(), s.bSettings ? "" : (s.bBinary ? " binary" : " xml"),
                     s.data.size());
    std::fprintf(stdout, "\n");

    if (o.only >= 0) {
        const auto [seed, data] = MakeMutant(seeds, o, o.only);
        const fs::path path = work / "only.qel";
        WriteFile(path, data);
        const int r = OpenOne(*seed, path);
        std::printf("mutant %lld of %s: %s\n", o.only, seed->name.c_str(), r == kAccepted ? "accepted" : "refused");
        fs::remove_all(work);
        return 0;
    }

    struct Running {
        long long index;
        std::chrono::steady_clock::time_point start;
        fs::path path;
    };
    std::map<pid_t, Running> running;
    long long next = 0, accepted = 0, refused = 0, crashes = 0, hangs = 0, overMemory = 0;
    double slowestMs = 0, slowestCpuMs = 0;
    long long slowestIndex = -1;
    long maxRssKb = 0;

    auto keepFailure = [&](const Running& r, const char* what) {
        fs::create_directories(o.out);
        const fs::path kept = o.out / ("mutant-" + std::to_string(r.index) + ".qel");
        std::error_code ec;
        fs::copy_file(r.path, kept, fs::copy_options::overwrite_existing, ec);
        std::fprintf(stdout, "mutant %lld: %s (kept as %s)\n", r.index, what, kept.c_str());
    };

    while (next < o.count || !running.empty()) {
        while (next < o.count && static_cast<int>(running.size()) < o.jobs) {
            const long long i = next++;
            auto [seed, data] = MakeMutant(seeds, o, i);
            const fs::path path = work / ("mutant-" + std::to_string(i) + ".qel");
            WriteFile(path, data);
            std::fflush(stdout);
            const pid_t pid = ::fork();
            if (pid < 0) {
                std::perror("fork");
                return 2;
            }
            if (pid == 0) {
                // A hang is judged by the child's own CPU time, so a busy machine does not
                // turn a slow open into one; the wall-clock alarm only catches a child that
                // waits for ever without using the CPU.
                const rlim_t cpu = static_cast<rlim_t>(o.timeout);
                const struct rlimit limit {
                    cpu, cpu + 1
                };
                ::setrlimit(RLIMIT_CPU, &limit);
                ::alarm(static_cast<unsigned>(o.timeout) * 12);
                std::exit(OpenOne(*seed, path));
            }
            running[pid] = {i, std::chrono::steady_clock::now(), path};
        }
        int status = 0;
        struct rusage ru {};
        const pid_t pid = ::wait4(-1, &status, 0, &ru);
        if (pid < 0)
            break;
        const auto it = running.find(pid);
        if (it == running.end())
            continue;
        const Running r = it->second;
        running.erase(it);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - r.start).count();
        if (ms > slowestMs) {
            slowestMs = ms;
            slowestIndex = r.index;
        }
        maxRssKb = std::max(maxRssKb, ru.ru_maxrss);
        const double cpuMs =
            (ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1e3 + (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e3;
        slowestCpuMs = std::max(slowestCpuMs, cpuMs);
        const bool bOutOfTime = WIFSIGNALED(status) && (WTERMSIG(status) == SIGXCPU || WTERMSIG(status) == SIGKILL ||
                                                        WTERMSIG(status) == SIGALRM);
        if (bOutOfTime) {
            ++hangs;
            keepFailure(r, "hang");
        } else if (WIFEXITED(status) && WEXITSTATUS(status) == kAccepted) {
            ++accepted;
        } else if (WIFEXITED(status) && WEXITSTATUS(status) == kRefused) {
            ++refused;
        } else {
            ++crashes;
            keepFailure(r, WIFSIGNALED(status) ? strsignal(WTERMSIG(status)) : "crash (sanitizer or exit code)");
        }
        if (ru.ru_maxrss / 1024 > o.maxMb) {
            ++overMemory;
            keepFailure(r, "over the memory limit");
        }
        std::error_code ec;
        fs::remove(r.path, ec);
        const long long done = accepted + refused + crashes + hangs;
        if (done % 10000 == 0)
            std::fprintf(stderr, "%lld of %lld done\n", done, o.count);
    }
    fs::remove_all(work);

    std::printf("mutants %lld: accepted %lld, refused %lld, crashes %lld, hangs %lld, over %lld MB %lld; "
                "slowest %.0f ms (mutant %lld), most CPU %.0f ms, peak memory %ld MB\n",
                o.count, accepted, refused, crashes, hangs, o.maxMb, overMemory, slowestMs, slowestIndex, slowestCpuMs,
                maxRssKb / 1024);
    const long long failed = crashes + hangs + overMemory;
    std::printf("%lld passed, %lld failed\n", o.count - failed, failed);
    return failed == 0 ? 0 : 1;
}
