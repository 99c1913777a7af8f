#pragma once
// "Load Model Ensemble Definition": the ensemble's description and its members, chosen by
// dragging load models between "Available load models" and "Included load models" (or
// with the two buttons between them). Rows keep their load model as item data, so two
// models with one description stay two. On OK the dialog rewrites the ensemble's members
// from the included list; the caller copies the description back.
#include "controls/dragdrop/DragDropMgr.h"
#include "core/dialogdata/ElementDlgData.h"
#include "ui/dialogs/DialogBase.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CExListBox;
class CLoadModel;
class CLoadModelEnsemble;
class QLineEdit;
class QListWidgetItem;
class QPushButton;

class CLoadModelEnsembleDlg : public CQELDialog, public CMessageReceiver, public LoadModelEnsembleDlgData {
    Q_OBJECT

public:
    explicit CLoadModelEnsembleDlg(QWidget* pParent = nullptr);
    ~CLoadModelEnsembleDlg() override;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Opens the load model's own editor on a double click (the document's edit command).
    std::function<void(std::shared_ptr<CLoadModel>)> m_fnEditLoadModel;

    CDragDropMgr m_DragDropMgr;
    CExListBox* m_lbAvailable;
    CExListBox* m_lbIncluded;
    QLineEdit* m_edDescription;
    QLineEdit* m_edID;
    QPushButton* m_btnInclude;
    QPushButton* m_btnExclude;
    // The case's load models and the ensemble's members, each object once.
    std::vector<std::shared_ptr<CLoadModel>> m_vAllLoadModels;
    bool m_bIsEditable = true;

    // The load model a row stands for, or none.
    std::shared_ptr<CLoadModel> GetRowLoadModel(const CExListBox* pList, int nRow) const;
    // Moves the selected row of one list to the end of the other.
    void MoveSelected(CExListBox* pFrom, CExListBox* pTo);

protected:
    void OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnOK() override;

private:
    CExListBox* ListOfId(WPARAM nID) const;
    QListWidgetItem* AppendRow(CExListBox* pList, const std::wstring& sText, const CLoadModel* pModel);
    // Adds the row at the end of the list, in place of a row of the same load model, and
    // selects it.
    void AddRow(CExListBox* pList, const std::wstring& sText, const CLoadModel* pModel);
    void OnDoubleClick(CExListBox* pList);
    // Row texts follow the models' descriptions (after an edit).
    void RefreshTexts();
};
