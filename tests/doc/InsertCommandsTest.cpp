#include <map>
#include <set>

#include <gtest/gtest.h>

#include "DocTestUtil.h"
#include "core/EnsembleNames.h"
#include "app/doc/InsertCommands.h"
#include "app/doc/LMEParametersDlgInterface.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "platform/base/CLocale.h"

using namespace qeltest;

namespace {

// A parameters dialog that records how it was preset and answers as its test says.
struct ParametersScript {
    int result = DLG_IDOK;
    std::function<void(CLMEParametersDlgInterface&)> fill;
    std::vector<std::pair<bool, bool>> presets; // (variable axle, BS5400) per run
};

class ScriptedParametersDlg : public CLMEParametersDlgInterface {
public:
    explicit ScriptedParametersDlg(ParametersScript& s) : m_Script(s) {}
    int DoModal() override
    {
        m_Script.presets.emplace_back(m_bVariableAxle, m_bBS5400);
        if (m_Script.fill)
            m_Script.fill(*this);
        return m_Script.result;
    }
    ParametersScript& m_Script;
};

class DialogsWithParameters : public ScriptedDialogs {
public:
    std::unique_ptr<CLMEParametersDlgInterface> MakeLMEParametersDlg() override
    {
        return std::make_unique<ScriptedParametersDlg>(script);
    }
    ParametersScript script;
};

class InsertCommandsTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        SetDocHost({&m_Windows, &m_Params});
    }
    void Run(int nID)
    {
        for (const InsertCommand& c : GetInsertCommands())
            if (c.nID == nID)
                return (m_Doc.*c.pHandler)();
        FAIL() << "no insert command " << nID;
    }
    const CLoadModelEnsemble& OnlyEnsemble() const
    {
        EXPECT_EQ(m_Doc.m_vLoadModelEnsemble.size(), 1u);
        return *m_Doc.m_vLoadModelEnsemble.back();
    }

    DialogsWithParameters m_Params;
    CQELDoc m_Doc;
};

enum Preset { N, V, B };

// Every vehicle command, with the ensemble its entry point makes and the dialog section it
// opens, as the Insert menu lists them.
const struct {
    int nID;
    const wchar_t* ensemble;
    Preset preset;
} kVehicleCommands[] = {
    {32901, L"A26", N},
    {32865, L"A26-AA26", N},
    {32866, L"A26-A26", N},
    {32867, L"A26-B26", N},
    {32902, L"A36", N},
    {32869, L"A36-AA36", N},
    {32870, L"A36-A36", N},
    {32871, L"A36-B36", N},
    {32903, L"NAASRA 1970", V},
    {32873, L"NAASRA 1970-MS18", V},
    {32874, L"NAASRA 1970-MS13", V},
    {32875, L"NAASRA 1970-M18", N},
    {32876, L"NAASRA 1970-M13", N},
    {32877, L"NAASRA 1970-M9", N},
    {32904, L"NAASRA 1976", V},
    {32880, L"NAASRA 1976-A14", N},
    {32879, L"NAASRA 1976-T44", V},
    {32910, L"NAASRA 1976-L44", N},
    {32911, L"NAASRA 1976-SAV", V},
    {32905, L"ABDC 1992", V},
    {32883, L"ABDC 1992-W7", N},
    {32882, L"ABDC 1992-T44", V},
    {32912, L"ABDC 1992-L44", N},
    {32913, L"ABDC 1992-HLP320", V},
    {32914, L"ABDC 1992-HLP400", V},
    {32925, L"ABAG", N},
    {32933, L"ABAG - B-double 1", N},
    {32934, L"ABAG - B-double 2", N},
    {32935, L"ABAG - B-double 3", N},
    {32936, L"ABAG - Semi 1", N},
    {32937, L"ABAG - Semi 2", N},
    {32938, L"ABAG - Semi 3", N},
    {32939, L"ABAG - Semi 4", N},
    {32900, L"AS5100", V},
    {32885, L"AS5100-W80", N},
    {32886, L"AS5100-A160", N},
    {32887, L"AS5100-M1600", V},
    {32888, L"AS5100-S1600", V},
    {32908, L"AS5100-HLP320", V},
    {32909, L"AS5100-HLP400", V},
    {32907, L"Eurocode", N},
    {32890, L"Eurocode", N},
    {32906, L"BS5400", B},
    {32892, L"BS5400 HA", N},
    {32893, L"BS5400 HAHB", B},
    {32917, L"AASHTO", N},
    {32916, L"AASHTO", N},
};

TEST_F(InsertCommandsTest, EveryVehicleCommandInsertsItsLibraryEnsembleWithItsDialogSection)
{
    std::set<int> ids;
    for (const InsertCommand& c : GetInsertCommands())
        EXPECT_TRUE(ids.insert(c.nID).second) << "duplicate id " << c.nID;
    EXPECT_EQ(ids.size(), std::size(kVehicleCommands) + 4);

    for (const auto& row : kVehicleCommands) {
        SCOPED_TRACE(row.nID);
        CQELDoc doc;
        m_Params.script.presets.clear();
        for (const InsertCommand& c : GetInsertCommands())
            if (c.nID == row.nID)
                (doc.*c.pHandler)();
        ASSERT_EQ(doc.m_vLoadModelEnsemble.size(), 1u);
        EXPECT_EQ(doc.m_vLoadModelEnsemble[0]->m_Description, row.ensemble);
        EXPECT_TRUE(doc.IsModified());
        ASSERT_EQ(m_Params.script.presets.size(), 1u);
        EXPECT_EQ(m_Params.script.presets[0], std::make_pair(row.preset == V, row.preset == B));
    }
}

TEST_F(InsertCommandsTest, AllBridgesAddsThreeSetsOfFiftyBridgesWithConsecutiveIds)
{
    m_Windows.m_Tree.m_vCalls.clear();
    Run(32898);
    ASSERT_EQ(m_Doc.m_vBridgeSet.size(), 3u);
    const wchar_t* names[] = {L"1:1:50m 1-span", L"1:1:50m 2-span", L"1:1:50m 3-span"};
    for (int i = 0; i < 3; ++i) {
        const CBridgeSet& set = *m_Doc.m_vBridgeSet[i];
        EXPECT_EQ(set.m_ID, i + 1);
        EXPECT_EQ(set.m_Description, names[i]);
        // 1 m to 50 m by 1 m: 50 lengths.
        ASSERT_EQ(set.m_vBridges.size(), 50u);
        EXPECT_EQ(set.m_vBridges.front()->m_Config, static_cast<BridgeConfig>(i + 1));
    }
    EXPECT_EQ(m_Doc.m_nNextID[CQELDoc::NEXTID_BRIDGESET], 3);
    EXPECT_TRUE(m_Doc.IsModified());
    EXPECT_EQ(m_Windows.m_Tree.Count("Populate"), 4); // once per set, once at the end
    // No dialog for bridges.
    EXPECT_TRUE(m_Params.script.presets.empty());
}

TEST_F(InsertCommandsTest, CancelledDialogInsertsNothingAndLeavesTheLibraryAlone)
{
    m_Params.script.result = DLG_IDCANCEL;
    m_Params.script.fill = [](CLMEParametersDlgInterface& d) {
        d.m_bUseLMDAF = false;
        d.m_dDAF = 1.7;
    };
    Run(32885);
    EXPECT_TRUE(m_Doc.m_vLoadModelEnsemble.empty());
    EXPECT_FALSE(m_Doc.IsModified());
    EXPECT_TRUE(m_Doc.m_LMEFactory.m_bUseStandardDLA);
    EXPECT_EQ(m_Doc.m_LMEFactory.m_dUserDLA, 1.0);
}

TEST_F(InsertCommandsTest, Naasra1976ByNumberTenGivesA14TenT44AndThreeLaneLoads)
{
    m_Params.script.fill = [](CLMEParametersDlgInterface& d) {
        d.m_bByStep = false;
        d.m_nSteps = 10;
    };
    Run(32904);
    const CLoadModelEnsemble& lme = OnlyEnsemble();
    EXPECT_EQ(lme.m_Description, L"NAASRA 1976");
    const auto names = Names(lme);
    ASSERT_EQ(names.size(), 14u);
    EXPECT_EQ(names[0], L"A14");
    // Ten spacings evenly over [3.0, 8.0]: step 5/9 = 0.5556.
    EXPECT_EQ(names[1], L"T44 truck: S = 3.000");
    EXPECT_EQ(names[2], L"T44 truck: S = 3.556");
    EXPECT_EQ(names[10], L"T44 truck: S = 8.000");
    EXPECT_EQ(names[11], L"T44 Lane load - M");
    EXPECT_EQ(names[12], L"T44 Lane load - V");
    EXPECT_EQ(names[13], L"T44 Lane load - R");
}

TEST_F(InsertCommandsTest, HaPlusHbWith45UnitsGivesFiveModelsWithAxlesOf450)
{
    Run(32893);
    const CLoadModelEnsemble& lme = OnlyEnsemble();
    ASSERT_EQ(lme.m_vLoadModel.size(), 5u);
    for (const auto& pLM : lme.m_vLoadModel) {
        ASSERT_EQ(pLM->m_vPL.size(), 4u);
        for (const auto& pl : pLM->m_vPL)
            EXPECT_EQ(pl.magnitude, 450.0); // 45 units x 10 kN
    }
    EXPECT_EQ(lme.m_vLoadModel[0]->m_Description, L"HAHB - 6.0");
}

TEST_F(InsertCommandsTest, UserAllowanceStaysInTheLibraryButStandardChoiceWins)
{
    m_Params.script.fill = [](CLMEParametersDlgInterface& d) {
        d.m_bUseLMDAF = false;
        d.m_dDAF = 1.2;
    };
    Run(32885);
    EXPECT_EQ(m_Doc.m_vLoadModelEnsemble[0]->m_vLoadModel[0]->m_gDLA.value, 1.2);

    m_Params.script.fill = nullptr; // "Use load model DAF"
    Run(32885);
    EXPECT_EQ(m_Doc.m_vLoadModelEnsemble[1]->m_vLoadModel[0]->m_gDLA.value, 1.4); // W80's own
    EXPECT_EQ(m_Doc.m_LMEFactory.m_dUserDLA, 1.2);
    // The same vehicle twice: two ensembles of one name and id.
    EXPECT_EQ(m_Doc.m_vLoadModelEnsemble[0]->m_ID, m_Doc.m_vLoadModelEnsemble[1]->m_ID);
}

TEST_F(InsertCommandsTest, RefusedSpacingIsReportedAndInsertsNothing)
{
    m_Params.script.fill = [](CLMEParametersDlgInterface& d) {
        d.m_bByStep = true;
        d.m_dStep = 0.0;
    };
    Run(32879);
    EXPECT_TRUE(m_Doc.m_vLoadModelEnsemble.empty());
    EXPECT_EQ(m_Windows.m_vErrors.size(), 1u);
}

TEST_F(InsertCommandsTest, StandInAnswersWithTheDialogsOpeningValues)
{
    g_pSettings->Edit([](CSettings& s) { s.Analysis.NO_AXLE_SPACINGS = 6; });
    CLMEParametersDefaults dlg;
    EXPECT_EQ(dlg.DoModal(), DLG_IDOK);
    EXPECT_EQ(dlg.m_nSteps, 6);
    EXPECT_TRUE(dlg.m_bUseLMDAF);
    EXPECT_FALSE(dlg.m_bByStep);
    EXPECT_EQ(dlg.m_nHBUnits, 45);
    EXPECT_EQ(dlg.m_dDAF, 1.3);
}

TEST_F(InsertCommandsTest, MenuLayoutAndToolbar)
{
    const auto commands = GetInsertCommands();
    EXPECT_EQ(commands.front().nID, 32898);
    EXPECT_EQ(std::wstring(commands.front().sPrompt), L"Insert all 50 m bridges\nAll 50 m Bridges");
    std::map<int, const InsertCommand*> byId;
    for (const auto& c : commands)
        byId[c.nID] = &c;
    // Only the first command of each submenu and "All 50 m Bridges" lack a separator before them.
    EXPECT_TRUE(byId[32895]->bSeparatorBefore);
    EXPECT_FALSE(byId[32896]->bSeparatorBefore);
    EXPECT_TRUE(byId[32911]->bSeparatorBefore);
    EXPECT_EQ(std::wstring(byId[32883]->sText), L"A14");
    // Prompts: the eight toolbar commands only.
    int prompts = 0;
    for (const auto& c : commands)
        prompts += c.sPrompt != nullptr;
    EXPECT_EQ(prompts, 8);
    const std::vector<int> toolbar(GetInsertToolbar().begin(), GetInsertToolbar().end());
    EXPECT_EQ(toolbar, (std::vector<int>{32898, 0, 32901, 32902, 32903, 32904, 32905, 32925, 32900}));
    for (int id : toolbar) {
        if (id) {
            EXPECT_NE(byId[id]->sPrompt, nullptr) << id;
        }
    }
}

}
