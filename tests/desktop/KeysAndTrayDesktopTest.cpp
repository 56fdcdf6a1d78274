// Hot keys, the key handler, the tray item and the ways Orvane ends, on a
// real X server with and without a window manager.
#include "FakeStatusNotifierWatcher.h"
#include "InProcessOrvane.h"
#include "LocalHttpServer.h"
#include "OrvaneProcess.h"
#include "panel/PanelWindow.h"
#include "settings/SettingsView.h"
#include "state/AppState.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <csignal>
#include <optional>

namespace {

// Openbox's own configuration binds Alt+Space to its window menu; this is
// the same without that binding, as the README tells users to do.
QString openboxWithoutAltSpace(const QTemporaryDir &folder)
{
    QFile original(QStringLiteral("/etc/xdg/openbox/rc.xml"));
    if (!original.open(QIODevice::ReadOnly))
        return {};
    QString config = QString::fromUtf8(original.readAll());
    config.remove(QRegularExpression(QStringLiteral("<keybind key=\"A-space\">.*?</keybind>"),
                                     QRegularExpression::DotMatchesEverythingOption));
    const QString path = folder.filePath(QStringLiteral("rc.xml"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(config.toUtf8());
    return path;
}

// A window of the test's own that has the keyboard, as another application would.
class OtherApplication final : public QWidget
{
public:
    OtherApplication()
    {
        setWindowTitle(QStringLiteral("Another application"));
        setGeometry(100, 100, 400, 300);
        show();
        activateWindow();
    }
};

class KeysOnDesktop : public OnEachWindowManager
{
protected:
    void SetUp() override
    {
        movePointer(300, 250);
        startWindowManager(openboxWithoutAltSpace(m_folder));
    }

    // Visible, and still visible a moment later (a toggle is not on its way).
    static bool staysVisible(OrvaneProcess &orvane)
    {
        return holdsFor([&] { return orvane.isPanelVisible(); }, 400);
    }

private:
    QTemporaryDir m_folder;
};

// S on the test server's keyboard.
constexpr xcb_keycode_t sKeycode = 39;

// Another program holds Alt with that key before Orvane starts.
class KeyGrab
{
public:
    explicit KeyGrab(xcb_keycode_t keycode)
    {
        m_connection = xcb_connect(nullptr, nullptr);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint16_t locks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
        for (const uint16_t lock : locks)
            xcb_grab_key(m_connection, 0, root, XCB_MOD_MASK_1 | lock, keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        // A round trip: the grabs are in place before Orvane asks for them.
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }
    ~KeyGrab() { xcb_disconnect(m_connection); }

private:
    xcb_connection_t *m_connection;
};

// A keycode that types nothing on the test server's keyboard, which can be
// made a second S key, as `xmodmap -e "keycode N = s S"` does; it types
// nothing again afterwards.
class SpareKey
{
public:
    SpareKey() : m_connection(xcb_connect(nullptr, nullptr))
    {
        const xcb_setup_t *setup = xcb_get_setup(m_connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t *map = xcb_get_keyboard_mapping_reply(
            m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, uint8_t(count)), nullptr);
        if (!map)
            return;
        m_perKeycode = map->keysyms_per_keycode;
        const xcb_keysym_t *keysyms = xcb_get_keyboard_mapping_keysyms(map);
        // Past the lowest keycode, which some programs take for "no key".
        for (int keycode = setup->min_keycode + 1; keycode <= setup->max_keycode && !m_keycode; ++keycode) {
            const xcb_keysym_t *row = keysyms + (keycode - setup->min_keycode) * m_perKeycode;
            if (std::all_of(row, row + m_perKeycode, [](xcb_keysym_t keysym) { return keysym == 0; }))
                m_keycode = xcb_keycode_t(keycode);
        }
        std::free(map);
    }
    ~SpareKey()
    {
        if (m_keycode)
            setKeysyms({});
        xcb_disconnect(m_connection);
    }

    xcb_keycode_t keycode() const { return m_keycode; }
    void makeS() { setKeysyms({'s', 'S'}); }

private:
    void setKeysyms(QList<xcb_keysym_t> keysyms)
    {
        keysyms.resize(m_perKeycode, 0);
        xcb_change_keyboard_mapping(m_connection, 1, m_keycode, m_perKeycode, keysyms.constData());
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

    xcb_connection_t *m_connection;
    xcb_keycode_t m_keycode = 0;
    uint8_t m_perKeycode = 0;
};

// Alt+S is another program's, held before Orvane starts: it is left to its owner.
TEST_P(KeysOnDesktop, OurCombinationsToggleThePanelWhileAnotherWindowHasTheKeyboardAndEscapeClosesInOrder)
{
    KeyGrab owner(sKeycode);
    OrvaneProcess orvane({QStringLiteral("Orvane_autoHideOnMouseExit=false")});
    ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
    ASSERT_TRUE(spinUntil([&] { return orvane.isPanelVisible(); }));
    OtherApplication other;
    ASSERT_TRUE(spinUntil([&] { return other.isActiveWindow(); }));
    pressKeys(QStringLiteral("alt+space"));
    EXPECT_TRUE(spinUntil([&] { return !orvane.isPanelVisible(); }, inputDeadlineMs));
    pressKeys(QStringLiteral("alt+space"));
    EXPECT_TRUE(spinUntil([&] { return orvane.isPanelVisible(); }, inputDeadlineMs));
    EXPECT_TRUE(staysVisible(orvane)) << "one press, one toggle";
    pressKeys(QStringLiteral("ctrl+alt+m"));
    EXPECT_TRUE(staysVisible(orvane)) << "Ctrl+Alt+M is no combination of ours";
    pressKeys(QStringLiteral("alt+s"));
    EXPECT_TRUE(staysVisible(orvane)) << "Alt+S is the other program's";
    pressKeys(QStringLiteral("alt+m"));
    EXPECT_TRUE(spinUntil([&] { return !orvane.isPanelVisible(); }, inputDeadlineMs));

    // Escape closes the palette, then the settings, then the panel.
    ASSERT_EQ(orvane.runSecond({QStringLiteral("orvane://toggle")}), 0);
    // The slide over: a click during it could land beside the panel and hide it.
    const auto docked = [&] { return orvane.isPanelVisible() && orvane.panelGeometry().x() == 1000; };
    ASSERT_TRUE(spinUntil([&] { return docked() && holdsFor(docked, 300); }));
    // The keyboard in the panel: its own key handler answers.
    clickAt({1100, 25});
    pressKeys(QStringLiteral("ctrl+k"));
    ASSERT_EQ(orvane.runSecond({QStringLiteral("orvane://settings")}), 0);
    pressKeys(QStringLiteral("Escape"));
    EXPECT_TRUE(staysVisible(orvane)) << "the palette closed";
    pressKeys(QStringLiteral("Escape"));
    EXPECT_TRUE(staysVisible(orvane)) << "the settings closed";
    pressKeys(QStringLiteral("Escape"));
    EXPECT_TRUE(spinUntil([&] { return !orvane.isPanelVisible(); }, inputDeadlineMs));
}

// The settings' Shortcuts page reads what the hot keys hold, in this process.
TEST(HotKeysInProcess, ACombinationRefusedOnItsNewKeysAfterAMappingChangeIsMarkedOnTheShortcutsPage)
{
    SpareKey spare;
    ASSERT_NE(spare.keycode(), 0);
    KeyGrab owner(spare.keycode());
    InProcessOrvane orvane{{QStringLiteral("Alpha")}};
    orvane.state().content().setShowSettingsModal(true);
    SettingsView *view = nullptr;
    ASSERT_TRUE(spinUntil([&] { return (view = orvane.window().findChild<SettingsView *>()); }));
    const auto altSRefused = [view] {
        for (const SettingsScreen::ShortcutRow &row : view->screen().shortcutRows()) {
            for (const SettingsScreen::KeyLabel &key : row.keys) {
                if (key.text == QStringLiteral("Alt+S"))
                    return key.refused;
            }
        }
        return false;
    };
    ASSERT_FALSE(altSRefused()) << "held at the start";
    spare.makeS();
    EXPECT_TRUE(spinUntil(altSRefused)) << "the other program holds Alt with the new S key";
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, KeysOnDesktop, ::testing::Values(Desktop::BareServer, Desktop::Openbox),
                         [](const auto &info) { return desktopName(info.param); });

// ---- The tray item, through a fake tray host on the test's session bus

struct MenuRow
{
    int id;
    QString label;
};

// A dbusmenu label as the host shows it: "_" marks the mnemonic, "__" is an underscore.
QString shownLabel(const QString &label)
{
    QString shown;
    for (qsizetype i = 0; i < label.size(); ++i) {
        if (label.at(i) == QLatin1Char('_') && ++i >= label.size())
            break;
        shown.append(label.at(i));
    }
    return shown;
}

// Reads a com.canonical.dbusmenu layout node (ia{sv}av) and its children.
void readLayout(const QDBusArgument &argument, QList<MenuRow> &rows)
{
    int id = 0;
    QVariantMap properties;
    argument.beginStructure();
    argument >> id >> properties;
    rows.append({id, shownLabel(properties.value(QStringLiteral("label")).toString())});
    argument.beginArray();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        readLayout(child.variant().value<QDBusArgument>(), rows);
    }
    argument.endArray();
    argument.endStructure();
}

class TrayItem : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_watcher.registerOnSessionBus()); }

    // Launches Orvane and waits for its item to register with the host.
    void launch(OrvaneProcess &orvane)
    {
        ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
        ASSERT_TRUE(spinUntil([&] { return !m_watcher.itemService().isEmpty(); }, 5000));
    }

    QDBusMessage callItem(const QString &method, const QVariantList &arguments)
    {
        QDBusInterface item(m_watcher.itemService(), QStringLiteral("/StatusNotifierItem"),
                            QStringLiteral("org.kde.StatusNotifierItem"));
        return item.callWithArgumentList(QDBus::Block, method, arguments);
    }

    // Read as trays read the item: all its properties at once.
    QVariant itemProperty(const QString &name)
    {
        QDBusInterface properties(m_watcher.itemService(), QStringLiteral("/StatusNotifierItem"),
                                  QStringLiteral("org.freedesktop.DBus.Properties"));
        const QDBusMessage reply = properties.call(QStringLiteral("GetAll"), QStringLiteral("org.kde.StatusNotifierItem"));
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return {};
        return qdbus_cast<QVariantMap>(reply.arguments().constFirst()).value(name);
    }

    // The title of the item's tool tip, a (sa(iiay)ss) structure.
    QString toolTipTitle()
    {
        const QDBusArgument toolTip = itemProperty(QStringLiteral("ToolTip")).value<QDBusArgument>();
        if (toolTip.currentType() != QDBusArgument::StructureType)
            return {};
        QString iconName;
        QString title;
        toolTip.beginStructure();
        toolTip >> iconName;
        toolTip.beginArray();
        while (!toolTip.atEnd()) {
            int width = 0;
            int height = 0;
            QByteArray pixels;
            toolTip.beginStructure();
            toolTip >> width >> height >> pixels;
            toolTip.endStructure();
        }
        toolTip.endArray();
        toolTip >> title;
        return title;
    }

    // The menu as the host shows it after asking it to get ready.
    QList<MenuRow> menuRows()
    {
        QDBusInterface bar(m_watcher.itemService(), QStringLiteral("/MenuBar"), QStringLiteral("com.canonical.dbusmenu"));
        bar.call(QStringLiteral("AboutToShow"), 0);
        const QDBusMessage reply = bar.call(QStringLiteral("GetLayout"), 0, -1, QStringList());
        QList<MenuRow> rows;
        if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 2)
            readLayout(reply.arguments().at(1).value<QDBusArgument>(), rows);
        return rows;
    }

    void click(int id)
    {
        QDBusInterface bar(m_watcher.itemService(), QStringLiteral("/MenuBar"), QStringLiteral("com.canonical.dbusmenu"));
        bar.call(QStringLiteral("Event"), id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u);
    }

    static int idOf(const QList<MenuRow> &rows, const QString &label)
    {
        for (const MenuRow &row : rows) {
            if (row.label == label)
                return row.id;
        }
        return -1;
    }

    FakeStatusNotifierWatcher m_watcher;
};

TEST_F(TrayItem, RegistersWithTheHostAndActivateTogglesThePanel)
{
    OrvaneProcess orvane({QStringLiteral("Orvane_autoHideOnMouseExit=false")});
    launch(orvane);
    ASSERT_TRUE(spinUntil([&] { return orvane.isPanelVisible(); }));
    EXPECT_EQ(toolTipTitle(), QStringLiteral("Orvane"));
    callItem(QStringLiteral("Activate"), {0, 0});
    EXPECT_TRUE(spinUntil([&] { return !orvane.isPanelVisible(); }, inputDeadlineMs));
    callItem(QStringLiteral("Activate"), {0, 0});
    EXPECT_TRUE(spinUntil([&] { return orvane.isPanelVisible(); }, inputDeadlineMs));
}

TEST_F(TrayItem, UnreadMessagesAskForAttentionUntilTheTitleLosesThem)
{
    // A mail page that asks its server for the count, as web mail does.
    LocalHttpServer server;
    server.setReply(QStringLiteral("/count"), {200, "3", "text/plain", {}, 0});
    server.setReply(QStringLiteral("/inbox"), {200, R"(<title>Inbox</title><script>
        setInterval(async () => {
            const unread = Number(await (await fetch('/count')).text());
            document.title = unread > 0 ? `(${unread}) Inbox` : 'Inbox';
        }, 100);</script>)", "text/html", {}, 0});
    OrvaneProcess orvane({QStringLiteral("Orvane_autoHideOnMouseExit=false")});
    launch(orvane);
    EXPECT_EQ(itemProperty(QStringLiteral("Status")).toString(), QStringLiteral("Active"));
    QDBusInterface item(m_watcher.itemService(), QStringLiteral("/StatusNotifierItem"),
                        QStringLiteral("org.kde.StatusNotifierItem"));
    QSignalSpy newStatus(&item, SIGNAL(NewStatus(QString)));
    const QString inbox = server.address().toString() + QStringLiteral("/inbox");
    ASSERT_EQ(orvane.runSecond({QStringLiteral("orvane://open?url=") + QString::fromLatin1(QUrl::toPercentEncoding(inbox))}), 0);
    EXPECT_TRUE(spinUntil([&] { return itemProperty(QStringLiteral("Status")) == QStringLiteral("NeedsAttention"); },
                          inputDeadlineMs));
    EXPECT_EQ(toolTipTitle(), QStringLiteral("Orvane \u2014 3 unread"));
    EXPECT_TRUE(spinUntil([&] { return !newStatus.isEmpty(); })) << "the tray is told, not left to ask";
    const QDBusArgument attentionIcon = itemProperty(QStringLiteral("AttentionIconPixmap")).value<QDBusArgument>();
    attentionIcon.beginArray();
    EXPECT_FALSE(attentionIcon.atEnd()) << "a marked picture for trays that show it";
    server.setReply(QStringLiteral("/count"), {200, "0", "text/plain", {}, 0});
    EXPECT_TRUE(spinUntil([&] { return itemProperty(QStringLiteral("Status")) == QStringLiteral("Active"); },
                          inputDeadlineMs));
    EXPECT_EQ(toolTipTitle(), QStringLiteral("Orvane"));
}

TEST_F(TrayItem, TheMenuListsItsRowsAndTheDockRowMovesThePanel)
{
    OrvaneProcess orvane({QStringLiteral("Orvane_autoHideOnMouseExit=false")});
    launch(orvane);
    ASSERT_TRUE(spinUntil([&] { return orvane.isPanelVisible(); }));
    QStringList labels;
    for (const MenuRow &row : menuRows())
        labels.append(row.label);
    for (const char *title : {"Orvane v1.0.0-beta.2 (Build 5)", "Toggle Orvane", "Capture Selection to AI",
                              "Command Palette...", "Scratchpad & Math", "Drop Shelf", "Hibernate Inactive Tabs",
                              "Switch Screen Dock to Left Edge", "Quit Orvane"}) {
        EXPECT_TRUE(labels.contains(QString::fromUtf8(title))) << title << " in " << labels.join(", ").toStdString();
    }
    click(idOf(menuRows(), QStringLiteral("Switch Screen Dock to Left Edge")));
    EXPECT_TRUE(spinUntil([&] { return orvane.panelGeometry().x() == 0; })) << orvane.panelGeometry().x();
    EXPECT_TRUE(spinUntil([&] {
        QFile file(orvane.settingsFile());
        return file.open(QIODevice::ReadOnly) && file.readAll().contains("Orvane_screenDockEdge=left");
    }));
    EXPECT_GE(idOf(menuRows(), QStringLiteral("Switch Screen Dock to Right Edge")), 0) << "built anew when opened";
}

TEST_F(TrayItem, QuitEndsOrvaneThroughTheTerminationPath)
{
    OrvaneProcess orvane;
    launch(orvane);
    click(idOf(menuRows(), QStringLiteral("Quit Orvane")));
    EXPECT_EQ(orvane.waitForEnd(), 0);
    EXPECT_TRUE(QFile::exists(orvane.settingsFile())) << "settings written on the way out";
}

// ---- Signals

TEST(Termination, SigtermAndSigintEndOrvaneNormallyAndWriteTheSettings)
{
    for (const int signal : {SIGTERM, SIGINT}) {
        OrvaneProcess orvane;
        ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
        EXPECT_EQ(orvane.endWith(signal), 0) << "signal " << signal;
        EXPECT_TRUE(QFile::exists(orvane.settingsFile())) << "signal " << signal;
    }
}

} // namespace
