#pragma once

#include "EventLoopWait.h"

#include <QProcess>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <memory>
#include <string>

class WebPage;

// A real Orvane on the test's X display, with a home of its own, driven by
// real input through XTest (xdotool).
class OrvaneProcess
{
public:
    // Settings to find in the settings file at start, as INI lines.
    explicit OrvaneProcess(const QStringList &settings = {});
    ~OrvaneProcess();

    struct Finished
    {
        int exitCode = -1; // -1: did not finish in time, or crashed
        QString out;
        QString err;
    };

    // Another X display than the test's, before launch().
    void setDisplay(const QString &display);
    // Starts Orvane (with these arguments) and waits for "Panel displayed
    // successfully."; again after an end, for the next run in the same home.
    bool launch(const QStringList &arguments = {});
    // Runs a second `orvane` with these arguments, as the desktop would for a URL.
    int runSecond(const QStringList &arguments);
    Finished runSecondWithOutput(const QStringList &arguments);
    int run(const QString &program, const QStringList &arguments);
    Finished runWithOutput(const QString &program, const QStringList &arguments);

    // The panel's window, when mapped.
    bool isPanelVisible();
    QRect panelGeometry();
    QString settingsFile() const;
    // What the running Orvane has written so far.
    QString log();
    QString home() const { return m_home.path(); }
    qint64 processId() const { return m_process.processId(); }
    QProcessEnvironment environment() const { return m_environment; }
    // For the launch and the runs after it.
    void setEnvironment(const QProcessEnvironment &environment) { m_environment = environment; }
    qint64 pid() const { return m_process.processId(); }
    // Sends the signal (SIGTERM, SIGINT) and waits for the end: the exit code
    // of a normal exit, -1 for a crash or no end within five seconds.
    int endWith(int signal);
    // Waits for an end that something else caused; as endWith().
    int waitForEnd();

private:
    QTemporaryDir m_home;
    QProcessEnvironment m_environment;
    QProcess m_process;
    QString m_log;
};

// The desktops the tests run under: the bare X server, a window manager on
// it, or Weston with XWayland (a display of its own).
enum class Desktop { BareServer, Openbox, Xfwm4, Xfwm4Compositing, I3, KWin, Fluxbox, Mutter, WestonXWayland };
std::string desktopName(Desktop desktop);

// The desktop's window manager while the object lives (none for the bare
// server); `configFile` empty for the manager's own configuration. Under
// Weston the test process itself moves to XWayland's display (DISPLAY,
// WAYLAND_DISPLAY, XDG_SESSION_TYPE) until the object goes, so that the
// programs it starts after this one, Orvane and xdotool included, run there.
class WindowManagerProcess
{
public:
    explicit WindowManagerProcess(Desktop desktop, const QString &configFile = {});
    ~WindowManagerProcess();

    // Whether it started and took over the display.
    bool isRunning() const { return m_running; }
    QString log();
    // Starts the manager again with its --replace option, as a user restarts
    // one; true once the new one has taken over.
    bool replace();

private:
    bool start(const QStringList &extraArguments);
    bool startWeston();

    Desktop m_desktop;
    QString m_configFile;
    std::unique_ptr<QProcess> m_process;
    QString m_log;
    QTemporaryDir m_runtime;
    QProcessEnvironment m_testEnvironment;
    bool m_running = false;
};

// Real input through a busy X server and a busy machine: a generous deadline.
constexpr int inputDeadlineMs = 8000;

// A test that runs under each of the desktops it is instantiated with; each
// test starts its desktop.
class OnEachWindowManager : public ::testing::TestWithParam<Desktop>
{
protected:
    // `configFile` empty for the manager's own configuration.
    void startWindowManager(const QString &configFile = {})
    {
        m_windowManager.emplace(GetParam(), configFile);
        ASSERT_TRUE(m_windowManager->isRunning()) << m_windowManager->log().toStdString();
    }
    void TearDown() override { m_windowManager.reset(); }

    std::optional<WindowManagerProcess> m_windowManager;
};

// What `xdotool search --name` finds the panel's window by.
QString panelName();
// Runs `xdotool` with the arguments and returns its output.
QString xdotool(const QStringList &arguments);
// Moves the pointer there through XTest.
void movePointer(int x, int y);
void movePointer(QPoint at);
// Presses and releases a key combination such as "ctrl+w" through XTest.
void pressKeys(const QString &combination);
// Moves the pointer there and clicks that button (1 left, 3 right).
void clickAt(QPoint at, int button = 1);
// Moves the pointer there in small steps, letting both sides of a drag keep up.
void glide(QPoint from, QPoint to, int steps = 12);
// The widget's centre on the screen, once the layouts waiting to run have placed it.
QPoint centerOf(const QWidget *widget);
// Clicks the widget's centre with that button.
void click(const QWidget *widget, int button = 1);
// The shown widget of that class inside `inside` that a screen reader names so.
template<typename Widget>
Widget *shownNamed(const QWidget &inside, const QString &name)
{
    for (Widget *widget : inside.findChildren<Widget *>()) {
        if (widget->isVisible() && widget->accessibleName() == name)
            return widget;
    }
    return nullptr;
}
// What the script gives back in the page; invalid if it did not answer in time.
QVariant valueIn(WebPage &page, const QString &script);
