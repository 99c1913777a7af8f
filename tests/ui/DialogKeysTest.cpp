// Every modal dialog of the program, as the keyboard and the mouse reach it: Escape closes
// it from whichever control has the focus, a click on Cancel closes it whatever the mouse
// did before, Enter presses its default button, Tab visits the controls in the order the
// layout reads, and the dialog opens on its first field.
#include "LMEditorTestUtil.h"
#include "UiTestUtil.h"

#include "app/AboutDlg.h"
#include "controls/grid/GridCtrl.h"
#include "core/reference/ReferenceSet.h"
#include "ui/dialogs/AnalysisDlgs.h"
#include "ui/dialogs/BridgeDlg.h"
#include "ui/dialogs/BridgeSetDlg.h"
#include "ui/dialogs/ConfigDlg.h"
#include "ui/dialogs/CritRatioRefCollDlg.h"
#include "ui/dialogs/ElementList.h"
#include "ui/dialogs/RefCollectionDlgs.h"
#include "ui/ensemble/FilterLMEDlg.h"
#include "ui/ensemble/GenerateBiDirLME.h"
#include "ui/ensemble/GenerateLMEDlg.h"
#include "ui/ensemble/LMEParametersDlg.h"
#include "ui/ensemble/LoadModelEnsembleDlg.h"
#include "ui/lmsheet/PropSheetLM.h"
#include "IdName.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QWindow>
#include <functional>
#include <memory>

using namespace uitest;

namespace {

// What the dialogs are filled from: a small case with a solved reference collection.
struct CaseData {
    CaseData()
    {
        collection = std::make_shared<CReferenceCollection>(30, L"Reference",
                                                            Stepping{.bByStep = true, .step = 0.5, .nSteps = 10});
        for (size_t k = 0; k < 2; ++k)
            collection->m_vRefSet.push_back(
                std::make_shared<CReferenceSet>(false, c.bridgeSets[k], c.ensembles[k], 1.4));
        collection->m_nRefSet = 2;
        collection->m_vBS = {c.bridgeSets[0]};
        collection->m_vLME = {c.ensembles[0]};
    }
    SmallCase c;
    std::shared_ptr<CReferenceCollection> collection;
};

struct DialogCase {
    const char* name;
    // Control id of the field the dialog opens on.
    int nFirstField;
    std::function<std::unique_ptr<QDialog>(CaseData&)> make;
};

void PrintTo(const DialogCase& c, std::ostream* os)
{
    *os << c.name;
}

template <class Dlg, class Fill>
std::function<std::unique_ptr<QDialog>(CaseData&)> Make(Fill fill)
{
    return [fill](CaseData& d) -> std::unique_ptr<QDialog> {
        auto p = std::make_unique<Dlg>();
        fill(*p, d);
        return p;
    };
}

std::vector<DialogCase> AllDialogs()
{
    return {
        {"DefineBridge", IDC_DESCRIPTION, Make<CBridgeDlg>([](CBridgeDlg& dlg, CaseData&) {
             dlg.SetBridge(std::make_shared<CBridge>(4, L"20 m single span", BC_ONESPAN, 20.0));
         })},
        {"AddBridgeSet", IDC_DESCRIPTION,
         Make<CBridgeSetDlg>([](CBridgeSetDlg& dlg, CaseData& d) { dlg.SetBridgeSet(d.c.bridgeSets[0]); })},
        {"CaseInformation", IDC_CASE_REF, Make<CConfigDlg>([](CConfigDlg&, CaseData&) {})},
        {"SinglePosition", IDC_LIST_BRIDGES, Make<CSinglePositionDlg>([](CSinglePositionDlg& dlg, CaseData& d) {
             dlg.m_vBridges = d.c.bridges;
             dlg.m_vLoadModels = d.c.loadModels;
         })},
        {"MovingLoad", IDC_LIST_LOADMODELS, Make<CMovingLoadDlg>([](CMovingLoadDlg& dlg, CaseData& d) {
             dlg.m_vBridges = d.c.bridges;
             dlg.m_vLoadModels = d.c.loadModels;
             dlg.m_vLMEs = d.c.ensembles;
             dlg.m_Stepping.bByStep = true;
             dlg.m_Stepping.step = 0.5;
             dlg.m_Stepping.nSteps = 20;
         })},
        {"BridgeRange", IDC_LIST_BRIDGESETS, Make<CBridgeRangeDlg>([](CBridgeRangeDlg& dlg, CaseData& d) {
             dlg.m_vBridgeSets = d.c.bridgeSets;
             dlg.m_vLoadModels = d.c.loadModels;
             dlg.m_Stepping.nSteps = 20;
         })},
        {"OutputOptions", IDC_OUT_BMSF,
         Make<COutputOptionsDlg>([](COutputOptionsDlg& dlg, CaseData&) { dlg.m_bBMSF = dlg.m_bGraphs = true; })},
        {"EditReferenceCollection", IDC_DESCRIPTION, Make<CRefCollectionDlg>([](CRefCollectionDlg& dlg, CaseData& d) {
             dlg.SetData(d.collection);
             dlg.m_vBridgeSets = d.c.bridgeSets;
             dlg.m_vLMEs = d.c.ensembles;
         })},
        {"AnalyseReferenceCollection", IDC_LIST_REFCOLLECTIONS,
         Make<CAnalyzeRefCollectionDlg>(
             [](CAnalyzeRefCollectionDlg& dlg, CaseData& d) { dlg.m_vRefCollections = {d.collection}; })},
        {"ViewReferenceCollection", IDC_LIST_REFCOLLECTIONS,
         Make<CViewRefCollectionDlg>(
             [](CViewRefCollectionDlg& dlg, CaseData& d) { dlg.m_vRefCollections = {d.collection}; })},
        {"CompareCriticalEnvelopes", IDC_LIST_REFCOLLECTIONS,
         Make<CCompareEnvelopesDlg>(
             [](CCompareEnvelopesDlg& dlg, CaseData& d) { dlg.m_vRefCollections = {d.collection}; })},
        {"MakeCriticalRatios", IDC_LIST_LOADMODELS,
         Make<CCritRatioRefCollDlg>([](CCritRatioRefCollDlg& dlg, CaseData& d) {
             dlg.m_vRefCollections = {d.collection};
             dlg.m_vLoadModels = d.c.loadModels;
             dlg.m_vLoadModelEnsembles = d.c.ensembles;
         })},
        {"LoadModelEnsembleDefinition", IDC_DESCRIPTION,
         Make<CLoadModelEnsembleDlg>([](CLoadModelEnsembleDlg& dlg, CaseData& d) {
             dlg.m_pLME = d.c.ensembles[0];
             dlg.m_sDescription = dlg.m_pLME->m_Description;
             dlg.m_nID = dlg.m_pLME->m_ID;
             dlg.m_vLoadModels = d.c.loadModels;
         })},
        // With a variable axle counted by number: the number of steps is the one field open.
        {"LMEParameters", IDC_NUM_STEPS,
         Make<CLMEParametersDlg>([](CLMEParametersDlg& dlg, CaseData&) { dlg.m_bVariableAxle = true; })},
        {"GenerateBidirectionalLME", IDC_LIST_LOADMODELS,
         Make<CGenerateBiDirLME>([](CGenerateBiDirLME& dlg, CaseData& d) {
             dlg.m_vLoadModels = d.c.loadModels;
             dlg.m_vLoadModelEnsembles = d.c.ensembles;
         })},
        {"FilterLoadModelEnsemble", IDC_LIST_LMES,
         Make<CFilterLMEDlg>([](CFilterLMEDlg& dlg, CaseData& d) { dlg.m_vLoadModelEnsembles = d.c.ensembles; })},
        {"GenerateLMEFromLoadModel", IDC_LIST_LOADMODELS,
         Make<CGenerateLMEDlg>([](CGenerateLMEDlg& dlg, CaseData& d) { dlg.m_vLoadModels = d.c.loadModels; })},
        {"LoadModelDefinition", IDC_DESCRIPTION,
         Make<CPropSheetLM>([](CPropSheetLM& sheet, CaseData& d) { sheet.SetLoadModel(d.c.loadModels[0]); })},
        {"AboutQEL", 0, [](CaseData&) -> std::unique_ptr<QDialog> { return std::make_unique<CAboutDlg>(); }},
    };
}

// Opens the dialog as the program does, modal over everything else, without waiting.
void OpenModal(QDialog& dlg)
{
    dlg.setWindowModality(Qt::ApplicationModal);
    if (auto* p = dynamic_cast<CQELDialog*>(&dlg))
        p->Open();
    else if (auto* s = dynamic_cast<CPropertySheet*>(&dlg))
        s->Open();
    else
        dlg.show();
    lmtest::Activate(&dlg);
    lmtest::Flush();
}

QPushButton* Button(QDialog& dlg, QDialogButtonBox::StandardButton which)
{
    for (auto* box : dlg.findChildren<QDialogButtonBox*>())
        if (QPushButton* b = box->button(which))
            return b;
    return nullptr;
}

bool CanTab(const QWidget* w)
{
    return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

// The controls that Tab visits, in the order it visits them.
std::vector<QWidget*> TabChain(QDialog& dlg)
{
    std::vector<QWidget*> chain;
    for (QWidget* w = dlg.nextInFocusChain(); w != &dlg; w = w->nextInFocusChain())
        if (CanTab(w))
            chain.push_back(w);
    return chain;
}

QRect RectIn(QDialog& dlg, const QWidget* w)
{
    return QRect(w->mapTo(&dlg, QPoint(0, 0)), w->size());
}

// Positive when the two rectangles share that many rows (or columns) of pixels.
int Overlap(int a0, int a1, int b0, int b1)
{
    return std::min(a1, b1) - std::max(a0, b0);
}

// b stands before a when it is left of a in the same rows, or above a in the same columns.
bool StandsBefore(const QRect& b, const QRect& a)
{
    if (Overlap(a.top(), a.bottom(), b.top(), b.bottom()) > 2 && b.right() <= a.left())
        return true;
    return Overlap(a.left(), a.right(), b.left(), b.right()) > 2 && b.bottom() <= a.top();
}

QString Describe(QDialog& dlg, const QWidget* w)
{
    const QRect r = RectIn(dlg, w);
    return QStringLiteral("%1 '%2' at (%3, %4)")
        .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName())
        .arg(r.x())
        .arg(r.y());
}

// A click where the button stands, delivered to the dialog's window as the windowing
// system would: whoever holds the mouse gets it.
void ClickByPosition(QDialog& dlg, QWidget* pButton)
{
    const QPoint at = pButton->mapTo(&dlg, pButton->rect().center());
    QTest::mouseMove(dlg.windowHandle(), at);
    QTest::mouseClick(dlg.windowHandle(), Qt::LeftButton, {}, at);
    lmtest::Flush();
}

// Moves the mouse over every control, then over every cell heading of each grid (a clipped
// heading shows a tip that takes the mouse).
void WanderOver(QDialog& dlg)
{
    for (QWidget* w : dlg.findChildren<QWidget*>())
        if (w->isVisible())
            QTest::mouseMove(dlg.windowHandle(), w->mapTo(&dlg, w->rect().center()));
    for (QWidget* w : dlg.findChildren<QWidget*>()) {
        auto* pGrid = dynamic_cast<CGridCtrl*>(CWnd::FromHandle(w));
        if (!pGrid || w != pGrid->GetSafeHwnd() || !w->isVisible())
            continue;
        for (int col = 0; col < pGrid->GetColumnCount(); ++col) {
            CRect r;
            if (pGrid->GetCellRect(0, col, &r))
                QTest::mouseMove(dlg.windowHandle(),
                                 pGrid->GetClientWidget()->mapTo(&dlg, QPoint(r.left + 4, r.top + 4)));
        }
    }
    lmtest::Flush();
}

class DialogKeys : public ::testing::TestWithParam<DialogCase> {
protected:
    lmtest::EnglishLocale locale;
    BoxRecorder boxes;
    CaseData data;
};

TEST_P(DialogKeys, EscapeClosesFromEveryControl)
{
    std::unique_ptr<QDialog> probe = GetParam().make(data);
    OpenModal(*probe);
    const std::size_t nControls = TabChain(*probe).size();
    probe->reject();
    ASSERT_GT(nControls, 0u);
    for (std::size_t i = 0; i < nControls; ++i) {
        std::unique_ptr<QDialog> dlg = GetParam().make(data);
        OpenModal(*dlg);
        QWidget* w = TabChain(*dlg).at(i);
        w->setFocus();
        lmtest::Flush();
        ASSERT_EQ(QApplication::focusWidget(), w) << Describe(*dlg, w).toStdString();
        QTest::keyClick(w, Qt::Key_Escape);
        lmtest::Flush();
        EXPECT_FALSE(dlg->isVisible()) << "Escape on " << Describe(*dlg, w).toStdString();
        EXPECT_EQ(dlg->result(), QDialog::Rejected);
    }
}

TEST_P(DialogKeys, CancelClickedWhereItStandsCloses)
{
    std::unique_ptr<QDialog> dlg = GetParam().make(data);
    OpenModal(*dlg);
    QPushButton* pCancel = Button(*dlg, QDialogButtonBox::Cancel);
    if (!pCancel)
        pCancel = Button(*dlg, QDialogButtonBox::Ok); // a dialog with a single button
    ASSERT_NE(pCancel, nullptr);
    // At its smallest, texts of a grid are clipped and show their tips.
    dlg->resize(dlg->minimumSizeHint());
    lmtest::Flush();
    WanderOver(*dlg);
    ClickByPosition(*dlg, pCancel);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_P(DialogKeys, OpensOnItsFirstFieldAndTabsInLayoutOrder)
{
    std::unique_ptr<QDialog> dlg = GetParam().make(data);
    OpenModal(*dlg);
    Screenshot(*dlg, QStringLiteral("Dialog-%1").arg(QString::fromLatin1(GetParam().name)));
    QWidget* pFocus = QApplication::focusWidget();
    ASSERT_NE(pFocus, nullptr);
    if (GetParam().nFirstField)
        EXPECT_EQ(GetCtrlId(pFocus), GetParam().nFirstField) << Describe(*dlg, pFocus).toStdString();
    else
        EXPECT_EQ(pFocus, TabChain(*dlg).front());

    // The pages of a sheet each in turn.
    auto* pSheet = dynamic_cast<CPropertySheet*>(dlg.get());
    for (int nPage = 0; nPage < (pSheet ? pSheet->GetPageCount() : 1); ++nPage) {
        if (pSheet) {
            ASSERT_TRUE(pSheet->SetActivePage(nPage));
        }
        lmtest::Flush();
        const std::vector<QWidget*> chain = TabChain(*dlg);
        for (std::size_t i = 0; i < chain.size(); ++i)
            for (std::size_t j = i + 1; j < chain.size(); ++j)
                EXPECT_FALSE(StandsBefore(RectIn(*dlg, chain[j]), RectIn(*dlg, chain[i])))
                    << "page " << nPage << ": Tab reaches " << Describe(*dlg, chain[j]).toStdString() << " after "
                    << Describe(*dlg, chain[i]).toStdString();
    }
}

TEST_P(DialogKeys, EnterPressesTheDefaultButton)
{
    std::unique_ptr<QDialog> dlg = GetParam().make(data);
    OpenModal(*dlg);
    if (auto* pGenerate = dynamic_cast<CGenerateLMEDlg*>(dlg.get())) {
        // Its OK waits for a load model; Enter is then pressed on the grid.
        ClickRow(pGenerate->m_listLoadModels, 0);
        pGenerate->m_Grid.SetFocus();
        lmtest::Flush();
    }
    QWidget* pFocus = QApplication::focusWidget();
    ASSERT_NE(pFocus, nullptr);
    QTest::keyClick(pFocus, Qt::Key_Return);
    lmtest::Flush();
    EXPECT_FALSE(dlg->isVisible()) << "Enter on " << Describe(*dlg, pFocus).toStdString();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_TRUE(boxes.texts.empty());
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogKeys, ::testing::ValuesIn(AllDialogs()),
                         [](const ::testing::TestParamInfo<DialogCase>& info) { return std::string(info.param.name); });

} // namespace
