#include "ui/ensemble/GenerateLMEDlg.h"

#include "controls/grid/GridCellCombo.h"
#include "controls/grid/GridCellNumeric.h"
#include "core/bridge/Linspace.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "ui/dialogs/AnalysisDlgs.h"
#include "ui/dialogs/ElementList.h"
#include "ui/dialogs/ControlIds.h"

#include <QLabel>
#include <QVBoxLayout>
#include <cmath>

namespace {
constexpr DWORD kDecimals = CGridCellNumeric::NUMERIC_REAL;
constexpr DWORD kDecimalsAndNegatives = CGridCellNumeric::NUMERIC_REAL | CGridCellNumeric::NUMERIC_NEGATIVE;
constexpr DWORD kWholeNumbers = 0;

int WholeCount(double dParameter)
{
    return static_cast<int>(std::trunc(std::fmin(dParameter, 1e9)));
}
} // namespace

std::vector<double> VariableAxleDef::GetValues() const
{
    return byDistance ? LinspaceStep(min, max, parameter) : Linspace(WholeCount(parameter), min, max);
}

double VariableAxleDef::CountValues() const
{
    if (!byDistance)
        return WholeCount(parameter) < 2 ? 0.0 : WholeCount(parameter);
    if (!(parameter > 0.0))
        return INFINITY;
    // The whole steps below max, then max itself.
    return std::fmax(0.0, std::ceil((max - min) / parameter)) + 1.0;
}

CGenerateLMEDlg::CGenerateLMEDlg(QWidget* pParent)
    : CDialogWithGridBase(334, QStringLiteral("Generate LME from Load Model"), pParent),
      m_saTypeOptions({L"Fixed", L"Variable"}),
      m_saIncrementOptions({L"Step", L"Distance"})
{
    m_saHeadings = {L"No.", L"Weight", L"Spacing", L"Type", L"Min", L"Max", L"Increment", L"Parameter"};
    m_nFixedCols = 1;
    m_nFixedRows = 1;
    m_nDataCols = static_cast<int>(m_saHeadings.size()) - 1;
    m_nDataRows = 0;

    auto* pLayout = new QVBoxLayout(this);
    m_listLoadModels = AddElementList(pLayout, QStringLiteral("Select loadmodel:"), IDC_LIST_LOADMODELS, nullptr, this);
    pLayout->addWidget(new QLabel(QStringLiteral("Variable axle definitions"), this));
    pLayout->addWidget(m_Grid.GetSafeHwnd(), 2);
    AddOkCancel(pLayout);
    resize(720, 520);
    connect(m_listLoadModels, &CElementListBox::selChange, this,
            [this](int nRow) { CallHandlerGuarded([&] { OnLbnSelchangeLoadModel(nRow); }); });
}

void CGenerateLMEDlg::OnInitDialog()
{
    m_bGridReady = InitGrid(&m_Grid, m_nDataRows, m_nDataCols, &m_saHeadings) != 0;
    // One row per axle of the model: none appended or deleted here.
    m_Grid.m_bAppendRowOnTab = FALSE;
    m_Grid.m_bPasteAddsRows = FALSE;
    m_listLoadModels->Fill(m_vLoadModels);
    m_Grid.EnableWindow(TRUE);
    SetOkEnabled(false);
    load();
}

bool CGenerateLMEDlg::IsReversed() const
{
    return m_spLoadModel && m_spLoadModel->m_Direction == TD_REVERSE;
}

void CGenerateLMEDlg::OnLbnSelchangeLoadModel(int nRow)
{
    if (nRow < 0 || nRow >= static_cast<int>(m_vLoadModels.size()))
        return;
    m_spLoadModel = m_vLoadModels[static_cast<std::size_t>(nRow)];
    LoadAxleDefs();
    FillGrid();
    SetOkEnabled(true);
}

// Reversed, a location x travels at -L - x: the spacing as it travels is x - previous x.
void CGenerateLMEDlg::LoadAxleDefs()
{
    m_vAxleDefs.clear();
    if (!m_spLoadModel || m_spLoadModel->m_vPL.empty())
        return;
    const double dSign = IsReversed() ? -1.0 : 1.0;
    double dPrevious = m_spLoadModel->m_vPL.front().location;
    for (const CLoadModel::PointLoad& pl : m_spLoadModel->m_vPL) {
        VariableAxleDef def;
        def.weight = pl.magnitude;
        def.width = pl.width;
        def.gamma = pl.gamma;
        def.spacing = dSign * (dPrevious - pl.location);
        dPrevious = pl.location;
        m_vAxleDefs.push_back(def);
    }
}

void CGenerateLMEDlg::FillGrid()
{
    if (!m_spLoadModel)
        return;
    if (!InitGrid(&m_Grid, static_cast<int>(m_vAxleDefs.size()), m_nDataCols, &m_saHeadings))
        return;
    for (int i = 0; i < static_cast<int>(m_vAxleDefs.size()); ++i)
        FillGridRow(i);
}

// The cell being edited may be this one: a cell of the kind is kept, not made anew.
template <class Cell>
Cell* CGenerateLMEDlg::CellOfKind(int nRow, int nCol, const CRuntimeClass* pKind)
{
    if (!dynamic_cast<Cell*>(m_Grid.GetCell(nRow, nCol)))
        m_Grid.SetCellType(nRow, nCol, pKind);
    auto* pCell = dynamic_cast<Cell*>(m_Grid.GetCell(nRow, nCol));
    if (pCell)
        pCell->SetFormat(GRIDDLG_CELL_FORMAT);
    return pCell;
}

void CGenerateLMEDlg::SetNumericCell(int nRow, int nCol, double dValue, DWORD dwFlags)
{
    auto* pCell = CellOfKind<CGridCellNumeric>(nRow, nCol, RUNTIME_CLASS(CGridCellNumeric));
    if (!pCell)
        return;
    pCell->m_dwFlags = dwFlags;
    pCell->SetNumber(dwFlags == kWholeNumbers ? std::trunc(dValue) : dValue);
}

void CGenerateLMEDlg::SetComboCell(int nRow, int nCol, const std::vector<std::wstring>& options,
                                   const std::wstring& sText)
{
    auto* pCell = CellOfKind<CGridCellCombo>(nRow, nCol, RUNTIME_CLASS(CGridCellCombo));
    if (!pCell)
        return;
    pCell->SetOptions(options);
    pCell->SetStyle(CBS_DROPDOWNLIST);
    pCell->SetText(sText.c_str());
}

void CGenerateLMEDlg::FillGridRow(int nAxle)
{
    const VariableAxleDef& def = m_vAxleDefs.at(static_cast<std::size_t>(nAxle));
    const int r = m_nFixedRows + nAxle;
    const int c = m_nFixedCols;
    // A reversed model's spacings are negative as it travels.
    const DWORD dwSpacing = IsReversed() ? kDecimalsAndNegatives : kDecimals;
    SetNumericCell(r, c, def.weight, kDecimals);
    SetCellReadOnly(r, c, false);
    SetNumericCell(r, c + 1, def.spacing, dwSpacing);
    SetCellReadOnly(r, c + 1, false);
    SetComboCell(r, c + 2, m_saTypeOptions, def.isFixed ? L"Fixed" : L"Variable");
    if (nAxle == 0)
        SetCellReadOnly(r, c + 2, false);
    else
        SetCellEditable(r, c + 2);
    if (!def.isFixed && nAxle > 0) {
        SetNumericCell(r, c + 3, def.min, dwSpacing);
        SetNumericCell(r, c + 4, def.max, dwSpacing);
        SetComboCell(r, c + 5, m_saIncrementOptions, def.byDistance ? L"Distance" : L"Step");
        SetNumericCell(r, c + 6, def.parameter, def.byDistance ? kDecimals : kWholeNumbers);
        for (int col = c + 3; col <= c + 6; ++col)
            SetCellEditable(r, col);
    } else {
        for (int col = c + 3; col < m_Grid.GetColumnCount(); ++col)
            SetCellReadOnly(r, col, true);
    }
}

void CGenerateLMEDlg::OnGridEndEdit(NMHDR* pNotifyStruct, LRESULT* pResult)
{
    const auto* pItem = reinterpret_cast<const NM_GRIDVIEW*>(pNotifyStruct);
    const int nAxle = pItem->iRow - m_nFixedRows;
    const std::wstring sText = m_Grid.GetItemText(pItem->iRow, pItem->iColumn);
    if (sText.empty() || nAxle < 0) {
        *pResult = -1;
        return;
    }
    *pResult = 0;
    VariableAxleDef& def = m_vAxleDefs.at(static_cast<std::size_t>(nAxle));
    switch (pItem->iColumn - m_nFixedCols) {
    case 2: OnTypeChanged(pItem->iRow, sText); break;
    case 3: def.min = GetCellNumber(pItem->iRow, pItem->iColumn); break;
    case 4: def.max = GetCellNumber(pItem->iRow, pItem->iColumn); break;
    case 5: OnIncrementChanged(pItem->iRow, sText); break;
    case 6: def.parameter = GetCellNumber(pItem->iRow, pItem->iColumn); break;
    default: break;
    }
}

void CGenerateLMEDlg::OnTypeChanged(int nRow, const std::wstring& sText)
{
    const int nAxle = nRow - m_nFixedRows;
    m_vAxleDefs.at(static_cast<std::size_t>(nAxle)).isFixed = sText != L"Variable";
    FillGridRow(nAxle);
    m_Grid.RedrawRow(nRow);
}

void CGenerateLMEDlg::OnIncrementChanged(int nRow, const std::wstring& sText)
{
    const int nAxle = nRow - m_nFixedRows;
    m_vAxleDefs.at(static_cast<std::size_t>(nAxle)).byDistance = sText == L"Distance";
    FillGridRow(nAxle);
    m_Grid.RedrawRow(nRow);
}

BOOL CGenerateLMEDlg::DeleteRow(int)
{
    return FALSE;
}

bool CGenerateLMEDlg::CanDeleteRow(int) const
{
    return false;
}

std::vector<std::vector<double>> CGenerateLMEDlg::GetCombinations() const
{
    std::vector<std::vector<double>> combinations(1);
    for (std::size_t i = 1; i < m_vAxleDefs.size(); ++i) {
        if (m_vAxleDefs[i].isFixed)
            continue;
        const std::vector<double> values = m_vAxleDefs[i].GetValues();
        std::vector<std::vector<double>> next;
        next.reserve(combinations.size() * values.size());
        for (const auto& head : combinations)
            for (double v : values) {
                next.push_back(head);
                next.back().push_back(v);
            }
        combinations = std::move(next);
    }
    return combinations;
}

std::wstring CGenerateLMEDlg::Validate() const
{
    double dCount = 1.0;
    for (std::size_t i = 1; i < m_vAxleDefs.size(); ++i) {
        const VariableAxleDef& def = m_vAxleDefs[i];
        if (def.isFixed)
            continue;
        const std::wstring sAxle = L"Axle " + std::to_wstring(i + 1) + L": ";
        if (def.min > def.max)
            return sAxle + L"the minimum spacing must not exceed the maximum.";
        if (!def.byDistance && WholeCount(def.parameter) < 2)
            return sAxle + L"the number of values must be at least 2.";
        if (def.byDistance && !(def.parameter > 0.0))
            return sAxle + L"the distance between values must be greater than zero.";
        dCount *= def.CountValues();
    }
    if (dCount > kMaxGeneratedModels)
        return L"The variable axles give more than " + std::to_wstring(kMaxGeneratedModels) +
               L" combinations; at most " + std::to_wstring(kMaxGeneratedModels) + L" load models can be generated.";
    return {};
}

std::shared_ptr<CLoadModel> CGenerateLMEDlg::MakeLoadModel(int k, const std::vector<double>& combination) const
{
    auto pModel = std::make_shared<CLoadModel>(*m_spLoadModel);
    pModel->m_Description = m_spGeneratedLME->m_Description + L" - " + std::to_wstring(k + 1);
    pModel->m_ID = k;
    // Laid out from 0 as the model travels, then taken back to its own frame.
    const double dSign = IsReversed() ? -1.0 : 1.0;
    std::size_t nNext = 0;
    double dLocation = 0.0;
    for (std::size_t j = 0; j < m_vAxleDefs.size() && j < pModel->m_vPL.size(); ++j) {
        const VariableAxleDef& def = m_vAxleDefs[j];
        if (j > 0)
            dLocation -= def.isFixed ? def.spacing : combination.at(nNext++);
        pModel->SetPointLoad(static_cast<unsigned>(j), def.gamma, def.weight, dSign * dLocation, def.width);
    }
    pModel->m_bIsUpdated = false;
    return pModel;
}

BOOL CGenerateLMEDlg::Generate()
{
    if (!m_spLoadModel)
        return FALSE;
    if (const std::wstring sReason = Validate(); !sReason.empty()) {
        AfxMessageBox(sReason, MB_OK | MB_ICONWARNING);
        return FALSE;
    }
    const std::vector<std::vector<double>> combinations = GetCombinations();
    if (combinations.empty()) {
        AfxMessageBox(L"These axle definitions give no load model.", MB_OK | MB_ICONWARNING);
        return FALSE;
    }
    m_spGeneratedLME = std::make_shared<CLoadModelEnsemble>(m_nLMEID, L"Gen from: " + m_spLoadModel->m_Description);
    for (std::size_t k = 0; k < combinations.size(); ++k)
        m_spGeneratedLME->AddLoadModel(MakeLoadModel(static_cast<int>(k), combinations[k]));
    return TRUE;
}

bool CGenerateLMEDlg::OnOK()
{
    return save() && Generate();
}
