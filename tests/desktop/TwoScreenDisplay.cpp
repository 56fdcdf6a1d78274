#include "TwoScreenDisplay.h"

#include "OrvaneProcess.h"

bool TwoScreenDisplay::start()
{
    m_server.start(QStringLiteral("Xephyr"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                              QStringLiteral("1440x900"), QStringLiteral("-noreset")});
    if (!spinUntil([this] { return m_server.canReadLine() || m_server.waitForReadyRead(20); }, 10000))
        return false;
    m_display = QStringLiteral(":") + QString::fromUtf8(m_server.readLine()).trimmed();
    return xrandr({QStringLiteral("--setmonitor"), QStringLiteral("left"), QStringLiteral("720/190x900/240+0+0"),
                   QStringLiteral("default")}) == 0
           && xrandr({QStringLiteral("--setmonitor"), QStringLiteral("right"), QStringLiteral("720/190x900/240+720+0"),
                      QStringLiteral("none")}) == 0;
}

TwoScreenDisplay::~TwoScreenDisplay()
{
    m_server.terminate();
    m_server.waitForFinished(3000);
}

int TwoScreenDisplay::run(const QString &program, const QStringList &arguments, QString *output) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(5000);
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput());
    return process.exitCode();
}
