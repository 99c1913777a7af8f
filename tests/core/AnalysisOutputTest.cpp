#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/beam/BeamResults.h"
#include "core/bridge/BridgeSet.h"
#include "core/critical/CriticalRatioEnsemble.h"
#include "core/critical/CriticalValueEnsemble.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/outputs/AOBridgeRange.h"
#include "core/outputs/AOCompareRefSetEnvs.h"
#include "core/outputs/AOCriticalRatios.h"
#include "core/outputs/AOEnhanced.h"
#include "core/outputs/AOMovingLoad.h"
#include "core/outputs/AOMultiMovingLoad.h"
#include "core/outputs/AOReferenceSet.h"
#include "core/outputs/AOSinglePosition.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"

TEST(AnalysisOutput, DataPointLabels)
{
    CAOEnhanced out(nullptr);
    EXPECT_EQ(out.SetDataPoint(true, 0, 12.5, 310.25), L"Reaction 1!\nX: 12.5\nY: 310.25");
    EXPECT_EQ(out.m_PointX, 12.5);
    EXPECT_EQ(out.m_PointY, 310.25);
    EXPECT_EQ(out.SetDataPoint(true, 2, 0.0, -4.0), L"Reaction 3!\nX: 0\nY: -4");
    EXPECT_EQ(out.SetDataPoint(false, 1, 1.0 / 3, 1234567.0), L"Shear!\nX: 0.333333\nY: 1.23457e+06");
    EXPECT_EQ(out.SetDataPoint(false, 0, 30.0, 0.0001), L"Bending!\nX: 30\nY: 0.0001");
}

TEST(AnalysisOutput, DescriptionsOfTheMovingLoadKinds)
{
    auto bridge = CBridge::Create(1, L"Bridge 20", BC_ONESPAN, 20.0);
    auto lm = std::make_shared<CLoadModel>(1, L"Truck");
    auto lme = std::make_shared<CLoadModelEnsemble>(1, L"Fleet");
    auto beamRes = std::make_shared<CBeamResults>();
    auto envRes = std::make_shared<CEnvelopeResults>(bridge);

    CAOSinglePosition single(beamRes, bridge, lm, 12.3456);
    EXPECT_EQ(single.m_Type, AO_SINGLEPOSITION);
    EXPECT_EQ(single.m_nAnalyses, 1);
    EXPECT_EQ(single.Describe(), L"Bridge: Bridge 20 | Load model: Truck | Position: 12.346 m");
    EXPECT_EQ(single.GetResults<CBeamResults>(), beamRes);
    EXPECT_EQ(single.GetReferenceSet<CBridge>(), bridge);
    EXPECT_EQ(single.GetResults<CEnvelopeResults>(), nullptr); // not what the slot holds
    EXPECT_EQ(CAOSinglePosition(beamRes, bridge, nullptr, 1.0).Describe(), L"");
    EXPECT_EQ(CAOSinglePosition(beamRes, nullptr, lm, 1.0).Describe(), L"");

    CAOMovingLoad moving(envRes, bridge, lm, 42);
    EXPECT_EQ(moving.m_Type, AO_MOVINGLOAD);
    EXPECT_EQ(moving.Describe(), L"Bridge: Bridge 20 | Load model: Truck | No. analyses: 42");
    EXPECT_EQ(moving.GetResults<CEnvelopeResults>(), envRes);

    CAOMultiMovingLoad multi(envRes, {envRes, envRes}, bridge, lme, 84);
    EXPECT_EQ(multi.m_Type, AO_MULTIMOVINGLOAD);
    EXPECT_EQ(multi.m_nAnalyses, 84);
    EXPECT_EQ(multi.Describe(), L"Bridge: Bridge 20 | Load model ensemble: Fleet | No. analyses: 84");
    EXPECT_EQ(multi.GetModelResults().size(), 2u);
}

TEST(AnalysisOutput, BridgeRangeCountsTheAnalysesBehindItsCriticalValues)
{
    auto set = std::make_shared<CBridgeSet>(1, L"Short spans", BC_ONESPAN, 10.0, 20.0, 10.0);
    auto lm = std::make_shared<CLoadModel>(1, L"Truck");
    std::vector<std::shared_ptr<CEnvelopeResults>> res;
    for (int n : {12, 22}) {
        res.push_back(std::make_shared<CEnvelopeResults>(set->GetBridge(0)));
        res.back()->m_nAnalyses = n;
    }
    auto crit = std::make_shared<CCriticalValueEnsemble>(res, set);
    CAOBridgeRange range(crit, set, lm);
    EXPECT_EQ(range.m_Type, AO_BRIDGERANGE);
    EXPECT_EQ(range.m_nAnalyses, 0);
    EXPECT_EQ(range.Describe(), L"Bridge set: Short spans | Load model: Truck | No. analyses: 34");
    EXPECT_EQ(range.GetResults<CCriticalValueEnsemble>(), crit);
    EXPECT_EQ(range.GetReferenceSet<CElement>(), lm);
}

TEST(AnalysisOutput, DescriptionsOfTheReferenceKinds)
{
    auto set = std::make_shared<CBridgeSet>(1, L"Two spans", BC_TWOSPAN, 10.0, 30.0, 10.0);
    auto refLME = std::make_shared<CLoadModelEnsemble>(1, L"Legal fleet");
    auto rs = std::make_shared<CReferenceSet>(false, set, refLME, 1.4);
    auto coll =
        std::make_shared<CReferenceCollection>(1, L"Network", Stepping{.bByStep = true, .step = 1.0, .nSteps = 0});
    coll->m_bUseOverstress = true;
    coll->m_Multiplier = 1.25;

    CAOReferenceSet refOut(rs, false);
    EXPECT_EQ(refOut.m_Type, AO_REFERENCESET);
    EXPECT_EQ(refOut.Describe(), L"Bridge set: Two spans | Load model ensemble: Legal fleet | O/S: Off");
    EXPECT_EQ(refOut.GetReferenceSet<CReferenceSet>(), rs);
    EXPECT_EQ(CAOReferenceSet(rs, true).Describe(),
              L"Bridge set: Two spans | Load model ensemble: Legal fleet | O/S: On");

    // The proposed item: the first load model when one model was proposed, else the ensemble.
    auto heavy = std::make_shared<CLoadModel>(1, L"Heavy");
    rs->m_pPropLME = std::make_shared<CLoadModelEnsemble>(0, L"Proposed");
    rs->m_pPropLME->AddLoadModel(heavy);
    rs->m_bUseLM = true;
    CAOCompareRefSetEnvs cmp(true, 1, rs);
    EXPECT_EQ(cmp.m_Type, AO_COMPAREREFSETENVS);
    EXPECT_EQ(cmp.GetIndex(), 1);
    EXPECT_EQ(cmp.Describe(), L"Bridge set: Two spans | Load model ensemble: Legal fleet | O/S: On | Bridge: " +
                                  set->GetBridge(1)->GetDescription() + L" | Proposed: Heavy");
    rs->m_bUseLM = false;
    EXPECT_EQ(CAOCompareRefSetEnvs(false, 1, rs).Describe(),
              L"Bridge set: Two spans | Load model ensemble: Legal fleet | O/S: Off | Bridge: " +
                  set->GetBridge(1)->GetDescription() + L" | Proposed: Proposed");
    // A bridge index outside the set names no bridge rather than failing.
    EXPECT_EQ(CAOCompareRefSetEnvs(false, 9, rs).Describe(),
              L"Bridge set: Two spans | Load model ensemble: Legal fleet | O/S: Off | Bridge:  | Proposed: Proposed");

    coll->SetProposedLoadModel(heavy);
    auto ratios = std::make_shared<CCriticalRatioEnsemble>();
    CAOCriticalRatios crit(ratios, coll, rs);
    EXPECT_EQ(crit.m_Type, AO_CRITICALRATIOS);
    EXPECT_EQ(crit.Describe(), L"Reference: Network | Bridge set: Two spans | LME: Legal fleet | Load model: Heavy | "
                               L"Multiplier: 1.250 | O/S: On");
    EXPECT_EQ(crit.GetReferenceSet<CCriticalRatioEnsemble>(), ratios);
    EXPECT_EQ(crit.GetResults<CReferenceSet>(), rs);

    CAOEnhanced enh(coll);
    EXPECT_EQ(enh.m_Type, AO_ENHANCED);
    EXPECT_EQ(enh.Describe(), L"Reference: Network | Load model: Heavy | Multiplier: 1.250 | O/S: On");
    EXPECT_EQ(enh.GetReferenceSet<CReferenceCollection>(), coll);
    EXPECT_EQ(enh.GetResults<CReferenceCollection>(), nullptr);
}
