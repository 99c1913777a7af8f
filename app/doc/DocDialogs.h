#pragma once
// The editing dialogs as the case document runs them: the document makes one, hands it
// what it shows, runs it modally and reads it back only when DoModal returns DLG_IDOK.
// The shell makes its Qt dialogs behind these; tests make scripted ones. A dialog's data
// is its struct in core/dialogdata, shared with the Qt dialog.
#include <memory>

#include "core/dialogdata/ElementDlgData.h"

class CLMEParametersDlgInterface;

inline constexpr int DLG_IDOK = 1;
inline constexpr int DLG_IDCANCEL = 2;

class CModalDlgInterface {
public:
    virtual ~CModalDlgInterface() = default;
    virtual int DoModal() = 0;
};

// "Case Information".
class CConfigDlgInterface : public CModalDlgInterface, public ConfigDlgData {};

// "Define Bridge".
class CBridgeDlgInterface : public CModalDlgInterface {
public:
    virtual void SetBridge(std::shared_ptr<CBridge> pBridge) = 0;
    // A copy of the dialog's bridge, rebuilt from its fields on OK.
    virtual std::shared_ptr<CBridge> GetBridge() const = 0;
};

// "Add Bridge Set".
class CBridgeSetDlgInterface : public CModalDlgInterface {
public:
    virtual void SetBridgeSet(std::shared_ptr<CBridgeSet> pBridgeSet) = 0;
    virtual std::shared_ptr<CBridgeSet> GetBridgeSet() const = 0;
};

// "Load Model Definition": the pages edit the model they are given in place.
class CPropSheetLMInterface : public CModalDlgInterface {
public:
    virtual void SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel) = 0;
};

// "Load Model Ensemble Definition": on OK the chosen load models are put into m_pLME.
class CLoadModelEnsembleDlgInterface : public CModalDlgInterface, public LoadModelEnsembleDlgData {};

// "Edit Reference Collection": on OK the dialog writes into the collection it was given.
class CRefCollectionDlgInterface : public CModalDlgInterface, public RefCollectionDlgData {
public:
    virtual void SetData(std::shared_ptr<CReferenceCollection> pRefCollection) = 0;
};

// Makes a fresh dialog for each command; installed by the host (DocHost.h).
class CDocDialogs {
public:
    virtual ~CDocDialogs() = default;
    virtual std::unique_ptr<CConfigDlgInterface> MakeConfigDlg() = 0;
    virtual std::unique_ptr<CBridgeDlgInterface> MakeBridgeDlg() = 0;
    virtual std::unique_ptr<CBridgeSetDlgInterface> MakeBridgeSetDlg() = 0;
    virtual std::unique_ptr<CPropSheetLMInterface> MakePropSheetLM() = 0;
    virtual std::unique_ptr<CLoadModelEnsembleDlgInterface> MakeLoadModelEnsembleDlg() = 0;
    virtual std::unique_ptr<CRefCollectionDlgInterface> MakeRefCollectionDlg() = 0;
    // "LME Parameters"; until a window is given, its opening values answered with OK.
    virtual std::unique_ptr<CLMEParametersDlgInterface> MakeLMEParametersDlg();
};
