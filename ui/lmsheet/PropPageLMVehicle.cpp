#include "ui/lmsheet/PropPageLMVehicle.h"

#include "core/loads/LoadModel.h"
#include "core/settings/Settings.h"
#include "platform/win/MessageBox.h"
#include "ui/dialogs/ControlIds.h"

#include <QFormLayout>
#include <QLineEdit>
#include <cmath>

CPropPageLMVehicle::CPropPageLMVehicle(QWidget* pParent)
    : CPropPageLMLoadList(320, QStringLiteral("Vehicle"), {L"No.", L"Weight", L"Spacing", L"Width"}, IDC_LM_AXLE_FACTOR,
                          QStringLiteral("Factor for axle loads:"), pParent),
      m_pFrontEdit(MakeNumericEdit(this, IDC_LM_FRONT)),
      m_pTotalWeightEdit(MakeNumericEdit(this, IDC_LM_TOTAL_WEIGHT)),
      m_pTotalLengthEdit(MakeNumericEdit(this, IDC_LM_TOTAL_LENGTH)),
      m_front(m_pFrontEdit, &m_dFrontLocation),
      m_totalWeight(m_pTotalWeightEdit, &m_dTotalWeight),
      m_totalLength(m_pTotalLengthEdit, &m_dTotalLength)
{
    m_pFields->insertRow(0, QStringLiteral("Location of front axle in the loadmodel coordinate system (m):"),
                         m_pFrontEdit);
    m_pFields->addRow(QStringLiteral("Total vehicle weight:"), m_pTotalWeightEdit);
    m_pFields->addRow(QStringLiteral("Total vehicle length:"), m_pTotalLengthEdit);
    connect(m_pFrontEdit, &QLineEdit::editingFinished, this,
            [this] { CallHandlerGuarded([this] { OnFrontLocationChanged(); }); });
}

double CPropPageLMVehicle::Shown(double x) const
{
    return m_pLoadModel && m_pLoadModel->m_Direction == TD_REVERSE ? -m_dMirrorLength - x : x;
}

void CPropPageLMVehicle::SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel)
{
    CPropPageLMLoadList::SetLoadModel(std::move(pLoadModel));
    if (!m_pLoadModel)
        return;
    m_bEditable = m_pLoadModel->m_bIsEditable;
    m_dMirrorLength = m_pLoadModel->m_Length;
    m_dFrontLocation = m_pLoadModel->m_PointLoadStart;
    m_bLocationsEdited = false;
    RebuildSpacings();
    ComputeTotals();
}

void CPropPageLMVehicle::RebuildSpacings()
{
    const auto& vPL = m_pLoadModel->m_vPL;
    m_vSpacing.clear();
    if (vPL.empty())
        return;
    m_dFrontLocation = Shown(vPL.front().location);
    double dPrevious = m_dFrontLocation;
    for (const CLoadModel::PointLoad& pl : vPL) {
        const double dShown = Shown(pl.location);
        m_vSpacing.push_back(dPrevious - dShown);
        dPrevious = dShown;
    }
}

void CPropPageLMVehicle::RebuildLocations()
{
    double dLocation = m_dFrontLocation;
    for (unsigned i = 0; i < m_pLoadModel->m_nPL && i < m_vSpacing.size(); ++i) {
        dLocation -= m_vSpacing[i];
        const CLoadModel::PointLoad pl = m_pLoadModel->m_vPL.at(i);
        m_pLoadModel->SetPointLoad(i, pl.gamma, pl.magnitude, Shown(dLocation), pl.width);
    }
    // The axles moved: the next analysis must find the model's extent again.
    m_pLoadModel->m_bIsUpdated = false;
    m_bLocationsEdited = false;
}

void CPropPageLMVehicle::ComputeTotals()
{
    const auto& vPL = m_pLoadModel->m_vPL;
    m_dTotalWeight = 0.0;
    for (const CLoadModel::PointLoad& pl : vPL)
        m_dTotalWeight += pl.magnitude;
    m_dTotalLength = vPL.size() < 2 ? 0.0 : std::fabs(vPL.back().location - vPL.front().location);
}

void CPropPageLMVehicle::ShowTotals()
{
    m_totalWeight.Load();
    m_totalLength.Load();
}

BOOL CPropPageLMVehicle::OnInitDialog()
{
    if (!CPropPageLMLoadList::OnInitDialog())
        return FALSE;
    m_pTotalWeightEdit->setEnabled(false);
    m_pTotalLengthEdit->setEnabled(false);
    m_pFrontEdit->setEnabled(m_bEditable);
    m_Grid.EnableWindow(m_bEditable);
    const CSettings::General_Config::General_DecimalPlaces& dp = g_pSettings->General.DecimalPlaces;
    ApplyDecimalPlaces(m_pFrontEdit, dp.DISTANCE);
    ApplyDecimalPlaces(m_pTotalWeightEdit, dp.GVW);
    ApplyDecimalPlaces(m_pTotalLengthEdit, dp.VEHLENGTH);
    m_front.Load();
    ShowTotals();
    return TRUE;
}

unsigned CPropPageLMVehicle::ModelLoadCount() const
{
    return m_pLoadModel->m_nPL;
}

double CPropPageLMVehicle::ModelFactor() const
{
    return m_pLoadModel->m_GammaPL;
}

void CPropPageLMVehicle::AppendZeroLoad()
{
    m_pLoadModel->AddPointLoad(0.0, 0.0, 0.0);
    m_vSpacing.resize(m_pLoadModel->m_nPL, 0.0);
    // The new axle stands where its spacing puts it, behind the one before.
    m_bLocationsEdited = true;
}

bool CPropPageLMVehicle::RemoveModelLoad(unsigned i)
{
    if (!m_pLoadModel->RemovePointLoad(i))
        return false;
    if (m_bLocationsEdited && i < m_vSpacing.size()) {
        m_vSpacing.erase(m_vSpacing.begin() + i);
        RebuildLocations();
    }
    RebuildSpacings();
    m_front.Load();
    return true;
}

std::vector<double> CPropPageLMVehicle::RowValues(unsigned i) const
{
    const CLoadModel::PointLoad& pl = m_pLoadModel->m_vPL.at(i);
    return {pl.magnitude, m_vSpacing.at(i), pl.width};
}

void CPropPageLMVehicle::SetLoadValue(unsigned i, int nDataCol, double dValue)
{
    const CLoadModel::PointLoad pl = m_pLoadModel->m_vPL.at(i);
    switch (nDataCol) {
    case 0: m_pLoadModel->SetPointLoad(i, pl.gamma, dValue, pl.location, pl.width); break;
    case 1:
        m_vSpacing.at(i) = dValue;
        RebuildLocations();
        break;
    default: m_pLoadModel->SetPointLoad(i, pl.gamma, pl.magnitude, pl.location, dValue); break;
    }
    if (m_bLocationsEdited)
        RebuildLocations();
}

void CPropPageLMVehicle::ApplyFactor(double dFactor)
{
    m_pLoadModel->m_GammaPL = dFactor;
    for (CLoadModel::PointLoad& pl : m_pLoadModel->m_vPL)
        pl.gamma = dFactor;
}

void CPropPageLMVehicle::OnLoadsEdited()
{
    ComputeTotals();
    ShowTotals();
}

void CPropPageLMVehicle::RefreshFromModel()
{
    if (m_bLocationsEdited)
        return;
    // The sketch brings the model up to date as it draws: its length may have changed.
    m_dMirrorLength = m_pLoadModel->m_Length;
    RebuildSpacings();
    m_front.Load();
    OnLoadsEdited();
}

void CPropPageLMVehicle::OnFrontLocationChanged()
{
    if (!m_pLoadModel || !m_front.Save())
        return;
    m_front.Load(); // what the field shows is now the page's value
    m_pLoadModel->m_PointLoadStart = m_dFrontLocation;
    RebuildLocations();
    RebuildSpacings();
    FillGrid();
}

BOOL CPropPageLMVehicle::OnKillActive()
{
    if (!m_pLoadModel)
        return TRUE;
    OnFrontLocationChanged();
    CPropPageLMLoadList::OnKillActive();
    if (m_bLocationsEdited)
        RebuildLocations();
    return TRUE;
}

void CPropPageLMVehicle::OnOK()
{
    if (!m_pLoadModel)
        return;
    m_pLoadModel->RemoveZeroLoads();
    m_pLoadModel->RemoveZeroUDLs();
}
