#include "LMEditorTestUtil.h"
#include "core/EnsembleNames.h"

#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/settings/Settings.h"
#include "ui/dialogs/ElementList.h"
#include "ui/ensemble/FilterLMEDlg.h"
#include "ui/ensemble/GenerateBiDirLME.h"
#include "ui/ensemble/LMEParametersDlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace lmtest;
using qeltest::Names;

namespace {
std::shared_ptr<CLoadModel> Vehicle(int id, const wchar_t* name, std::vector<std::pair<double, double>> axles)
{
    auto lm = std::make_shared<CLoadModel>(id, name);
    for (auto [weight, location] : axles)
        lm->AddPointLoad(weight, location, 2.0);
    return lm;
}
} // namespace

// --- LME Parameters --------------------------------------------------------------------------

TEST(LMEParametersDlg, OpensWithItsDefaultsAndTheGroupsTheFamilyUses)
{
    EnglishLocale locale;
    {
        CLMEParametersDlg dlg;
        dlg.Open();
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("LME Parameters"));
        EXPECT_DOUBLE_EQ(dlg.m_dStep, 1.0);
        EXPECT_EQ(dlg.m_nSteps, g_pSettings->Analysis.NO_AXLE_SPACINGS);
        EXPECT_DOUBLE_EQ(dlg.m_dDAF, 1.3);
        EXPECT_EQ(dlg.m_nHBUnits, 45);
        EXPECT_TRUE(dlg.m_rbUseLMDAF->isChecked());
        EXPECT_FALSE(dlg.m_edDAF->isEnabled());
        for (QWidget* p : std::initializer_list<QWidget*>{dlg.m_rbStep, dlg.m_rbNumber, dlg.m_edStep, dlg.m_edNumber,
                                                          dlg.m_edHBUnits, dlg.m_stHBUnits})
            EXPECT_FALSE(p->isEnabled()) << p->objectName().toStdString();
        // OK with the groups unused keeps the defaults.
        dlg.accept();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_DOUBLE_EQ(dlg.m_dStep, 1.0);
        EXPECT_DOUBLE_EQ(dlg.m_dDAF, 1.3);
        EXPECT_EQ(dlg.m_nHBUnits, 45);
    }
    CLMEParametersDlg dlg;
    dlg.m_bVariableAxle = true;
    dlg.m_bByStep = true;
    dlg.m_bBS5400 = true;
    dlg.Open();
    SaveScreenshot(&dlg, QStringLiteral("lme_parameters"));
    EXPECT_TRUE(dlg.m_rbStep->isChecked());
    EXPECT_TRUE(dlg.m_edStep->isEnabled());
    EXPECT_FALSE(dlg.m_edNumber->isEnabled());
    EXPECT_TRUE(dlg.m_edHBUnits->isEnabled());
    dlg.m_rbNumber->click();
    EXPECT_FALSE(dlg.m_bByStep);
    EXPECT_FALSE(dlg.m_edStep->isEnabled());
    EXPECT_TRUE(dlg.m_stNumberUnit->isEnabled());
    dlg.m_rbSpecifyDAF->click();
    EXPECT_FALSE(dlg.m_bUseLMDAF);
    EXPECT_TRUE(dlg.m_edDAF->isEnabled());
    // The members follow the typing.
    TypeIntoField(dlg.m_edDAF, QStringLiteral("1.25"));
    EXPECT_DOUBLE_EQ(dlg.m_dDAF, 1.25);
    TypeIntoField(dlg.m_edHBUnits, QStringLiteral("30"));
    EXPECT_EQ(dlg.m_nHBUnits, 30);
    TypeIntoField(dlg.m_edNumber, QStringLiteral("6"));
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_nSteps, 6);
}

TEST(LMEParametersDlg, RefusesValuesTheChosenOptionsCannotUse)
{
    EnglishLocale locale;
    struct Case {
        const char* name;
        bool byStep;
        bool specifyDAF;
        const char* field; // the field typed into: "step", "number", "daf", "hb"
        const char* text;
        const wchar_t* message;
    };
    const Case cases[] = {
        {"zero step", true, false, "step", "0", L"The step distance must be greater than zero."},
        {"one value", false, false, "number", "1", L"The number of axle spacings must be at least 2."},
        {"zero DAF", true, true, "daf", "0", L"The DAF value must be greater than zero."},
        {"no HB units", true, false, "hb", "0", L"The number of HB units must be at least 1."},
    };
    for (const Case& c : cases) {
        CLMEParametersDlg dlg;
        dlg.m_bVariableAxle = true;
        dlg.m_bByStep = c.byStep;
        dlg.m_bBS5400 = true;
        dlg.Open();
        if (c.specifyDAF)
            dlg.m_rbSpecifyDAF->click();
        const std::string field = c.field;
        CNumericEdit* pEdit = field == "step"     ? dlg.m_edStep
                              : field == "number" ? dlg.m_edNumber
                              : field == "daf"    ? dlg.m_edDAF
                                                  : dlg.m_edHBUnits;
        TypeIntoField(pEdit, QString::fromLatin1(c.text));
        BoxScript boxes;
        dlg.accept();
        EXPECT_TRUE(dlg.isVisible()) << c.name;
        ASSERT_EQ(boxes.shown.size(), 1u) << c.name;
        EXPECT_EQ(boxes.shown[0].text, c.message) << c.name;
    }
}

// --- Generate Bidirectional LME ----------------------------------------------------------------

TEST(GenerateBiDirLME, MakesEveryChosenModelInBothDirections)
{
    auto m1 = Vehicle(1, L"T1", {{100, 0}, {50, -3}});
    auto m2 = Vehicle(2, L"T2", {{80, 0}});
    auto lme = std::make_shared<CLoadModelEnsemble>(3, L"Pair");
    lme->AddLoadModel(m1);
    lme->AddLoadModel(m2);
    {
        CGenerateBiDirLME dlg;
        dlg.m_vLoadModels = {m1, m2};
        dlg.m_vLoadModelEnsembles = {lme};
        dlg.m_nNewID = 9;
        dlg.Open();
        SaveScreenshot(&dlg, QStringLiteral("generate_bidirectional"));
        EXPECT_FALSE(dlg.m_lbLoadModelEnsembles->isEnabled());
        // The first row is shown selected, and it is the one used.
        dlg.accept();
        ASSERT_EQ(dlg.result(), QDialog::Accepted);
        ASSERT_TRUE(dlg.m_pResult);
        EXPECT_EQ(dlg.m_pResult->m_ID, 9);
        EXPECT_EQ(dlg.m_pResult->m_Description, L"Bi-dir from: T1");
        EXPECT_EQ(Names(*dlg.m_pResult), (std::vector<std::wstring>{L"T1 - dir pos", L"T1 - dir neg"}));
        EXPECT_EQ(dlg.m_pResult->GetLoadModel(0)->m_Direction, TD_FORWARD);
        EXPECT_EQ(dlg.m_pResult->GetLoadModel(1)->m_Direction, TD_REVERSE);
        // Copies: the case's model is neither shared nor changed.
        EXPECT_NE(dlg.m_pResult->GetLoadModel(0), m1);
        EXPECT_EQ(m1->m_Description, L"T1");
    }
    CGenerateBiDirLME dlg;
    dlg.m_vLoadModels = {m1, m2};
    dlg.m_vLoadModelEnsembles = {lme};
    dlg.Open();
    dlg.m_rbUseLME->click();
    EXPECT_TRUE(dlg.m_lbLoadModelEnsembles->isEnabled());
    EXPECT_EQ(dlg.m_lbLoadModels->GetCurSel(), -1);
    dlg.accept();
    ASSERT_TRUE(dlg.m_pResult);
    EXPECT_EQ(dlg.m_pResult->m_Description, L"Bi-dir from: Pair");
    // n members give 2n: each member forward, then reversed, in member order.
    EXPECT_EQ(Names(*dlg.m_pResult),
              (std::vector<std::wstring>{L"T1 - dir pos", L"T1 - dir neg", L"T2 - dir pos", L"T2 - dir neg"}));
    EXPECT_EQ(dlg.m_pResult->m_nLoadModels, 4);
}

TEST(GenerateBiDirLME, NothingToChooseOrAnEmptyEnsembleMakesNothing)
{
    {
        CGenerateBiDirLME dlg;
        dlg.Open();
        EXPECT_FALSE(dlg.GetOkButton()->isEnabled());
        EXPECT_FALSE(dlg.Generate());
    }
    CGenerateBiDirLME dlg;
    dlg.m_vLoadModelEnsembles = {std::make_shared<CLoadModelEnsemble>(1, L"Empty")};
    dlg.Open();
    dlg.m_rbUseLME->click();
    EXPECT_TRUE(dlg.GetOkButton()->isEnabled());
    BoxScript boxes;
    dlg.accept();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(dlg.m_pResult);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"The chosen load model ensemble holds no load models.");
}

// --- Filter Load Model Ensemble ------------------------------------------------------------------

namespace {
// Truck A: 2 axles 4 m apart, 200 t. Truck B: 3 axles over 10 m, 150 t. A lane load: no
// axles, so length 0 and weight 0.
struct FilterFixture {
    EnglishLocale locale;
    std::shared_ptr<CLoadModel> truckA = Vehicle(1, L"A", {{100, 0}, {100, -4}});
    std::shared_ptr<CLoadModel> truckB = Vehicle(2, L"B", {{50, 0}, {50, -2}, {50, -10}});
    std::shared_ptr<CLoadModel> lane = std::make_shared<CLoadModel>(3, L"Lane");
    std::shared_ptr<CLoadModelEnsemble> lme = std::make_shared<CLoadModelEnsemble>(4, L"Fleet");
    CFilterLMEDlg dlg;

    FilterFixture()
    {
        lane->AddUDL(9.0);
        for (const auto& p : {truckA, truckB, lane})
            lme->AddLoadModel(p);
        dlg.m_vLoadModelEnsembles = {lme};
        dlg.m_nNewID = 12;
        dlg.Open();
    }
    void Bound(QCheckBox* pCheck, CNumericEdit* pEdit, const char* text)
    {
        pCheck->click();
        TypeIntoField(pEdit, QString::fromLatin1(text));
    }
};
} // namespace

TEST(FilterLMEDlg, BoundsAreInclusiveAndANewEnsembleLeavesTheChosenOneAlone)
{
    struct Case {
        const char* name;
        int bound; // 0 min length, 1 max length, 2 min weight, 3 max weight
        const char* value;
        std::vector<std::wstring> kept;
    };
    const Case cases[] = {
        {"min length at A's 4 m", 0, "4", {L"A", L"B"}},
        {"max length at A's 4 m", 1, "4", {L"A", L"Lane"}},
        {"min weight above 0", 2, "1", {L"A", L"B"}},
        {"max weight at B's 150 t", 3, "150", {L"B", L"Lane"}},
    };
    for (const Case& c : cases) {
        FilterFixture f;
        QCheckBox* checks[] = {f.dlg.m_chkMinLength, f.dlg.m_chkMaxLength, f.dlg.m_chkMinWeight, f.dlg.m_chkMaxWeight};
        CNumericEdit* edits[] = {f.dlg.m_edMinLength, f.dlg.m_edMaxLength, f.dlg.m_edMinWeight, f.dlg.m_edMaxWeight};
        f.Bound(checks[c.bound], edits[c.bound], c.value);
        f.dlg.accept();
        ASSERT_EQ(f.dlg.result(), QDialog::Accepted) << c.name;
        ASSERT_TRUE(f.dlg.m_pResult) << c.name;
        EXPECT_EQ(Names(*f.dlg.m_pResult), c.kept) << c.name;
        EXPECT_EQ(f.dlg.m_pResult->m_nLoadModels, static_cast<int>(c.kept.size())) << c.name;
        EXPECT_EQ(f.dlg.m_pResult->m_Description, L"Filtered from: Fleet");
        EXPECT_EQ(f.dlg.m_pResult->m_ID, 12);
        EXPECT_EQ(f.lme->m_nLoadModels, 3) << c.name;
    }
    // No bound in force: every member stays.
    FilterFixture f;
    SaveScreenshot(&f.dlg, QStringLiteral("filter_lme"));
    EXPECT_FALSE(f.dlg.m_edMinLength->isEnabled());
    EXPECT_FALSE(f.dlg.m_stMaxWeightUnit->isEnabled());
    f.dlg.accept();
    ASSERT_TRUE(f.dlg.m_pResult);
    EXPECT_EQ(f.dlg.m_pResult->m_nLoadModels, 3);
}

TEST(FilterLMEDlg, EditingTheChosenEnsembleAsksFirst)
{
    FilterFixture f;
    f.dlg.m_rbEditCurrent->click();
    f.Bound(f.dlg.m_chkMinWeight, f.dlg.m_edMinWeight, "160");
    {
        BoxScript boxes({IDNO});
        f.dlg.accept();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, L"Are you sure you want to edit the selected load model?");
        EXPECT_EQ(boxes.shown[0].type, MB_YESNO | MB_ICONQUESTION);
        EXPECT_TRUE(f.dlg.isVisible());
        EXPECT_EQ(f.lme->m_nLoadModels, 3);
    }
    BoxScript boxes({IDYES});
    f.dlg.accept();
    EXPECT_EQ(f.dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(f.dlg.m_pResult);
    EXPECT_EQ(Names(*f.lme), (std::vector<std::wstring>{L"A"}));
}

TEST(FilterLMEDlg, RefusesCrossedBoundsAndAFilterThatKeepsNothing)
{
    struct Case {
        const char* name;
        int firstBound;
        const char* first;
        int secondBound;
        const char* second;
        const wchar_t* message;
    };
    const Case cases[] = {
        {"lengths crossed", 0, "8", 1, "5", L"The minimum length must not exceed the maximum length."},
        {"weights crossed", 2, "100", 3, "50", L"The minimum weight must not exceed the maximum weight."},
        {"nothing left", 2, "1000", -1, "", L"No load model of the ensemble lies within the filters."},
    };
    for (const Case& c : cases) {
        FilterFixture f;
        f.dlg.m_rbEditCurrent->click();
        QCheckBox* checks[] = {f.dlg.m_chkMinLength, f.dlg.m_chkMaxLength, f.dlg.m_chkMinWeight, f.dlg.m_chkMaxWeight};
        CNumericEdit* edits[] = {f.dlg.m_edMinLength, f.dlg.m_edMaxLength, f.dlg.m_edMinWeight, f.dlg.m_edMaxWeight};
        f.Bound(checks[c.firstBound], edits[c.firstBound], c.first);
        if (c.secondBound >= 0)
            f.Bound(checks[c.secondBound], edits[c.secondBound], c.second);
        BoxScript boxes;
        f.dlg.accept();
        EXPECT_TRUE(f.dlg.isVisible()) << c.name;
        ASSERT_EQ(boxes.shown.size(), 1u) << c.name;
        EXPECT_EQ(boxes.shown[0].text, c.message) << c.name;
        EXPECT_EQ(f.lme->m_nLoadModels, 3) << c.name;
    }
    CFilterLMEDlg empty;
    empty.Open();
    EXPECT_FALSE(empty.GetOkButton()->isEnabled());
    EXPECT_FALSE(empty.DoFilter());
}
