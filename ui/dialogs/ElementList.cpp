#include "ui/dialogs/ElementList.h"

#include "ui/dialogs/DialogBase.h"

#include <QSignalBlocker>

std::wstring ElementListText(const CElement& element)
{
    return std::to_wstring(element.m_ID) + L" - " + element.GetDescription();
}

CElementListBox::CElementListBox(int nID, QWidget* pParent) : CExListBox(pParent)
{
    SetCtrlId(this, nID);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, &CElementListBox::OnRowChanged);
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* pItem) {
        if (m_bCheckable)
            emit checkChange(row(pItem), pItem->checkState() == Qt::Checked);
    });
}

void CElementListBox::AddElement(const CElement& element)
{
    const QSignalBlocker block(this);
    auto* pItem = new QListWidgetItem(QString::fromStdWString(ElementListText(element)));
    pItem->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(&element)));
    if (m_bCheckable) {
        pItem->setFlags(pItem->flags() | Qt::ItemIsUserCheckable);
        pItem->setCheckState(Qt::Unchecked);
    }
    addItem(pItem);
}

void CElementListBox::SetCheck(int nRow, bool bChecked)
{
    const QSignalBlocker block(this);
    if (QListWidgetItem* pItem = item(nRow))
        pItem->setCheckState(bChecked ? Qt::Checked : Qt::Unchecked);
}

bool CElementListBox::GetCheck(int nRow) const
{
    const QListWidgetItem* pItem = item(nRow);
    return pItem && pItem->checkState() == Qt::Checked;
}

void CElementListBox::ResetContent()
{
    const QSignalBlocker block(this);
    clear();
}

void CElementListBox::SetCurSel(int nRow)
{
    const QSignalBlocker block(this);
    if (nRow < 0 || nRow >= count()) {
        setCurrentRow(-1);
        clearSelection();
    } else {
        setCurrentRow(nRow);
    }
}

int CElementListBox::GetCurSel() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.front());
}

const CElement* CElementListBox::GetItemElement(int nRow) const
{
    const QListWidgetItem* pItem = item(nRow);
    return pItem ? reinterpret_cast<const CElement*>(pItem->data(Qt::UserRole).value<quintptr>()) : nullptr;
}

void CElementListBox::focusInEvent(QFocusEvent* e)
{
    // Reaching a list where nothing is chosen chooses nothing: the view would make its first
    // row current.
    const QSignalBlocker block(this);
    const bool bHadCurrent = currentRow() >= 0;
    CExListBox::focusInEvent(e);
    if (!bHadCurrent && selectedItems().isEmpty())
        setCurrentRow(-1);
}

void CElementListBox::OnRowChanged(int nRow)
{
    if (m_pIndex)
        *m_pIndex = nRow;
    emit selChange(nRow);
}
