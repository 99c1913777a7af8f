#pragma once
// "Generate LME from Load Model": one load model becomes an ensemble by varying axle
// spacings. Each axle after the first may be marked "Variable" with a range and either a
// number of values ("Step") or a distance between them ("Distance"); OK makes one copy of
// the model per combination of the variable spacings. A model that travels in reverse
// shows its spacings as it travels, and the copies are laid out back in its own frame.
#include "core/dialogdata/ElementDlgData.h"
#include "ui/gridDlg/DialogWithGridBase.h"

#include <memory>
#include <string>
#include <vector>

class CElementListBox;
class CLoadModel;
class CLoadModelEnsemble;

struct VariableAxleDef {
    double weight = 0.0;
    double width = 0.0;
    double gamma = 1.0;
    double spacing = 0.0; // previous axle's location minus this one's, as the model travels
    bool isFixed = true;
    double min = 0.0;
    double max = 0.0;
    bool byDistance = false; // false: parameter is a number of values; true: a distance
    double parameter = 0.0;

    std::vector<double> GetValues() const;
    // How many values GetValues gives, found without making them.
    double CountValues() const;
};

class CGenerateLMEDlg : public CDialogWithGridBase, public GenerateLMEDlgData {
    Q_OBJECT

public:
    // Most load models one generation may make.
    static constexpr int kMaxGeneratedModels = 10000;

    explicit CGenerateLMEDlg(QWidget* pParent = nullptr);

    void FillGrid() override;
    BOOL DeleteRow(int nRow) override;
    bool CanDeleteRow(int nRow) const override;

    void OnLbnSelchangeLoadModel(int nRow);
    void LoadAxleDefs();
    void FillGridRow(int nAxle);
    void OnTypeChanged(int nRow, const std::wstring& sText);
    void OnIncrementChanged(int nRow, const std::wstring& sText);
    // Every combination of the variable spacings, the first variable axle slowest.
    std::vector<std::vector<double>> GetCombinations() const;
    // The ensemble of copies; FALSE (with the reason shown) for input that cannot make one.
    BOOL Generate();

    int m_nLMEID = 0; // the id of the new ensemble
    std::shared_ptr<CLoadModel> m_spLoadModel;
    CElementListBox* m_listLoadModels;
    std::vector<std::wstring> m_saTypeOptions;
    std::vector<std::wstring> m_saIncrementOptions;
    std::vector<VariableAxleDef> m_vAxleDefs;

protected:
    void OnInitDialog() override;
    bool OnOK() override;
    void OnGridEndEdit(NMHDR* pNotifyStruct, LRESULT* pResult) override;

private:
    bool IsReversed() const;
    std::shared_ptr<CLoadModel> MakeLoadModel(int k, const std::vector<double>& combination) const;
    // The reason the definitions cannot be generated, or empty.
    std::wstring Validate() const;
    template <class Cell>
    Cell* CellOfKind(int nRow, int nCol, const CRuntimeClass* pKind);
    void SetNumericCell(int nRow, int nCol, double dValue, DWORD dwFlags);
    void SetComboCell(int nRow, int nCol, const std::vector<std::wstring>& options, const std::wstring& sText);
};
