#pragma once
#include <QObject>
#include <QTimer>
#include <functional>
#include <utility>

// Runs a function once on a coming turn of the event loop, however often it was asked
// for in between: a burst of requests (keys, log lines, windows closing) costs one run,
// after the burst. Owned by the object the function works on, it dies with it.
class CDeferredCall {
public:
    CDeferredCall(QObject* pContext, std::function<void()> fn)
    {
        m_Timer.setSingleShot(true);
        m_Timer.setInterval(0);
        QObject::connect(&m_Timer, &QTimer::timeout, pContext, std::move(fn));
    }
    CDeferredCall(const CDeferredCall&) = delete;
    CDeferredCall& operator=(const CDeferredCall&) = delete;

    void Schedule()
    {
        if (!m_Timer.isActive())
            m_Timer.start();
    }
    // The run is done already (the owner did the work at once).
    void Cancel() { m_Timer.stop(); }

private:
    QTimer m_Timer;
};
