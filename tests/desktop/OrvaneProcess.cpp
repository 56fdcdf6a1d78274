#include "OrvaneProcess.h"

#include "platform/WebPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <csignal>
#include <optional>

OrvaneProcess::OrvaneProcess(const QStringList &settings) : m_environment(QProcessEnvironment::systemEnvironment())
{
    m_environment.insert(QStringLiteral("HOME"), m_home.path());
    const QString runtime = m_home.filePath(QStringLiteral("run"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    // Xvfb has no GPU, and containers have a small /dev/shm.
    m_environment.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), QStringLiteral("--disable-gpu --disable-dev-shm-usage"));
    for (const char *variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "QT_QPA_PLATFORM"})
        m_environment.remove(QString::fromLatin1(variable));
    if (!settings.isEmpty()) {
        QDir().mkpath(QFileInfo(settingsFile()).path());
        QFile file(settingsFile());
        if (file.open(QIODevice::WriteOnly))
            file.write(("[General]\n" + settings.join(QLatin1Char('\n')) + "\n").toUtf8());
    }
    m_process.setProcessChannelMode(QProcess::MergedChannels);
}

OrvaneProcess::~OrvaneProcess()
{
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

QString OrvaneProcess::settingsFile() const
{
    return m_home.filePath(QStringLiteral(".config/Orvane/Orvane.conf"));
}

void OrvaneProcess::setDisplay(const QString &display)
{
    m_environment.insert(QStringLiteral("DISPLAY"), display);
    m_process.setProcessEnvironment(m_environment);
}

bool OrvaneProcess::launch(const QStringList &arguments)
{
    m_process.setProcessEnvironment(m_environment);
    // A second launch of the same home waits for its own start, not the first one's.
    m_log.clear();
    m_process.start(QStringLiteral(ORVANE_BINARY), arguments);
    return spinUntil(
        [this] {
            m_process.waitForReadyRead(20);
            m_log += QString::fromUtf8(m_process.readAll());
            return m_log.contains(QLatin1String("[Orvane] Panel displayed successfully."));
        },
        15000);
}

QString OrvaneProcess::log()
{
    // Takes in what has reached the pipe, without waiting for more.
    m_process.waitForReadyRead(0);
    m_log += QString::fromUtf8(m_process.readAll());
    return m_log;
}

int OrvaneProcess::endWith(int signal)
{
    ::kill(pid_t(m_process.processId()), signal);
    return waitForEnd();
}

int OrvaneProcess::waitForEnd()
{
    if (!m_process.waitForFinished(5000) || m_process.exitStatus() != QProcess::NormalExit)
        return -1;
    m_log += QString::fromUtf8(m_process.readAll());
    return m_process.exitCode();
}

int OrvaneProcess::runSecond(const QStringList &arguments)
{
    return run(QStringLiteral(ORVANE_BINARY), arguments);
}

OrvaneProcess::Finished OrvaneProcess::runSecondWithOutput(const QStringList &arguments)
{
    return runWithOutput(QStringLiteral(ORVANE_BINARY), arguments);
}

int OrvaneProcess::run(const QString &program, const QStringList &arguments)
{
    return runWithOutput(program, arguments).exitCode;
}

OrvaneProcess::Finished OrvaneProcess::runWithOutput(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(m_environment);
    process.start(program, arguments);
    Finished finished;
    if (process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit)
        finished.exitCode = process.exitCode();
    finished.out = QString::fromUtf8(process.readAllStandardOutput());
    finished.err = QString::fromUtf8(process.readAllStandardError());
    return finished;
}

bool OrvaneProcess::isPanelVisible()
{
    const QString pid = QString::number(m_process.processId());
    return !xdotool({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--pid"), pid, QStringLiteral("--name"), panelName()})
                .trimmed()
                .isEmpty();
}

QRect OrvaneProcess::panelGeometry()
{
    const QString pid = QString::number(m_process.processId());
    const QString window = xdotool({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--pid"), pid,
                                    QStringLiteral("--name"), panelName()})
                               .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                               .value(0);
    if (window.isEmpty())
        return {};
    QRect geometry;
    const QStringList lines =
        xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window}).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const int value = line.section(QLatin1Char('='), 1).toInt();
        if (line.startsWith(QLatin1String("X=")))
            geometry.moveLeft(value);
        else if (line.startsWith(QLatin1String("Y=")))
            geometry.moveTop(value);
        else if (line.startsWith(QLatin1String("WIDTH=")))
            geometry.setWidth(value);
        else if (line.startsWith(QLatin1String("HEIGHT=")))
            geometry.setHeight(value);
    }
    return geometry;
}

std::string desktopName(Desktop desktop)
{
    switch (desktop) {
    case Desktop::BareServer: return "bare_x_server";
    case Desktop::Openbox: return "openbox";
    case Desktop::Xfwm4: return "xfwm4";
    case Desktop::Xfwm4Compositing: return "xfwm4_compositing";
    case Desktop::I3: return "i3";
    case Desktop::KWin: return "kwin_x11";
    case Desktop::Fluxbox: return "fluxbox";
    case Desktop::Mutter: return "mutter_x11";
    case Desktop::WestonXWayland: return "weston_xwayland";
    }
    return {};
}

namespace {

// The window the manager names itself by on the root window, or empty.
QString supportingWindow()
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
    xprop.waitForFinished(2000);
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput());
    return out.contains(QLatin1String("window id")) ? out.section(QLatin1Char('#'), 1).trimmed() : QString();
}

QStringList managerCommand(Desktop desktop, const QString &configFile)
{
    switch (desktop) {
    case Desktop::Openbox:
        return configFile.isEmpty() ? QStringList{QStringLiteral("openbox"), QStringLiteral("--sm-disable")}
                                    : QStringList{QStringLiteral("openbox"), QStringLiteral("--sm-disable"),
                                                  QStringLiteral("--config-file"), configFile};
    case Desktop::Xfwm4: return {QStringLiteral("xfwm4"), QStringLiteral("--compositor=off"), QStringLiteral("--sm-client-disable")};
    case Desktop::Xfwm4Compositing:
        return {QStringLiteral("xfwm4"), QStringLiteral("--compositor=on"), QStringLiteral("--vblank=off"),
                QStringLiteral("--sm-client-disable")};
    case Desktop::I3: return {QStringLiteral("i3"), QStringLiteral("-c"), configFile};
    case Desktop::KWin: return {QStringLiteral("kwin_x11")};
    case Desktop::Fluxbox: return {QStringLiteral("fluxbox")};
    case Desktop::Mutter: return {QStringLiteral("mutter"), QStringLiteral("--x11"), QStringLiteral("--sm-disable")};
    case Desktop::BareServer:
    case Desktop::WestonXWayland: break;
    }
    return {};
}

} // namespace

WindowManagerProcess::WindowManagerProcess(Desktop desktop, const QString &configFile)
    : m_desktop(desktop), m_configFile(configFile), m_testEnvironment(QProcessEnvironment::systemEnvironment())
{
    if (desktop == Desktop::BareServer) {
        m_running = true;
        return;
    }
    QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (desktop == Desktop::I3 && m_configFile.isEmpty()) {
        // i3's own configuration binds Alt with most letters and space; a
        // user's binds far fewer, and none of Orvane's keys.
        m_configFile = m_runtime.filePath(QStringLiteral("i3.config"));
        QFile file(m_configFile);
        if (file.open(QIODevice::WriteOnly))
            file.write("font pango:monospace 8\nfocus_follows_mouse no\n");
    }
    if (desktop == Desktop::Fluxbox) {
        // Its style's wallpaper otherwise comes with a message window about a missing image viewer.
        QDir().mkpath(m_runtime.filePath(QStringLiteral(".fluxbox")));
        QFile overlay(m_runtime.filePath(QStringLiteral(".fluxbox/overlay")));
        QFile init(m_runtime.filePath(QStringLiteral(".fluxbox/init")));
        if (overlay.open(QIODevice::WriteOnly) && init.open(QIODevice::WriteOnly)) {
            overlay.write("background: none\n");
            init.write("session.styleOverlay: " + QFile::encodeName(overlay.fileName()) + "\n");
        }
    }
    m_running = desktop == Desktop::WestonXWayland ? startWeston() : start({});
}

bool WindowManagerProcess::start(const QStringList &extraArguments)
{
    const QString before = supportingWindow();
    QStringList command = managerCommand(m_desktop, m_configFile) + extraArguments;
    auto process = std::make_unique<QProcess>();
    // A home of its own: the managers write their first-run configuration there.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_runtime.path());
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start(command.takeFirst(), command);
    std::unique_ptr<QProcess> old = std::exchange(m_process, std::move(process));
    const bool tookOver = spinUntil(
        [&] {
            const QString now = supportingWindow();
            return !now.isEmpty() && now != before;
        },
        20000);
    if (old) {
        m_log += QString::fromUtf8(old->readAll());
        old->terminate();
        old->waitForFinished(3000);
    }
    return tookOver;
}

bool WindowManagerProcess::startWeston()
{
    m_process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_runtime.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    m_process->setProcessEnvironment(environment);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->start(QStringLiteral("weston"),
                     {QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--use-pixman"),
                      QStringLiteral("--width=1440"), QStringLiteral("--height=900"), QStringLiteral("--idle-time=0"),
                      QStringLiteral("--xwayland"), QStringLiteral("--socket=wayland-orvane")});
    static const QRegularExpression listening(QStringLiteral("listening on display :(\\d+)"));
    QString display;
    if (!spinUntil(
            [&] {
                m_log += QString::fromUtf8(m_process->readAll());
                const QRegularExpressionMatch match = listening.match(m_log);
                display = match.captured(1);
                return match.hasMatch();
            },
            15000))
        return false;
    qputenv("DISPLAY", ":" + display.toLatin1());
    qputenv("WAYLAND_DISPLAY", QFile::encodeName(m_runtime.filePath(QStringLiteral("wayland-orvane"))));
    qputenv("XDG_SESSION_TYPE", "wayland");
    // XWayland starts with its first client, and Weston's window manager with it.
    return spinUntil([] { return !supportingWindow().isEmpty(); }, 20000);
}

bool WindowManagerProcess::replace()
{
    if (m_desktop != Desktop::Fluxbox)
        return start({QStringLiteral("--replace")});
    // Fluxbox cannot take over from a running one: it is ended and started again.
    m_process->terminate();
    m_process->waitForFinished(3000);
    m_log += QString::fromUtf8(m_process->readAll());
    m_process.reset();
    return start({});
}

QString WindowManagerProcess::log()
{
    if (m_process)
        m_log += QString::fromUtf8(m_process->readAll());
    return m_log;
}

WindowManagerProcess::~WindowManagerProcess()
{
    if (!m_process)
        return;
    m_process->terminate();
    if (!m_process->waitForFinished(3000)) {
        m_process->kill();
        m_process->waitForFinished(3000);
    }
    if (m_desktop == Desktop::WestonXWayland) {
        for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"}) {
            const QString name = QString::fromLatin1(variable);
            if (m_testEnvironment.contains(name))
                qputenv(variable, m_testEnvironment.value(name).toLocal8Bit());
            else
                qunsetenv(variable);
        }
        return;
    }
    // What it left on the root window would tell the next test's programs
    // that a window manager still runs (Qt would then ask it to focus their
    // windows instead of focusing them itself).
    for (const char *property : {"_NET_SUPPORTING_WM_CHECK", "_NET_SUPPORTED", "_NET_ACTIVE_WINDOW", "_NET_CLIENT_LIST",
                                 "_NET_CLIENT_LIST_STACKING", "_NET_WORKAREA"}) {
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"),
                    {QStringLiteral("-root"), QStringLiteral("-remove"), QString::fromLatin1(property)});
        xprop.waitForFinished(2000);
    }
}

QString panelName()
{
    // Orvane's other windows (the notches) carry longer names.
    return QStringLiteral("^Orvane$");
}

QString xdotool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    process.waitForFinished(5000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

void movePointer(int x, int y)
{
    xdotool({QStringLiteral("mousemove"), QString::number(x), QString::number(y)});
}

void movePointer(QPoint at)
{
    movePointer(at.x(), at.y());
}

void pressKeys(const QString &combination)
{
    xdotool({QStringLiteral("key"), combination});
}

void clickAt(QPoint at, int button)
{
    movePointer(at);
    xdotool({QStringLiteral("click"), QString::number(button)});
}

void glide(QPoint from, QPoint to, int steps)
{
    for (int i = 1; i <= steps; ++i) {
        movePointer(from + (to - from) * i / steps);
        spinFor(30);
    }
}

QPoint centerOf(const QWidget *widget)
{
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    return widget->mapToGlobal(widget->rect().center());
}

void click(const QWidget *widget, int button)
{
    clickAt(centerOf(widget), button);
}

QVariant valueIn(WebPage &page, const QString &script)
{
    std::optional<QVariant> value;
    page.runJavaScript(script, [&value](const QVariant &given) { value = given; });
    spinUntil([&] { return value.has_value(); });
    return value.value_or(QVariant());
}
