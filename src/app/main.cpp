#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "app/SingleInstance.h"
#include "app/SystemLog.h"
#include "math/CurrencyEngine.h"
#include "platform/Ports.h"
#include "platform/qt/DesktopAppearance.h"
#include "platform/qt/ProcFsMemory.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/SettingsFileStore.h"
#include "state/AppVersion.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <memory>

#include <unistd.h>
#include <xcb/xcb.h>

namespace {
// The exit status of a start that handed its URLs over.
int reportHandOff(const SingleInstance::HandOffResult &result)
{
    if (result.delivery == SingleInstance::Delivery::Done)
        return 0;
    const QString problem = result.delivery == SingleInstance::Delivery::Failed
        ? result.problem
        : QStringLiteral("another Orvane holds %1.lock but does not answer on that socket; if none runs, remove "
                         "the lock")
              .arg(SingleInstance::socketPath());
    std::fprintf(stderr, "orvane: %s\n", qPrintable(problem));
    return 1;
}
} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine commandLine = CommandLine::parse(arguments);
    switch (commandLine.action) {
    case CommandLine::Action::ShowHelp:
        std::fputs(qPrintable(CommandLine::usage()), stdout);
        return 0;
    case CommandLine::Action::ShowVersion:
        std::printf("%s\n", qPrintable(AppVersion::fullDisplayString));
        return 0;
    case CommandLine::Action::Refuse:
        std::fprintf(stderr, "orvane: %s\n", qPrintable(commandLine.problem));
        return 2;
    case CommandLine::Action::Start:
        break;
    }
    const QStringList &urls = commandLine.urls;

    // A running Orvane takes the URLs (or the wish to see the panel) and this start ends.
    {
        QCoreApplication probe(argc, argv);
        const SingleInstance::HandOffResult result = SingleInstance::handOff(urls);
        if (result.delivery != SingleInstance::Delivery::NobodyListening)
            return reportHandOff(result);
    }

    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "Orvane needs a graphical desktop session, and none was found "
                             "(DISPLAY is not set). Start it from the desktop, or set DISPLAY.\n");
        return 1;
    }
    // Qt aborts when it cannot reach the X server; say so plainly instead.
    // The probe stays open until Qt has its own connection: were it the
    // display's only client, closing it would make the server reset, and Qt
    // would wait for that.
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> probe(xcb_connect(nullptr, nullptr), &xcb_disconnect);
    if (probe && xcb_connection_has_error(probe.get())) {
        std::fprintf(stderr, "Orvane cannot reach the X display \"%s\". Is the desktop session running, and may "
                             "this user use it?\n", qgetenv("DISPLAY").constData());
        return 1;
    }
    // The panel relies on X11 window management; Wayland desktops run it through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    // The web engine refuses to start its sandbox as root (containers, CI).
    if (getuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    SystemLog::install();
    QApplication app(argc, argv);
    probe.reset();
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvane"));
    QApplication::setDesktopFileName(QStringLiteral("orvane"));
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance;
    if (instance.listen() == SingleInstance::Role::AnotherIsRunning)
        return reportHandOff(SingleInstance::handOff(urls));

    QtClock clock;
    SettingsFileStore store;
    DesktopAppearance appearance;
    ProcFsMemory memory;
    AppDelegate delegate({clock, store, appearance, memory}, instance, urls, CurrencyEngine::defaultServiceAddress());
    // A start that handed commands over hears back only once they are on disk.
    instance.setSaveChanges([&store, &delegate] {
        const QString unsaved = store.flush() ? delegate.unsavedChanges()
                                              : QStringLiteral("the settings could not be saved to %1").arg(store.fileName());
        return unsaved.isEmpty() ? QString() : QStringLiteral("the command was carried out, but ") + unsaved;
    });
    QTimer::singleShot(0, &app, [&delegate, &instance] {
        delegate.applicationDidFinishLaunching();
        instance.startAnswering();
    });
    return app.exec();
}
