#include "app/AppDialogs.h"

#include <QApplication>

#include "app/AdaptedDlg.h"
#include "app/MainFrame.h"
#include "app/QELApp.h"
#include "app/doc/LMEParametersDlgInterface.h"
#include "app/doc/QELDoc.h"
#include "ui/dialogs/AnalysisDlgs.h"
#include "ui/dialogs/BridgeDlg.h"
#include "ui/dialogs/BridgeSetDlg.h"
#include "ui/dialogs/ConfigDlg.h"
#include "ui/dialogs/CritRatioRefCollDlg.h"
#include "ui/dialogs/RefCollectionDlgs.h"
#include "ui/ensemble/FilterLMEDlg.h"
#include "ui/ensemble/GenerateBiDirLME.h"
#include "ui/ensemble/GenerateLMEDlg.h"
#include "ui/ensemble/LMEParametersDlg.h"
#include "ui/ensemble/LoadModelEnsembleDlg.h"
#include "ui/lmsheet/PropSheetLM.h"

namespace {

int ToDocResult(int nResult)
{
    return nResult == IDOK ? DLG_IDOK : DLG_IDCANCEL;
}

// The dialogs that hand over whole elements rather than data fields.
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
        static_cast<RefCollectionDlgData&>(m_Dlg) = *this;
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

// The document numbers its ensembles 1, 2, ... (again after a delete): a made ensemble
// takes the next number rather than repeating the last one's.
int NewEnsembleID(int nEnsembles)
{
    return nEnsembles + 1;
}

}

// A dialog opened from another one (a load model from its ensemble) stays over it.
QWidget* CAppDialogs::Parent() const
{
    if (QWidget* pModal = QApplication::activeModalWidget())
        return pModal;
    return m_App.GetMainFrame();
}

std::unique_ptr<CConfigDlgInterface> CAppDialogs::MakeConfigDlg()
{
    return Adapt<CConfigDlgInterface, CConfigDlg, ConfigDlgData>(Parent());
}

std::unique_ptr<CBridgeDlgInterface> CAppDialogs::MakeBridgeDlg()
{
    return std::make_unique<CBridgeDlgAdapter>(Parent());
}

std::unique_ptr<CBridgeSetDlgInterface> CAppDialogs::MakeBridgeSetDlg()
{
    return std::make_unique<CBridgeSetDlgAdapter>(Parent());
}

std::unique_ptr<CPropSheetLMInterface> CAppDialogs::MakePropSheetLM()
{
    return std::make_unique<CPropSheetLMAdapter>(Parent());
}

std::unique_ptr<CLoadModelEnsembleDlgInterface> CAppDialogs::MakeLoadModelEnsembleDlg()
{
    return Adapt<CLoadModelEnsembleDlgInterface, CLoadModelEnsembleDlg, LoadModelEnsembleDlgData>(
        Parent(), [](const CLoadModelEnsembleDlgInterface&, CLoadModelEnsembleDlg& d) {
            // A double click on a load model opens the case's own editor over the dialog.
            d.m_fnEditLoadModel = [](std::shared_ptr<CLoadModel> pLoadModel) {
                if (CQELDoc* pDoc = CQELDoc::GetDoc())
                    pDoc->EditLoadModel(false, std::move(pLoadModel));
            };
        });
}

std::unique_ptr<CRefCollectionDlgInterface> CAppDialogs::MakeRefCollectionDlg()
{
    return std::make_unique<CRefCollectionDlgAdapter>(Parent());
}

std::unique_ptr<CLMEParametersDlgInterface> CAppDialogs::MakeLMEParametersDlg()
{
    return Adapt<CLMEParametersDlgInterface, CLMEParametersDlg, LMEParametersDlgData>(Parent());
}

std::unique_ptr<CSinglePositionDlgInterface> CAppDialogs::MakeSinglePositionDlg()
{
    return Adapt<CSinglePositionDlgInterface, CSinglePositionDlg, SinglePositionDlgData>(Parent());
}

std::unique_ptr<CMovingLoadDlgInterface> CAppDialogs::MakeMovingLoadDlg()
{
    return Adapt<CMovingLoadDlgInterface, CMovingLoadDlg, SteppingDlgData, MovingLoadDlgData>(Parent());
}

std::unique_ptr<CBridgeRangeDlgInterface> CAppDialogs::MakeBridgeRangeDlg()
{
    return Adapt<CBridgeRangeDlgInterface, CBridgeRangeDlg, SteppingDlgData, BridgeRangeDlgData>(Parent());
}

std::unique_ptr<CAnalyzeRefCollectionDlgInterface> CAppDialogs::MakeAnalyzeRefCollectionDlg()
{
    return Adapt<CAnalyzeRefCollectionDlgInterface, CAnalyzeRefCollectionDlg, RefCollectionChoiceDlgData>(Parent());
}

std::unique_ptr<CViewRefCollectionDlgInterface> CAppDialogs::MakeViewRefCollectionDlg()
{
    return Adapt<CViewRefCollectionDlgInterface, CViewRefCollectionDlg, RefCollectionChoiceDlgData>(Parent());
}

std::unique_ptr<CCritRatioRefCollDlgInterface> CAppDialogs::MakeCritRatioRefCollDlg()
{
    return Adapt<CCritRatioRefCollDlgInterface, CCritRatioRefCollDlg, CritRatioRefCollDlgData>(Parent());
}

std::unique_ptr<COutputOptionsDlgInterface> CAppDialogs::MakeOutputOptionsDlg()
{
    return Adapt<COutputOptionsDlgInterface, COutputOptionsDlg, OutputOptionsDlgData>(Parent());
}

std::unique_ptr<CCompareEnvelopesDlgInterface> CAppDialogs::MakeCompareEnvelopesDlg()
{
    return Adapt<CCompareEnvelopesDlgInterface, CCompareEnvelopesDlg, CompareEnvelopesDlgData>(Parent());
}

std::unique_ptr<CFilterLMEDlgInterface> CAppDialogs::MakeFilterLMEDlg()
{
    return Adapt<CFilterLMEDlgInterface, CFilterLMEDlg, FilterLMEDlgData>(
        Parent(), [](const CFilterLMEDlgInterface& i, CFilterLMEDlg& d) {
            d.m_nNewID = NewEnsembleID(static_cast<int>(i.m_vLoadModelEnsembles.size()));
        });
}

std::unique_ptr<CGenerateLMEDlgInterface> CAppDialogs::MakeGenerateLMEDlg()
{
    return Adapt<CGenerateLMEDlgInterface, CGenerateLMEDlg, GenerateLMEDlgData>(
        Parent(),
        [](const CGenerateLMEDlgInterface& i, CGenerateLMEDlg& d) { d.m_nLMEID = NewEnsembleID(i.m_nLMECount); });
}

std::unique_ptr<CGenerateBiDirLMEInterface> CAppDialogs::MakeGenerateBiDirLME()
{
    return Adapt<CGenerateBiDirLMEInterface, CGenerateBiDirLME, GenerateBiDirLMEDlgData>(
        Parent(),
        [](const CGenerateBiDirLMEInterface& i, CGenerateBiDirLME& d) { d.m_nNewID = NewEnsembleID(i.m_nLMECount); });
}
