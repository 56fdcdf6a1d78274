#pragma once

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

#include <unistd.h>

// What a benchmark with real windows sets up before its QApplication: a home
// of its own for what it writes, the X11 platform, and the web engine set up
// as Orvane sets it up. The home lasts as long as the returned folder.
inline std::unique_ptr<QTemporaryDir> setUpGuiBench()
{
    auto home = std::make_unique<QTemporaryDir>();
    qputenv("HOME", home->path().toLocal8Bit());
    for (const char *variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qunsetenv(variable);
    QStandardPaths::setTestModeEnabled(true);
    qputenv("QT_QPA_PLATFORM", "xcb");
    if (getuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return home;
}
