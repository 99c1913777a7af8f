#pragma once
// The "Overview" page: the load model's description, number and editable flag, whether it
// moves and which way, and its sketch.
#include "ui/draw/DrawLoadModelCtrl.h"
#include "ui/sheet/PropertyPage.h"

#include <memory>
#include <string>

class CLoadModel;
class QCheckBox;
class QLineEdit;
class QRadioButton;

class CPropPageLMOverview : public CPropertyPage {
    Q_OBJECT

public:
    explicit CPropPageLMOverview(QWidget* pParent = nullptr);

    void SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel);
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    std::wstring m_sDescription;
    int m_nID = 0;
    std::shared_ptr<CLoadModel> m_pLoadModel;
    bool m_bIsEditable = true;

    QLineEdit* m_edDescription;
    QLineEdit* m_edID;
    QCheckBox* m_chkEditable;
    QRadioButton* m_rbStationary;
    QRadioButton* m_rbMoving;
    QRadioButton* m_rbPositive;
    QRadioButton* m_rbNegative;
    CDrawLoadModelCtrl m_drawCtrl;

protected:
    BOOL OnInitDialog() override;

private:
    void Load();
    void OnDescriptionChanged();
    void SetMoving(bool bMoving);
    void SetDirection(int nDirection);
    void RedrawSketch();
};
