#include "ui/ensemble/LoadModelEnsembleDlg.h"

#include "controls/dragdrop/DragDropText.h"
#include "controls/tip/ExListBox.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "ui/dialogs/ElementList.h"
#include "ui/dialogs/ControlIds.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
// A dragged row: its text and the load model it stands for.
class CDragDropLoadModel : public CDragDropText {
public:
    CDragDropLoadModel(std::wstring text, const CLoadModel* pModel) : CDragDropText(std::move(text)), m_pModel(pModel)
    {
    }
    const CLoadModel* m_pModel;
};

const CLoadModel* ItemModel(const QListWidgetItem* pItem)
{
    return pItem ? reinterpret_cast<const CLoadModel*>(pItem->data(Qt::UserRole).value<quintptr>()) : nullptr;
}

int RowOfModel(const CExListBox* pList, const CLoadModel* pModel)
{
    for (int i = 0; i < pList->count(); ++i)
        if (ItemModel(pList->item(i)) == pModel)
            return i;
    return -1;
}

CExListBox* MakeList(int nID, QWidget* pParent)
{
    auto* pList = new CExListBox(pParent);
    SetCtrlId(pList, nID);
    pList->setSelectionMode(QAbstractItemView::SingleSelection);
    return pList;
}
} // namespace

CLoadModelEnsembleDlg::CLoadModelEnsembleDlg(QWidget* pParent)
    : CQELDialog(318, QStringLiteral("Load Model Ensemble Definition"), pParent),
      m_lbAvailable(MakeList(IDC_LIST_AVAILABLE, this)),
      m_lbIncluded(MakeList(IDC_LIST_INCLUDED, this)),
      m_edDescription(new QLineEdit(this)),
      m_edID(new QLineEdit(this)),
      m_btnInclude(new QPushButton(QStringLiteral("Add >>"), this)),
      m_btnExclude(new QPushButton(QStringLiteral("<< Remove"), this))
{
    SetCtrlId(m_edDescription, IDC_DESCRIPTION);
    SetCtrlId(m_edID, IDC_ITEM_ID);
    m_edID->setEnabled(false);

    auto* pLayout = new QVBoxLayout(this);
    auto* pTop = new QGridLayout;
    pTop->addWidget(new QLabel(QStringLiteral("Description:"), this), 0, 0);
    pTop->addWidget(m_edDescription, 0, 1);
    pTop->addWidget(new QLabel(QStringLiteral("ID"), this), 0, 2);
    pTop->addWidget(m_edID, 0, 3);
    pTop->setColumnStretch(1, 1);
    pLayout->addLayout(pTop);
    auto* pHelp = new QLabel(
        QStringLiteral(
            "To add load models to an ensemble, using the mouse, drag from the \"Available load models\" box "
            "into the \"Included load models\" box. To remove load models from the ensemble, drag and drop "
            "in the opposite direction. Double click to view the load model."),
        this);
    pHelp->setWordWrap(true);
    pLayout->addWidget(pHelp);

    auto* pLists = new QGridLayout;
    pLists->addWidget(new QLabel(QStringLiteral("Available load models:"), this), 0, 0);
    pLists->addWidget(new QLabel(QStringLiteral("Included load models:"), this), 0, 2);
    pLists->addWidget(m_lbAvailable, 1, 0);
    auto* pButtons = new QVBoxLayout;
    pButtons->addStretch(1);
    pButtons->addWidget(m_btnInclude);
    pButtons->addWidget(m_btnExclude);
    pButtons->addStretch(1);
    pLists->addLayout(pButtons, 1, 1);
    pLists->addWidget(m_lbIncluded, 1, 2);
    pLayout->addLayout(pLists, 1);
    AddOkCancel(pLayout);
    resize(640, 480);

    connect(m_edDescription, &QLineEdit::textEdited, this, &CLoadModelEnsembleDlg::OnFieldChange);
    connect(m_btnInclude, &QPushButton::clicked, this,
            [this] { CallHandlerGuarded([this] { MoveSelected(m_lbAvailable, m_lbIncluded); }); });
    connect(m_btnExclude, &QPushButton::clicked, this,
            [this] { CallHandlerGuarded([this] { MoveSelected(m_lbIncluded, m_lbAvailable); }); });
    for (CExListBox* pList : {m_lbAvailable, m_lbIncluded})
        connect(pList, &QListWidget::itemDoubleClicked, this,
                [this, pList] { CallHandlerGuarded([this, pList] { OnDoubleClick(pList); }); });
}

CLoadModelEnsembleDlg::~CLoadModelEnsembleDlg() = default;

void CLoadModelEnsembleDlg::OnInitDialog()
{
    for (const auto& p : m_vLoadModels)
        AppendRow(m_lbAvailable, ElementListText(*p), p.get());
    m_vAllLoadModels = m_vLoadModels;
    if (m_pLME) {
        for (unsigned i = 0; i < static_cast<unsigned>(m_pLME->m_nLoadModels); ++i) {
            const std::shared_ptr<CLoadModel> p = m_pLME->GetLoadModel(i);
            AppendRow(m_lbIncluded, ElementListText(*p), p.get());
            m_vAllLoadModels.push_back(p);
        }
        m_bIsEditable = m_pLME->m_bIsEditable;
    }
    std::sort(m_vAllLoadModels.begin(), m_vAllLoadModels.end(), std::owner_less<>());
    m_vAllLoadModels.erase(std::unique(m_vAllLoadModels.begin(), m_vAllLoadModels.end()), m_vAllLoadModels.end());

    static const DRAGDROPWND table[] = {
        {IDC_LIST_AVAILABLE, DDW_SOURCE | DDW_TARGET}, {IDC_LIST_INCLUDED, DDW_SOURCE | DDW_TARGET}, {0, 0}};
    m_DragDropMgr.Install(this, table);
    for (QWidget* p :
         std::initializer_list<QWidget*>{m_edDescription, m_lbAvailable, m_lbIncluded, m_btnInclude, m_btnExclude})
        p->setEnabled(m_bIsEditable);
    load();
}

void CLoadModelEnsembleDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(m_edDescription, m_sDescription);
    if (!dx.m_bSaveAndValidate)
        dx.Int(m_edID, m_nID);
}

std::shared_ptr<CLoadModel> CLoadModelEnsembleDlg::GetRowLoadModel(const CExListBox* pList, int nRow) const
{
    const CLoadModel* pModel = ItemModel(pList->item(nRow));
    for (const auto& p : m_vAllLoadModels)
        if (p.get() == pModel)
            return p;
    return nullptr;
}

CExListBox* CLoadModelEnsembleDlg::ListOfId(WPARAM nID) const
{
    if (nID == IDC_LIST_AVAILABLE)
        return m_lbAvailable;
    if (nID == IDC_LIST_INCLUDED)
        return m_lbIncluded;
    return nullptr;
}

QListWidgetItem* CLoadModelEnsembleDlg::AppendRow(CExListBox* pList, const std::wstring& sText,
                                                  const CLoadModel* pModel)
{
    auto* pItem = new QListWidgetItem(QString::fromStdWString(sText));
    pItem->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(pModel)));
    pList->addItem(pItem);
    return pItem;
}

void CLoadModelEnsembleDlg::AddRow(CExListBox* pList, const std::wstring& sText, const CLoadModel* pModel)
{
    if (const int nRow = RowOfModel(pList, pModel); nRow >= 0)
        delete pList->takeItem(nRow);
    pList->setCurrentItem(AppendRow(pList, sText, pModel));
}

LRESULT CLoadModelEnsembleDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    CallHandlerGuarded([&] {
        auto* pInfo = reinterpret_cast<DRAGDROPINFO*>(lParam);
        CExListBox* pList = ListOfId(wParam);
        if (!pInfo || !pList)
            return;
        if (message == WM_DD_DRAGENTER) {
            BOOL bOutside = TRUE;
            const int nRow = pList->ItemFromPoint(CPoint(pInfo->pt), bOutside);
            if (bOutside || nRow < 0)
                return;
            QListWidgetItem* pItem = pList->takeItem(nRow);
            pInfo->pData = new CDragDropLoadModel(pItem->text().toStdWString(), ItemModel(pItem));
            delete pItem;
            result = 1;
        } else if ((message == WM_DD_DRAGDROP || message == WM_DD_DRAGABORT) && pInfo->pData) {
            // A drop lands in the target; an abort puts the row back at the end of its source.
            const auto* pData = static_cast<const CDragDropLoadModel*>(pInfo->pData);
            AddRow(pList, pData->GetText(), pData->m_pModel);
        }
    });
    return result;
}

void CLoadModelEnsembleDlg::MoveSelected(CExListBox* pFrom, CExListBox* pTo)
{
    const int nRow = pFrom->currentRow();
    if (nRow < 0)
        return;
    QListWidgetItem* pItem = pFrom->takeItem(nRow);
    AddRow(pTo, pItem->text().toStdWString(), ItemModel(pItem));
    delete pItem;
}

void CLoadModelEnsembleDlg::OnDoubleClick(CExListBox* pList)
{
    const std::shared_ptr<CLoadModel> pModel = GetRowLoadModel(pList, pList->currentRow());
    if (!pModel || !m_fnEditLoadModel)
        return;
    m_fnEditLoadModel(pModel);
    RefreshTexts();
}

void CLoadModelEnsembleDlg::RefreshTexts()
{
    for (CExListBox* pList : {m_lbAvailable, m_lbIncluded})
        for (int i = 0; i < pList->count(); ++i)
            if (const std::shared_ptr<CLoadModel> p = GetRowLoadModel(pList, i))
                pList->item(i)->setText(QString::fromStdWString(ElementListText(*p)));
}

bool CLoadModelEnsembleDlg::OnOK()
{
    if (!save())
        return false;
    if (m_pLME) {
        m_pLME->Clear();
        for (int i = 0; i < m_lbIncluded->count(); ++i)
            if (const std::shared_ptr<CLoadModel> p = GetRowLoadModel(m_lbIncluded, i))
                m_pLME->AddLoadModel(p);
    }
    return true;
}
