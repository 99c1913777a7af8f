#include "app/OutputWnd.h"

#include <QVBoxLayout>

COutputList::COutputList(QWidget* parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("2"));
    setProperty("ctrlId", 2);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setUniformItemSizes(true);
}

COutputWnd::COutputWnd(QWidget* parent) : QWidget(parent), m_pList(new COutputList(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pList);
    m_pList->addItem(QStringLiteral("Program output information will be displayed here"));
}

void COutputWnd::AddLine(const std::wstring& sLine)
{
    m_pList->addItem(QString::fromStdWString(sLine));
    m_pList->setCurrentRow(m_pList->count() - 1);
    m_pList->scrollToBottom();
    m_pList->clearSelection();
}
