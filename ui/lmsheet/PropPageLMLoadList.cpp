#include "ui/lmsheet/PropPageLMLoadList.h"

#include "core/loads/LoadModel.h"
#include "core/settings/Settings.h"
#include "platform/win/MessageBox.h"

#include <QFormLayout>
#include <QVBoxLayout>
#include <algorithm>

CPropPageLMLoadList::CPropPageLMLoadList(int nIDTemplate, const QString& sCaption, std::vector<std::wstring> vHeadings,
                                         int nFactorID, const QString& sFactorLabel, QWidget* pParent)
    : CPropPageWithGridBase(nIDTemplate, sCaption, pParent),
      m_pFactorEdit(MakeNumericEdit(this, nFactorID)),
      m_pLayout(new QVBoxLayout(this)),
      m_pFields(new QFormLayout),
      m_factor(m_pFactorEdit, &m_dFactor)
{
    m_saHeadings = std::move(vHeadings);
    m_nFixedRows = 1;
    m_nFixedCols = 1;
    m_nDataCols = static_cast<int>(m_saHeadings.size()) - 1;
    m_nDataRows = 1;
    m_pLayout->addWidget(m_Grid.GetSafeHwnd(), 1);
    m_pLayout->addLayout(m_pFields);
    m_pFields->addRow(sFactorLabel, m_pFactorEdit);
}

void CPropPageLMLoadList::SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel)
{
    m_pLoadModel = std::move(pLoadModel);
    if (!m_pLoadModel)
        return;
    m_pLoadModel->Update();
    m_nLoads = ModelLoadCount();
    m_dFactor = ModelFactor();
    m_nDataRows = static_cast<int>(std::max(1u, m_nLoads));
}

BOOL CPropPageLMLoadList::OnInitDialog()
{
    if (!m_pLoadModel)
        return FALSE;
    if (!CPropPageWithGridBase::OnInitDialog())
        return FALSE;
    ApplyDecimalPlaces(m_pFactorEdit, g_pSettings->General.DecimalPlaces.FACTOR);
    FillGrid();
    m_factor.Load();
    return TRUE;
}

void CPropPageLMLoadList::FillGrid()
{
    if (!m_pLoadModel || !m_Grid.GetSafeHwnd())
        return;
    const int nRows = static_cast<int>(std::max(1u, m_nLoads));
    m_Grid.SetRowCount(m_nFixedRows + nRows);
    NumberRows();
    SetNumericCells(&m_Grid, nRows, m_nDataCols);
    for (unsigned i = 0; i < m_nLoads; ++i) {
        const std::vector<double> values = RowValues(i);
        for (int c = 0; c < m_nDataCols && c < static_cast<int>(values.size()); ++c)
            SetCellNumberText(m_nFixedRows + static_cast<int>(i), m_nFixedCols + c,
                              values[static_cast<std::size_t>(c)]);
    }
    m_Grid.Invalidate();
}

void CPropPageLMLoadList::EnsureLoad(unsigned i)
{
    while (ModelLoadCount() <= i)
        AppendZeroLoad();
    m_nLoads = ModelLoadCount();
}

void CPropPageLMLoadList::OnGridEndEdit(NMHDR* pNotifyStruct, LRESULT* pResult)
{
    const auto* pItem = reinterpret_cast<const NM_GRIDVIEW*>(pNotifyStruct);
    *pResult = 0;
    const int nDataCol = pItem->iColumn - m_nFixedCols;
    if (!m_pLoadModel || pItem->iRow < m_nFixedRows || nDataCol < 0 || nDataCol >= m_nDataCols)
        return;
    const auto r = static_cast<unsigned>(pItem->iRow - m_nFixedRows);
    EnsureLoad(r);
    SetLoadValue(r, nDataCol, GetCellNumber(pItem->iRow, pItem->iColumn));
    OnLoadsEdited();
}

void CPropPageLMLoadList::OnGridRowAppended(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_pLoadModel)
        return;
    AppendZeroLoad();
    m_nLoads = ModelLoadCount();
    AddRow(&m_Grid, m_Grid.GetRowCount() - 1, m_nDataCols);
}

BOOL CPropPageLMLoadList::DeleteRow(int nRow)
{
    if (!CPropPageWithGridBase::DeleteRow(nRow))
        return FALSE;
    const auto i = static_cast<unsigned>(nRow - m_nFixedRows);
    const bool bRemoved = m_pLoadModel && RemoveModelLoad(i);
    if (m_pLoadModel)
        m_nLoads = ModelLoadCount();
    // The grid shows the model again: the deleted row gone, or the refused one back.
    FillGrid();
    OnLoadsEdited();
    if (!bRemoved) {
        MessageBox(m_Grid.GetSafeHwnd(), L"Load could not be removed", L"QEL", MB_OK | MB_ICONERROR);
        return FALSE;
    }
    return TRUE;
}

BOOL CPropPageLMLoadList::OnSetActive()
{
    if (m_pLoadModel && IsInitialised()) {
        m_nLoads = ModelLoadCount();
        RefreshFromModel();
        FillGrid();
    }
    return TRUE;
}

BOOL CPropPageLMLoadList::OnKillActive()
{
    CPropPageWithGridBase::OnKillActive();
    if (!m_pLoadModel)
        return TRUE;
    m_factor.Save();
    ApplyFactor(m_dFactor);
    return TRUE;
}
