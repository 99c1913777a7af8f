// Turning an analysis output into result windows, and the "View" menu's result commands.
#include "app/doc/HostAccess.h"
#include "app/doc/QELDoc.h"
#include "core/beam/Beam.h"
#include "core/beam/BeamResults.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/critical/CriticalRatioEnsemble.h"
#include "core/critical/CriticalValueEnsemble.h"
#include "core/envelopes/EnvelopeResults.h"
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

namespace {

using dochost::Error;
using dochost::Warning;
CDocAnalysisDialogs* Dialogs()
{
    return dochost::AnalysisDialogs();
}

// A single-position output has one bending-and-shear plot, whatever the options say.
constexpr int kSinglePositionPlot = -1;

// The beam of the first bridge of a set; none for a set without bridges (which a stop
// or an empty range leaves).
std::shared_ptr<CBeam> FirstBeam(const std::shared_ptr<CBridgeSet>& pBridgeSet)
{
    if (!pBridgeSet || pBridgeSet->m_vBridges.empty() || !pBridgeSet->m_vBridges.front())
        return nullptr;
    return pBridgeSet->m_vBridges.front()->GetBeam();
}

int Restraints(const std::shared_ptr<CBeam>& pBeam)
{
    return pBeam ? pBeam->m_nRestraints : 0;
}

// Whether an output has anything to show, and how many reaction charts it has.
struct Shape {
    bool bEmpty = true;
    int nReactionCharts = 0;
};

// Envelope results that a stop left before the first position have nothing to show.
Shape EnvelopeShape(const CAnalysisOutput* pOutput)
{
    const auto pResults = pOutput ? pOutput->GetResults<CEnvelopeResults>() : nullptr;
    if (!pResults || !pResults->HasEnvelopes())
        return {};
    return {false, Restraints(pResults->GetBeam())};
}

// Outputs over a bridge set count the supports of its first bridge.
Shape BridgeSetShape(const std::shared_ptr<CBridgeSet>& pBridgeSet)
{
    const auto pBeam = FirstBeam(pBridgeSet);
    return {!pBeam, Restraints(pBeam)};
}

Shape RefSetShape(const CAnalysisOutput* pOutput)
{
    const auto pSet = pOutput ? pOutput->GetReferenceSet<CReferenceSet>() : nullptr;
    return BridgeSetShape(pSet ? pSet->GetBridgeSet() : nullptr);
}

const wchar_t* const kNoRatios = L"There are no ratios calculated from a Reference Collection to display\n";

}

template <class Output, class Set>
void CQELDoc::DisplayOutput(const wchar_t* pszName, const wchar_t* pszEmpty, const std::shared_ptr<Output>& pOutput,
                            bool bEmpty, int nReactionCharts, Set set)
{
    if (!m_bOutGraphs && !m_bOutTables) {
        Error(L"Neither graph nor table output selected.");
        return;
    }
    if (!pOutput || bEmpty) {
        Error(pszEmpty);
        return;
    }
    const std::wstring sName = pszName;
    if (m_bOutGraphs) {
        if (nReactionCharts == kSinglePositionPlot) {
            if (CDocPlotView* pView = OpenPlotView(sName + L" - Plot", 2, 1))
                set(*pView, true);
        } else {
            if (m_bOutBMSF)
                if (CDocPlotView* pView = OpenPlotView(sName + L" - Plot", 2, 1))
                    set(*pView, true);
            // No window for a count the layout cannot take (five or more supports).
            if (m_bOutReactions)
                if (CDocPlotView* pView = OpenPlotViewForCount(sName + L" - Plot", nReactionCharts))
                    set(*pView, false);
        }
    }
    if (m_bOutTables) {
        if (m_bOutBMSF)
            if (CDocGridView* pView = OpenGridView(sName + L" - Grid"))
                set(*pView, true);
        if (m_bOutReactions)
            if (CDocGridView* pView = OpenGridView(sName + L" - Grid"))
                set(*pView, false);
    }
}

void CQELDoc::ShowSinglePositionOutput(std::shared_ptr<CAOSinglePosition> pOutput)
{
    const bool bEmpty = !pOutput || !pOutput->GetResults<CBeamResults>();
    DisplayOutput(L"Single Position Results", L"No Single Position results to display.", pOutput, bEmpty,
                  kSinglePositionPlot,
                  [&](CDocResultView& v, bool bBMSF) { v.SetSinglePositionOutput(bBMSF, pOutput); });
}

void CQELDoc::ShowMovingLoadOutput(bool bDisplayEach, std::shared_ptr<CAOMovingLoad> pOutput)
{
    const Shape shape = EnvelopeShape(pOutput.get());
    DisplayOutput(L"MLA Envelopes", L"No Moving Load results to display.", pOutput, shape.bEmpty, shape.nReactionCharts,
                  [&](CDocResultView& v, bool bBMSF) { v.SetMovingLoadOutput(bDisplayEach, bBMSF, pOutput); });
}

void CQELDoc::ShowMultiMovingLoadOutput(bool bDisplayEach, std::shared_ptr<CAOMultiMovingLoad> pOutput)
{
    const Shape shape = EnvelopeShape(pOutput.get());
    DisplayOutput(L"Multi MLA Envelopes", L"No Moving Load of LME results to display.", pOutput, shape.bEmpty,
                  shape.nReactionCharts,
                  [&](CDocResultView& v, bool bBMSF) { v.SetMultiMovingLoadOutput(bDisplayEach, bBMSF, pOutput); });
}

void CQELDoc::ShowBridgeRangeOutput(std::shared_ptr<CAOBridgeRange> pOutput)
{
    const auto pValues = pOutput ? pOutput->GetResults<CCriticalValueEnsemble>() : nullptr;
    Shape shape = BridgeSetShape(pValues ? pValues->GetBridgeSet() : nullptr);
    shape.bEmpty = shape.bEmpty || pValues->m_vEnvResults.empty();
    DisplayOutput(L"Critical Values", L"No Bridge Range results to display.", pOutput, shape.bEmpty,
                  shape.nReactionCharts,
                  [&](CDocResultView& v, bool bBMSF) { v.SetBridgeRangeOutput(bBMSF, pOutput); });
}

void CQELDoc::ShowRefValuesOutput(std::shared_ptr<CAOReferenceSet> pOutput)
{
    const Shape shape = RefSetShape(pOutput.get());
    DisplayOutput(L"Reference Values", L"No Reference Set results to display.", pOutput, shape.bEmpty,
                  shape.nReactionCharts, [&](CDocResultView& v, bool bBMSF) { v.SetRefSetOutput(bBMSF, pOutput); });
}

void CQELDoc::ShowCompareEnvelopesOutput(std::shared_ptr<CAOCompareRefSetEnvs> pOutput)
{
    const Shape shape = RefSetShape(pOutput.get());
    DisplayOutput(L"Compare Envelopes", L"No envelopes to compare - Reference Collection not calculated?", pOutput,
                  shape.bEmpty, shape.nReactionCharts,
                  [&](CDocResultView& v, bool bBMSF) { v.SetCompareEnvelopesOutput(bBMSF, pOutput); });
}

void CQELDoc::ShowCriticalRatiosOutput(std::shared_ptr<CAOCriticalRatios> pOutput)
{
    const auto pRatios = pOutput ? pOutput->GetReferenceSet<CCriticalRatioEnsemble>() : nullptr;
    const Shape shape = BridgeSetShape(pRatios ? pRatios->GetBridgeSet() : nullptr);
    DisplayOutput(L"Critical Ratios", L"No Critical Ratio results to display.", pOutput, shape.bEmpty,
                  shape.nReactionCharts,
                  [&](CDocResultView& v, bool bBMSF) { v.SetCriticalRatiosOutput(bBMSF, pOutput); });
}

void CQELDoc::ShowEnhancedCriticalRatiosGrid(std::shared_ptr<CAOEnhanced> pOutput)
{
    if (CDocGridView* pView = OpenGridView(L"Critical Ratios Grid"))
        pView->FillEnhancedGridOutput(std::move(pOutput));
}

void CQELDoc::ShowRefCollectionValues(std::shared_ptr<CReferenceCollection> pRefCollection)
{
    if (!pRefCollection)
        return;
    for (int i = 0; i < pRefCollection->m_nRefSet; ++i) {
        const auto pSet = pRefCollection->GetRefSet(static_cast<unsigned int>(i));
        m_spAOReferenceSet = std::make_shared<CAOReferenceSet>(pSet, pRefCollection->m_bUseOverstress);
        ShowRefValuesOutput(m_spAOReferenceSet);
    }
}

void CQELDoc::ShowCriticalRatios(std::shared_ptr<CReferenceCollection> pRefCollection)
{
    if (!pRefCollection)
        return;
    const auto vRatios = pRefCollection->GetCriticalRatioEnsembles();
    for (size_t i = 0; i < vRatios.size(); ++i) {
        m_spAOCriticalRatios = std::make_shared<CAOCriticalRatios>(
            vRatios[i], pRefCollection, pRefCollection->GetRefSet(static_cast<unsigned int>(i)));
        ShowCriticalRatiosOutput(m_spAOCriticalRatios);
    }
}

// ---------------------------------------------------------------- result commands

void CQELDoc::OnResultsSinglePosition()
{
    if (!m_spAOSinglePosition)
        Error(L"There are no results from a single position analysis to display.");
    else
        ShowSinglePositionOutput(m_spAOSinglePosition);
}

void CQELDoc::OnResultsMovingLoad()
{
    if (!m_spAOMovingLoad && !m_spAOMultiMovingLoad) {
        Error(L"There are no results from a moving load analysis to display.");
        return;
    }
    if (m_spAOMovingLoad)
        ShowMovingLoadOutput(false, m_spAOMovingLoad);
    if (m_spAOMultiMovingLoad)
        ShowMultiMovingLoadOutput(false, m_spAOMultiMovingLoad);
}

void CQELDoc::OnResultsBridgeRange()
{
    if (!m_spAOBridgeRange)
        Error(L"There are no results from a bridge range to display.");
    else
        ShowBridgeRangeOutput(m_spAOBridgeRange);
}

namespace {

// Runs "View Reference Collection" and returns the chosen collection; none when the
// dialog is cancelled or its index names no collection (then the user is told).
std::shared_ptr<CReferenceCollection> ChooseRefCollection(const std::vector<std::shared_ptr<CReferenceCollection>>& v)
{
    CDocAnalysisDialogs* dialogs = Dialogs();
    if (!dialogs)
        return nullptr;
    auto dlg = dialogs->MakeViewRefCollectionDlg();
    if (!dlg)
        return nullptr;
    dlg->m_vRefCollections = v;
    if (dlg->DoModal() != DLG_IDOK)
        return nullptr;
    const int i = dlg->m_nSelRefCollection;
    if (i < 0 || static_cast<size_t>(i) >= v.size()) {
        Error(L"Invalid reference collection selected.");
        return nullptr;
    }
    return v[static_cast<size_t>(i)];
}

}

void CQELDoc::OnResultsRefCollectionValues()
{
    if (!OnUpdateAnalysisCommand())
        return;
    if (m_vRefCollection.empty()) {
        Error(L"There are no results from a reference collection to display.");
        return;
    }
    const auto pRefCollection = ChooseRefCollection(m_vRefCollection);
    if (!pRefCollection)
        return;
    if (pRefCollection->m_bIsCalculated)
        ShowRefCollectionValues(pRefCollection);
    else
        Error(L"There are no results from the reference collection to display.");
}

void CQELDoc::OnCompareEnvelopes()
{
    CDocAnalysisDialogs* dialogs = Dialogs();
    if (!dialogs || !OnUpdateAnalysisCommand())
        return;
    if (m_vRefCollection.empty()) {
        Warning(L"No reference collections to compare against.");
        return;
    }
    auto dlg = dialogs->MakeCompareEnvelopesDlg();
    if (!dlg)
        return;
    dlg->m_vRefCollections = m_vRefCollection;
    if (dlg->DoModal() != DLG_IDOK)
        return;
    const int i = dlg->m_nSelRefCollection;
    if (i < 0 || static_cast<size_t>(i) >= m_vRefCollection.size()) {
        Error(L"Invalid reference collection selected.");
        return;
    }
    const auto pRefCollection = m_vRefCollection[static_cast<size_t>(i)];
    if (!pRefCollection->m_bIsCalculated)
        return; // the dialog has told the user
    if (!pRefCollection->m_bIsCompared) {
        Warning(L"No critical ratios for a proposed vehicle have been calculated.");
        return;
    }
    const auto pSet =
        dlg->m_nSelRefSet < 0 ? nullptr : pRefCollection->GetRefSet(static_cast<unsigned int>(dlg->m_nSelRefSet));
    if (!pSet)
        return;
    const auto pBridgeSet = pSet->GetBridgeSet();
    const int nBridges = pBridgeSet ? static_cast<int>(pBridgeSet->m_vBridges.size()) : 0;
    if (dlg->m_nSelBridge < 0 || dlg->m_nSelBridge >= nBridges) {
        Error(L"Invalid bridge selected.");
        return;
    }
    ShowCompareEnvelopesOutput(
        std::make_shared<CAOCompareRefSetEnvs>(pRefCollection->m_bUseOverstress, dlg->m_nSelBridge, pSet));
}

void CQELDoc::OnResultsRefCollectionRatios()
{
    if (!OnUpdateAnalysisCommand())
        return;
    if (m_vRefCollection.empty()) {
        Error(kNoRatios);
        return;
    }
    const auto pRefCollection = ChooseRefCollection(m_vRefCollection);
    if (!pRefCollection)
        return;
    if (!pRefCollection->m_bIsCompared) {
        Error(L"Calculations for the proposed vehicle must be performed.\nAnalysis > Critical Ratios (F5).\n");
        return;
    }
    ShowCriticalRatios(pRefCollection);
}

void CQELDoc::OnResultsEnhancedGrid()
{
    if (m_vRefCollection.empty()) {
        Error(kNoRatios);
        return;
    }
    const auto pRefCollection = ChooseRefCollection(m_vRefCollection);
    if (!pRefCollection)
        return;
    if (pRefCollection->m_bIsCompared) {
        m_spAOEnhanced = std::make_shared<CAOEnhanced>(pRefCollection);
        ShowEnhancedCriticalRatiosGrid(m_spAOEnhanced);
    } else {
        Error(L"There are no ratios calculated for the selected reference collection.");
    }
}
