#include "DragSourceProcess.h"

#include "OrvaneProcess.h"

#include <QRegularExpression>

DragSourceProcess::DragSourceProcess(const QStringList &arguments)
{
    m_process.start(QStringLiteral(DRAG_SOURCE), arguments);
    m_ready = spinUntil([this] { return read().contains(QLatin1String("ready")); }, 5000);
}

DragSourceProcess::~DragSourceProcess()
{
    m_process.kill();
    m_process.waitForFinished(3000);
}

void DragSourceProcess::dragOver(int x, int y)
{
    movePointer(300, 300);
    xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
    for (int step = 1; step <= 10; ++step) {
        movePointer(300 + (x - 300) * step / 10, 300 + (y - 300) * step / 10);
        holdsFor([] { return true; }, 40);
    }
    holdsFor([] { return true; }, 300);
}

void DragSourceProcess::dragTo(int x, int y)
{
    dragOver(x, y);
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
}

QString DragSourceProcess::result()
{
    const auto match = QRegularExpression(QStringLiteral("result: (\\w+)")).match(read());
    return match.hasMatch() ? match.captured(1) : QString();
}

QString DragSourceProcess::read()
{
    m_output += QString::fromUtf8(m_process.readAllStandardOutput());
    return m_output;
}
