#include "LMEditorTestUtil.h"

#include "controls/grid/GridCellCombo.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "ui/dialogs/ElementList.h"
#include "ui/ensemble/GenerateLMEDlg.h"

#include <QPushButton>
#include <gtest/gtest.h>

using namespace lmtest;

namespace {
// Three axles: 60 kN at 0, 80 kN at -3.0, 80 kN at -4.2 (spacings 3.0 and 1.2).
std::shared_ptr<CLoadModel> Tridem()
{
    auto lm = std::make_shared<CLoadModel>(8, L"T");
    lm->AddPointLoad(60.0, 0.0, 2.0);
    lm->AddPointLoad(80.0, -3.0, 2.5);
    lm->AddPointLoad(80.0, -4.2, 2.5);
    return lm;
}

struct GenerateFixture {
    EnglishLocale locale;
    CGenerateLMEDlg dlg;

    explicit GenerateFixture(std::shared_ptr<CLoadModel> lm, bool bChoose = true)
    {
        dlg.m_vLoadModels = {std::make_shared<CLoadModel>(1, L"Other"), lm};
        dlg.m_nLMEID = 6;
        dlg.Open();
        Activate(&dlg);
        if (bChoose) {
            dlg.m_listLoadModels->setCurrentRow(1);
            Flush();
        }
    }
    // The in-place list ends its edit with the chosen text, as the grid passes it on.
    void Choose(int nAxle, int nDataCol, const wchar_t* text)
    {
        dlg.m_Grid.OnEndEditCell(1 + nAxle, 1 + nDataCol, text);
    }
    void Type(int nAxle, int nDataCol, const char* text)
    {
        TypeIntoCell(dlg.m_Grid, 1 + nAxle, 1 + nDataCol, QString::fromLatin1(text));
    }
    // Axle nAxle varies from min to max.
    void Vary(int nAxle, const char* min, const char* max, const wchar_t* increment, const char* parameter)
    {
        Choose(nAxle, 2, L"Variable");
        Type(nAxle, 3, min);
        Type(nAxle, 4, max);
        Choose(nAxle, 5, increment);
        Type(nAxle, 6, parameter);
    }
    std::vector<double> Locations(int k) const
    {
        std::vector<double> x;
        for (const auto& pl : dlg.m_spGeneratedLME->GetLoadModel(static_cast<unsigned>(k))->m_vPL)
            x.push_back(pl.location);
        return x;
    }
};
} // namespace

TEST(GenerateLMEDlg, ChosenModelFillsOneRowPerAxleWithTheFirstRowFixed)
{
    GenerateFixture f(Tridem());
    CGridCtrl& g = f.dlg.m_Grid;
    EXPECT_EQ(f.dlg.windowTitle(), QStringLiteral("Generate LME from Load Model"));
    ASSERT_EQ(g.GetRowCount(), 4);
    EXPECT_EQ(g.GetColumnCount(), 8);
    EXPECT_EQ(g.GetItemText(0, 7), L"Parameter");
    EXPECT_EQ(g.GetItemText(2, 1), L"80.00");
    EXPECT_EQ(g.GetItemText(2, 2), L"3.00");
    EXPECT_EQ(g.GetItemText(3, 2), L"1.20");
    EXPECT_EQ(g.GetItemText(1, 3), L"Fixed");
    EXPECT_NE(dynamic_cast<CGridCellCombo*>(g.GetCell(2, 3)), nullptr);
    // The first axle's type and every fixed axle's range are grey, locked and empty.
    EXPECT_FALSE(g.IsCellEditable(1, 3));
    EXPECT_TRUE(g.IsCellEditable(2, 3));
    for (int c = 4; c < 8; ++c) {
        EXPECT_FALSE(g.IsCellEditable(1, c));
        EXPECT_EQ(g.GetItemText(1, c), L"");
        EXPECT_EQ(g.GetCell(2, c)->GetBackClr(), RGB(210, 210, 210));
    }
    f.Vary(2, "1", "2", L"Distance", "0.5");
    SaveScreenshot(&f.dlg, QStringLiteral("generate_lme"));
}

TEST(GenerateLMEDlg, EscapeAndEnterEndACellEditBeforeTheyReachTheDialog)
{
    GenerateFixture f(Tridem());
    f.Vary(1, "2", "4", L"Step", "3");
    CGridCtrl& g = f.dlg.m_Grid;
    const auto startEdit = [&](char first) {
        g.SetFocus();
        g.SetFocusCell(2, 5);
        g.SetSelectedRange(2, 5, 2, 5);
        QTest::keyClick(g.GetSafeHwnd(), first);
        Flush();
        return GridEditor(g);
    };
    // Escape in the editor of "Max": the old value stays and the dialog stays open.
    QLineEdit* pEdit = startEdit('9');
    ASSERT_NE(pEdit, nullptr);
    QTest::keyClick(pEdit, Qt::Key_Escape);
    Flush();
    EXPECT_TRUE(f.dlg.isVisible());
    EXPECT_EQ(GridEditor(g), nullptr);
    EXPECT_EQ(g.GetItemText(2, 5), L"4.00");
    EXPECT_EQ(QApplication::focusWidget(), g.GetSafeHwnd());

    // Enter in the editor stores the value; the dialog stays open.
    pEdit = startEdit('5');
    ASSERT_NE(pEdit, nullptr);
    QTest::keyClick(pEdit, Qt::Key_Return);
    Flush();
    EXPECT_TRUE(f.dlg.isVisible());
    EXPECT_DOUBLE_EQ(f.dlg.m_vAxleDefs[1].max, 5.0);

    // Enter on the grid itself is the dialog's: OK. Spacings 2, 3.5 and 5 m.
    QTest::keyClick(g.GetSafeHwnd(), Qt::Key_Return);
    Flush();
    EXPECT_FALSE(f.dlg.isVisible());
    ASSERT_EQ(f.dlg.result(), QDialog::Accepted);
    ASSERT_EQ(f.dlg.m_spGeneratedLME->m_nLoadModels, 3);
    EXPECT_DOUBLE_EQ(f.Locations(1)[1], -3.5);
    EXPECT_DOUBLE_EQ(f.Locations(2)[1], -5.0);
}

TEST(GenerateLMEDlg, OneVariableSpacingGivesOneModelPerValue)
{
    // Third spacing from 1.0 to 2.0 by 0.5: the whole steps 1.0, 1.5, 2.0 and then the
    // end 2.0 once more, four values. The third axle stands at -3.0 - value.
    GenerateFixture f(Tridem());
    f.Vary(2, "1", "2", L"Distance", "0.5");
    f.dlg.accept();
    ASSERT_EQ(f.dlg.result(), QDialog::Accepted);
    const auto& lme = *f.dlg.m_spGeneratedLME;
    EXPECT_EQ(lme.m_Description, L"Gen from: T");
    EXPECT_EQ(lme.m_ID, 6);
    ASSERT_EQ(lme.m_nLoadModels, 4);
    const double third[] = {-4.0, -4.5, -5.0, -5.0};
    for (int k = 0; k < 4; ++k) {
        const auto pModel = lme.GetLoadModel(static_cast<unsigned>(k));
        EXPECT_EQ(pModel->m_Description, L"Gen from: T - " + std::to_wstring(k + 1));
        EXPECT_EQ(pModel->m_ID, k);
        const std::vector<double> x = f.Locations(k);
        EXPECT_DOUBLE_EQ(x[0], 0.0);
        EXPECT_DOUBLE_EQ(x[1], -3.0);
        EXPECT_DOUBLE_EQ(x[2], third[k]);
        EXPECT_DOUBLE_EQ(pModel->m_vPL[2].magnitude, 80.0);
        EXPECT_DOUBLE_EQ(pModel->m_vPL[2].width, 2.5);
    }
}

TEST(GenerateLMEDlg, TwoVariableSpacingsCrossWithTheLastChangingFastest)
{
    // Second spacing 2 values over [2, 4], third 3 values over [1, 2]: 2 x 3 = 6 models.
    GenerateFixture f(Tridem());
    f.Vary(1, "2", "4", L"Step", "2");
    f.Vary(2, "1", "2", L"Step", "3");
    f.dlg.accept();
    ASSERT_EQ(f.dlg.m_spGeneratedLME->m_nLoadModels, 6);
    const double second[] = {2.0, 4.0};
    const double third[] = {1.0, 1.5, 2.0};
    for (int k = 0; k < 6; ++k) {
        const std::vector<double> x = f.Locations(k);
        EXPECT_DOUBLE_EQ(x[1], -second[k / 3]) << k;
        EXPECT_DOUBLE_EQ(x[2], -second[k / 3] - third[k % 3]) << k;
    }
}

TEST(GenerateLMEDlg, NoVariableAxleGivesOneCopyWithTheFirstAxleAtZero)
{
    auto lm = std::make_shared<CLoadModel>(2, L"Ahead");
    lm->AddPointLoad(50.0, 2.0, 2.0);
    lm->AddPointLoad(50.0, -1.0, 2.0);
    GenerateFixture f(lm);
    f.dlg.accept();
    ASSERT_EQ(f.dlg.m_spGeneratedLME->m_nLoadModels, 1);
    EXPECT_EQ(f.Locations(0), (std::vector<double>{0.0, -3.0}));
    EXPECT_DOUBLE_EQ(lm->m_vPL[0].location, 2.0); // the chosen model is only copied
}

TEST(GenerateLMEDlg, ReverseModelShowsItsSpacingsAsItTravelsAndKeepsItsShape)
{
    // Stored at 0, -3 and -8, travelling reversed: it travels at -8, -5 and 0, so each
    // spacing as it travels is the stored one negated. A copy with nothing varied is the
    // same vehicle in the same frame.
    auto lm = std::make_shared<CLoadModel>(2, L"Back");
    lm->AddPointLoad(60.0, 0.0, 2.0);
    lm->AddPointLoad(80.0, -3.0, 2.0);
    lm->AddPointLoad(80.0, -8.0, 2.0);
    lm->m_Direction = TD_REVERSE;
    GenerateFixture f(lm);
    EXPECT_DOUBLE_EQ(f.dlg.m_vAxleDefs[1].spacing, -3.0);
    EXPECT_DOUBLE_EQ(f.dlg.m_vAxleDefs[2].spacing, -5.0);
    EXPECT_EQ(f.dlg.m_Grid.GetItemText(3, 2), L"-5.00");
    f.dlg.accept();
    ASSERT_EQ(f.dlg.m_spGeneratedLME->m_nLoadModels, 1);
    EXPECT_EQ(f.Locations(0), (std::vector<double>{0.0, -3.0, -8.0}));
    EXPECT_EQ(f.dlg.m_spGeneratedLME->GetLoadModel(0)->m_Direction, TD_REVERSE);
}

TEST(GenerateLMEDlg, FixedAgainHidesTheRangeButKeepsIt)
{
    GenerateFixture f(Tridem());
    f.Vary(1, "2", "4", L"Step", "3");
    f.Choose(1, 2, L"Fixed");
    EXPECT_EQ(f.dlg.m_Grid.GetItemText(2, 4), L"");
    EXPECT_FALSE(f.dlg.m_Grid.IsCellEditable(2, 4));
    EXPECT_DOUBLE_EQ(f.dlg.m_vAxleDefs[1].max, 4.0);
    f.Choose(1, 2, L"Variable");
    EXPECT_EQ(f.dlg.m_Grid.GetItemText(2, 5), L"4.00");
    EXPECT_EQ(f.dlg.m_Grid.GetItemText(2, 6), L"Step");
    EXPECT_EQ(f.dlg.m_Grid.GetItemText(2, 7), L"3");
    EXPECT_TRUE(f.dlg.m_Grid.IsCellEditable(2, 7));
}

TEST(GenerateLMEDlg, RefusesWhatCannotMakeAnEnsemble)
{
    {
        GenerateFixture f(Tridem(), false);
        EXPECT_FALSE(f.dlg.GetOkButton()->isEnabled());
        EXPECT_FALSE(f.dlg.Generate());
        f.dlg.m_listLoadModels->setCurrentRow(1);
        EXPECT_TRUE(f.dlg.GetOkButton()->isEnabled());
    }
    struct Case {
        const char* name;
        const char* min;
        const char* max;
        const wchar_t* increment;
        const char* parameter;
        const wchar_t* message;
    };
    const Case cases[] = {
        {"range reversed", "4", "2", L"Step", "3", L"Axle 3: the minimum spacing must not exceed the maximum."},
        {"one value", "1", "2", L"Step", "1", L"Axle 3: the number of values must be at least 2."},
        {"zero distance", "1", "2", L"Distance", "0",
         L"Axle 3: the distance between values must be greater than zero."},
        {"too many", "1", "2", L"Step", "10001",
         L"The variable axles give more than 10000 combinations; at most 10000 load models can be generated."},
    };
    for (const Case& c : cases) {
        GenerateFixture f(Tridem());
        f.Vary(2, c.min, c.max, c.increment, c.parameter);
        BoxScript boxes;
        f.dlg.accept();
        EXPECT_TRUE(f.dlg.isVisible()) << c.name;
        EXPECT_FALSE(f.dlg.m_spGeneratedLME) << c.name;
        ASSERT_EQ(boxes.shown.size(), 1u) << c.name;
        EXPECT_EQ(boxes.shown[0].text, c.message) << c.name;
    }
    // 100 x 101 combinations of two axles pass the cap too.
    GenerateFixture f(Tridem());
    f.Vary(1, "1", "2", L"Step", "100");
    f.Vary(2, "1", "2", L"Step", "101");
    BoxScript boxes;
    EXPECT_FALSE(f.dlg.Generate());
    ASSERT_EQ(boxes.shown.size(), 1u);
}

TEST(GenerateLMEDlg, AnEmptyEntryIsRefused)
{
    GenerateFixture f(Tridem());
    f.Choose(1, 2, L"Variable");
    f.Type(1, 3, "2");
    f.dlg.m_Grid.OnEndEditCell(2, 4, L"");
    EXPECT_EQ(f.dlg.m_Grid.GetItemText(2, 4), L"2.00");
    EXPECT_DOUBLE_EQ(f.dlg.m_vAxleDefs[1].min, 2.0);
}
