// Every analysis, run through the main frame on cases at the edges of what a dialog or a
// file lets through (and, from a scripted dialog, past them): each run is refused with a
// message that names its cause, or ends with results whose every table cell is a finite
// number; afterwards the case saves and reopens, in both formats, as the same case.
#include <QElapsedTimer>
#include <cmath>
#include <cwctype>
#include <fstream>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <limits>
#include <sys/resource.h>

#include "AppTestUtil.h"
#include "app/ChildFrame.h"
#include "app/doc/CaseFile.h"
#include "app/doc/DocHost.h"
#include "app/doc/QELDoc.h"
#include "controls/grid/GridCtrl.h"
#include "core/settings/Settings.h"
#include "doc/AnalysisTestUtil.h"
#include "platform/base/CLocale.h"

using namespace qeltest;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Hostile {
    const char* name;
    std::function<std::shared_ptr<CBridge>()> bridge;
    std::function<std::shared_ptr<CLoadModel>()> model;
    std::function<std::shared_ptr<CBridgeSet>()> set;
    double step = 0.5;     // moving load and bridge range, m
    double collStep = 1.0; // reference collection, m
    double overstress = 1.4;
    double location = 0.0; // single position, m
    // Runs for minutes under the sanitizers: those builds leave it to the release build.
    bool bHeavy = false;
    // The collection's own set, when the analysed set is too large to save twice in a test.
    std::function<std::shared_ptr<CBridgeSet>()> collectionSet = nullptr;
};

std::shared_ptr<CBridge> Spans(std::vector<double> ratios, double L)
{
    auto p = std::make_shared<CBridge>(1, L"Hostile", BC_ONESPAN, L);
    p->m_Config = BC_CUSTOM;
    p->SetSpans(ratios, L);
    return p;
}

std::shared_ptr<CLoadModel> Truck(double P = 100.0, double spacing = 1.2)
{
    auto p = std::make_shared<CLoadModel>(1, L"Truck");
    p->AddPointLoad(P, 0.0, 0.0);
    p->AddPointLoad(P, spacing, 0.0);
    return p;
}

std::shared_ptr<CBridgeSet> Set(double start = 10.0, double end = 20.0, double step = 5.0,
                                BridgeConfig config = BC_TWOSPAN)
{
    return std::make_shared<CBridgeSet>(1, L"Set", config, start, end, step);
}

// In range: the largest and smallest of what the dialogs and the reader accept.
const std::vector<Hostile> kInRange = {
    {"spans of 0.1 m beside 1,000 m",
     [] {
         return Spans({0.0001, 1.0, 0.0001}, 1000.0);
     },
     [] { return Truck(); }, [] { return Set(0.1, 1000.0, 199.98); }, 50.0, 100.0, 1.4, 500.0},
    {"1,000 spans of 1,000 m", [] { return Spans(std::vector<double>(1000, 1.0), 1000.0); }, [] { return Truck(); },
     [] { return Set(1000.0, 1000.0, 1.0, BC_THREESPAN); }, 1000.0, 1000.0, 1.4, 3.0e5, true},
    {"1,000 spans of 0.1 m at a step of 0.001 m", [] { return Spans(std::vector<double>(1000, 1.0), 0.1); },
     [] { return Truck(); }, [] { return Set(0.1, 0.1, 1.0); }, 0.001, 0.001, 1.4, 50.0},
    {"a step of 0.001 m over a 1,000 m span", [] { return Spans({1.0}, 1000.0); }, [] { return Truck(); },
     [] { return Set(); }, 0.001, 0.5, 1.4, 0.0},
    {"an axle 1,000 m behind the first",
     [] {
         return Spans({1.0, 1.0}, 20.0);
     },
     [] { return Truck(100.0, -1000.0); }, [] { return Set(); }, 0.5, 1.0, 1.4, -500.0},
    {"the largest loads",
     [] {
         return Spans({1.0, 1.0}, 20.0);
     },
     [] {
         auto p = Truck(10000.0, 1.2);
         p->AddUDL(1000.0);
         p->AddPartialUDL(-1000.0, -500.0, 1000.0); // the model reaches 1,000 m at most
         return p;
     },
     [] { return Set(); }, 0.5, 1.0, 10.0, 5.0},
    {"loads of nought", [] { return Spans({1.0}, 20.0); }, [] { return Truck(0.0); }, [] { return Set(1.0, 3.0, 1.0); },
     0.5, 1.0, 0.1, 10.0},
    {"a bridge set of 10,000 bridges", [] { return Spans({1.0}, 20.0); }, [] { return Truck(); },
     [] { return Set(0.1, 1000.0, 0.1); }, 100.0, 100.0, 1.4, 10.0, true, [] { return Set(); }},
};

// Past the range, as only a scripted dialog hands them to the case (the real dialogs
// refuse them): the analysis must refuse them itself.
const std::vector<Hostile> kPastRange = {
    {"a step of 1e300 m", [] { return Spans({1.0}, 20.0); }, [] { return Truck(); }, [] { return Set(); }, 1e300},
    {"a step that is not a number", [] { return Spans({1.0}, 20.0); }, [] { return Truck(); }, [] { return Set(); },
     kNaN, kNaN, kNaN, kNaN},
    {"an infinite step", [] { return Spans({1.0}, 20.0); }, [] { return Truck(); }, [] { return Set(); }, kInf, kInf,
     kInf, kInf},
    {"a step of nought", [] { return Spans({1.0}, 20.0); }, [] { return Truck(); }, [] { return Set(); }, 0.0, 0.0,
     0.0},
    {"a step of 1e-300 m", [] { return Spans({1.0}, 20.0); }, [] { return Truck(); }, [] { return Set(); }, 1e-300,
     1e-300},
    {"an axle 1e6 m behind", [] { return Spans({1.0}, 20.0); }, [] { return Truck(100.0, -1e6); }, [] { return Set(); },
     0.5},
};

// "nan", "inf" or "infinity" as a word of its own, in any case: what printf makes of a
// number that is not one ("information" is not one of them).
bool ShowsANonNumber(const std::wstring& text)
{
    std::wstring word;
    auto isBad = [&] { return word == L"nan" || word == L"inf" || word == L"infinity"; };
    for (const wchar_t ch : text) {
        if (std::iswalpha(ch)) {
            word += static_cast<wchar_t>(std::towlower(ch));
            continue;
        }
        if (isBad())
            return true;
        word.clear();
    }
    return isBad();
}

struct Tally {
    int runs = 0, refused = 0, hangs = 0, nonFiniteCells = 0, unsafeMessages = 0, savesNotReopened = 0;
};
Tally g_Tally;

class HostileRuns : public AppFixture, public ::testing::WithParamInterface<Hostile> {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        Start();
        UseAnalysisDialogs(&m_Dialogs);
        const Hostile& h = GetParam();
        CQELDoc& doc = Doc();
        doc.m_vBridge.push_back(h.bridge());
        doc.m_vLoadModel.push_back(h.model());
        doc.m_vLoadModelEnsemble.push_back(EnsembleOf({h.model(), Axle()}));
        doc.m_vBridgeSet.push_back(h.set());
        auto coll = std::make_shared<CReferenceCollection>(1, L"Coll",
                                                           Stepping{.bByStep = true, .step = h.collStep, .nSteps = 0});
        if (h.collectionSet)
            doc.m_vBridgeSet.push_back(h.collectionSet());
        coll->m_vBS = {doc.m_vBridgeSet.back()};
        coll->m_vLME = {doc.m_vLoadModelEnsemble[0]};
        coll->m_bUseOverstress = true;
        coll->m_OverstressFactor = h.overstress;
        doc.m_vRefCollection.push_back(coll);

        m_Dialogs.singlePosition = [x = h.location](CSinglePositionDlgInterface& d) {
            d.m_dLocation = x;
            return DLG_IDOK;
        };
        m_Dialogs.movingLoad = MovingLoadByStep(h.step);
        m_Dialogs.bridgeRange = [s = h.step](CBridgeRangeDlgInterface& d) {
            d.m_Stepping.bByStep = true;
            d.m_Stepping.step = s;
            return DLG_IDOK;
        };
        m_Dialogs.analyzeRefCollection = [](CAnalyzeRefCollectionDlgInterface&) { return DLG_IDOK; };
        m_Dialogs.critRatios = [](CCritRatioRefCollDlgInterface& d) {
            d.m_bUseLoadModel = true;
            return DLG_IDOK;
        };
    }
    void TearDown() override
    {
        UseAnalysisDialogs(nullptr);
        if (app)
            Doc().SetModifiedFlag(false);
        AppFixture::TearDown();
    }
    CQELDoc& Doc() { return *app->GetDocument(); }

    // Runs one command to its end; false when it was still running at its budget.
    bool Run(int nID, const char* what)
    {
        SCOPED_TRACE(what);
        ++g_Tally.runs;
        const std::size_t nBoxes = boxes.size();
        // "Display grids/plots for the analysis?" is answered Yes, so that the tables show.
        answers.assign(4, IDYES);
        EXPECT_TRUE(Frame().ExecuteCommand(nID));
        QElapsedTimer t;
        t.start();
        // Generous: a worker run near the position limit takes seconds, a sanitizer build
        // many times that. A run that outlives this is a hang.
        while ((Doc().IsWorkerPending() || Doc().IsAnalysisRunning()) && t.elapsed() < 600000)
            ProcessEvents();
        ProcessEvents();
        if (Doc().IsWorkerPending()) {
            ++g_Tally.hangs;
            ADD_FAILURE() << "still running after 600 s";
            Frame().ExecuteCommand(32951);
            while (Doc().IsWorkerPending())
                ProcessEvents();
            return false;
        }
        if (std::getenv("QEL_HOSTILE_TIMES")) {
            struct rusage ru {};
            getrusage(RUSAGE_SELF, &ru);
            std::printf("  %s: %lld ms, peak %ld MB%s%s\n", what, static_cast<long long>(t.elapsed()),
                        ru.ru_maxrss / 1024, boxes.size() > nBoxes ? ", box: " : "",
                        boxes.size() > nBoxes ? WideToUtf8(boxes[nBoxes].text).c_str() : "");
        }
        answers.clear();
        for (std::size_t i = nBoxes; i < boxes.size(); ++i) {
            if ((boxes[i].type & 0x0F) != MB_OK)
                continue; // a question, not a refusal
            ++g_Tally.refused;
            const std::wstring& text = boxes[i].text;
            const bool bUnsafe = text.empty() || ShowsANonNumber(text) || text.find(L"Boost") != std::wstring::npos ||
                                 text.find(L"input stream error") != std::wstring::npos;
            g_Tally.unsafeMessages += bUnsafe;
            EXPECT_FALSE(bUnsafe) << "message: " << WideToUtf8(text);
        }
        CheckTables(what);
        return true;
    }

    // Every cell of every result table reads as a finite number or as text.
    void CheckTables(const char* what)
    {
        for (CChildFrame* f : Frame().GetChildFrames(&Doc())) {
            CGridCtrl* grid = f->IsCaseWindow() ? nullptr : CChildFrame::GetViewGrid(f->GetView());
            if (!grid)
                continue;
            for (int r = 0; r < grid->GetRowCount(); ++r)
                for (int c = 0; c < grid->GetColumnCount(); ++c) {
                    const std::wstring text = grid->GetItemText(r, c);
                    if (ShowsANonNumber(text)) {
                        ++g_Tally.nonFiniteCells;
                        ADD_FAILURE() << what << ": cell " << r << "," << c << " reads " << WideToUtf8(text);
                    }
                }
        }
        Frame().OnCloseAllTabs();
        ProcessEvents();
    }

    // What the case holds now saves and reopens in both formats as the same bytes.
    void SaveAndReopen()
    {
        const auto dir = std::filesystem::path(std::getenv("HOME")) / "hostile";
        std::filesystem::create_directories(dir);
        for (const bool bBinary : {true, false}) {
            SCOPED_TRACE(bBinary ? "binary" : "XML");
            g_pSettings->General.USEBINARYFILEFORMAT = bBinary;
            const auto path = dir / (bBinary ? "case.qel" : "case-xml.qel");
            std::wstring sError;
            const bool bSaved = Doc().OnSaveDocument(Utf8ToWide(path.string()), sError);
            if (!bSaved) {
                // A refusal is honest only if it names a value; nothing on disk is torn.
                EXPECT_FALSE(sError.empty());
                continue;
            }
            const std::string first = ReadFile(path);
            std::wstring sOpenError;
            const bool bOpened = Doc().OnOpenDocument(Utf8ToWide(path.string()), sOpenError);
            EXPECT_TRUE(bOpened) << WideToUtf8(sOpenError);
            bool bSame = bOpened;
            if (bOpened) {
                ASSERT_TRUE(Doc().OnSaveDocument(Utf8ToWide(path.string()), sError)) << WideToUtf8(sError);
                bSame = ReadFile(path) == first;
                EXPECT_TRUE(bSame) << "the reopened case saves differently";
            }
            g_Tally.savesNotReopened += !bSame;
            if (std::getenv("QEL_HOSTILE_TIMES")) {
                struct rusage ru {};
                getrusage(RUSAGE_SELF, &ru);
                std::printf("  %s save and reopen: %lld bytes, peak %ld MB\n", bBinary ? "binary" : "XML",
                            static_cast<long long>(first.size()), ru.ru_maxrss / 1024);
            }
        }
    }

    static std::string ReadFile(const std::filesystem::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    ScriptedAnalysisDialogs m_Dialogs;
};

TEST_P(HostileRuns, EveryAnalysisIsRefusedByNameOrGivesFiniteTablesAndTheCaseReopens)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    if (GetParam().bHeavy)
        GTEST_SKIP() << "left to the release build";
#endif
    CQELDoc& doc = Doc();
    doc.m_bOutGraphs = true;
    doc.m_bOutTables = true;
    Run(32773, "single position");
    Run(32772, "moving load of the load model");
    m_Dialogs.movingLoad = MovingLoadByStep(GetParam().step, false);
    Run(32772, "moving load of the ensemble");
    Run(32774, "bridge range");
    Run(32807, "reference collection");
    Run(32809, "critical ratios");
    SaveAndReopen();
}

std::string Name(const ::testing::TestParamInfo<Hostile>& info)
{
    std::string s;
    for (const char* p = info.param.name; *p; ++p)
        s += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return s;
}

INSTANTIATE_TEST_SUITE_P(InRange, HostileRuns, ::testing::ValuesIn(kInRange), Name);
INSTANTIATE_TEST_SUITE_P(PastRange, HostileRuns, ::testing::ValuesIn(kPastRange), Name);

// The figures of the whole table, for the record.
class TallyPrinter : public ::testing::Environment {
public:
    void TearDown() override
    {
        if (g_Tally.runs == 0)
            return;
        struct rusage ru {};
        getrusage(RUSAGE_SELF, &ru);
        std::printf("hostile values: %d runs, %d refused with a message, %d hangs, %d non-finite cells, "
                    "%d messages with library text or non-numbers, %d saves that did not reopen the same; "
                    "peak memory %ld MB\n",
                    g_Tally.runs, g_Tally.refused, g_Tally.hangs, g_Tally.nonFiniteCells, g_Tally.unsafeMessages,
                    g_Tally.savesNotReopened, ru.ru_maxrss / 1024);
    }
};
const auto* const g_pTallyPrinter = ::testing::AddGlobalTestEnvironment(new TallyPrinter);

}
