#pragma once
// "Load Model Definition": six pages that edit one shared load model in place.
#include "ui/lmsheet/PropPageLMApplicable.h"
#include "ui/lmsheet/PropPageLMFactors.h"
#include "ui/lmsheet/PropPageLMOverview.h"
#include "ui/lmsheet/PropPageLMPartialUDLs.h"
#include "ui/lmsheet/PropPageLMUDLs.h"
#include "ui/lmsheet/PropPageLMVehicle.h"
#include "ui/sheet/PropertySheet.h"

#include "core/loads/LoadModel.h"

#include <memory>
#include <optional>

class CPropSheetLM : public CPropertySheet {
    Q_OBJECT

public:
    explicit CPropSheetLM(QWidget* pParent = nullptr);

    // Hands the model to every page; call before the sheet runs.
    void SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel);
    // The pages edit the model in place: Cancel puts back the model as it was given.
    void reject() override;

    std::shared_ptr<CLoadModel> m_pLoadModel;
    CPropPageLMOverview m_pageOverview;
    CPropPageLMVehicle m_pageVehicle;
    CPropPageLMUDLs m_pageUDLs;
    CPropPageLMPartialUDLs m_pagePartialUDLs;
    CPropPageLMFactors m_pageFactors;
    CPropPageLMApplicable m_pageApplicable;

private:
    std::optional<CLoadModel> m_original;
};
