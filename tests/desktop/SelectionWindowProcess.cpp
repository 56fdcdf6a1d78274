#include "SelectionWindowProcess.h"

#include "EventLoopWait.h"
#include "OrvaneProcess.h"

SelectionWindowProcess::SelectionWindowProcess(const QStringList &arguments, const QProcessEnvironment &environment)
{
    m_process.setProcessEnvironment(environment);
    m_process.start(QStringLiteral(SELECTION_WINDOW), arguments);
}

SelectionWindowProcess::~SelectionWindowProcess()
{
    m_process.kill();
    m_process.waitForFinished();
}

bool SelectionWindowProcess::becomesReady()
{
    return spinUntil([this] { return output().contains(QLatin1String("ready\n")); });
}

QString SelectionWindowProcess::output()
{
    m_output += QString::fromUtf8(m_process.readAllStandardOutput());
    return m_output;
}

QString SelectionWindowProcess::window() const
{
    return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                    QString::number(m_process.processId())})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
        .value(0);
}
