#include "app/OutputWnd.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QMainWindow>
#include <QMenu>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/win/MessageBox.h"

COutputList::COutputList(QWidget* parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("2"));
    setProperty("ctrlId", 2);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setUniformItemSizes(true);
}

QMenu* COutputList::BuildContextMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    const auto add = [&](int nID, const QString& text) {
        QAction* a = menu->addAction(text);
        a->setData(nID);
        connect(a, &QAction::triggered, this, [this, nID] {
            CallHandlerGuarded([&] {
                switch (nID) {
                case ID_EDIT_COPY: OnEditCopy(); break;
                case ID_EDIT_CLEAR: OnEditClear(); break;
                default: OnViewOutput(); break;
                }
            });
        });
    };
    add(ID_EDIT_COPY, tr("&Copy"));
    add(ID_EDIT_CLEAR, tr("&Clear"));
    menu->addSeparator();
    add(ID_VIEW_OUTPUTWND, tr("&Hide"));
    return menu;
}

void COutputList::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu* menu = BuildContextMenu(this);
    menu->exec(e->globalPos());
    delete menu;
    setFocus();
    e->accept();
}

QString COutputList::AllText() const
{
    QString text;
    for (int i = 0; i < count(); ++i)
        text += item(i)->text() + QStringLiteral("\r\n");
    return text;
}

void COutputList::OnEditCopy()
{
    QApplication::clipboard()->setText(AllText());
}

void COutputList::OnEditClear()
{
    clear();
}

void COutputList::OnViewOutput()
{
    QDockWidget* pane = nullptr;
    for (QWidget* w = parentWidget(); w && !pane; w = w->parentWidget())
        pane = qobject_cast<QDockWidget*>(w);
    auto* frame = pane ? qobject_cast<QMainWindow*>(pane->parentWidget()) : nullptr;
    if (!pane || !frame)
        return;
    frame->setFocus();
    pane->hide();
}

COutputWnd::COutputWnd(QWidget* parent) : QWidget(parent), m_pList(new COutputList(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pList);
    m_pList->addItem(QStringLiteral("Program output information will be displayed here"));
}

void COutputWnd::UpdateFonts()
{
    m_pList->setFont(QApplication::font());
}

void COutputWnd::AddLine(const std::wstring& sLine)
{
    m_pList->addItem(QString::fromStdWString(sLine));
    // Scrolling lays the whole list out again. A worker whose load models follow a bridge
    // rule posts a line for every load position, thousands in one go: scrolled after each,
    // the log took quadratic time and held up the window for minutes. One scroll after
    // the burst shows the same last line.
    if (m_bScrollPending)
        return;
    m_bScrollPending = true;
    QTimer::singleShot(0, this, [this] {
        m_bScrollPending = false;
        m_pList->scrollToBottom();
    });
}
