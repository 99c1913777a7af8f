#include "ui/dialogs/AnalysisDlgs.h"

#include "ui/dialogs/ElementList.h"
#include "ui/dialogs/SteppingGroup.h"
#include "ui/dialogs/ControlIds.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CElementListBox* AddElementList(QBoxLayout* pLayout, const QString& sLabel, int nID, int* pIndex, QWidget* pParent)
{
    auto* pLabel = new QLabel(sLabel, pParent);
    auto* pList = new CElementListBox(nID, pParent);
    pList->BindIndex(pIndex);
    pLabel->setBuddy(pList);
    pList->setMinimumSize(220, 90);
    pLayout->addWidget(pLabel);
    pLayout->addWidget(pList, 1);
    return pList;
}

// ---------------------------------------------------------------------------------------

CSinglePositionDlg::CSinglePositionDlg(QWidget* pParent)
    : CQELDialog(311, QStringLiteral("Single Position Analysis"), pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pSystem = new QGroupBox(QStringLiteral("System Configuration"), this);
    auto* pSystemLayout = new QVBoxLayout(pSystem);
    m_listBridges =
        AddElementList(pSystemLayout, QStringLiteral("Select bridge:"), IDC_LIST_BRIDGES, &m_nSelBridge, pSystem);
    m_listLoadModels = AddElementList(pSystemLayout, QStringLiteral("Select loadmodel:"), IDC_LIST_LOADMODELS,
                                      &m_nSelLoadModel, pSystem);
    pLayout->addWidget(pSystem, 1);

    auto* pAnalysis = new QGroupBox(QStringLiteral("Analysis Configuration"), this);
    auto* pRow = new QHBoxLayout(pAnalysis);
    m_editLocation = new QLineEdit(pAnalysis);
    SetCtrlId(m_editLocation, IDC_LOCATION);
    pRow->addWidget(new QLabel(QStringLiteral("Location of the loadmodel:"), pAnalysis));
    pRow->addWidget(m_editLocation, 1);
    pRow->addWidget(new QLabel(QStringLiteral("m"), pAnalysis));
    pLayout->addWidget(pAnalysis);
    AddOkCancel(pLayout);
    ConnectChange(m_editLocation);
}

void CSinglePositionDlg::OnInitDialog()
{
    m_listBridges->Fill(m_vBridges);
    m_listLoadModels->Fill(m_vLoadModels);
    m_listBridges->SetCurSel(0);
    m_listLoadModels->SetCurSel(0);
    SetOkEnabled(!m_vBridges.empty() && !m_vLoadModels.empty());
    load();
}

void CSinglePositionDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Double(m_editLocation, m_dLocation);
}

// ---------------------------------------------------------------------------------------

void CLoadModelChoice::Add(QBoxLayout* pLayout, QWidget* pParent, const QString& sLoadModelLabel, int* pnLoadModel,
                           int* pnLME)
{
    m_pUseLoadModel = new QRadioButton(QStringLiteral("Use Load Model"), pParent);
    SetCtrlId(m_pUseLoadModel, IDC_USE_LOADMODEL);
    pLayout->addWidget(m_pUseLoadModel);
    m_pLoadModels = AddElementList(pLayout, sLoadModelLabel, IDC_LIST_LOADMODELS, pnLoadModel, pParent);
    m_pUseLME = new QRadioButton(QStringLiteral("Use Load Model Ensemble"), pParent);
    SetCtrlId(m_pUseLME, IDC_USE_LME);
    pLayout->addWidget(m_pUseLME);
    m_pLMEs = AddElementList(pLayout, QStringLiteral("Select loadmodel ensemble:"), IDC_LIST_LMES, pnLME, pParent);
}

void CLoadModelChoice::Open()
{
    m_pLMEs->SetCurSel(0);
    m_pLoadModels->SetCurSel(0);
    m_pLoadModels->setFocus();
    m_pLMEs->setEnabled(false);
    m_pUseLoadModel->setChecked(true);
}

void CLoadModelChoice::Choose(bool bUseLoadModel)
{
    m_pLMEs->setEnabled(!bUseLoadModel);
    m_pLoadModels->setEnabled(bUseLoadModel);
    (bUseLoadModel ? m_pLMEs : m_pLoadModels)->SetCurSel(-1);
}

// ---------------------------------------------------------------------------------------

CMovingLoadDlg::CMovingLoadDlg(QWidget* pParent) : CSteppingDlg(310, QStringLiteral("Moving Load Analysis"), pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pColumns = new QHBoxLayout;

    auto* pLoad = new QGroupBox(QStringLiteral("Load Configuration"), this);
    auto* pLoadLayout = new QVBoxLayout(pLoad);
    m_choice.Add(pLoadLayout, pLoad, QStringLiteral("Select loadmodel:"), &m_nSelLoadModel, &m_nSelLME);
    m_radioUseLoadModel = m_choice.m_pUseLoadModel;
    m_radioUseLME = m_choice.m_pUseLME;
    m_listLoadModels = m_choice.m_pLoadModels;
    m_listLMEs = m_choice.m_pLMEs;
    pColumns->addWidget(pLoad, 1);

    auto* pRight = new QVBoxLayout;
    auto* pBridge = new QGroupBox(QStringLiteral("Bridge Configuration"), this);
    auto* pBridgeLayout = new QVBoxLayout(pBridge);
    m_listBridges =
        AddElementList(pBridgeLayout, QStringLiteral("Select bridge:"), IDC_LIST_BRIDGES, &m_nSelBridge, pBridge);
    pRight->addWidget(pBridge, 1);

    m_checkShowEach = new QCheckBox(QStringLiteral("Display each sub-analysis result"), m_pStepping);
    SetCtrlId(m_checkShowEach, IDC_SHOW_EACH);
    m_pStepping->Grid()->addWidget(m_checkShowEach, 2, 0, 1, 3);
    pRight->addWidget(m_pStepping);
    pColumns->addLayout(pRight, 1);
    pLayout->addLayout(pColumns, 1);
    AddOkCancel(pLayout);

    connect(m_checkShowEach, &QCheckBox::clicked, this, [this] { m_bShowEachResult = !m_bShowEachResult; });
    for (bool bUseLoadModel : {true, false})
        connect(bUseLoadModel ? m_radioUseLoadModel : m_radioUseLME, &QRadioButton::clicked, this,
                [this, bUseLoadModel] {
                    m_bUseLoadModel = bUseLoadModel;
                    m_choice.Choose(bUseLoadModel);
                    UpdateOk();
                });
}

void CMovingLoadDlg::OnInitDialog()
{
    m_listBridges->Fill(m_vBridges);
    m_listLoadModels->Fill(m_vLoadModels);
    m_listLMEs->Fill(m_vLMEs);
    m_listBridges->SetCurSel(0);
    // The dialog always opens on one load model, whatever the member held.
    m_choice.Open();
    m_bUseLoadModel = true;
    m_checkShowEach->setChecked(m_bShowEachResult);
    m_pStepping->ShowMethod();
    UpdateOk();
    load();
}

void CMovingLoadDlg::UpdateOk()
{
    SetOkEnabled(!m_vBridges.empty() && (m_bUseLoadModel ? !m_vLoadModels.empty() : !m_vLMEs.empty()));
}

// ---------------------------------------------------------------------------------------

CBridgeRangeDlg::CBridgeRangeDlg(QWidget* pParent) : CSteppingDlg(314, QStringLiteral("Bridge Range Analysis"), pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pSystem = new QGroupBox(QStringLiteral("System Configuration"), this);
    auto* pSystemLayout = new QVBoxLayout(pSystem);
    m_listBridgeSets = AddElementList(pSystemLayout, QStringLiteral("Select bridge set:"), IDC_LIST_BRIDGESETS,
                                      &m_nSelBridgeSet, pSystem);
    m_listLoadModels = AddElementList(pSystemLayout, QStringLiteral("Select loadmodel:"), IDC_LIST_LOADMODELS,
                                      &m_nSelLoadModel, pSystem);
    pLayout->addWidget(pSystem, 1);
    pLayout->addWidget(m_pStepping);
    AddOkCancel(pLayout);
}

void CBridgeRangeDlg::OnInitDialog()
{
    m_listBridgeSets->Fill(m_vBridgeSets);
    m_listLoadModels->Fill(m_vLoadModels);
    m_listBridgeSets->SetCurSel(0);
    m_listLoadModels->SetCurSel(0);
    m_pStepping->ShowMethod();
    SetOkEnabled(!m_vBridgeSets.empty() && !m_vLoadModels.empty());
    load();
}

// ---------------------------------------------------------------------------------------

COutputOptionsDlg::COutputOptionsDlg(QWidget* pParent) : CQELDialog(328, QStringLiteral("Output options"), pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pColumns = new QHBoxLayout;
    auto addBox = [&](QGroupBox* pGroup, const char* text, int nID, bool* pFlag) {
        auto* pBox = new QCheckBox(QString::fromLatin1(text), pGroup);
        SetCtrlId(pBox, nID);
        pGroup->layout()->addWidget(pBox);
        connect(pBox, &QCheckBox::clicked, this, [pFlag] { *pFlag = !*pFlag; });
        return pBox;
    };
    auto* pResults = new QGroupBox(QStringLiteral("Results entities"), this);
    new QVBoxLayout(pResults);
    m_checkBMSF = addBox(pResults, "Bending moment/shear force", IDC_OUT_BMSF, &m_bBMSF);
    m_checkReactions = addBox(pResults, "Reactions", IDC_OUT_REACTIONS, &m_bReactions);
    auto* pDisplay = new QGroupBox(QStringLiteral("Display types"), this);
    new QVBoxLayout(pDisplay);
    m_checkGraphs = addBox(pDisplay, "Graphs", IDC_OUT_GRAPHS, &m_bGraphs);
    m_checkTables = addBox(pDisplay, "Tables", IDC_OUT_TABLES, &m_bTables);
    pColumns->addWidget(pResults);
    pColumns->addWidget(pDisplay);
    pLayout->addLayout(pColumns);
    AddOkCancel(pLayout);
}

void COutputOptionsDlg::OnInitDialog()
{
    m_checkBMSF->setChecked(m_bBMSF);
    m_checkReactions->setChecked(m_bReactions);
    m_checkGraphs->setChecked(m_bGraphs);
    m_checkTables->setChecked(m_bTables);
}
