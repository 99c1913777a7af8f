#pragma once
// The widget behind a CWnd: forwards Qt events to the CWnd's handlers. Internal to the
// window base; other code reaches it through CWnd::GetSafeHwnd/GetClientWidget.
#include <QAbstractScrollArea>

class CWnd;

class CWndWidget : public QAbstractScrollArea {
public:
    CWndWidget(CWnd* pWnd, QWidget* parent, Qt::WindowFlags flags);
    ~CWndWidget() override;
    CWnd* Wnd() const { return m_pWnd; }
    void Detach() { m_pWnd = nullptr; }

protected:
    // Both entry points catch what a handler throws (shown in an error box).
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent*) override {}
    void scrollContentsBy(int, int) override {}
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool focusNextPrevChild(bool next) override;

private:
    void MouseEvent(QEvent* e);
    bool DispatchViewportEvent(QEvent* e);
    CWnd* m_pWnd;
};
