#pragma once
// What the three load pages of the load model sheet share: a grid with one row per load
// of their kind, edits that go straight into the shared model, rows appended and deleted,
// and a factor field that, when the page is left, becomes the model's factor for the kind
// and the factor of each of its loads.
#include "ui/gridDlg/PropPageWithGridBase.h"
#include "ui/lmsheet/NumericBinding.h"

#include <memory>
#include <optional>
#include <vector>

class CLoadModel;
class QFormLayout;
class QVBoxLayout;

class CPropPageLMLoadList : public CPropPageWithGridBase {
    Q_OBJECT

public:
    virtual void SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel);
    void FillGrid() override;
    // Deletes the grid row, then its load. A load the model refuses to remove is kept, the
    // message "Load could not be removed" is shown and the grid is filled again.
    BOOL DeleteRow(int nRow) override;
    // The grid shows the model as it is now (another page may have changed its direction).
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    std::shared_ptr<CLoadModel> m_pLoadModel;
    unsigned m_nLoads = 0;
    double m_dFactor = 1.0;
    CNumericEdit* m_pFactorEdit;

protected:
    CPropPageLMLoadList(int nIDTemplate, const QString& sCaption, std::vector<std::wstring> vHeadings, int nFactorID,
                        const QString& sFactorLabel, QWidget* pParent);

    BOOL OnInitDialog() override;
    void OnGridEndEdit(NMHDR* pNotifyStruct, LRESULT* pResult) override;
    void OnGridRowAppended(NMHDR* pNotifyStruct, LRESULT* pResult) override;

    // The kind's loads in the model.
    virtual unsigned ModelLoadCount() const = 0;
    virtual double ModelFactor() const = 0;
    virtual void AppendZeroLoad() = 0;
    virtual bool RemoveModelLoad(unsigned i) = 0;
    // The values shown in the data columns of load i.
    virtual std::vector<double> RowValues(unsigned i) const = 0;
    // Data column nDataCol (0 for the first) of load i takes the value.
    virtual void SetLoadValue(unsigned i, int nDataCol, double dValue) = 0;
    virtual void ApplyFactor(double dFactor) = 0;
    // After a cell edit has reached the model.
    virtual void OnLoadsEdited() {}
    // The page's own copies taken from the model again.
    virtual void RefreshFromModel() {}

    // Appends zero loads until load i exists.
    void EnsureLoad(unsigned i);

    QVBoxLayout* m_pLayout;
    QFormLayout* m_pFields; // the factor and any further fields below the grid
    CNumericBinding m_factor;
};
