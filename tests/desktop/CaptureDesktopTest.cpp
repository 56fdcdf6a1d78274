// Capturing the selection of another application with Alt+A, on a real X
// server with and without a window manager: the helper program
// (helpers/SelectionWindow.cpp) stands in for the other application.
#include "EventLoopWait.h"
#include "InProcessOrvane.h"
#include "MessyPages.h"
#include "OrvaneProcess.h"
#include "SelectionWindowProcess.h"
#include "ai/PromptActionButton.h"
#include "app/DesktopCapture.h"
#include "panel/PanelWindow.h"
#include "platform/WebPage.h"
#include "state/AppState.h"
#include "web/HibernationEngine.h"
#include "web/TabListModel.h"

#include <QClipboard>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVirtualObject>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>

namespace {

const QString helperClass = QStringLiteral("OrvaneSelectionHelper");

// Qt programs show their widgets on the accessibility bus only when told to.
QProcessEnvironment accessibleEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    return environment;
}

using SelectionWindow = SelectionWindowProcess;

// Whether the program has joined the AT-SPI registry on the bus at that
// address, so that its widgets can be read.
bool joinsRegistry(const QString &busAddress, qint64 processId)
{
    return spinUntil([&] {
        const QString name = QStringLiteral("test-accessibility-probe");
        bool joined = false;
        {
            QDBusConnection bus = QDBusConnection::connectToBus(busAddress, name);
            const QDBusMessage reply = bus.call(QDBusMessage::createMethodCall(
                QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/accessible/root"),
                QStringLiteral("org.a11y.atspi.Accessible"), QStringLiteral("GetChildren")));
            const QDBusArgument children = reply.arguments().value(0).value<QDBusArgument>();
            children.beginArray();
            while (!children.atEnd()) {
                QString service;
                QDBusObjectPath path;
                children.beginStructure();
                children >> service >> path;
                children.endStructure();
                joined = joined || bus.interface()->servicePid(service).value() == processId;
            }
        }
        QDBusConnection::disconnectFromBus(name);
        return joined;
    });
}

QString desktopAccessibilityBus()
{
    const QDBusReply<QString> address = QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"), QStringLiteral("org.a11y.Bus"),
        QStringLiteral("GetAddress")));
    return address.isValid() ? address.value() : QString();
}

// The session's org.a11y.Bus, which tells Qt programs where the
// accessibility bus is.
class AccessibilityBusAddress final : public QDBusVirtualObject
{
public:
    explicit AccessibilityBusAddress(QString address) : m_address(std::move(address)) {}

    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        return message.member() == QLatin1String("GetAddress") && connection.send(message.createReply(m_address));
    }

private:
    QString m_address;
};

// A stand-in for the desktop's accessibility bus that can be restarted: a
// bus of the test's own with the AT-SPI registry on it, named where programs
// look for it while this lives. Orvane reads AT_SPI_BUS_ADDRESS; a Qt
// program (whose Qt 6.4 does not join a bus it is given so) reads the root
// window's AT_SPI_BUS and asks the org.a11y.Bus of a session bus of the
// test's own.
class PrivateAccessibilityBus
{
public:
    PrivateAccessibilityBus() : m_previous(qgetenv("AT_SPI_BUS_ADDRESS")), m_previousRootProperty(rootProperty())
    {
        qputenv("AT_SPI_BUS_ADDRESS", m_address.toUtf8());
        setRootProperty(m_address.toUtf8());
    }
    ~PrivateAccessibilityBus()
    {
        stop();
        QDBusConnection::disconnectFromBus(sessionName);
        m_sessionDaemon.kill();
        m_sessionDaemon.waitForFinished();
        setRootProperty(m_previousRootProperty);
        if (m_previous.isNull())
            qunsetenv("AT_SPI_BUS_ADDRESS");
        else
            qputenv("AT_SPI_BUS_ADDRESS", m_previous);
    }

    QString address() const { return m_address; }

    bool start()
    {
        if (m_sessionDaemon.state() == QProcess::NotRunning) {
            if (!startDaemon(m_sessionDaemon, m_sessionAddress))
                return false;
            QDBusConnection session = QDBusConnection::connectToBus(m_sessionAddress, sessionName);
            if (!session.registerVirtualObject(QStringLiteral("/org/a11y/bus"), &m_addressObject)
                || !session.registerService(QStringLiteral("org.a11y.Bus")))
                return false;
        }
        if (!startDaemon(m_daemon, m_address))
            return false;
        m_registry.start(QStringLiteral(AT_SPI_REGISTRYD), {});
        return spinUntil([this] {
            const QString probe = QStringLiteral("test-accessibility-probe");
            const bool up = QDBusConnection::connectToBus(m_address, probe)
                                .interface()
                                ->isServiceRegistered(QStringLiteral("org.a11y.atspi.Registry"))
                                .value();
            QDBusConnection::disconnectFromBus(probe);
            return up;
        });
    }
    void stop()
    {
        for (QProcess *process : {&m_registry, &m_daemon}) {
            process->kill();
            process->waitForFinished();
        }
    }
    // For an accessible helper program.
    QProcessEnvironment helperEnvironment() const
    {
        QProcessEnvironment environment = accessibleEnvironment();
        environment.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_sessionAddress);
        return environment;
    }

private:
    static bool startDaemon(QProcess &daemon, const QString &address)
    {
        daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                     QStringLiteral("--print-address"), QStringLiteral("--address=") + address});
        return spinUntil([&daemon] { return daemon.canReadLine(); });
    }
    static xcb_atom_t rootPropertyName(xcb_connection_t *connection)
    {
        const QByteArray name = "AT_SPI_BUS";
        xcb_intern_atom_reply_t *reply =
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(name.size()), name.constData()), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return atom;
    }
    static QByteArray rootProperty()
    {
        xcb_connection_t *connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, root, rootPropertyName(connection), XCB_ATOM_STRING, 0, 1024),
            nullptr);
        const QByteArray value = reply && reply->type == XCB_ATOM_STRING
            ? QByteArray(static_cast<const char *>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply))
            : QByteArray();
        std::free(reply);
        return value;
    }
    // An empty value removes it.
    static void setRootProperty(const QByteArray &value)
    {
        xcb_connection_t *connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        if (value.isEmpty())
            xcb_delete_property(connection, root, rootPropertyName(connection));
        else
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, rootPropertyName(connection), XCB_ATOM_STRING, 8,
                                uint32_t(value.size()), value.constData());
        xcb_flush(connection);
    }

    const QString sessionName = QStringLiteral("test-session-stand-in");
    QTemporaryDir m_folder;
    const QString m_address = QStringLiteral("unix:path=") + m_folder.filePath(QStringLiteral("bus"));
    const QString m_sessionAddress = QStringLiteral("unix:path=") + m_folder.filePath(QStringLiteral("session"));
    const QByteArray m_previous;
    const QByteArray m_previousRootProperty;
    AccessibilityBusAddress m_addressObject{m_address};
    QProcess m_sessionDaemon;
    QProcess m_daemon;
    QProcess m_registry;
};

// Keys typed by the user while the test's own process goes on running Orvane.
void typeMeanwhile(const QStringList &xdotoolCommands)
{
    QProcess::startDetached(QStringLiteral("xdotool"), xdotoolCommands);
}

class CaptureOnDesktop : public OnEachWindowManager
{
protected:
    void SetUp() override
    {
        // The helper's desktop entry names it, as installed applications are named.
        const QString applications = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
        QDir().mkpath(applications);
        m_entry.setFileName(applications + QStringLiteral("/orvane-selection-helper.desktop"));
        ASSERT_TRUE(m_entry.open(QIODevice::WriteOnly));
        m_entry.write("[Desktop Entry]\nType=Application\nName=Selection Helper\nExec=true\nStartupWMClass="
                      + helperClass.toUtf8() + "\n");
        m_entry.close();
        startWindowManager();
        if (HasFatalFailure())
            return;
        QGuiApplication::clipboard()->setText(QStringLiteral("older clipboard"));
        m_orvane.emplace(QStringList{QStringLiteral("Chat")}, "<form>" + MessyPages::decoyedChatBox + "</form>");
    }

    void TearDown() override
    {
        m_orvane.reset();
        OnEachWindowManager::TearDown();
        m_entry.remove();
    }

    std::optional<CapturedContext> stagedContext()
    {
        spinUntil([this] { return m_orvane->state().capturedContext().has_value(); });
        return m_orvane->state().capturedContext();
    }

    std::optional<InProcessOrvane> m_orvane;

private:
    QFile m_entry;
};

TEST_P(CaptureOnDesktop, TextSelectedInAnotherWindowIsStagedIntactWithoutAnyKeysAndExplainTypesItIntoTheChatBox)
{
    // Spaces kept, and characters beyond Latin-1 and ASCII.
    const QString words = QStringLiteral("  Grüße — naïve café 東京 ");
    SelectionWindow helper({QStringLiteral("--field"), words, QStringLiteral("--class"), helperClass});
    ASSERT_TRUE(helper.becomesReady()) << helper.output().toStdString();
    pressKeys(QStringLiteral("ctrl+a"));
    ASSERT_TRUE(spinUntil([&] { return QGuiApplication::clipboard()->text(QClipboard::Selection) == words; }))
        << "the helper's selection is the primary selection";

    pressKeys(QStringLiteral("alt+a"));
    const auto context = stagedContext();
    ASSERT_TRUE(context);
    EXPECT_EQ(context->text, words);
    EXPECT_EQ(context->appName, "Selection Helper");
    EXPECT_EQ(context->appBundleId, helperClass);
    EXPECT_FALSE(context->isFromClipboard);
    EXPECT_FALSE(helper.output().contains(QLatin1String("key: Ctrl+C"))) << "read without a copy";
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "older clipboard") << "the clipboard is left alone";
    EXPECT_TRUE(spinUntil([this] { return m_orvane->state().isPanelVisible(); }));

    const auto buttons = m_orvane->window().findChildren<PromptActionButton *>();
    const auto explain = std::find_if(buttons.cbegin(), buttons.cend(),
                                      [](const PromptActionButton *button) { return button->text() == "Explain"; });
    ASSERT_NE(explain, buttons.cend());
    ASSERT_TRUE(spinUntil([&] { return (*explain)->isVisible(); }));
    spinFor(400); // the slide
    clickAt((*explain)->mapToGlobal((*explain)->rect().center()));
    ASSERT_TRUE(spinUntil([this] { return !m_orvane->state().capturedContext(); })) << "cleared once the page took it";
    WebPage *page = m_orvane->hibernation().existingWebView(m_orvane->state().tabs().activeTab()->id);
    ASSERT_TRUE(page);
    EXPECT_EQ(valueIn(*page, QStringLiteral("document.getElementById('box').value")).toString(),
              "Explain the following context in detail:\n\n" + words);
}

TEST_P(CaptureOnDesktop, TheFocusedElementsSelectionIsReadFromTheAccessibilityBus)
{
    // The primary selection belongs to another application (this test's).
    QGuiApplication::clipboard()->setText(QStringLiteral("another selection"), QClipboard::Selection);
    SelectionWindow helper({QStringLiteral("--selected"), QStringLiteral("accessible words"), QStringLiteral("--class"),
                            helperClass},
                           accessibleEnvironment());
    ASSERT_TRUE(helper.becomesReady()) << helper.output().toStdString();
    ASSERT_TRUE(joinsRegistry(desktopAccessibilityBus(), helper.processId()));

    pressKeys(QStringLiteral("alt+a"));
    const auto context = stagedContext();
    ASSERT_TRUE(context);
    EXPECT_EQ(context->text, "accessible words");
    EXPECT_EQ(context->appName, "Selection Helper");
    EXPECT_FALSE(context->isFromClipboard);
    EXPECT_FALSE(helper.output().contains(QLatin1String("key: Ctrl+C"))) << "read without a copy";
}

TEST_P(CaptureOnDesktop, TheAccessibilityBusIsReadAgainAfterItRestarts)
{
    PrivateAccessibilityBus bus;
    ASSERT_TRUE(bus.start());
    QGuiApplication::clipboard()->setText(QStringLiteral("another selection"), QClipboard::Selection);
    const auto captureWithoutACopy = [this, &bus](const QString &words) {
        SelectionWindow helper({QStringLiteral("--selected"), words, QStringLiteral("--class"), helperClass},
                               bus.helperEnvironment());
        ASSERT_TRUE(helper.becomesReady()) << helper.output().toStdString();
        ASSERT_TRUE(joinsRegistry(bus.address(), helper.processId()));
        pressKeys(QStringLiteral("alt+a"));
        ASSERT_TRUE(spinUntil([&] {
            const std::optional<CapturedContext> context = m_orvane->state().capturedContext();
            return context && context->text == words;
        }));
        EXPECT_FALSE(helper.output().contains(QLatin1String("key: Ctrl+C"))) << "read without a copy";
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "older clipboard");
    };
    captureWithoutACopy(QStringLiteral("before the restart"));
    bus.stop();
    ASSERT_TRUE(bus.start());
    captureWithoutACopy(QStringLiteral("after the restart"));
}

// An older primary selection of another application is not taken for the
// text of the one in front.
TEST_P(CaptureOnDesktop, AnApplicationThatOnlyCopiesOnCtrlCGetsItOnceAltIsReleased)
{
    SelectionWindow earlier({QStringLiteral("--field"), QStringLiteral("stale words")});
    ASSERT_TRUE(earlier.becomesReady());
    pressKeys(QStringLiteral("ctrl+a"));
    ASSERT_TRUE(spinUntil(
        [] { return QGuiApplication::clipboard()->text(QClipboard::Selection) == QLatin1String("stale words"); }));

    SelectionWindow helper({QStringLiteral("--copies"), QStringLiteral("copied words"), QStringLiteral("Ctrl+C"),
                            QStringLiteral("--class"), helperClass});
    ASSERT_TRUE(helper.becomesReady()) << helper.output().toStdString();
    // The user lets go of Alt a moment after pressing A.
    typeMeanwhile({QStringLiteral("keydown"), QStringLiteral("alt"), QStringLiteral("key"), QStringLiteral("a"),
                   QStringLiteral("sleep"), QStringLiteral("0.15"), QStringLiteral("keyup"), QStringLiteral("alt")});
    const auto context = stagedContext();
    ASSERT_TRUE(context) << helper.output().toStdString();
    EXPECT_EQ(context->text, "copied words");
    EXPECT_EQ(context->appName, "Selection Helper");
    EXPECT_FALSE(context->isFromClipboard);
    EXPECT_TRUE(helper.output().contains(QLatin1String("key: Ctrl+C\n"))) << helper.output().toStdString();
    EXPECT_FALSE(helper.output().contains(QLatin1String("Alt+C"))) << helper.output().toStdString();
}

// Ctrl+C would interrupt a terminal's program: a terminal known by its class
// gets its own copy key, any other window whose program runs a terminal none.
TEST_P(CaptureOnDesktop, ATerminalIsNeverSentCtrlC)
{
    const struct
    {
        QStringList arguments;
        QString captured;
        const char *keysSent; // "" for none
    } rows[] = {
        {{QStringLiteral("Ctrl+Shift+C"), QStringLiteral("--class"), QStringLiteral("Gnome-terminal")},
         QStringLiteral("ls -l output"), "key: Ctrl+Shift+C\n"},
        {{QStringLiteral("Ctrl+C"), QStringLiteral("--terminal"), QStringLiteral("--class"), QStringLiteral("Roxterm")},
         QStringLiteral("older clipboard"), ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        m_orvane->state().setCapturedContext(std::nullopt);
        QGuiApplication::clipboard()->setText(QStringLiteral("older clipboard"));
        SelectionWindow terminal(QStringList{QStringLiteral("--copies"), QStringLiteral("ls -l output")} + row.arguments);
        ASSERT_TRUE(terminal.becomesReady()) << terminal.output().toStdString();
        pressKeys(QStringLiteral("alt+a"));
        const auto context = stagedContext();
        ASSERT_TRUE(context) << terminal.output().toStdString();
        EXPECT_EQ(context->text, row.captured) << terminal.output().toStdString();
        EXPECT_EQ(context->isFromClipboard, row.captured == "older clipboard");
        EXPECT_FALSE(terminal.output().contains(QLatin1String("key: Ctrl+C\n"))) << terminal.output().toStdString();
        EXPECT_EQ(terminal.output().contains(QLatin1String("key: ")), *row.keysSent != 0) << terminal.output().toStdString();
        EXPECT_TRUE(terminal.output().contains(QLatin1String(row.keysSent)));
    }
}

// With the focus on the root window the keyboard goes to whatever is under
// the pointer; without a window manager no application is then in front.
// (Openbox gives the focus back to its active window.)
TEST_P(CaptureOnDesktop, NoCopyKeyReachesATerminalThatHasTheKeyboardThroughThePointer)
{
    SelectionWindow terminal({QStringLiteral("--copies"), QStringLiteral("ls -l output"), QStringLiteral("Ctrl+C"),
                              QStringLiteral("--class"), QStringLiteral("XTerm"), QStringLiteral("--at"),
                              QStringLiteral("100,400")});
    ASSERT_TRUE(terminal.becomesReady()) << terminal.output().toStdString();
    SelectionWindow front({QStringLiteral("--copies"), QStringLiteral("copied words"), QStringLiteral("Ctrl+C"),
                           QStringLiteral("--class"), helperClass});
    ASSERT_TRUE(front.becomesReady()) << front.output().toStdString();
    movePointer(300, 460);
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_TRUE(x11);
    xcb_set_input_focus(x11->connection(), XCB_INPUT_FOCUS_POINTER_ROOT, XCB_INPUT_FOCUS_POINTER_ROOT, XCB_CURRENT_TIME);
    xcb_flush(x11->connection());

    pressKeys(QStringLiteral("alt+a"));
    ASSERT_TRUE(stagedContext());
    EXPECT_FALSE(terminal.output().contains(QLatin1String("key: Ctrl+C"))) << terminal.output().toStdString();
}

TEST_P(CaptureOnDesktop, ASelectionOwnerThatNeverAnswersHoldsUpNeitherTheCaptureNorTheInterface)
{
    struct Case
    {
        QString selection;
        std::optional<QString> captured;
    };
    for (const Case &hung : {Case{QStringLiteral("PRIMARY"), QStringLiteral("older clipboard")},
                             Case{QStringLiteral("CLIPBOARD"), std::nullopt}}) {
        SCOPED_TRACE(hung.selection.toStdString());
        // A terminal's window, so that no copy is waited for: only the wait
        // for the hung owner can let the event loop turn.
        SelectionWindow owner({QStringLiteral("--field"), QStringLiteral("words"), QStringLiteral("--class"),
                               QStringLiteral("XTerm"), QStringLiteral("--hold"), hung.selection});
        ASSERT_TRUE(owner.becomesReady()) << owner.output().toStdString();
        QtClock clock;
        DesktopCapture desktop(clock);
        QObject meanwhile;
        bool capturing = true;
        bool turnedWhileCapturing = false;
        QTimer::singleShot(0, &meanwhile, [&] { turnedWhileCapturing = capturing; });
        const std::optional<CapturedContext> context = desktop.detector().captureContext();
        capturing = false;
        EXPECT_TRUE(turnedWhileCapturing) << "the event loop kept turning";
        EXPECT_EQ(context ? std::optional(context->text) : std::nullopt, hung.captured);
        EXPECT_TRUE(spinUntil([&] { return owner.output().contains(QStringLiteral("asked ") + hung.selection); }))
            << "the owner was asked";
    }
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, CaptureOnDesktop, ::testing::Values(Desktop::BareServer, Desktop::Openbox),
                         [](const auto &info) { return desktopName(info.param); });

} // namespace
