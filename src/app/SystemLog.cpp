#include "app/SystemLog.h"

#include <QDebug>

#include <cstdio>

namespace {
void writeLine(QtMsgType, const QMessageLogContext &, const QString &message)
{
    // A message must stay one line so that log readers can rely on it.
    QString line = message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}
} // namespace

namespace SystemLog {

void install()
{
    qInstallMessageHandler(writeLine);
}

void write(const QString &line)
{
    qInfo().noquote() << line;
}

} // namespace SystemLog
