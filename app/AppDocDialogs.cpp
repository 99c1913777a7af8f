#include "app/AppDocDialogs.h"

#include <QApplication>

#include "app/AdaptedDlg.h"
#include "app/MainFrame.h"
#include "app/QELApp.h"
#include "app/doc/QELDoc.h"
#include "ui/dialogs/BridgeDlg.h"
#include "ui/dialogs/BridgeSetDlg.h"
#include "ui/dialogs/ConfigDlg.h"
#include "ui/dialogs/RefCollectionDlgs.h"
#include "ui/ensemble/LoadModelEnsembleDlg.h"
#include "ui/lmsheet/PropSheetLM.h"

namespace {

int ToDocResult(int nResult) { return nResult == IDOK ? DLG_IDOK : DLG_IDCANCEL; }

class CBridgeDlgAdapter : public CBridgeDlgInterface {
public:
    explicit CBridgeDlgAdapter(QWidget* pParent) : m_Dlg(pParent) {}

    void SetBridge(std::shared_ptr<CBridge> pBridge) override { m_Dlg.SetBridge(std::move(pBridge)); }
    int DoModal() override { return ToDocResult(m_Dlg.DoModal()); }
    std::shared_ptr<CBridge> GetBridge() const override { return m_Dlg.GetBridge(); }

private:
    CBridgeDlg m_Dlg;
};

class CBridgeSetDlgAdapter : public CBridgeSetDlgInterface {
public:
    explicit CBridgeSetDlgAdapter(QWidget* pParent) : m_Dlg(pParent) {}

    void SetBridgeSet(std::shared_ptr<CBridgeSet> pBridgeSet) override { m_Dlg.SetBridgeSet(std::move(pBridgeSet)); }
    int DoModal() override { return ToDocResult(m_Dlg.DoModal()); }
    std::shared_ptr<CBridgeSet> GetBridgeSet() const override { return m_Dlg.GetBridgeSet(); }

private:
    CBridgeSetDlg m_Dlg;
};

class CRefCollectionDlgAdapter : public CRefCollectionDlgInterface {
public:
    explicit CRefCollectionDlgAdapter(QWidget* pParent) : m_Dlg(pParent) {}

    void SetData(std::shared_ptr<CReferenceCollection> pRefCollection) override
    {
        m_Dlg.SetData(std::move(pRefCollection));
    }
    // The document hands the lists over after SetData; the dialog fills them when it opens.
    int DoModal() override
    {
        m_Dlg.m_vBridgeSets = m_vBridgeSets;
        m_Dlg.m_vLMEs = m_vLMEs;
        return ToDocResult(m_Dlg.DoModal());
    }

private:
    CRefCollectionDlg m_Dlg;
};

class CPropSheetLMAdapter : public CPropSheetLMInterface {
public:
    explicit CPropSheetLMAdapter(QWidget* pParent) : m_Sheet(pParent) {}

    void SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel) override { m_Sheet.SetLoadModel(std::move(pLoadModel)); }
    int DoModal() override { return ToDocResult(m_Sheet.DoModal()); }

private:
    CPropSheetLM m_Sheet;
};

}

// A dialog opened from another one (a load model from its ensemble) stays over it.
QWidget* CAppDocDialogs::Parent() const
{
    if (QWidget* pModal = QApplication::activeModalWidget())
        return pModal;
    return m_App.GetMainFrame();
}

std::unique_ptr<CConfigDlgInterface> CAppDocDialogs::MakeConfigDlg()
{
    return Adapt<CConfigDlgInterface, CConfigDlg>(
        Parent(),
        [](CConfigDlgInterface& i, CConfigDlg& d) {
            d.m_sCaseRef = i.m_sCaseRef;
            d.m_sCaseNotes = i.m_sCaseNotes;
        },
        [](CConfigDlgInterface& i, const CConfigDlg& d) {
            i.m_sCaseRef = d.m_sCaseRef;
            i.m_sCaseNotes = d.m_sCaseNotes;
        });
}

std::unique_ptr<CBridgeDlgInterface> CAppDocDialogs::MakeBridgeDlg()
{
    return std::make_unique<CBridgeDlgAdapter>(Parent());
}

std::unique_ptr<CBridgeSetDlgInterface> CAppDocDialogs::MakeBridgeSetDlg()
{
    return std::make_unique<CBridgeSetDlgAdapter>(Parent());
}

std::unique_ptr<CPropSheetLMInterface> CAppDocDialogs::MakePropSheetLM()
{
    return std::make_unique<CPropSheetLMAdapter>(Parent());
}

std::unique_ptr<CLoadModelEnsembleDlgInterface> CAppDocDialogs::MakeLoadModelEnsembleDlg()
{
    return Adapt<CLoadModelEnsembleDlgInterface, CLoadModelEnsembleDlg>(
        Parent(),
        [](CLoadModelEnsembleDlgInterface& i, CLoadModelEnsembleDlg& d) {
            // A double click on a load model opens the case's own editor over the dialog.
            d.m_fnEditLoadModel = [](std::shared_ptr<CLoadModel> pLoadModel) {
                if (CQELDoc* pDoc = CQELDoc::GetDoc())
                    pDoc->EditLoadModel(false, std::move(pLoadModel));
            };
            d.m_sDescription = i.m_sDescription;
            d.m_nID = i.m_nID;
            d.m_pLME = i.m_pLME;
            d.m_vLoadModels = i.m_vLoadModels;
        },
        [](CLoadModelEnsembleDlgInterface& i, const CLoadModelEnsembleDlg& d) { i.m_sDescription = d.m_sDescription; });
}

std::unique_ptr<CRefCollectionDlgInterface> CAppDocDialogs::MakeRefCollectionDlg()
{
    return std::make_unique<CRefCollectionDlgAdapter>(Parent());
}
