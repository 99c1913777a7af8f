#include "Driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QSet>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "app/MainFrame.h"
#include "app/QELApp.h"

namespace e2e {

namespace {

int g_nFailures = 0;
QDir g_ShotDir;

using Clock = std::chrono::steady_clock;
// The watchdog thread reads what the scenario's thread writes.
std::mutex g_StepMutex;
std::string g_sStep;
Clock::time_point g_StepStart;
bool g_bStepRunning = false;

std::chrono::seconds StepBudget()
{
    if (const char* env = std::getenv("QEL_E2E_STEP_SECONDS")) {
        const long n = std::strtol(env, nullptr, 10);
        if (n > 0)
            return std::chrono::seconds(n);
    }
    return std::chrono::seconds(180 * SlowFactor());
}

// Menu texts without their mnemonic and shortcut: "&Open...\tCtrl+O" is "Open...".
QString Plain(QString text)
{
    text = text.section(QLatin1Char('\t'), 0, 0);
    text.remove(QLatin1Char('&'));
    return text;
}

}

int SlowFactor()
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || !defined(NDEBUG)
    return 4;
#else
    return 1;
#endif
}

void BeginStep(const QString& name)
{
    Log(QStringLiteral("step %1").arg(name));
    const std::lock_guard lock(g_StepMutex);
    g_sStep = name.toStdString();
    g_StepStart = Clock::now();
    g_bStepRunning = true;
}

void StartStepWatchdog()
{
    const auto budget = StepBudget();
    std::thread([budget] {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            const std::lock_guard lock(g_StepMutex);
            if (g_bStepRunning && Clock::now() - g_StepStart > budget) {
                std::printf("e2e: FAIL step \"%s\" did not finish in %lld s\n", g_sStep.c_str(),
                            static_cast<long long>(budget.count()));
                std::fflush(stdout);
                std::_Exit(4);
            }
        }
    }).detach();
}

namespace {

QAction* FindAction(const QList<QAction*>& actions, const QString& text)
{
    for (QAction* a : actions)
        if (!a->isSeparator() && Plain(a->text()) == Plain(text))
            return a;
    return nullptr;
}

bool Matches(QWidget& modal, const QString& match)
{
    if (modal.windowTitle() == match || modal.objectName() == match)
        return true;
    auto* box = qobject_cast<QMessageBox*>(&modal);
    return box && box->text().contains(match);
}

QString Describe(QWidget& modal)
{
    QString text = QStringLiteral("'%1' (%2)").arg(modal.windowTitle(), modal.objectName());
    if (auto* box = qobject_cast<QMessageBox*>(&modal))
        text += QStringLiteral(": ") + box->text();
    return text;
}

void ClosePopups()
{
    while (QWidget* p = QApplication::activePopupWidget())
        p->close();
}

void PictureDialog(QWidget& dialog)
{
    static QSet<QString> s_Pictured;
    if (!qobject_cast<QDialog*>(&dialog) || qobject_cast<QMessageBox*>(&dialog) || dialog.windowTitle().isEmpty() ||
        s_Pictured.contains(dialog.windowTitle()))
        return;
    s_Pictured.insert(dialog.windowTitle());
    Picture(dialog, QStringLiteral("dialog-") + Slug(dialog.windowTitle()));
}

void CloseModal(QWidget& modal)
{
    if (auto* dlg = qobject_cast<QDialog*>(&modal))
        dlg->reject();
    else
        modal.close();
}

}

void Log(const QString& line)
{
    std::fprintf(stdout, "e2e: %s\n", qPrintable(line));
    std::fflush(stdout);
}

void Fail(const QString& what)
{
    ++g_nFailures;
    std::fprintf(stdout, "e2e: FAIL: %s\n", qPrintable(what));
    std::fflush(stdout);
}

bool Check(bool bOk, const QString& what)
{
    if (!bOk)
        Fail(what);
    return bOk;
}

bool CheckNear(double actual, double expected, double tolerance, const QString& what)
{
    const bool bOk = std::fabs(actual - expected) <= tolerance;
    if (!bOk)
        Fail(QStringLiteral("%1: %2, expected %3 (within %4)")
                 .arg(what)
                 .arg(actual, 0, 'g', 12)
                 .arg(expected)
                 .arg(tolerance));
    return bOk;
}

int FailureCount()
{
    return g_nFailures;
}

Driver::Driver(CQELApp& app, const QDir& outDir, const QDir& shotDir) : m_App(app), m_OutDir(outDir), m_ShotDir(shotDir)
{
    m_OutDir.mkpath(QStringLiteral("."));
    m_ShotDir.mkpath(QStringLiteral("."));
    g_ShotDir = m_ShotDir;
    QFile::remove(m_OutDir.filePath(QStringLiteral("exports.txt")));
    RecordExport({}, {});
    m_Timer.setInterval(20);
    QObject::connect(&m_Timer, &QTimer::timeout, [this] { Poll(); });
    m_Timer.start();
}

Driver::~Driver()
{
    m_Timer.stop();
}

CMainFrame& Driver::Frame() const
{
    CMainFrame* frame = m_App.GetMainFrame();
    if (!frame)
        throw Abort("the main window is gone");
    return *frame;
}

void Driver::Wait(int ms)
{
    QTest::qWait(ms);
}

bool Driver::WaitFor(const std::function<bool()>& cond, int timeoutMs, const QString& what)
{
    QElapsedTimer t;
    t.start();
    timeoutMs *= SlowFactor();
    while (!cond()) {
        if (t.elapsed() > timeoutMs) {
            Fail(QStringLiteral("timed out after %1 ms waiting for %2").arg(timeoutMs).arg(what));
            return false;
        }
        QTest::qWait(10);
    }
    return true;
}

void Driver::Menu(const QStringList& path)
{
    Log(QStringLiteral("menu %1").arg(path.join(QStringLiteral(" > "))));
    QMenuBar* bar = Frame().menuBar();
    QAction* top = FindAction(bar->actions(), path.value(0));
    if (!top || !top->menu())
        throw Abort(QStringLiteral("no menu %1").arg(path.value(0)).toStdString());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(top).center());
    QMenu* menu = top->menu();
    if (!WaitFor([&] { return menu->isVisible(); }, 3000, QStringLiteral("menu %1").arg(path.value(0))))
        throw Abort("menu did not open");
    for (int i = 1; i < path.size(); ++i) {
        QAction* a = FindAction(menu->actions(), path[i]);
        if (!a) {
            ClosePopups();
            throw Abort(QStringLiteral("no item %1 in menu %2").arg(path[i], path[i - 1]).toStdString());
        }
        const QPoint at = menu->actionGeometry(a).center();
        if (i + 1 < path.size()) {
            QTest::mouseMove(menu, at);
            QTest::mouseClick(menu, Qt::LeftButton, {}, at);
            QMenu* sub = a->menu();
            if (!sub || !WaitFor([&] { return sub->isVisible(); }, 3000, QStringLiteral("submenu %1").arg(path[i])))
                throw Abort("submenu did not open");
            menu = sub;
        } else {
            if (!a->isEnabled()) {
                ClosePopups();
                Fail(QStringLiteral("menu item %1 is disabled").arg(path[i]));
                return;
            }
            QTest::mouseMove(menu, at);
            // The command runs inside this click, modal windows and all.
            QTest::mouseClick(menu, Qt::LeftButton, {}, at);
        }
    }
    QTest::qWait(50);
}

void Driver::Key(int key, Qt::KeyboardModifiers modifiers)
{
    CMainFrame& frame = Frame();
    if (!frame.isActiveWindow()) {
        frame.activateWindow();
        (void)QTest::qWaitForWindowActive(&frame, 2000);
    }
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != &frame)
        target = &frame;
    Log(QStringLiteral("key %1 to %2 (active window: %3)")
            .arg(QKeySequence(key | modifiers).toString(), target->metaObject()->className(),
                 QApplication::activeWindow() ? QApplication::activeWindow()->metaObject()->className() : "none"));
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    QTest::qWait(50);
}

void Driver::OnModal(const QString& match, Script script)
{
    m_Pending.push_back({match, std::move(script)});
}

void Driver::ExpectAnswered(const QString& step)
{
    // A window may come up a moment after its command returned (a completion).
    if (!m_Pending.empty())
        WaitFor([this] { return m_Pending.empty(); }, 5000, QStringLiteral("the windows of %1").arg(step));
    for (const Pending& p : m_Pending)
        Fail(QStringLiteral("%1: no window '%2' came up").arg(step, p.match));
    m_Pending.clear();
}

void Driver::Poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) {
        m_pUnexpected = nullptr;
        return;
    }
    if (modal->property("e2eAnswered").toBool())
        return;
    if (!m_Pending.empty() && Matches(*modal, m_Pending.front().match)) {
        m_pUnexpected = nullptr;
        modal->setProperty("e2eAnswered", true);
        // Answered from a timer of its own: a timer does not fire again while its handler
        // runs, and this one must, to answer what the answer itself opens.
        QPointer<QWidget> guard(modal);
        QTimer::singleShot(0, modal, [this, guard] {
            if (guard)
                Answer(*guard);
        });
        return;
    }
    // A window nobody expected (an error box): told, pictured and closed, so the run goes on.
    if (m_pUnexpected != modal) {
        m_pUnexpected = modal;
        m_nUnexpectedTicks = 0;
        return;
    }
    if (++m_nUnexpectedTicks < 100)
        return;
    modal->setProperty("e2eAnswered", true);
    Fail(QStringLiteral("unexpected window %1").arg(Describe(*modal)));
    modal->grab().save(m_ShotDir.filePath(QStringLiteral("e2e-unexpected-%1.png").arg(FailureCount())));
    CloseModal(*modal);
}

void Driver::Answer(QWidget& modal)
{
    Pending p = std::move(m_Pending.front());
    m_Pending.pop_front();
    Log(QStringLiteral("answering %1").arg(Describe(modal)));
    QPointer<QWidget> guard(&modal);
    try {
        p.script(modal);
    } catch (const std::exception& e) {
        Fail(QStringLiteral("answer to '%1' failed: %2").arg(p.match, QString::fromUtf8(e.what())));
    }
    if (guard && guard->isVisible()) {
        Fail(QStringLiteral("the answer left '%1' open").arg(p.match));
        CloseModal(*guard);
    }
}

QString Driver::Shot(const QString& name)
{
    QTest::qWait(100);
    const QString path = m_ShotDir.filePath(QStringLiteral("e2e-%1.png").arg(name));
    // A tip is a window of its own: it is laid over the frame where it stands on screen.
    QPixmap picture = Frame().grab();
    {
        QPainter painter(&picture);
        const QPoint origin = Frame().mapToGlobal(QPoint(0, 0));
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &Frame() && w->isVisible() && w->windowType() == Qt::ToolTip)
                painter.drawPixmap(w->mapToGlobal(QPoint(0, 0)) - origin, w->grab());
    }
    if (!picture.save(path))
        Fail(QStringLiteral("cannot save the picture %1").arg(path));
    return path;
}

void Driver::RecordExport(const QString& kind, const QString& fileName)
{
    QFile list(m_OutDir.filePath(QStringLiteral("exports.txt")));
    if (!list.open(QIODevice::Append | QIODevice::Text)) {
        Fail(QStringLiteral("cannot write %1").arg(list.fileName()));
        return;
    }
    if (!kind.isEmpty())
        list.write(QStringLiteral("%1 %2\n").arg(kind, fileName).toUtf8());
}

QWidget* FindAny(QWidget& parent, const QString& name)
{
    QWidget* w = parent.findChild<QWidget*>(name);
    if (!w)
        Fail(QStringLiteral("no control '%1' in '%2'").arg(name, parent.windowTitle()));
    return w;
}

void Type(QLineEdit* edit, const QString& text)
{
    if (!edit)
        return;
    edit->setFocus();
    QTest::qWait(10); // a field may select part of its text as the focus arrives
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void Click(QAbstractButton* button)
{
    if (!button)
        return;
    if (!button->isEnabled()) {
        Fail(QStringLiteral("button '%1' is disabled").arg(button->text()));
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void Press(QWidget& dialog, const QString& idOrText)
{
    if (auto* b = dialog.findChild<QAbstractButton*>(idOrText)) {
        PictureDialog(dialog);
        Click(b);
        return;
    }
    for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
        if (Plain(b->text()) == Plain(idOrText)) {
            PictureDialog(dialog);
            Click(b);
            return;
        }
    Fail(QStringLiteral("no button '%1' in '%2'").arg(idOrText, dialog.windowTitle()));
}

bool Xdo(const QStringList& args)
{
    QProcess xdo;
    xdo.start(QStringLiteral("xdotool"), args);
    if (!xdo.waitForFinished(10000) || xdo.exitStatus() != QProcess::NormalExit || xdo.exitCode() != 0) {
        Fail(QStringLiteral("xdotool %1 failed: %2")
                 .arg(args.join(QLatin1Char(' ')), QString::fromLocal8Bit(xdo.readAllStandardError())));
        return false;
    }
    return true;
}

bool XKey(QWidget& window, const QString& keysym)
{
    return Xdo({QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(window.window()->winId())}) &&
           Xdo({QStringLiteral("key"), keysym});
}

bool XMoveTo(QWidget* widget, QPoint at)
{
    if (!widget)
        return false;
    const QPoint global = widget->mapToGlobal(at.x() < 0 ? widget->rect().center() : at);
    return Xdo({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y())});
}

bool XClick(QWidget* widget)
{
    return XMoveTo(widget) && Xdo({QStringLiteral("click"), QStringLiteral("1")});
}

QString Picture(QWidget& w, const QString& name)
{
    QTest::qWait(50);
    const QString path = g_ShotDir.filePath(QStringLiteral("e2e-%1.png").arg(name));
    if (!w.grab().save(path))
        Fail(QStringLiteral("cannot save the picture %1").arg(path));
    return path;
}

QString PictureOfScreen(QWidget& w, const QString& name)
{
    QTest::qWait(50);
    const QString path = g_ShotDir.filePath(QStringLiteral("e2e-%1.png").arg(name));
    const QRect r = w.frameGeometry();
    QScreen* screen = w.screen();
    if (!screen || !screen->grabWindow(0, r.x(), r.y(), r.width(), r.height()).save(path))
        Fail(QStringLiteral("cannot save the picture %1").arg(path));
    return path;
}

QString Slug(const QString& text)
{
    QString slug = text.toLower();
    slug.remove(QLatin1Char('&'));
    slug.replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-"));
    while (slug.startsWith(QLatin1Char('-')))
        slug.remove(0, 1);
    while (slug.endsWith(QLatin1Char('-')))
        slug.chop(1);
    return slug;
}

}
