// The status bar's lock-key panes and the status log's font.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>

#include "AppTestUtil.h"
#include "app/AppIds.h"
#include "app/LockKeyPanes.h"
#include "app/OutputWnd.h"

using namespace qeltest;

namespace {

// The keyboard's lights as a test sets them.
class FedLockKeys : public CLockKeyReader {
public:
    explicit FedLockKeys(std::optional<LockKeyState>& state) : m_State(state) {}
    std::optional<LockKeyState> Read() override
    {
        ++m_nReads;
        return m_State;
    }
    std::optional<LockKeyState>& m_State;
    int m_nReads = 0;
};

using StatusPanes = AppFixture;

QStringList Texts(const CLockKeyPanes& panes)
{
    return {panes.GetText(CLockKeyPanes::PANE_CAPS), panes.GetText(CLockKeyPanes::PANE_NUM),
            panes.GetText(CLockKeyPanes::PANE_SCROLL)};
}

}

TEST_F(StatusPanes, FivePanesWithTheLockKeysAfterTheProgress)
{
    Start();
    CLockKeyPanes& panes = *Frame().GetLockKeyPanes();
    auto* progress = Frame().statusBar()->findChild<QProgressBar*>(QStringLiteral("StatusProgress"));
    ASSERT_NE(progress, nullptr);
    int left = progress->geometry().right();
    for (auto pane : {CLockKeyPanes::PANE_CAPS, CLockKeyPanes::PANE_NUM, CLockKeyPanes::PANE_SCROLL}) {
        QLabel* label = panes.GetPane(pane);
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->isVisible());
        EXPECT_GT(label->geometry().left(), left);
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(QStringLiteral("CAP")));
        left = label->geometry().right();
    }
    // Offscreen there is no keyboard to ask: the panes stay empty.
    EXPECT_FALSE(MakePlatformLockKeyReader()->Read().has_value());
    EXPECT_EQ(Texts(panes), (QStringList{"", "", ""}));
}

TEST_F(StatusPanes, TheLockKeysAreReadAfterEveryKeyAndShown)
{
    Start();
    CLockKeyPanes& panes = *Frame().GetLockKeyPanes();
    std::optional<LockKeyState> state = LockKeyState{true, false, true};
    auto reader = std::make_unique<FedLockKeys>(state);
    FedLockKeys& fed = *reader;
    panes.SetReader(std::move(reader));
    EXPECT_EQ(Texts(panes), (QStringList{"CAP", "", "SCRL"}));
    SaveScreenshot(&Frame(), "status-bar-lock-keys.png");
    const int width = panes.GetPane(CLockKeyPanes::PANE_NUM)->width();

    state = LockKeyState{false, true, false};
    EXPECT_EQ(Texts(panes), (QStringList{"CAP", "", "SCRL"})); // until a key comes
    QTest::keyClick(&Frame(), Qt::Key_NumLock);
    ProcessEvents();
    EXPECT_EQ(Texts(panes), (QStringList{"", "NUM", ""}));
    EXPECT_EQ(panes.GetPane(CLockKeyPanes::PANE_NUM)->width(), width); // a lit pane keeps its place
    // A press and a release, each seen by several widgets, make one reading each at most.
    EXPECT_LE(fed.m_nReads, 3);

    // The platform stops telling: the panes go blank.
    state.reset();
    QTest::keyClick(&Frame(), Qt::Key_A);
    ProcessEvents();
    EXPECT_EQ(Texts(panes), (QStringList{"", "", ""}));
}

TEST_F(StatusPanes, TheStatusLogTakesTheRegularFontAgain)
{
    Start();
    Frame().ShowPane(ID_PANE_OUTPUT);
    COutputList* list = Frame().GetOutputWnd()->GetList();
    const QFont before = QApplication::font();
    QFont odd = before;
    odd.setPointSize(before.pointSize() + 9);
    odd.setItalic(true);

    // The desktop's font changes.
    list->setFont(odd);
    QFont changed = before;
    changed.setPointSize(before.pointSize() + 2);
    QApplication::setFont(changed);
    ProcessEvents();
    EXPECT_EQ(list->font(), QApplication::font());
    EXPECT_EQ(list->font().pointSize(), before.pointSize() + 2);
    QApplication::setFont(before);
    ProcessEvents();
    EXPECT_EQ(list->font().pointSize(), before.pointSize());

    // A change of look.
    list->setFont(odd);
    Frame().OnApplicationLook(ID_VIEW_APPLOOK_OFF_2007_SILVER);
    EXPECT_EQ(list->font(), QApplication::font());
}
