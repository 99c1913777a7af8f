// The "Tools" menu's ensemble commands through the real main frame and the program's own
// dialogs: what the user picks in the dialog becomes an ensemble of the case and of the
// element pane.
#include <QCheckBox>
#include <QRadioButton>

#include "AppTestUtil.h"
#include "ModalAnswer.h"
#include "core/EnsembleNames.h"
#include "app/AppIds.h"
#include "app/doc/QELDoc.h"
#include "app/tree/ElementView.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "ui/LMEditorTestUtil.h"
#include "ui/dialogs/ElementList.h"
#include "ui/ensemble/FilterLMEDlg.h"
#include "ui/ensemble/GenerateBiDirLME.h"
#include "ui/ensemble/GenerateLMEDlg.h"

using namespace qeltest;

namespace {

// Axles as (kN, m), the first at 0 and the rest behind it.
std::shared_ptr<CLoadModel> Vehicle(const wchar_t* name, std::vector<std::pair<double, double>> axles)
{
    auto p = std::make_shared<CLoadModel>(1, name);
    for (auto [weight, location] : axles)
        p->AddPointLoad(weight, location, 2.0);
    return p;
}

class EnsembleTools : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        Start();
        m_pDoc = app->GetDocument();
        // Car: 20 kN over 2.5 m. Truck: 220 kN over 4.2 m. Lane: no axle, so 0 kN over 0 m.
        m_pCar = Vehicle(L"Car", {{10.0, 0.0}, {10.0, -2.5}});
        m_pTruck = Vehicle(L"Truck", {{60.0, 0.0}, {80.0, -3.0}, {80.0, -4.2}});
        m_pLane = std::make_shared<CLoadModel>(3, L"Lane");
        m_pE = std::make_shared<CLoadModelEnsemble>(1, L"E");
        for (const auto& p : {m_pCar, m_pTruck, m_pLane})
            m_pE->AddLoadModel(p);
        m_pDoc->m_vLoadModel = {Vehicle(L"Tandem", {{100.0, 0.0}, {100.0, -1.2}})};
        m_pDoc->m_vLoadModelEnsemble = {m_pE};
        m_pDoc->RefreshElementView();
    }

    // Runs the command; the script answers its dialog as the user would and presses OK.
    template <class Dialog>
    void RunTool(int nID, std::function<void(Dialog&)> script)
    {
        ModalAnswer answer([&](QDialog& dlg) {
            auto* pDlg = dynamic_cast<Dialog*>(&dlg);
            ASSERT_NE(pDlg, nullptr);
            EXPECT_EQ(pDlg->parentWidget(), &Frame());
            script(*pDlg);
            Press(dlg, QDialogButtonBox::Ok);
        });
        ASSERT_TRUE(Frame().ExecuteCommand(nID));
        EXPECT_TRUE(answer.Answered());
        ProcessEvents();
    }

    // The ensembles the element pane shows, with their members' labels.
    std::vector<std::pair<QString, int>> PaneEnsembles()
    {
        auto* pane = qobject_cast<CElementView*>(Frame().GetPaneContent(ID_PANE_ELEMENTS));
        std::vector<std::pair<QString, int>> v;
        if (!pane)
            return v;
        const CTreeModel& tree = pane->Controller().Tree();
        for (TreeItem item : tree.GetChildren(pane->Controller().GetEnsemblesItem()))
            v.emplace_back(QString::fromStdWString(tree.GetItemText(item)),
                           static_cast<int>(tree.GetChildren(item).size()));
        return v;
    }

    lmtest::EnglishLocale m_Locale;
    CQELDoc* m_pDoc = nullptr;
    std::shared_ptr<CLoadModel> m_pCar, m_pTruck, m_pLane;
    std::shared_ptr<CLoadModelEnsemble> m_pE;
};

// Min length 2.5 m and max weight 200 kN: the car (2.5 m, on the bound, 20 kN) stays; the
// truck (220 kN) and the lane (0 m) go.
TEST_F(EnsembleTools, FilterMakesANewEnsembleOfTheMembersWithinTheBounds)
{
    RunTool<CFilterLMEDlg>(32957, [](CFilterLMEDlg& d) {
        d.m_chkMinLength->click();
        lmtest::TypeIntoField(d.m_edMinLength, QStringLiteral("2.5"));
        d.m_chkMaxWeight->click();
        lmtest::TypeIntoField(d.m_edMaxWeight, QStringLiteral("200"));
    });
    ASSERT_EQ(m_pDoc->m_vLoadModelEnsemble.size(), 2u);
    const auto& made = *m_pDoc->m_vLoadModelEnsemble[1];
    EXPECT_EQ(made.m_Description, L"Filtered from: E");
    EXPECT_EQ(made.m_ID, 2); // after the case's one ensemble
    ASSERT_EQ(made.m_vLoadModel.size(), 1u);
    EXPECT_EQ(made.m_vLoadModel[0], m_pCar);
    EXPECT_EQ(m_pE->m_vLoadModel.size(), 3u); // the source is left as it was
    EXPECT_EQ(PaneEnsembles(), (std::vector<std::pair<QString, int>>{{"E", 3}, {"Filtered from: E", 1}}));
    EXPECT_TRUE(m_pDoc->IsModified());
}

// Max weight 200 kN only, in place after Yes: the truck goes, the car and the lane stay.
TEST_F(EnsembleTools, FilterInPlaceAsksAndChangesTheCasesOwnEnsemble)
{
    answers = {IDYES};
    RunTool<CFilterLMEDlg>(32957, [](CFilterLMEDlg& d) {
        d.m_rbEditCurrent->click();
        d.m_chkMaxWeight->click();
        lmtest::TypeIntoField(d.m_edMaxWeight, QStringLiteral("200"));
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Are you sure you want to edit the selected load model?");
    ASSERT_EQ(m_pDoc->m_vLoadModelEnsemble.size(), 1u);
    EXPECT_EQ(Names(*m_pE), (std::vector<std::wstring>{L"Car", L"Lane"}));
    EXPECT_EQ(PaneEnsembles(), (std::vector<std::pair<QString, int>>{{"E", 2}}));
}

// The second spacing of the 1.2 m tandem varies over [1.0, 2.0] in 3 values: 1.0, 1.5 and
// 2.0 m, so the second axle stands at -1.0, -1.5 and -2.0 m.
TEST_F(EnsembleTools, GenerateMakesOneModelPerSpacing)
{
    RunTool<CGenerateLMEDlg>(32838, [](CGenerateLMEDlg& d) {
        d.m_listLoadModels->setCurrentRow(0);
        lmtest::Flush();
        CGridCtrl& g = d.m_Grid;
        // Row 2 is the second axle; column 1 + k is the k-th data column.
        g.OnEndEditCell(2, 3, L"Variable");
        lmtest::TypeIntoCell(g, 2, 4, QStringLiteral("1"));
        lmtest::TypeIntoCell(g, 2, 5, QStringLiteral("2"));
        g.OnEndEditCell(2, 6, L"Step");
        lmtest::TypeIntoCell(g, 2, 7, QStringLiteral("3"));
        qeltest::SaveScreenshot(&d, "generate-lme-from-tools.png");
    });
    ASSERT_EQ(m_pDoc->m_vLoadModelEnsemble.size(), 2u);
    const auto& made = *m_pDoc->m_vLoadModelEnsemble[1];
    EXPECT_EQ(made.m_Description, L"Gen from: Tandem");
    EXPECT_EQ(made.m_ID, 2);
    ASSERT_EQ(made.m_vLoadModel.size(), 3u);
    const double second[] = {-1.0, -1.5, -2.0};
    for (int k = 0; k < 3; ++k) {
        const auto& model = *made.m_vLoadModel[static_cast<size_t>(k)];
        ASSERT_EQ(model.m_vPL.size(), 2u);
        EXPECT_DOUBLE_EQ(model.m_vPL[0].location, 0.0) << k;
        EXPECT_DOUBLE_EQ(model.m_vPL[1].location, second[k]) << k;
        EXPECT_DOUBLE_EQ(model.m_vPL[1].magnitude, 100.0) << k;
    }
    EXPECT_EQ(PaneEnsembles(), (std::vector<std::pair<QString, int>>{{"E", 3}, {"Gen from: Tandem", 3}}));
}

TEST_F(EnsembleTools, BidirectionalTakesEveryMemberOfTheEnsembleBothWays)
{
    RunTool<CGenerateBiDirLME>(32956, [](CGenerateBiDirLME& d) { d.m_rbUseLME->click(); });
    ASSERT_EQ(m_pDoc->m_vLoadModelEnsemble.size(), 2u);
    const auto& made = *m_pDoc->m_vLoadModelEnsemble[1];
    EXPECT_EQ(made.m_Description, L"Bi-dir from: E");
    EXPECT_EQ(made.m_ID, 2);
    EXPECT_EQ(Names(made), (std::vector<std::wstring>{L"Car - dir pos", L"Car - dir neg", L"Truck - dir pos",
                                                      L"Truck - dir neg", L"Lane - dir pos", L"Lane - dir neg"}));
    for (size_t i = 0; i < made.m_vLoadModel.size(); ++i)
        EXPECT_EQ(made.m_vLoadModel[i]->m_Direction, i % 2 == 0 ? TD_FORWARD : TD_REVERSE) << i;
    EXPECT_EQ(PaneEnsembles(), (std::vector<std::pair<QString, int>>{{"E", 3}, {"Bi-dir from: E", 6}}));
    qobject_cast<CElementView*>(Frame().GetPaneContent(ID_PANE_ELEMENTS))->OnCommand(ID_EXPAND_ALL);
    Frame().resize(1000, 700);
    ProcessEvents();
    qeltest::SaveScreenshot(&Frame(), "ensemble-tools-pane.png");
}

}
