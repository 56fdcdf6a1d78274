#include "OrvaneProcess.h"

#include <QDir>
#include <QFile>

#include <csignal>

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

Openbox::Openbox(const QString &configFile)
{
    QStringList arguments = {QStringLiteral("--sm-disable")};
    if (!configFile.isEmpty())
        arguments += {QStringLiteral("--config-file"), configFile};
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(QStringLiteral("openbox"), arguments);
    m_running = spinUntil([] {
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
        xprop.waitForFinished(2000);
        return xprop.readAllStandardOutput().contains("window id");
    });
}

Openbox::~Openbox()
{
    m_process.terminate();
    m_process.waitForFinished(3000);
    // What it left on the root window would tell the next test's programs
    // that a window manager still runs (Qt would then ask it to focus their
    // windows instead of focusing them itself).
    for (const char *property : {"_NET_SUPPORTING_WM_CHECK", "_NET_SUPPORTED", "_NET_ACTIVE_WINDOW", "_NET_CLIENT_LIST",
                                 "_NET_CLIENT_LIST_STACKING"}) {
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

