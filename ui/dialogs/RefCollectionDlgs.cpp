#include "ui/dialogs/RefCollectionDlgs.h"

#include "controls/edit/NumericEdit.h"
#include "core/settings/Settings.h"
#include "ui/dialogs/AnalysisDlgs.h"
#include "ui/dialogs/ElementList.h"
#include "ui/dialogs/SteppingGroup.h"
#include "ui/dialogs/ControlIds.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

namespace {
// A tick puts the element into the collection's list at once, an untick takes it out.
template <class T, class Remove>
void ApplyTick(const std::vector<std::shared_ptr<T>>& vAll, std::vector<std::shared_ptr<T>>& vHeld, int nRow,
               bool bChecked, Remove remove)
{
    const std::shared_ptr<T>& p = vAll.at(static_cast<size_t>(nRow));
    if (bChecked)
        vHeld.push_back(p);
    else
        remove(p);
}
} // namespace

CRefCollectionDlg::CRefCollectionDlg(QWidget* pParent)
    : CSteppingDlg(325, QStringLiteral("Edit Reference Collection"), pParent)
{
    m_StepBound = Bounds::CollectionStep;
    m_NumberBound = Bounds::CollectionStepPoints;
    auto* pLayout = new QVBoxLayout(this);
    auto* pForm = new QFormLayout;
    AddDescriptionAndId(pForm, this, QStringLiteral("Description:"), m_editDescription, m_editID);
    pLayout->addLayout(pForm);

    auto* pSystem = new QGroupBox(QStringLiteral("System Configuration"), this);
    auto* pLists = new QHBoxLayout(pSystem);
    auto* pLeft = new QVBoxLayout;
    auto* pRight = new QVBoxLayout;
    m_listBridgeSets =
        AddElementList(pLeft, QStringLiteral("Select bridge set:"), IDC_LIST_BRIDGESETS, &m_nCurBridgeSet, pSystem);
    m_listLMEs =
        AddElementList(pRight, QStringLiteral("Select loadmodel ensemble:"), IDC_LIST_LMES, &m_nCurLME, pSystem);
    m_listBridgeSets->SetCheckable(true);
    m_listLMEs->SetCheckable(true);
    pLists->addLayout(pLeft);
    pLists->addLayout(pRight);
    pLayout->addWidget(pSystem, 1);

    auto* pBottom = new QHBoxLayout;
    m_checkCalculated = new QCheckBox(QStringLiteral("Has been calculated"), m_pStepping);
    SetCtrlId(m_checkCalculated, IDC_CALCULATED);
    m_checkCalculated->setEnabled(false);
    m_pStepping->Grid()->addWidget(m_checkCalculated, 2, 0, 1, 3);
    pBottom->addWidget(m_pStepping, 1);

    auto* pOverstress = new QGroupBox(QStringLiteral("Overstress Configuration"), this);
    auto* pOverLayout = new QGridLayout(pOverstress);
    m_btnUseOverstress = new QCheckBox(QStringLiteral("Use Overstress Method"), pOverstress);
    SetCtrlId(m_btnUseOverstress, IDC_USE_OVERSTRESS);
    m_editOverstressFactor = new CNumericEdit(pOverstress);
    SetCtrlId(m_editOverstressFactor, IDC_OVERSTRESS_FACTOR);
    pOverLayout->addWidget(m_btnUseOverstress, 0, 0, 1, 2);
    pOverLayout->addWidget(new QLabel(QStringLiteral("Overstress Factor"), pOverstress), 1, 0);
    pOverLayout->addWidget(m_editOverstressFactor, 1, 1);
    pOverLayout->setRowStretch(2, 1);
    pBottom->addWidget(pOverstress, 1);
    pLayout->addLayout(pBottom);
    AddOkCancel(pLayout);

    ConnectChange(m_editDescription);
    connect(m_btnUseOverstress, &QCheckBox::clicked, this, &CRefCollectionDlg::OnFieldChange);
    connect(m_editOverstressFactor, &CNumericEdit::enChange, this, &CRefCollectionDlg::OnFieldChange);
    connect(m_listBridgeSets, &CElementListBox::checkChange, this,
            [this](int nRow, bool bChecked) { CallHandlerGuarded([&] { OnBridgeSetCheck(nRow, bChecked); }); });
    connect(m_listLMEs, &CElementListBox::checkChange, this,
            [this](int nRow, bool bChecked) { CallHandlerGuarded([&] { OnLMECheck(nRow, bChecked); }); });
}

void CRefCollectionDlg::SetData(std::shared_ptr<CReferenceCollection> pRefCollection)
{
    m_spRefCollection = std::move(pRefCollection);
    const CReferenceCollection& c = *m_spRefCollection;
    m_nID = c.m_ID;
    m_sDescription = c.GetDescription();
    m_Stepping = c.GetStepping();
    m_bOverstressOn = c.m_bUseOverstress;
    m_dOverstressFactor = c.m_OverstressFactor;
    m_bCalculated = c.m_bIsCalculated;
}

void CRefCollectionDlg::OnInitDialog()
{
    m_listBridgeSets->Fill(m_vBridgeSets);
    for (size_t i = 0; i < m_vBridgeSets.size(); ++i)
        m_listBridgeSets->SetCheck(static_cast<int>(i),
                                   m_spRefCollection && m_spRefCollection->FindBridgeSet(m_vBridgeSets[i]));
    m_listLMEs->Fill(m_vLMEs);
    for (size_t i = 0; i < m_vLMEs.size(); ++i)
        m_listLMEs->SetCheck(static_cast<int>(i), m_spRefCollection && m_spRefCollection->FindLME(m_vLMEs[i]));
    m_pStepping->ShowMethod();
    const int nPlaces = g_pSettings->General.DecimalPlaces.FACTOR;
    if (nPlaces >= 0 && nPlaces != m_editOverstressFactor->GetDecimalDigitCount())
        m_editOverstressFactor->SetDecimalDigitCount(nPlaces);
    load();
}

void CRefCollectionDlg::DoDataExchange(CDataExchange& dx)
{
    CSteppingDlg::DoDataExchange(dx);
    dx.Text(m_editDescription, m_sDescription);
    dx.Int(m_editID, m_nID);
    if (dx.m_bSaveAndValidate) {
        m_bOverstressOn = m_btnUseOverstress->isChecked();
        m_dOverstressFactor = m_editOverstressFactor->m_dValue;
    } else {
        m_btnUseOverstress->setChecked(m_bOverstressOn);
        m_checkCalculated->setChecked(m_bCalculated);
        m_editOverstressFactor->SetValue(m_dOverstressFactor);
    }
}

void CRefCollectionDlg::OnBridgeSetCheck(int nRow, bool bChecked)
{
    m_nCurBridgeSet = nRow;
    if (CReferenceCollection* c = m_spRefCollection.get())
        ApplyTick(m_vBridgeSets, c->m_vBS, nRow, bChecked, [c](const auto& p) { c->RemoveBridgeSet(p); });
}

void CRefCollectionDlg::OnLMECheck(int nRow, bool bChecked)
{
    m_nCurLME = nRow;
    if (CReferenceCollection* c = m_spRefCollection.get())
        ApplyTick(m_vLMEs, c->m_vLME, nRow, bChecked, [c](const auto& p) { c->RemoveLME(p); });
}

bool CRefCollectionDlg::OnOK()
{
    if (!CSteppingDlg::OnOK())
        return false;
    if (!InBound(Bounds::OverstressFactor, m_dOverstressFactor)) {
        CDataExchange dx(true);
        dx.Fail(m_editOverstressFactor,
                BoundRefusal(Bounds::OverstressFactor, m_dOverstressFactor, L"The overstress factor") + L".");
        return false;
    }
    if (!m_spRefCollection)
        return true;
    CReferenceCollection& c = *m_spRefCollection;
    c.m_bUseOverstress = m_bOverstressOn;
    c.m_OverstressFactor = m_dOverstressFactor;
    c.m_Description = m_sDescription;
    if (m_Stepping.bByStep) {
        c.m_bByStep = true;
        c.m_StepSize = m_Stepping.step;
    } else {
        c.m_bByStep = false;
        c.m_nStepPoints = m_Stepping.nSteps;
    }
    return true;
}

// ---------------------------------------------------------------------------------------

CAnalyzeRefCollectionDlg::CAnalyzeRefCollectionDlg(QWidget* pParent)
    : CAnalyzeRefCollectionDlg(326, QStringLiteral("Analyse Reference Collection"),
                               QStringLiteral("Select the reference collection to analyse (may take some time):"),
                               pParent)
{
}

CAnalyzeRefCollectionDlg::CAnalyzeRefCollectionDlg(int nIDTemplate, const QString& sCaption, const QString& sPrompt,
                                                   QWidget* pParent)
    : CQELDialog(nIDTemplate, sCaption, pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    m_listRefCollections = AddElementList(pLayout, sPrompt, IDC_LIST_REFCOLLECTIONS, &m_nSelRefCollection, this);
    AddOkCancel(pLayout);
}

void CAnalyzeRefCollectionDlg::OnInitDialog()
{
    m_listRefCollections->Fill(m_vRefCollections);
    m_listRefCollections->setFocus();
    if (!m_vRefCollections.empty())
        m_listRefCollections->SetCurSel(0);
    SetOkEnabled(!m_vRefCollections.empty());
    // Clearing the selection would leave no collection for OK to report.
    connect(m_listRefCollections, &CElementListBox::selChange, this, [this](int nRow) { SetOkEnabled(nRow >= 0); });
}

CViewRefCollectionDlg::CViewRefCollectionDlg(QWidget* pParent)
    : CAnalyzeRefCollectionDlg(335, QStringLiteral("View Reference Collection"),
                               QStringLiteral("Select reference collection:"), pParent)
{
}

// ---------------------------------------------------------------------------------------

CCompareEnvelopesDlg::CCompareEnvelopesDlg(QWidget* pParent)
    : CQELDialog(343, QStringLiteral("Compare Critical Envelopes"), pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pLists = new QHBoxLayout;
    auto* pCol1 = new QVBoxLayout;
    m_listRefCollections =
        AddElementList(pCol1, QStringLiteral("Select reference collection:"), IDC_LIST_REFCOLLECTIONS, nullptr, this);
    pLists->addLayout(pCol1);

    auto addPlainList = [&](const QString& sLabel, int nID) {
        auto* pCol = new QVBoxLayout;
        auto* pList = new QListWidget(this);
        SetCtrlId(pList, nID);
        pList->setMinimumSize(180, 90);
        pCol->addWidget(new QLabel(sLabel, this));
        pCol->addWidget(pList, 1);
        pLists->addLayout(pCol);
        return pList;
    };
    m_listRefSets = addPlainList(QStringLiteral("Select reference envelope:"), IDC_LIST_REFSETS);
    m_listBridges = addPlainList(QStringLiteral("Select bridge:"), IDC_LIST_BRIDGES);
    pLayout->addLayout(pLists, 1);

    auto* pForm = new QFormLayout;
    auto addField = [&](const QString& sLabel, int nID) {
        auto* pEdit = new QLineEdit(this);
        SetCtrlId(pEdit, nID);
        pEdit->setReadOnly(true);
        pForm->addRow(sLabel, pEdit);
        return pEdit;
    };
    m_editBridgeSet = addField(QStringLiteral("Bridge Set:"), IDC_REF_BRIDGESET);
    m_editRefLME = addField(QStringLiteral("Load Model Ensemble:"), IDC_REF_LME);
    m_editProposed = addField(QStringLiteral("Proposed LM/E:"), IDC_REF_PROPOSED);
    pLayout->addLayout(pForm);
    AddOkCancel(pLayout);

    connect(m_listRefCollections, &CElementListBox::selChange, this, &CCompareEnvelopesDlg::OnRefCollectionChange);
    connect(m_listRefSets, &QListWidget::currentRowChanged, this, &CCompareEnvelopesDlg::OnRefSetChange);
    connect(m_listBridges, &QListWidget::currentRowChanged, this, &CCompareEnvelopesDlg::OnBridgeChange);
}

namespace {
int CurSel(const QListWidget* pList)
{
    const QList<QListWidgetItem*> selected = pList->selectedItems();
    return selected.isEmpty() ? -1 : pList->row(selected.front());
}

void SetCurSel(QListWidget* pList, int nRow)
{
    const QSignalBlocker block(pList);
    pList->setCurrentRow(nRow < pList->count() ? nRow : -1);
}
} // namespace

void CCompareEnvelopesDlg::FillRefSets()
{
    {
        const QSignalBlocker block(m_listRefSets);
        m_listRefSets->clear();
    }
    m_vRefSets.clear();
    if (m_nSelRefCollection >= 0 && static_cast<size_t>(m_nSelRefCollection) < m_vRefCollections.size())
        m_vRefSets = m_vRefCollections[static_cast<size_t>(m_nSelRefCollection)]->GetRefSets();
    {
        const QSignalBlocker block(m_listRefSets);
        for (size_t k = 1; k <= m_vRefSets.size(); ++k)
            m_listRefSets->addItem(QStringLiteral("Reference set %1").arg(k));
    }
    SetCurSel(m_listRefSets, 0);
    m_nSelRefSet = CurSel(m_listRefSets);
}

void CCompareEnvelopesDlg::FillBridges()
{
    {
        const QSignalBlocker block(m_listBridges);
        m_listBridges->clear();
    }
    if (!m_vRefSets.empty() && m_nSelRefSet >= 0) {
        const std::shared_ptr<CBridgeSet> pBS = m_vRefSets.at(static_cast<size_t>(m_nSelRefSet))->GetBridgeSet();
        if (pBS) {
            const QSignalBlocker block(m_listBridges);
            // Numbered by position in the set, not by the bridges' own IDs.
            for (size_t i = 0; i < pBS->m_vBridges.size(); ++i)
                m_listBridges->addItem(QString::number(i + 1) + QStringLiteral(" - ") +
                                       QString::fromStdWString(pBS->m_vBridges[i]->GetDescription()));
        }
        SetCurSel(m_listBridges, 0);
    } else if (!m_vRefCollections.empty()) {
        MessageBox(this, L"This Reference Collection has not been solved - nothing to display.", L"QEL",
                   MB_OK | MB_ICONINFORMATION);
    }
    m_nSelBridge = CurSel(m_listBridges);
}

void CCompareEnvelopesDlg::ShowSet()
{
    std::wstring sBridgeSet = L"No bridge set", sRefLME = L"No load model ensemble", sProposed = L"No Proposed vehicle";
    if (!m_vRefSets.empty() && m_nSelRefSet >= 0) {
        const CReferenceSet& set = *m_vRefSets.at(static_cast<size_t>(m_nSelRefSet));
        if (set.GetBridgeSet())
            sBridgeSet = set.GetBridgeSet()->GetDescription();
        if (set.GetRefLME())
            sRefLME = set.GetRefLME()->GetDescription();
        if (set.m_bIsRatioCalculated && set.GetPropLME()) {
            const auto pProp = set.GetPropLME();
            sProposed = set.m_bUseLM && !pProp->m_vLoadModel.empty() ? pProp->GetLoadModel(0)->GetDescription()
                                                                     : pProp->GetDescription();
        }
    }
    m_editBridgeSet->setText(QString::fromStdWString(sBridgeSet));
    m_editRefLME->setText(QString::fromStdWString(sRefLME));
    m_editProposed->setText(QString::fromStdWString(sProposed));
    UpdateOk();
}

void CCompareEnvelopesDlg::UpdateOk()
{
    // An unsolved collection leaves no set and no bridge to compare.
    SetOkEnabled(m_nSelRefSet >= 0 && m_nSelBridge >= 0);
}

void CCompareEnvelopesDlg::OnInitDialog()
{
    m_listRefCollections->Fill(m_vRefCollections);
    m_listRefCollections->SetCurSel(0);
    m_nSelRefCollection = m_listRefCollections->GetCurSel();
    FillRefSets();
    FillBridges();
    ShowSet();
}

void CCompareEnvelopesDlg::OnRefCollectionChange(int nRow)
{
    CallHandlerGuarded([&] {
        m_nSelRefCollection = nRow;
        FillRefSets();
        FillBridges();
        ShowSet();
    });
}

void CCompareEnvelopesDlg::OnRefSetChange(int nRow)
{
    CallHandlerGuarded([&] {
        m_nSelRefSet = nRow;
        FillBridges();
        ShowSet();
    });
}

void CCompareEnvelopesDlg::OnBridgeChange(int nRow)
{
    m_nSelBridge = nRow;
    UpdateOk();
}
