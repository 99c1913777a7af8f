#include "app/LockKeyPanes.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QStatusBar>

namespace {

struct PaneInfo {
    const char* objectName;
    const char* text;
};

constexpr PaneInfo kPanes[] = {{"IndicatorCaps", "CAP"}, {"IndicatorNum", "NUM"}, {"IndicatorScroll", "SCRL"}};

}

CLockKeyPanes::CLockKeyPanes(QStatusBar* pBar) : QObject(pBar), m_pReader(MakePlatformLockKeyReader())
{
    for (int i = 0; i < PANE_COUNT; ++i) {
        auto* label = new QLabel(pBar);
        label->setObjectName(QString::fromLatin1(kPanes[i].objectName));
        label->setAlignment(Qt::AlignCenter);
        // As wide as its text, lit or not, so the panes never shift.
        label->setFixedWidth(label->fontMetrics().horizontalAdvance(QString::fromLatin1(kPanes[i].text)) + 12);
        pBar->addPermanentWidget(label);
        m_pPanes[i] = label;
    }
    qApp->installEventFilter(this);
    Update();
}

CLockKeyPanes::~CLockKeyPanes()
{
    qApp->removeEventFilter(this);
}

void CLockKeyPanes::SetReader(std::unique_ptr<CLockKeyReader> pReader)
{
    m_pReader = std::move(pReader);
    Update();
}

void CLockKeyPanes::Update()
{
    const std::optional<LockKeyState> state = m_pReader ? m_pReader->Read() : std::nullopt;
    const bool on[PANE_COUNT] = {state && state->bCapsLock, state && state->bNumLock, state && state->bScrollLock};
    for (int i = 0; i < PANE_COUNT; ++i)
        m_pPanes[i]->setText(on[i] ? QString::fromLatin1(kPanes[i].text) : QString());
}

QString CLockKeyPanes::GetText(Pane pane) const
{
    return m_pPanes[pane]->text();
}

void CLockKeyPanes::ScheduleUpdate()
{
    m_Update.Schedule();
}

bool CLockKeyPanes::eventFilter(QObject* watched, QEvent* e)
{
    switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ApplicationActivate: ScheduleUpdate(); break;
    default: break;
    }
    return QObject::eventFilter(watched, e);
}
