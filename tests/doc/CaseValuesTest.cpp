// Hostile numbers in a case file: every field the user or a file sets, every value a hand
// edit or a typing slip can produce, in both formats, through the reader and the writer.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/doc/CaseFile.h"
#include "core/bounds/Bounds.h"
#include "core/bounds/ElementChecks.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "platform/base/CLocale.h"

namespace {

// Exactly representable and inside every range below, so it can be found in the file.
constexpr double kMarker = 7.625;

struct Field {
    const char* name;
    const RealBound* bound;
    std::function<void(CaseContents&)> build; // a case whose field holds kMarker
    std::function<double&(CaseContents&)> at;
    const wchar_t* refusal; // the start of the message for a refused value
    // A load model keeps its front at 0: reading moves every position by the same amount.
    bool bShifted = false;
};

CaseContents Base()
{
    CaseContents c;
    c.m_vBridge.push_back(std::make_shared<CBridge>(1, L"One", BC_ONESPAN, 20.0));
    c.m_vBridgeSet.push_back(std::make_shared<CBridgeSet>(1, L"Set", 3, BC_TWOSPAN, 10.0, 30.0));
    auto lm = std::make_shared<CLoadModel>(1, L"Truck");
    lm->AddPointLoad(100.0, 0.0, 1.8);
    lm->AddPointLoad(120.0, 4.0, 1.8);
    lm->AddUDL(5.0);
    lm->AddPartialUDL(6.0, 1.0, 3.0);
    c.m_vLoadModel.push_back(lm);
    auto rc = std::make_shared<CReferenceCollection>(1, L"RC", Stepping{.bByStep = true, .step = 0.5, .nSteps = 0});
    c.m_vRefCollection.push_back(rc);
    return c;
}

CLoadModel& Model(CaseContents& c)
{
    return *c.m_vLoadModel[0];
}

const Field kFields[] = {
    {"span length", &Bounds::Span,
     [](CaseContents& c) { c.m_vBridge[0] = std::make_shared<CBridge>(1, L"One", BC_ONESPAN, kMarker); },
     [](CaseContents& c) -> double& { return c.m_vBridge[0]->m_SpanLength; }, L"Bridge 1 \"One\": the span length"},
    {"custom span", &Bounds::Span,
     [](CaseContents& c) {
         auto b = std::make_shared<CBridge>(3, L"20 m single span", BC_CUSTOM, 20.0);
         b->m_vSpans = {20.0, kMarker};
         b->SetupBeam();
         c.m_vBridge[0] = b;
     },
     [](CaseContents& c) -> double& { return c.m_vBridge[0]->m_vSpans[1]; }, L"Bridge 3 \"20 m single span\": span 2"},
    {"set start", &Bounds::Span,
     [](CaseContents& c) {
         c.m_vBridgeSet[0] = std::make_shared<CBridgeSet>(1, L"Set", 3, BC_TWOSPAN, kMarker, 1000.0);
     },
     [](CaseContents& c) -> double& { return c.m_vBridgeSet[0]->m_StartL; },
     L"Bridge set 1 \"Set\": the start span length"},
    {"set end", &Bounds::Span,
     [](CaseContents& c) { c.m_vBridgeSet[0] = std::make_shared<CBridgeSet>(1, L"Set", 3, BC_TWOSPAN, 0.1, kMarker); },
     [](CaseContents& c) -> double& { return c.m_vBridgeSet[0]->m_EndL; },
     L"Bridge set 1 \"Set\": the end span length"},
    {"axle load", &Bounds::AxleLoad, [](CaseContents& c) { Model(c).m_vPL[1].magnitude = kMarker; },
     [](CaseContents& c) -> double& { return Model(c).m_vPL[1].magnitude; }, L"Load model 1 \"Truck\": axle 2 load"},
    {"axle position", &Bounds::AxlePosition, [](CaseContents& c) { Model(c).m_vPL[1].location = kMarker; },
     [](CaseContents& c) -> double& { return Model(c).m_vPL[1].location; }, L"Load model 1 \"Truck\": axle 2 position",
     true},
    {"axle width", &Bounds::AxleWidth, [](CaseContents& c) { Model(c).m_vPL[0].width = kMarker; },
     [](CaseContents& c) -> double& { return Model(c).m_vPL[0].width; }, L"Load model 1 \"Truck\": axle 1 width"},
    {"axle factor", &Bounds::Factor, [](CaseContents& c) { Model(c).m_vPL[0].gamma = kMarker; },
     [](CaseContents& c) -> double& { return Model(c).m_vPL[0].gamma; }, L"Load model 1 \"Truck\": axle 1 factor"},
    {"uniform load", &Bounds::LaneLoad, [](CaseContents& c) { Model(c).m_vUDL[0].magnitude = kMarker; },
     [](CaseContents& c) -> double& { return Model(c).m_vUDL[0].magnitude; },
     L"Load model 1 \"Truck\": uniform load 1"},
    {"partial load", &Bounds::LaneLoad, [](CaseContents& c) { Model(c).m_vPUDL[0].magnitude = kMarker; },
     [](CaseContents& c) -> double& { return Model(c).m_vPUDL[0].magnitude; },
     L"Load model 1 \"Truck\": partial uniform load 1"},
    {"partial start", &Bounds::AxlePosition, [](CaseContents& c) { Model(c).m_vPUDL[0].location = kMarker; },
     [](CaseContents& c) -> double& { return Model(c).m_vPUDL[0].location; },
     L"Load model 1 \"Truck\": partial uniform load 1 start", true},
    {"partial cover", &Bounds::LoadCover, [](CaseContents& c) { Model(c).m_vPUDL[0].cover = kMarker; },
     [](CaseContents& c) -> double& { return Model(c).m_vPUDL[0].cover; },
     L"Load model 1 \"Truck\": partial uniform load 1 cover", true},
    {"DLA factor", &Bounds::Factor, [](CaseContents& c) { Model(c).m_gDLA.value = kMarker; },
     [](CaseContents& c) -> double& { return Model(c).m_gDLA.value; },
     L"Load model 1 \"Truck\": the dynamic load factor"},
    {"axle loads factor", &Bounds::Factor, [](CaseContents& c) { Model(c).m_GammaPL = kMarker; },
     [](CaseContents& c) -> double& { return Model(c).m_GammaPL; }, L"Load model 1 \"Truck\": the axle loads factor"},
    {"shortest length", &Bounds::ApplicableLength, [](CaseContents& c) { Model(c).m_minL = kMarker; },
     [](CaseContents& c) -> double& { return Model(c).m_minL; },
     L"Load model 1 \"Truck\": the shortest applicable length"},
    {"first axle position", &Bounds::AxlePosition, [](CaseContents& c) { Model(c).m_PointLoadStart = kMarker; },
     [](CaseContents& c) -> double& { return Model(c).m_PointLoadStart; },
     L"Load model 1 \"Truck\": the first axle position"},
    {"collection step", &Bounds::CollectionStep, [](CaseContents& c) { c.m_vRefCollection[0]->m_StepSize = kMarker; },
     [](CaseContents& c) -> double& { return c.m_vRefCollection[0]->m_StepSize; },
     L"Reference collection 1 \"RC\": the step"},
    {"overstress factor", &Bounds::OverstressFactor,
     [](CaseContents& c) { c.m_vRefCollection[0]->m_OverstressFactor = kMarker; },
     [](CaseContents& c) -> double& { return c.m_vRefCollection[0]->m_OverstressFactor; },
     L"Reference collection 1 \"RC\": the overstress factor"},
};

std::vector<double> HostileValues(const RealBound& b)
{
    const double inf = std::numeric_limits<double>::infinity();
    return {std::nan(""),
            inf,
            -inf,
            0.0,
            -1.0,
            1e300,
            -1e300,
            1e-300,
            b.lo,
            b.hi,
            std::nextafter(b.lo, -inf),
            std::nextafter(b.hi, inf)};
}

// The archive of the case with the marker's first bytes or text replaced by v (a bridge of
// one arrangement also keeps the spans it builds, after its span length).
std::string WithValue(const std::string& archive, bool bBinary, double v)
{
    std::string out = archive;
    if (bBinary) {
        char from[sizeof(double)], to[sizeof(double)];
        std::memcpy(from, &kMarker, sizeof from);
        std::memcpy(to, &v, sizeof to);
        const std::size_t at = out.find(std::string(from, sizeof from));
        EXPECT_NE(at, std::string::npos);
        if (at != std::string::npos)
            out.replace(at, sizeof from, to, sizeof to);
        return out;
    }
    const std::size_t at = out.find(">7.625");
    EXPECT_NE(at, std::string::npos);
    if (at == std::string::npos)
        return out;
    const std::size_t end = out.find('<', at);
    const std::string text = std::isnan(v)   ? "nan"
                             : std::isinf(v) ? (v > 0 ? "inf" : "-inf")
                                             : FormatDoubleC("%.17g", v);
    out.replace(at + 1, end - at - 1, text);
    return out;
}

class CaseValues : public ::testing::TestWithParam<bool> {};

TEST_P(CaseValues, EveryFieldReadsBackInRangeAndIsRefusedOutOfItNamingElementAndField)
{
    const bool bBinary = GetParam();
    for (const Field& f : kFields) {
        CaseContents marked = Base();
        f.build(marked);
        std::string archive = MakeCaseFileData(marked, bBinary);
        if (bBinary)
            archive.resize(archive.size() - CaseTrailerSize); // a plain archive, as older files are
        for (const double v : HostileValues(*f.bound)) {
            SCOPED_TRACE(std::string(f.name) + " = " + FormatDoubleC("%.17g", v));
            const std::string crafted = WithValue(archive, bBinary, v);
            CaseContents back;
            if (InBound(*f.bound, v)) {
                try {
                    ReadCaseFileData(crafted, back);
                } catch (const CElementValueError& e) {
                    // A position in range alone can still make the model longer than any is.
                    EXPECT_TRUE(f.bShifted) << e.what();
                    EXPECT_NE(Utf8ToWide(e.what()).find(L"the length from the rearmost to the foremost load is"),
                              std::wstring::npos)
                        << e.what();
                    continue;
                }
                if (!f.bShifted) {
                    EXPECT_EQ(f.at(back), v);
                }
                // What opened saves and reopens as the same case.
                const std::string saved = MakeCaseFileData(back, bBinary);
                CaseContents again;
                ASSERT_NO_THROW(ReadCaseFileData(saved, again));
                EXPECT_EQ(f.at(again), f.at(back));
                EXPECT_EQ(MakeCaseFileData(again, bBinary), saved);
                continue;
            }
            if (!bBinary && !std::isfinite(v)) {
                // The XML reader takes no text that is not a number: the file is damaged.
                EXPECT_THROW(ReadCaseFileData(crafted, back), CCaseArchiveError);
                continue;
            }
            try {
                ReadCaseFileData(crafted, back);
                ADD_FAILURE() << "read";
            } catch (const CElementValueError& e) {
                const std::wstring what = Utf8ToWide(e.what());
                EXPECT_EQ(what.rfind(f.refusal, 0), 0u) << e.what();
                EXPECT_NE(what.find(L"it must be from " + BoundText(*f.bound)), std::wstring::npos) << e.what();
            }
            // The writer refuses what the reader would, before anything is written.
            CaseContents bad = Base();
            f.build(bad);
            f.at(bad) = v;
            EXPECT_THROW(MakeCaseFileData(bad, bBinary), CElementValueError);
        }
    }
}

TEST_P(CaseValues, StoredChoicesOutsideTheirListAreRefused)
{
    const bool bBinary = GetParam();
    struct Case {
        std::function<void(CaseContents&)> spoil;
        const wchar_t* message;
    };
    const Case cases[] = {
        {[](CaseContents& c) { Model(c).m_lmBridge = static_cast<BridgeRule>(9); },
         L"Load model 1 \"Truck\": the bridge rule is 9, which is no known choice"},
        {[](CaseContents& c) { Model(c).m_Direction = static_cast<TravelDirection>(-1); },
         L"Load model 1 \"Truck\": the direction is -1, which is no known choice"},
        {[](CaseContents& c) { Model(c).m_WidthFactor = 3; },
         L"Load model 1 \"Truck\": the width factor is 3, which is no known choice"},
        {[](CaseContents& c) { Model(c).m_gUnits.type = 7; },
         L"Load model 1 \"Truck\": the units factor type is 7, which is no known choice"},
        {[](CaseContents& c) { c.m_vBridgeSet[0]->m_nBridge = 10001; },
         L"Bridge set 1 \"Set\": the number of bridges is 10,001; it must be from 1 to 10,000"},
        {[](CaseContents& c) {
             c.m_vRefCollection[0]->m_bByStep = false;
             c.m_vRefCollection[0]->m_nStepPoints = 0;
         },
         L"Reference collection 1 \"RC\": the number of step points is 0; it must be from 1 to 100,000"},
    };
    for (const Case& c : cases) {
        CaseContents bad = Base();
        c.spoil(bad);
        try {
            MakeCaseFileData(bad, bBinary);
            ADD_FAILURE() << WideToUtf8(c.message);
        } catch (const CElementValueError& e) {
            EXPECT_EQ(Utf8ToWide(e.what()), c.message);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, CaseValues, ::testing::Values(true, false),
                         [](const auto& info) { return std::string(info.param ? "Binary" : "Xml"); });

}
