#include "ui/lmsheet/PropPageLMFactors.h"

#include "controls/grid/GridCellNumeric.h"
#include "core/loads/LoadModel.h"
#include "platform/base/CLocale.h"
#include "platform/win/MessageBox.h"
#include "ui/dialogs/DialogBase.h"
#include "ui/dialogs/ControlIds.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
Factor& FactorOf(CLoadModel& lm, int i)
{
    switch (i) {
    case 0: return lm.m_gDLA;
    case 1: return lm.m_gLiveLoad;
    case 2: return lm.m_gUnits;
    default: return lm.m_gArbitrary;
    }
}
} // namespace

CPropPageLMFactors::CPropPageLMFactors(QWidget* pParent)
    : CPropPageWithGridBase(322, QStringLiteral("Factors"), pParent),
      m_cbWidthFactor(new QComboBox(this)),
      m_edGamma(new QLineEdit(this))
{
    m_saHeadings = {L"No.", L"Description", L"Value"};
    m_nFixedRows = 1;
    m_nFixedCols = 1;
    m_nDataCols = 2;
    m_nDataRows = 4;
    SetCtrlId(m_cbWidthFactor, IDC_LM_WIDTH_FACTOR);
    SetCtrlId(m_edGamma, IDC_LM_GAMMA);
    m_cbWidthFactor->addItems(
        {QStringLiteral("None"), QStringLiteral("Low distribution"), QStringLiteral("High distribution")});
    m_edGamma->setEnabled(false);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_Grid.GetSafeHwnd(), 1);
    auto* pForm = new QFormLayout;
    pForm->addRow(QStringLiteral("Overall factor:"), m_edGamma);
    pForm->addRow(QStringLiteral("Width factor:"), m_cbWidthFactor);
    pLayout->addLayout(pForm);
    connect(m_cbWidthFactor, &QComboBox::activated, this,
            [this](int nIndex) { CallHandlerGuarded([&] { OnWidthFactorChanged(nIndex); }); });
}

void CPropPageLMFactors::SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel)
{
    m_pLoadModel = std::move(pLoadModel);
    if (m_pLoadModel)
        m_dGamma = m_pLoadModel->m_Gamma;
}

BOOL CPropPageLMFactors::OnInitDialog()
{
    if (!m_pLoadModel)
        return FALSE;
    if (!CPropPageWithGridBase::OnInitDialog())
        return FALSE;
    // Four factors, no more: no rows appended by Tab or by a paste.
    m_Grid.m_bAppendRowOnTab = FALSE;
    m_Grid.m_bPasteAddsRows = FALSE;
    const int nWidth = m_pLoadModel->m_WidthFactor;
    m_nWidthFactor = (nWidth == 1 || nWidth == 2) ? nWidth : 0;
    FillGrid();
    m_cbWidthFactor->setCurrentIndex(m_nWidthFactor);
    ShowGamma();
    return TRUE;
}

void CPropPageLMFactors::FillGrid()
{
    if (!m_pLoadModel || !m_Grid.GetSafeHwnd())
        return;
    for (int i = 0; i < 4; ++i) {
        const int r = m_nFixedRows + i;
        const Factor f = m_pLoadModel->GetFactor(i);
        // The description is the model's own text: shown, not edited.
        SetCellReadOnly(r, 1, true);
        m_Grid.SetItemText(r, 1, f.desc.c_str());
        m_Grid.SetCellType(r, kValueColumn, RUNTIME_CLASS(CGridCellNumeric));
        if (auto* pCell = dynamic_cast<CGridCellNumeric*>(m_Grid.GetCell(r, kValueColumn))) {
            pCell->SetFormat(GRIDDLG_CELL_FORMAT);
            pCell->m_dwFlags = CGridCellNumeric::NUMERIC_REAL | CGridCellNumeric::NUMERIC_NEGATIVE;
        }
        SetCellNumberText(r, kValueColumn, f.value);
    }
    m_Grid.ExpandColumnsToFit(FALSE);
}

BOOL CPropPageLMFactors::DeleteRow(int)
{
    return FALSE;
}

bool CPropPageLMFactors::CanDeleteRow(int) const
{
    return false;
}

void CPropPageLMFactors::OnGridEndEdit(NMHDR* pNotifyStruct, LRESULT* pResult)
{
    const auto* pItem = reinterpret_cast<const NM_GRIDVIEW*>(pNotifyStruct);
    *pResult = 0;
    if (!m_pLoadModel || pItem->iColumn != kValueColumn || pItem->iRow < m_nFixedRows)
        return;
    CLoadModel& lm = *m_pLoadModel;
    FactorOf(lm, pItem->iRow - m_nFixedRows).value = GetCellNumber(pItem->iRow, pItem->iColumn);
    lm.m_Gamma = lm.m_gDLA.value * lm.m_gLiveLoad.value * lm.m_gUnits.value * lm.m_gArbitrary.value;
    m_dGamma = lm.m_Gamma;
    ShowGamma();
}

void CPropPageLMFactors::OnWidthFactorChanged(int nIndex)
{
    m_nWidthFactor = nIndex;
    if (m_pLoadModel)
        m_pLoadModel->m_WidthFactor = (nIndex == 1 || nIndex == 2) ? nIndex : 0;
}

void CPropPageLMFactors::ShowGamma()
{
    m_edGamma->setText(QString::fromStdWString(FormatDoubleCW("%g", m_dGamma)));
}
