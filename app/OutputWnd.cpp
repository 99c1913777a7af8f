#include "app/OutputWnd.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QMainWindow>
#include <QMenu>
#include <QVBoxLayout>
#include <algorithm>

#include "app/StatusLog.h"
#include "platform/win/MessageBox.h"

COutputList::COutputList(CStatusLog& log, QWidget* parent) : QListWidget(parent), m_Log(log)
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
    for (std::size_t i = 0; i < m_Log.LineCount(); ++i)
        text += QString::fromStdWString(m_Log.Line(i)) + QStringLiteral("\r\n");
    return text;
}

void COutputList::OnEditCopy()
{
    QApplication::clipboard()->setText(AllText());
}

void COutputList::OnEditClear()
{
    m_Log.Clear();
    Sync();
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

void COutputList::ScheduleSync()
{
    // Laid out and scrolled after each line, a burst of thousands held the window for
    // minutes; once after the burst shows the same last line.
    m_Sync.Schedule();
}

void COutputList::Sync()
{
    m_Sync.Cancel();
    QAbstractItemModel* rows = model();
    const std::uint64_t shown = (m_bNote ? 1 : 0) + (m_nEnd - m_nFirst);
    if (m_Log.Generation() != m_nGeneration || static_cast<std::uint64_t>(count()) != shown) {
        clear();
        m_nGeneration = m_Log.Generation();
        m_nFirst = m_nEnd = m_Log.FirstSerial();
        m_bNote = false;
    }
    const std::uint64_t firstChanged = m_Log.TakeFirstChanged();

    // The lines the log dropped, in one go.
    const int offset = m_bNote ? 1 : 0;
    const std::uint64_t keepFrom = std::min(std::max(m_nFirst, m_Log.FirstSerial()), m_nEnd);
    if (keepFrom > m_nFirst)
        rows->removeRows(offset, static_cast<int>(keepFrom - m_nFirst));
    m_nFirst = keepFrom;
    if (m_nFirst == m_nEnd)
        m_nFirst = m_nEnd = std::max(m_nEnd, m_Log.FirstSerial());
    if (m_Log.DroppedLines() > 0) {
        if (!m_bNote)
            insertItem(0, QString());
        m_bNote = true;
        item(0)->setText(QString::fromStdWString(m_Log.DroppedNote()));
    }

    // Lines counted again since, then the new ones.
    const int base = m_bNote ? 1 : 0;
    for (std::uint64_t s = std::max(firstChanged, m_nFirst); s < m_nEnd; ++s)
        item(base + static_cast<int>(s - m_nFirst))->setText(QString::fromStdWString(m_Log.LineOfSerial(s)));
    QStringList added;
    for (std::uint64_t s = m_nEnd; s < m_Log.EndSerial(); ++s)
        added.push_back(QString::fromStdWString(m_Log.LineOfSerial(s)));
    m_nEnd = m_Log.EndSerial();
    if (!added.isEmpty()) {
        addItems(added);
        clearSelection();
        scrollToBottom();
    }
}

COutputWnd::COutputWnd(CStatusLog& log, QWidget* parent) : QWidget(parent), m_pList(new COutputList(log, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pList);
    log.AddPlain(L"Program output information will be displayed here");
    m_pList->Sync();
}

void COutputWnd::UpdateFonts()
{
    m_pList->setFont(QApplication::font());
}
