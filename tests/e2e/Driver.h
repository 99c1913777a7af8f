#pragma once
// Drives the real program as a user does: clicks through its menus, presses its keys and
// answers the modal windows its commands open, under a real X server. A scenario runs
// straight through; a modal window is answered by a script queued before the command
// that opens it, found by its caption, object name or (for a message box) its text.
#include <QDir>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <stdexcept>

class CQELApp;
class CMainFrame;
class QAbstractButton;
class QLineEdit;
class QMenu;
class QWidget;

namespace e2e {

// Ends the scenario at a failed requirement; never thrown from inside an answer.
struct Abort : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Failures are counted; the program's exit status reports them.
void Fail(const QString& what);
bool Check(bool bOk, const QString& what);
bool CheckNear(double actual, double expected, double tolerance, const QString& what);
int FailureCount();
void Log(const QString& line);

// How many times slower than a release build this build runs (sanitizers, no optimiser);
// every wait of the scenario is scaled by it.
int SlowFactor();
// The scenario's step under way. A step that runs past its budget ends the program with
// exit status 4, naming the step: a hang fails the run at once and says where it was.
// The budget is generous (QEL_E2E_STEP_SECONDS, else 180 s, scaled by SlowFactor()), so a
// busy machine passes.
void BeginStep(const QString& name);
void StartStepWatchdog();

using Script = std::function<void(QWidget& modal)>;

class Driver {
public:
    Driver(CQELApp& app, const QDir& outDir, const QDir& shotDir);
    ~Driver();

    CQELApp& App() const { return m_App; }
    CMainFrame& Frame() const;
    const QDir& OutDir() const { return m_OutDir; }

    // Events keep flowing while the scenario waits.
    static void Wait(int ms);
    // False (and a failure) when cond is still false after timeoutMs.
    bool WaitFor(const std::function<bool()>& cond, int timeoutMs, const QString& what);

    // Clicks through the menu bar: Menu({"&Insert", "&Bridges", "2-Span"}).
    void Menu(const QStringList& path);
    // A key on the main window, as its shortcuts take it.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // The next modal window whose caption or object name is `match` (or, for a message
    // box, whose text contains it) is answered by the script. Answers are taken in order.
    void OnModal(const QString& match, Script script);
    // Every queued answer was used; the ones left are failures and are dropped.
    void ExpectAnswered(const QString& step);

    // A picture of the main window in the screenshot folder ("e2e-<name>.png").
    QString Shot(const QString& name);
    // A file the program exported into the output folder, for the outside readers
    // (kind: csv, image, pdf); listed in "exports.txt".
    void RecordExport(const QString& kind, const QString& fileName);

private:
    void Poll();
    void Answer(QWidget& modal);

    struct Pending {
        QString match;
        Script script;
    };
    CQELApp& m_App;
    QDir m_OutDir;
    QDir m_ShotDir;
    QTimer m_Timer;
    std::deque<Pending> m_Pending;
    QPointer<QWidget> m_pUnexpected;
    int m_nUnexpectedTicks = 0;
};

// Helpers for answer scripts.
template <class T>
T* Find(QWidget& parent, const QString& name);
QWidget* FindAny(QWidget& parent, const QString& name);
// Replaces a field's text by typing.
void Type(QLineEdit* edit, const QString& text);
// A mouse click in the middle of a button.
void Click(QAbstractButton* button);
// The button with the control id (1 OK, 2 Cancel, or the form's number) or the text.
// A dialog is pictured as it is first answered, filled in, for the user manual
// ("e2e-dialog-<caption>.png").
void Press(QWidget& dialog, const QString& idOrText);
// A picture of one window in the screenshot folder ("e2e-<name>.png").
QString Picture(QWidget& w, const QString& name);
// A picture of what the screen shows over the window, pop-ups included.
QString PictureOfScreen(QWidget& w, const QString& name);
// "Define Bridge" as a file name: "define-bridge".
QString Slug(const QString& text);
// Real input through the X server (xdotool): whatever holds the keyboard or the mouse in
// the program gets it, as a user's would. False (and a failure) when xdotool fails.
bool Xdo(const QStringList& args);
// A key pressed on the keyboard while the window has the X input focus.
bool XKey(QWidget& window, const QString& keysym);
// The pointer moved to a point of the widget (its centre when none), then clicked there.
bool XMoveTo(QWidget* widget, QPoint at = QPoint(-1, -1));
bool XClick(QWidget* widget);

template <class T>
T* Find(QWidget& parent, const QString& name)
{
    T* w = parent.findChild<T*>(name);
    if (!w)
        Fail(QStringLiteral("no control '%1' in '%2'").arg(name, parent.windowTitle()));
    return w;
}

}
