#include "LMEditorTestUtil.h"

#include "controls/tip/ExListBox.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "platform/win/Keys.h"
#include "ui/ensemble/LoadModelEnsembleDlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace lmtest;

namespace {
std::vector<std::wstring> Rows(const CExListBox* pList)
{
    std::vector<std::wstring> rows;
    for (int i = 0; i < pList->count(); ++i)
        rows.push_back(pList->item(i)->text().toStdWString());
    return rows;
}

// Four load models, two of them described alike; the ensemble holds the second.
struct EnsembleFixture {
    std::shared_ptr<CLoadModel> a = std::make_shared<CLoadModel>(1, L"HA lane");
    std::shared_ptr<CLoadModel> b = std::make_shared<CLoadModel>(2, L"HB");
    std::shared_ptr<CLoadModel> c = std::make_shared<CLoadModel>(3, L"Same");
    std::shared_ptr<CLoadModel> d = std::make_shared<CLoadModel>(4, L"Same");
    std::shared_ptr<CLoadModelEnsemble> lme = std::make_shared<CLoadModelEnsemble>(5, L"Family");
    CLoadModelEnsembleDlg dlg;

    explicit EnsembleFixture(bool bEditable = true)
    {
        lme->AddLoadModel(b);
        lme->m_bIsEditable = bEditable;
        dlg.m_sDescription = lme->m_Description;
        dlg.m_nID = lme->m_ID;
        dlg.m_pLME = lme;
        dlg.m_vLoadModels = {a, b, c, d};
        dlg.Open();
        Activate(&dlg);
    }
    // Drags a row of one list to a point of another widget with the mouse.
    void Drag(CExListBox* pFrom, int nRow, QWidget* pTo, QPoint ptTo)
    {
        QWidget* v = pFrom->viewport();
        const QPoint press = pFrom->visualItemRect(pFrom->item(nRow)).center();
        QTest::mousePress(v, Qt::LeftButton, {}, press);
        QTest::mouseMove(v, press + QPoint(0, GetSystemMetrics(SM_CYDRAG) + 2));
        const QPoint over = v->mapFrom(&dlg, pTo->mapTo(&dlg, ptTo));
        QTest::mouseMove(v, over);
        QTest::mouseRelease(v, Qt::LeftButton, {}, over);
        Flush();
    }
    void Select(CExListBox* pList, int nRow) { pList->setCurrentRow(nRow); }
};
} // namespace

TEST(LoadModelEnsembleDlg, OpensWithTheCaseModelsAndTheMembers)
{
    EnsembleFixture f;
    EXPECT_EQ(f.dlg.windowTitle(), QStringLiteral("Load Model Ensemble Definition"));
    EXPECT_EQ(Rows(f.dlg.m_lbAvailable),
              (std::vector<std::wstring>{L"1 - HA lane", L"2 - HB", L"3 - Same", L"4 - Same"}));
    EXPECT_EQ(Rows(f.dlg.m_lbIncluded), (std::vector<std::wstring>{L"2 - HB"}));
    EXPECT_EQ(f.dlg.m_edDescription->text(), QStringLiteral("Family"));
    EXPECT_EQ(f.dlg.m_edID->text(), QStringLiteral("5"));
    EXPECT_FALSE(f.dlg.m_edID->isEnabled());
    SaveScreenshot(&f.dlg, QStringLiteral("ensemble_dialog"));
}

TEST(LoadModelEnsembleDlg, ButtonsMoveModelsBothWaysAndTwoAlikeStayTwo)
{
    EnsembleFixture f;
    f.Select(f.dlg.m_lbAvailable, 2);
    f.dlg.m_btnInclude->click();
    f.Select(f.dlg.m_lbAvailable, 2); // the other "Same" has moved up
    f.dlg.m_btnInclude->click();
    EXPECT_EQ(Rows(f.dlg.m_lbIncluded), (std::vector<std::wstring>{L"2 - HB", L"3 - Same", L"4 - Same"}));
    f.Select(f.dlg.m_lbIncluded, 0);
    f.dlg.m_btnExclude->click();
    // HB was offered and included: taking it out leaves one row of it in the available list.
    EXPECT_EQ(Rows(f.dlg.m_lbAvailable), (std::vector<std::wstring>{L"1 - HA lane", L"2 - HB"}));
    TypeIntoField(f.dlg.m_edDescription, QStringLiteral("Renamed"));
    f.dlg.accept();
    EXPECT_EQ(f.dlg.result(), QDialog::Accepted);
    EXPECT_EQ(f.dlg.m_sDescription, L"Renamed");
    ASSERT_EQ(f.lme->m_nLoadModels, 2);
    EXPECT_EQ(f.lme->GetLoadModel(0), f.c);
    EXPECT_EQ(f.lme->GetLoadModel(1), f.d);
}

TEST(LoadModelEnsembleDlg, DragAndDropMovesRowsBothWaysAndAnAbortPutsTheRowBack)
{
    EnsembleFixture f;
    CExListBox* avail = f.dlg.m_lbAvailable;
    CExListBox* incl = f.dlg.m_lbIncluded;
    f.Drag(avail, 0, incl->viewport(), QPoint(20, 60));
    EXPECT_EQ(Rows(avail), (std::vector<std::wstring>{L"2 - HB", L"3 - Same", L"4 - Same"}));
    EXPECT_EQ(Rows(incl), (std::vector<std::wstring>{L"2 - HB", L"1 - HA lane"}));
    EXPECT_EQ(incl->currentRow(), 1);

    // A second row of the same model dropped on a list replaces it: no row shows twice.
    f.Drag(avail, 0, incl->viewport(), QPoint(20, 60));
    EXPECT_EQ(Rows(incl), (std::vector<std::wstring>{L"1 - HA lane", L"2 - HB"}));

    // Back the other way.
    f.Drag(incl, 0, avail->viewport(), QPoint(20, 5));
    EXPECT_EQ(Rows(incl), (std::vector<std::wstring>{L"2 - HB"}));
    EXPECT_EQ(Rows(avail).back(), L"1 - HA lane");

    // Released over neither list: the row returns to the end of its own list.
    f.Drag(avail, 0, f.dlg.m_edDescription, QPoint(5, 5));
    EXPECT_EQ(Rows(avail), (std::vector<std::wstring>{L"4 - Same", L"1 - HA lane", L"3 - Same"}));

    f.dlg.accept();
    ASSERT_EQ(f.lme->m_nLoadModels, 1);
    EXPECT_EQ(f.lme->GetLoadModel(0), f.b);
}

TEST(LoadModelEnsembleDlg, RenamedModelStaysAMemberAndCancelChangesNothing)
{
    {
        EnsembleFixture f;
        f.dlg.m_fnEditLoadModel = [](std::shared_ptr<CLoadModel> p) { p->m_Description = L"HB renamed"; };
        f.Select(f.dlg.m_lbIncluded, 0);
        emit f.dlg.m_lbIncluded->itemDoubleClicked(f.dlg.m_lbIncluded->item(0));
        EXPECT_EQ(Rows(f.dlg.m_lbIncluded), (std::vector<std::wstring>{L"2 - HB renamed"}));
        f.dlg.accept();
        ASSERT_EQ(f.lme->m_nLoadModels, 1);
        EXPECT_EQ(f.lme->GetLoadModel(0), f.b);
    }
    EnsembleFixture f;
    f.Select(f.dlg.m_lbIncluded, 0);
    f.dlg.m_btnExclude->click();
    f.dlg.reject();
    ASSERT_EQ(f.lme->m_nLoadModels, 1);
    EXPECT_EQ(f.lme->GetLoadModel(0), f.b);
}

TEST(LoadModelEnsembleDlg, EnsembleThatCannotBeEditedShowsItsMembersDisabled)
{
    EnsembleFixture f(false);
    EXPECT_FALSE(f.dlg.m_edDescription->isEnabled());
    EXPECT_FALSE(f.dlg.m_lbAvailable->isEnabled());
    EXPECT_FALSE(f.dlg.m_lbIncluded->isEnabled());
    f.dlg.accept();
    ASSERT_EQ(f.lme->m_nLoadModels, 1);
    EXPECT_EQ(f.lme->GetLoadModel(0), f.b);
}
