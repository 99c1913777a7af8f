#include "ui/dialogs/AnalysisDlgs.h"

#include "ui/dialogs/ElementList.h"
#include "ui/dialogs/SteppingGroup.h"

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
    m_listBridges = AddElementList(pSystemLayout, QStringLiteral("Select bridge:"), 1011, &m_nSelBridge, pSystem);
    m_listLoadModels =
        AddElementList(pSystemLayout, QStringLiteral("Select loadmodel:"), 1012, &m_nSelLoadModel, pSystem);
    pLayout->addWidget(pSystem, 1);

    auto* pAnalysis = new QGroupBox(QStringLiteral("Analysis Configuration"), this);
    auto* pRow = new QHBoxLayout(pAnalysis);
    m_editLocation = new QLineEdit(pAnalysis);
    SetCtrlId(m_editLocation, 1007);
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

CMovingLoadDlg::CMovingLoadDlg(QWidget* pParent) : CQELDialog(310, QStringLiteral("Moving Load Analysis"), pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pColumns = new QHBoxLayout;

    auto* pLoad = new QGroupBox(QStringLiteral("Load Configuration"), this);
    auto* pLoadLayout = new QVBoxLayout(pLoad);
    m_radioUseLoadModel = new QRadioButton(QStringLiteral("Use Load Model"), pLoad);
    SetCtrlId(m_radioUseLoadModel, 1072);
    pLoadLayout->addWidget(m_radioUseLoadModel);
    m_listLoadModels = AddElementList(pLoadLayout, QStringLiteral("Select loadmodel:"), 1012, &m_nSelLoadModel, pLoad);
    m_radioUseLME = new QRadioButton(QStringLiteral("Use Load Model Ensemble"), pLoad);
    SetCtrlId(m_radioUseLME, 1073);
    pLoadLayout->addWidget(m_radioUseLME);
    m_listLMEs = AddElementList(pLoadLayout, QStringLiteral("Select loadmodel ensemble:"), 1027, &m_nSelLME, pLoad);
    pColumns->addWidget(pLoad, 1);

    auto* pRight = new QVBoxLayout;
    auto* pBridge = new QGroupBox(QStringLiteral("Bridge Configuration"), this);
    auto* pBridgeLayout = new QVBoxLayout(pBridge);
    m_listBridges = AddElementList(pBridgeLayout, QStringLiteral("Select bridge:"), 1011, &m_nSelBridge, pBridge);
    pRight->addWidget(pBridge, 1);

    m_pStepping = new CSteppingGroup(QStringLiteral("Analysis Configuration"), CSteppingGroup::AnalysisIds,
                                     &m_bUseStep, &m_dStepSize, &m_nNumSteps, this);
    m_checkShowEach = new QCheckBox(QStringLiteral("Display each sub-analysis result"), m_pStepping);
    SetCtrlId(m_checkShowEach, 1060);
    m_pStepping->Grid()->addWidget(m_checkShowEach, 2, 0, 1, 3);
    pRight->addWidget(m_pStepping);
    pColumns->addLayout(pRight, 1);
    pLayout->addLayout(pColumns, 1);
    AddOkCancel(pLayout);

    connect(m_pStepping, &CSteppingGroup::changed, this, &CMovingLoadDlg::OnFieldChange);
    connect(m_checkShowEach, &QCheckBox::clicked, this, [this] { m_bShowEachResult = !m_bShowEachResult; });
    connect(m_radioUseLoadModel, &QRadioButton::clicked, this, [this] { OnUseLoadModel(true); });
    connect(m_radioUseLME, &QRadioButton::clicked, this, [this] { OnUseLoadModel(false); });
}

void CMovingLoadDlg::OnInitDialog()
{
    m_listBridges->Fill(m_vBridges);
    m_listLoadModels->Fill(m_vLoadModels);
    m_listLMEs->Fill(m_vLMEs);
    m_listBridges->SetCurSel(0);
    m_listLoadModels->SetCurSel(0);
    m_listLMEs->SetCurSel(0);
    m_listLoadModels->setFocus();
    // The dialog always opens on one load model, whatever the member held.
    m_listLMEs->setEnabled(false);
    m_radioUseLoadModel->setChecked(true);
    m_bUseLoadModel = true;
    m_checkShowEach->setChecked(m_bShowEachResult);
    m_pStepping->ShowMethod();
    UpdateOk();
    load();
}

void CMovingLoadDlg::OnUseLoadModel(bool bUseLoadModel)
{
    m_bUseLoadModel = bUseLoadModel;
    m_listLMEs->setEnabled(!bUseLoadModel);
    m_listLoadModels->setEnabled(bUseLoadModel);
    (bUseLoadModel ? m_listLMEs : m_listLoadModels)->SetCurSel(-1);
    UpdateOk();
}

void CMovingLoadDlg::UpdateOk()
{
    SetOkEnabled(!m_vBridges.empty() && (m_bUseLoadModel ? !m_vLoadModels.empty() : !m_vLMEs.empty()));
}

void CMovingLoadDlg::DoDataExchange(CDataExchange& dx)
{
    m_pStepping->DoDataExchange(dx);
}

bool CMovingLoadDlg::OnOK()
{
    CDataExchange dx(true);
    DoDataExchange(dx);
    m_pStepping->Validate(dx, 1);
    return !dx.Failed();
}

// ---------------------------------------------------------------------------------------

CBridgeRangeDlg::CBridgeRangeDlg(QWidget* pParent)
    : CQELDialog(314, QStringLiteral("Bridge Range Analysis"), pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pSystem = new QGroupBox(QStringLiteral("System Configuration"), this);
    auto* pSystemLayout = new QVBoxLayout(pSystem);
    m_listBridgeSets =
        AddElementList(pSystemLayout, QStringLiteral("Select bridge set:"), 1026, &m_nSelBridgeSet, pSystem);
    m_listLoadModels =
        AddElementList(pSystemLayout, QStringLiteral("Select loadmodel:"), 1012, &m_nSelLoadModel, pSystem);
    pLayout->addWidget(pSystem, 1);
    m_pStepping = new CSteppingGroup(QStringLiteral("Analysis Configuration"), CSteppingGroup::AnalysisIds,
                                     &m_bUseStep, &m_dStepSize, &m_nNumSteps, this);
    pLayout->addWidget(m_pStepping);
    AddOkCancel(pLayout);
    connect(m_pStepping, &CSteppingGroup::changed, this, &CBridgeRangeDlg::OnFieldChange);
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

void CBridgeRangeDlg::DoDataExchange(CDataExchange& dx)
{
    m_pStepping->DoDataExchange(dx);
}

bool CBridgeRangeDlg::OnOK()
{
    CDataExchange dx(true);
    DoDataExchange(dx);
    m_pStepping->Validate(dx, 1);
    return !dx.Failed();
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
    m_checkBMSF = addBox(pResults, "Bending moment/shear force", 1044, &m_bBMSF);
    m_checkReactions = addBox(pResults, "Reactions", 1045, &m_bReactions);
    auto* pDisplay = new QGroupBox(QStringLiteral("Display types"), this);
    new QVBoxLayout(pDisplay);
    m_checkGraphs = addBox(pDisplay, "Graphs", 1046, &m_bGraphs);
    m_checkTables = addBox(pDisplay, "Tables", 1047, &m_bTables);
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
