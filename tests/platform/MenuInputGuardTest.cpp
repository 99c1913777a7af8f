// A menu item lying over a toolbar button: the clicks the window system collects while the
// item's command holds the window were made on the menu the user still saw, and reach no
// button under it. Such clicks are stood in for by mouse events posted to the window from
// inside the command: they wait, as the window system's do, until the command returns.
#include "platform/wnd/MenuInputGuard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>
#include <QToolBar>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

namespace {

bool WaitFor(const std::function<bool()>& cond)
{
    QElapsedTimer t;
    t.start();
    while (!cond() && t.elapsed() < 10000)
        QTest::qWait(10);
    return cond();
}

class MenuOverToolbar : public ::testing::Test {
protected:
    void SetUp() override
    {
        CMenuInputGuard::Install();
        m_pHelp = window.menuBar()->addMenu(QStringLiteral("&Help"));
        m_pPdf = m_pHelp->addAction(QStringLiteral("PDF Help"));
        m_pBar = window.addToolBar(QStringLiteral("Standard"));
        m_pLme = m_pBar->addAction(QStringLiteral("Add Load Model Ensemble"));
        QObject::connect(m_pLme, &QAction::triggered, [this] { ++nLme; });
        QObject::connect(m_pPdf, &QAction::triggered, [this] {
            ++nPdf;
            ClickQueuedOnTheButton();
        });
        window.resize(600, 300);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // The user clicks again while the command runs: a press and a release over the button.
    void ClickQueuedOnTheButton()
    {
        QWidget* button = m_pBar->widgetForAction(m_pLme);
        QWindow* handle = window.windowHandle();
        const QPointF global = button->mapToGlobal(QPointF(button->rect().center()));
        const QPointF local = handle->mapFromGlobal(global);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(
                handle,
                new QMouseEvent(type, local, local, global, Qt::LeftButton,
                                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier));
    }

    void OpenHelp()
    {
        QMenuBar* bar = window.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(m_pHelp->menuAction()).center());
        ASSERT_TRUE(WaitFor([this] { return m_pHelp->isVisible(); }));
    }

    QMainWindow window;
    QMenu* m_pHelp = nullptr;
    QAction* m_pPdf = nullptr;
    QToolBar* m_pBar = nullptr;
    QAction* m_pLme = nullptr;
    int nPdf = 0;
    int nLme = 0;
};

}

TEST_F(MenuOverToolbar, ClicksMadeWhileAnItemsCommandRunsReachNoButton)
{
    OpenHelp();
    const QPoint item = m_pHelp->actionGeometry(m_pPdf).center();
    QTest::mouseMove(m_pHelp, item);
    QTest::mouseClick(m_pHelp, Qt::LeftButton, {}, item);
    QTest::qWait(50);
    EXPECT_EQ(nPdf, 1);
    EXPECT_EQ(nLme, 0);
    EXPECT_FALSE(m_pHelp->isVisible());

    // A click made after the command is the user's own.
    QTest::mouseClick(m_pBar->widgetForAction(m_pLme), Qt::LeftButton);
    EXPECT_EQ(nLme, 1);
}

TEST_F(MenuOverToolbar, ClicksMadeWhileAnItemChosenByKeyRunsReachNoButton)
{
    OpenHelp();
    QTest::keyClick(m_pHelp, Qt::Key_Down);
    if (m_pHelp->activeAction() != m_pPdf)
        m_pHelp->setActiveAction(m_pPdf);
    QTest::keyClick(m_pHelp, Qt::Key_Return);
    QTest::qWait(50);
    EXPECT_EQ(nPdf, 1);
    EXPECT_EQ(nLme, 0);
}

// The guard is the menu's: a command run from the toolbar leaves the clicks made meanwhile
// to go where they were made.
TEST_F(MenuOverToolbar, ClicksMadeWhileAToolbarCommandRunsStillCount)
{
    QObject::connect(m_pLme, &QAction::triggered, [this] {
        if (nLme == 1)
            ClickQueuedOnTheButton();
    });
    QTest::mouseClick(m_pBar->widgetForAction(m_pLme), Qt::LeftButton);
    QTest::qWait(50);
    EXPECT_EQ(nLme, 2);
}
