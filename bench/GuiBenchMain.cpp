// The main of the benchmarks that need real windows (make bench runs them
// under Xvfb): a home of their own for what they write, the X11 platform, and
// the web engine set up as Orvane sets it up.
#include "BenchGoals.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <unistd.h>

int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    for (const char *variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qunsetenv(variable);
    QStandardPaths::setTestModeEnabled(true);
    qputenv("QT_QPA_PLATFORM", "xcb");
    if (getuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    runBenchmarksWithGoals(&argc, argv);
    return 0;
}
