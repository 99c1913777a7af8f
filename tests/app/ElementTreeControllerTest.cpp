#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TreeTestUtil.h"

#include "app/tree/ElementTreeController.h"
#include "core/bridge/Bridge.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "platform/base/CLocale.h"
#include "platform/win/MessageBox.h"

using namespace qeltest;
using ::testing::ElementsAre;

namespace {

// A case of one bridge, two load models A and B, ensemble E holding A and B, ensemble F
// holding B, with the pane built from it.
class ElementTreeControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_pSettings->SetDefaults();
        m_Windows.m_pTree = &m_Tree;
        m_Windows.m_pActiveDoc = &m_Doc;
        SetDocHost({&m_Windows, &m_Dialogs});
        m_PrevAnswerer = SetMessageBoxAnswerer([this](const std::wstring& text, const std::wstring&, UINT type) {
            m_vBoxes.push_back(text);
            m_vBoxTypes.push_back(type);
            return IDOK;
        });
        m_Tree.m_fnElementSelected = [this](CElement* p) { m_vSelected.push_back(p); };

        m_pBridge = std::make_shared<CBridge>(1, L"Bridge", BC_ONESPAN, 20.0);
        m_pA = std::make_shared<CLoadModel>(1, L"A");
        m_pB = std::make_shared<CLoadModel>(2, L"B");
        m_pE = std::make_shared<CLoadModelEnsemble>(1, L"E");
        m_pE->AddLoadModel(m_pA);
        m_pE->AddLoadModel(m_pB);
        m_pF = std::make_shared<CLoadModelEnsemble>(2, L"F");
        m_pF->AddLoadModel(m_pB);
        m_Doc.m_vBridge = {m_pBridge};
        m_Doc.m_vLoadModel = {m_pA, m_pB};
        m_Doc.m_vLoadModelEnsemble = {m_pE, m_pF};
        m_Doc.m_nNextID[CQELDoc::NEXTID_LOADMODEL] = 2;
        m_Doc.m_nNextID[CQELDoc::NEXTID_LME] = 2;
        m_Doc.RefreshElementView();
    }
    void TearDown() override
    {
        SetMessageBoxAnswerer(m_PrevAnswerer);
        SetDocHost({});
    }

    const CTreeModel& Model() const { return m_Tree.Tree(); }
    std::vector<std::wstring> Texts(TreeItem parent) const
    {
        std::vector<std::wstring> texts;
        for (TreeItem item : Model().GetChildren(parent))
            texts.push_back(Model().GetItemText(item));
        return texts;
    }
    TreeItem Child(TreeItem parent, const std::wstring& text) const
    {
        for (TreeItem item : Model().GetChildren(parent))
            if (Model().GetItemText(item) == text)
                return item;
        ADD_FAILURE() << "no item " << WideToUtf8(text);
        return TI_NONE;
    }
    TreeItem ItemE() const { return Child(m_Tree.GetEnsemblesItem(), L"E"); }
    TreeItem ItemF() const { return Child(m_Tree.GetEnsemblesItem(), L"F"); }
    TreeItem ListItem(const std::wstring& text) const { return Child(m_Tree.GetLoadModelsItem(), text); }
    void Select(TreeItem item) { m_Tree.Tree().SelectItem(item); }
    void CopyAt(TreeItem item) { Select(item), m_Tree.OnCopy(); }
    void CutAt(TreeItem item) { Select(item), m_Tree.OnCut(); }
    void PasteAt(TreeItem item) { Select(item), m_Tree.OnPaste(); }

    TreeWindows m_Windows;
    ScriptedDialogs m_Dialogs;
    CQELDoc m_Doc;
    CElementTreeController m_Tree;
    MessageBoxAnswerer m_PrevAnswerer;
    std::vector<std::wstring> m_vBoxes;
    std::vector<UINT> m_vBoxTypes;
    std::vector<CElement*> m_vSelected;
    std::shared_ptr<CBridge> m_pBridge;
    std::shared_ptr<CLoadModel> m_pA, m_pB;
    std::shared_ptr<CLoadModelEnsemble> m_pE, m_pF;
};

TEST_F(ElementTreeControllerTest, PopulateBuildsTheSkeletonAndOneItemPerElement)
{
    EXPECT_THAT(Texts(TI_NONE), ElementsAre(L"Case", L"Analysis Results", L"Bridges", L"Bridge Sets", L"Load Models",
                                            L"Load Model Ensembles", L"Reference Collections"));
    EXPECT_TRUE(Model().IsBold(m_Tree.GetRootItem()));
    for (TreeItem top : Model().GetChildren(TI_NONE))
        EXPECT_EQ(Model().GetItemData(top), ELEMENT_VIEW_CATEGORY_DATA);
    EXPECT_THAT(Texts(m_Tree.GetRootItem()), ElementsAre(L"Case Information"));
    EXPECT_THAT(Texts(m_Tree.GetAnalysisItem()), ElementsAre(L"Single Position", L"Moving Load", L"Bridge Range",
                                                             L"Reference Values", L"Critical Ratios"));
    EXPECT_EQ(m_Tree.GetAnalysisIndex(Child(m_Tree.GetAnalysisItem(), L"Critical Ratios")), 4);
    EXPECT_THAT(Texts(m_Tree.GetBridgesItem()), ElementsAre(L"Bridge"));
    EXPECT_THAT(Texts(m_Tree.GetLoadModelsItem()), ElementsAre(L"A", L"B"));
    EXPECT_THAT(Texts(m_Tree.GetEnsemblesItem()), ElementsAre(L"E", L"F"));
    EXPECT_THAT(Texts(ItemE()), ElementsAre(L"A", L"B"));
    EXPECT_EQ(m_Tree.GetElement(Model().GetChildren(ItemF())[0]), m_pB);
    EXPECT_EQ(Model().GetItemImage(ItemE()), IMG_LOADMODEL);
    EXPECT_EQ(Model().GetItemImage(Child(m_Tree.GetBridgesItem(), L"Bridge")), IMG_BRIDGE);
    // Categories, analysis items and "Case Information" stand for no element.
    EXPECT_EQ(m_Tree.GetElement(m_Tree.GetLoadModelsItem()), nullptr);
    EXPECT_EQ(m_Tree.GetElement(Model().GetChildren(m_Tree.GetRootItem())[0]), nullptr);
}

TEST_F(ElementTreeControllerTest, CopyPasteOnLoadModelsAddsAnEditableCopyAndCutMovesIt)
{
    m_pA->m_bIsEditable = false;
    CopyAt(ListItem(L"A"));
    PasteAt(m_Tree.GetLoadModelsItem());
    ASSERT_EQ(m_Doc.m_vLoadModel.size(), 3u);
    const auto& pCopy = m_Doc.m_vLoadModel[2];
    EXPECT_EQ(pCopy->m_Description, L"A-Copy");
    EXPECT_TRUE(pCopy->m_bIsEditable);
    EXPECT_NE(pCopy, m_pA);
    EXPECT_EQ(pCopy->m_ID, 3); // next id of the list
    EXPECT_THAT(Texts(m_Tree.GetLoadModelsItem()), ElementsAre(L"A", L"B", L"A-Copy"));
    EXPECT_FALSE(m_Tree.HasCopySource()); // a paste uses the source up

    m_Doc.SetModifiedFlag(false);
    CutAt(ListItem(L"B"));
    PasteAt(ListItem(L"A")); // an item under "Load Models" counts as the category
    EXPECT_THAT(Texts(m_Tree.GetLoadModelsItem()), ElementsAre(L"A", L"A-Copy", L"B"));
    ASSERT_EQ(m_Doc.m_vLoadModel.size(), 3u);
    EXPECT_NE(m_Doc.m_vLoadModel[2], m_pB);
    EXPECT_EQ(m_Doc.m_vLoadModel[2]->m_Description, L"B");
    EXPECT_TRUE(m_Doc.IsModified());
    EXPECT_FALSE(m_Tree.IsCut());
    // B still belongs to E and F.
    EXPECT_THAT(Texts(ItemE()), ElementsAre(L"A", L"B"));
}

TEST_F(ElementTreeControllerTest, PasteOfAnEnsembleUnpacksOnModelsAndCopiesOnEnsembles)
{
    CopyAt(ItemE());
    PasteAt(ListItem(L"B"));
    EXPECT_THAT(Texts(m_Tree.GetLoadModelsItem()), ElementsAre(L"A", L"B", L"A-Copy", L"B-Copy"));

    m_pE->m_bIsEditable = false;
    CopyAt(ItemE());
    PasteAt(m_Tree.GetEnsemblesItem());
    ASSERT_EQ(m_Doc.m_vLoadModelEnsemble.size(), 3u);
    const auto& pCopy = m_Doc.m_vLoadModelEnsemble[2];
    EXPECT_EQ(pCopy->m_Description, L"E-Copy");
    EXPECT_TRUE(pCopy->m_bIsEditable);
    EXPECT_EQ(pCopy->m_ID, 3);
    EXPECT_THAT(Texts(Child(m_Tree.GetEnsemblesItem(), L"E-Copy")), ElementsAre(L"A", L"B"));

    // Neither an ensemble nor a model goes anywhere else.
    CopyAt(ItemE());
    PasteAt(m_Tree.GetBridgesItem());
    CopyAt(ListItem(L"A"));
    PasteAt(m_Tree.GetBridgesItem());
    EXPECT_EQ(m_Doc.m_vLoadModelEnsemble.size(), 3u);
    EXPECT_EQ(m_Doc.m_vLoadModel.size(), 4u);
}

TEST_F(ElementTreeControllerTest, ModelUnderAnEnsembleIsNamedAsCopyOnlyInItsOwnEnsemble)
{
    const TreeItem aInE = Model().GetChildren(ItemE())[0];
    m_Doc.SetModifiedFlag(false);
    CopyAt(aInE);
    PasteAt(Model().GetChildren(ItemE())[1]); // a sibling stands for its ensemble
    EXPECT_THAT(Texts(ItemE()), ElementsAre(L"A", L"B", L"A-Copy"));
    EXPECT_EQ(m_pE->m_vLoadModel.size(), 3u);
    EXPECT_TRUE(m_Doc.IsModified());

    CopyAt(aInE);
    PasteAt(ItemF());
    EXPECT_THAT(Texts(ItemF()), ElementsAre(L"B", L"A"));
    EXPECT_NE(m_pF->m_vLoadModel[1], m_pA);
    EXPECT_EQ(m_Doc.m_vLoadModel.size(), 2u); // the list is not touched
}

TEST_F(ElementTreeControllerTest, BridgesAreNeverPasted)
{
    const auto before = m_Doc.m_vBridge;
    for (TreeItem target :
         {m_Tree.GetBridgesItem(), Child(m_Tree.GetBridgesItem(), L"Bridge"), ItemE(), m_Tree.GetLoadModelsItem()}) {
        CopyAt(Child(m_Tree.GetBridgesItem(), L"Bridge"));
        PasteAt(target);
    }
    EXPECT_EQ(m_Doc.m_vBridge, before);
    EXPECT_THAT(Texts(m_Tree.GetBridgesItem()), ElementsAre(L"Bridge"));
    EXPECT_FALSE(m_Doc.IsModified());
}

TEST_F(ElementTreeControllerTest, DropOnOwnChildDoesNothingAndDropOnModelsCopiesAndSelects)
{
    EXPECT_EQ(m_Tree.OnTreeItemDragDrop(ItemE(), Model().GetChildren(ItemE())[0]), TI_NONE);
    EXPECT_EQ(m_Tree.OnTreeItemDragDrop(ItemE(), ItemE()), TI_NONE);
    EXPECT_EQ(m_Doc.m_vLoadModelEnsemble.size(), 2u);
    EXPECT_EQ(m_pE->m_vLoadModel.size(), 2u);

    const TreeItem dropped = m_Tree.OnTreeItemDragDrop(ListItem(L"A"), m_Tree.GetLoadModelsItem());
    ASSERT_NE(dropped, TI_NONE);
    EXPECT_EQ(Model().GetItemText(dropped), L"A-Copy");
    EXPECT_EQ(Model().GetSelectedItem(), dropped);
    EXPECT_EQ(m_Doc.m_vLoadModel.size(), 3u);
    // A drop never removes its source, whatever the cut flag says.
    CutAt(ListItem(L"B"));
    m_Tree.OnTreeItemDragDrop(ListItem(L"B"), m_Tree.GetLoadModelsItem());
    EXPECT_THAT(Texts(m_Tree.GetLoadModelsItem()), ElementsAre(L"A", L"B", L"A-Copy", L"B"));
}

TEST_F(ElementTreeControllerTest, DeletingAnEnsembleRemovesItsChildrenAndBroadcastsNull)
{
    Select(ItemE());
    m_Tree.OnDelete();
    EXPECT_THAT(Texts(m_Tree.GetEnsemblesItem()), ElementsAre(L"F"));
    EXPECT_EQ(m_Doc.m_vLoadModelEnsemble.size(), 1u);
    EXPECT_EQ(m_pF->m_ID, 1); // renumbered
    ASSERT_FALSE(m_vSelected.empty());
    EXPECT_EQ(m_vSelected.back(), nullptr);
    // Only the model items of the list and of F are left in the map.
    int mapped = 0;
    for (TreeItem item : {ListItem(L"A"), ListItem(L"B"), Model().GetChildren(ItemF())[0]})
        mapped += m_Tree.GetElement(item) != nullptr;
    EXPECT_EQ(mapped, 3);

    // Top-level items are never deleted.
    Select(m_Tree.GetEnsemblesItem());
    m_Tree.OnDelete();
    EXPECT_TRUE(Model().Exists(m_Tree.GetEnsemblesItem()));
}

TEST_F(ElementTreeControllerTest, DeleteAndCutOfAModelUnderAnEnsembleTouchThatEnsembleOnly)
{
    // B sits in the list, in E and in F: deleting it under F leaves the list and E alone.
    Select(Model().GetChildren(ItemF())[0]);
    m_Tree.OnDelete();
    EXPECT_TRUE(m_pF->m_vLoadModel.empty());
    EXPECT_THAT(m_pE->m_vLoadModel, ElementsAre(m_pA, m_pB));
    EXPECT_THAT(m_Doc.m_vLoadModel, ElementsAre(m_pA, m_pB));
    EXPECT_TRUE(Model().GetChildren(ItemF()).empty());

    // Cut of A under E and paste on F: a move from E to F.
    CutAt(Model().GetChildren(ItemE())[0]);
    PasteAt(ItemF());
    EXPECT_THAT(m_pE->m_vLoadModel, ElementsAre(m_pB));
    ASSERT_EQ(m_pF->m_vLoadModel.size(), 1u);
    EXPECT_EQ(m_pF->m_vLoadModel[0]->m_Description, L"A");
    EXPECT_THAT(Texts(ItemE()), ElementsAre(L"B"));
    EXPECT_THAT(m_Doc.m_vLoadModel, ElementsAre(m_pA, m_pB));
}

TEST_F(ElementTreeControllerTest, RefusedDeleteIsReportedAndChangesNothing)
{
    m_Doc.m_vBridge.clear(); // the pane shows a bridge the case no longer holds
    Select(Child(m_Tree.GetBridgesItem(), L"Bridge"));
    m_Tree.OnDelete();
    EXPECT_THAT(m_vBoxes, ElementsAre(L"Item could not be removed"));
    EXPECT_EQ(m_vBoxTypes.back(), MB_ICONINFORMATION);
    EXPECT_THAT(Texts(m_Tree.GetBridgesItem()), ElementsAre(L"Bridge"));
}

TEST_F(ElementTreeControllerTest, RenameRules)
{
    // Only elements; a locked one is reported.
    Select(m_Tree.GetLoadModelsItem());
    EXPECT_FALSE(m_Tree.OnRename());
    m_pE->m_bIsEditable = false;
    Select(ItemE());
    EXPECT_FALSE(m_Tree.OnRename());
    EXPECT_FALSE(m_Tree.CanEditLabel(ItemE(), false)); // the click path asks the same, silently
    EXPECT_THAT(m_vBoxes, ElementsAre(L"This item cannot be edited."));
    EXPECT_EQ(m_vBoxTypes.back(), MB_ICONERROR);

    Select(ListItem(L"A"));
    EXPECT_TRUE(m_Tree.OnRename());
    bool editing = true;
    m_Tree.m_fnIsEditing = [&] { return editing; };
    EXPECT_FALSE(m_Tree.OnRename()); // not while an edit runs

    // Empty text and non-elements keep their label.
    EXPECT_FALSE(m_Tree.OnTreeItemLabelChange(ListItem(L"A"), L""));
    EXPECT_FALSE(m_Tree.OnTreeItemLabelChange(m_Tree.GetBridgesItem(), L"X"));
    EXPECT_FALSE(m_Doc.IsModified());
    EXPECT_TRUE(m_Tree.OnTreeItemLabelChange(ListItem(L"A"), L"Axle"));
    EXPECT_EQ(m_pA->m_Description, L"Axle");
    EXPECT_TRUE(m_Doc.IsModified());
    // Every item of the model shows the new name.
    EXPECT_THAT(Texts(ItemE()), ElementsAre(L"Axle", L"B"));
}

TEST_F(ElementTreeControllerTest, CopySourceSurvivesARefreshAndDiesWithItsElement)
{
    CopyAt(ListItem(L"B"));
    m_Doc.RefreshElementView(); // as after an analysis: every item is new
    PasteAt(m_Tree.GetLoadModelsItem());
    ASSERT_EQ(m_Doc.m_vLoadModel.size(), 3u);
    EXPECT_EQ(m_Doc.m_vLoadModel[2]->m_Description, L"B-Copy");

    CopyAt(ListItem(L"A"));
    Select(ListItem(L"A"));
    m_Tree.OnDelete();
    PasteAt(m_Tree.GetLoadModelsItem()); // A lives on in E, but the copied item is gone
    EXPECT_EQ(m_Doc.m_vLoadModel.size(), 2u);
}

TEST_F(ElementTreeControllerTest, ExpandAllTogglesEverythingFromCollapsed)
{
    m_Tree.ToggleExpandAll();
    for (TreeItem top : Model().GetChildren(TI_NONE))
        EXPECT_TRUE(Model().IsExpanded(top));
    EXPECT_TRUE(Model().IsExpanded(ItemE()));
    EXPECT_TRUE(Model().IsExpanded(ItemF()));
    m_Tree.ToggleExpandAll();
    for (TreeItem top : Model().GetChildren(TI_NONE))
        EXPECT_FALSE(Model().IsExpanded(top));
}

TEST_F(ElementTreeControllerTest, ContextMenuBySpotAndSelectionBroadcast)
{
    EXPECT_EQ(m_Tree.OnContextMenu(TI_NONE, true), IDR_POPUP_CATEGORY);
    Select(ItemE());
    EXPECT_EQ(m_Tree.OnContextMenu(TI_NONE, false), IDR_POPUP_CATEGORY);
    EXPECT_EQ(Model().GetSelectedItem(), TI_NONE);
    EXPECT_EQ(m_Tree.OnContextMenu(m_Tree.GetAnalysisItem(), false), IDR_POPUP_CATEGORY);
    EXPECT_EQ(m_Tree.OnContextMenu(Model().GetChildren(m_Tree.GetAnalysisItem())[0], false), IDR_POPUP_CATEGORY);
    EXPECT_TRUE(m_vSelected.empty());
    EXPECT_EQ(m_Tree.OnContextMenu(ItemF(), false), IDR_POPUP_ENSEMBLE);
    EXPECT_TRUE(Model().IsExpanded(ItemF()));
    EXPECT_EQ(m_Tree.OnContextMenu(ListItem(L"A"), false), IDR_POPUP_ELEMENT);
    EXPECT_EQ(Model().GetSelectedItem(), ListItem(L"A"));
    EXPECT_THAT(m_vSelected, ElementsAre(m_pF.get(), m_pA.get()));

    m_Tree.OnTreeItemSelect(m_Tree.GetBridgesItem());
    m_Tree.OnTreeItemSelect(ListItem(L"B"));
    EXPECT_EQ(m_vSelected.back(), m_pB.get());
    EXPECT_EQ(m_vSelected.size(), 3u);
}

TEST_F(ElementTreeControllerTest, DoubleClickOpensTheMatchingDialogOrResults)
{
    int caseDialogs = 0;
    m_Dialogs.config = [&](ScriptedConfigDlg&) { return ++caseDialogs, DLG_IDCANCEL; };
    std::vector<int> results;
    m_Tree.m_fnShowResults = [&](CQELDoc& doc, int index) {
        EXPECT_EQ(&doc, &m_Doc);
        results.push_back(index);
    };
    const TreeItem caseInfo = Model().GetChildren(m_Tree.GetRootItem())[0];
    m_Tree.OnTreeItemDblClick(m_Tree.GetRootItem(), caseInfo);
    EXPECT_EQ(caseDialogs, 1);
    for (TreeItem item : Model().GetChildren(m_Tree.GetAnalysisItem()))
        m_Tree.OnTreeItemDblClick(m_Tree.GetAnalysisItem(), item);
    EXPECT_THAT(results, ElementsAre(0, 1, 2, 3, 4));

    // An edited ensemble gets its children again and its new name.
    m_Dialogs.lme = [&](ScriptedLMEDlg& dlg) {
        dlg.m_pLME->RemoveLoadModel(0);
        dlg.m_sDescription = L"E2";
        return DLG_IDOK;
    };
    const TreeItem e = ItemE();
    m_Tree.OnTreeItemDblClick(m_Tree.GetEnsemblesItem(), e);
    EXPECT_EQ(Model().GetItemText(e), L"E2");
    EXPECT_THAT(Texts(e), ElementsAre(L"B"));

    // No case window: nothing happens.
    m_Windows.m_pActiveDoc = nullptr;
    m_Tree.OnTreeItemDblClick(m_Tree.GetRootItem(), caseInfo);
    EXPECT_EQ(caseDialogs, 1);
}

}
