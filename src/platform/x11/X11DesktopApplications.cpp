#include "platform/x11/X11DesktopApplications.h"

#include "platform/x11/X11Clients.h"
#include "platform/x11/X11Connection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

QList<xcb_window_t> windowList(const std::optional<QByteArray> &value)
{
    QList<xcb_window_t> windows;
    if (!value)
        return windows;
    const auto *items = reinterpret_cast<const xcb_window_t *>(value->constData());
    for (qsizetype i = 0; i < value->size() / qsizetype(sizeof(xcb_window_t)); ++i)
        windows.append(items[i]);
    return windows;
}

QList<xcb_atom_t> atomList(xcb_connection_t *c, xcb_window_t window, const QByteArray &name)
{
    return windowList(X11Clients::property(c, window, name, XCB_ATOM_ATOM));
}

struct Tree
{
    xcb_window_t parent = XCB_NONE;
    QList<xcb_window_t> children; // bottom of the stack first
};

Tree queryTree(xcb_connection_t *c, xcb_window_t window)
{
    Tree tree;
    const X11Connection::ReplyPointer<xcb_query_tree_reply_t> reply(
        xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
    if (!reply)
        return tree;
    tree.parent = reply->parent;
    const xcb_window_t *children = xcb_query_tree_children(reply.get());
    for (int i = 0; i < xcb_query_tree_children_length(reply.get()); ++i)
        tree.children.append(children[i]);
    return tree;
}

bool hasClass(xcb_connection_t *c, xcb_window_t window)
{
    return X11Clients::property(c, window, "WM_CLASS", XCB_ATOM_STRING).has_value();
}

// The application window at or just below a top-level window: without a
// window manager that is the window itself, under one it is its frame's child.
xcb_window_t applicationWindowOf(xcb_connection_t *c, xcb_window_t topLevel)
{
    if (topLevel == XCB_NONE || hasClass(c, topLevel))
        return topLevel;
    for (const xcb_window_t child : queryTree(c, topLevel).children) {
        if (hasClass(c, child))
            return child;
    }
    return XCB_NONE;
}

// The application window a window belongs to: itself or the nearest of its
// ancestors with a class, else the one at or below its top level (a window
// manager's frame holds it).
xcb_window_t applicationWindowAround(xcb_connection_t *c, xcb_window_t root, xcb_window_t window)
{
    for (Tree tree = queryTree(c, window); tree.parent != XCB_NONE; tree = queryTree(c, window)) {
        if (hasClass(c, window) || tree.parent == root)
            return applicationWindowOf(c, window);
        window = tree.parent;
    }
    return XCB_NONE;
}

xcb_window_t inputFocus(xcb_connection_t *c)
{
    const X11Connection::ReplyPointer<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return focus ? focus->focus : xcb_window_t(XCB_NONE);
}

// Where no window manager names the active window: the focused window's.
xcb_window_t focusedApplicationWindow(xcb_connection_t *c, xcb_window_t root)
{
    const xcb_window_t focus = inputFocus(c);
    if (focus == XCB_NONE || focus == XCB_INPUT_FOCUS_POINTER_ROOT || focus == root)
        return XCB_NONE;
    return applicationWindowAround(c, root, focus);
}

xcb_window_t topLevelUnderPointer(xcb_connection_t *c, xcb_window_t root)
{
    const X11Connection::ReplyPointer<xcb_query_pointer_reply_t> pointer(
        xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr));
    return pointer && pointer->same_screen ? pointer->child : xcb_window_t(XCB_NONE);
}

// Field 7 of /proc/<pid>/stat: the device number of the process's
// controlling terminal, 0 for none.
std::optional<quint64> controllingTerminal(qint64 pid, qint64 *parent = nullptr)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray stat = file.readAll();
    // The command name before the fields may hold spaces and parentheses.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 1).simplified().split(' ');
    if (fields.size() < 5)
        return std::nullopt;
    if (parent)
        *parent = fields.at(1).toLongLong();
    return fields.at(4).toULongLong();
}

// A terminal emulator starts each shell on a terminal it opened; a program
// started from a shell shares that shell's terminal with its children.
std::optional<bool> runsTerminal(qint64 pid)
{
    const std::optional<quint64> own = pid > 0 ? controllingTerminal(pid) : std::nullopt;
    if (!own)
        return std::nullopt;
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return std::any_of(processes.cbegin(), processes.cend(), [pid, own](const QString &name) {
        bool isProcess = false;
        const qint64 child = name.toLongLong(&isProcess);
        qint64 parent = 0;
        const std::optional<quint64> terminal = isProcess ? controllingTerminal(child, &parent) : std::nullopt;
        return parent == pid && terminal && *terminal != 0 && *terminal != *own;
    });
}

DesktopApplication describe(xcb_connection_t *c, xcb_window_t window)
{
    DesktopApplication application;
    application.window = window;
    const QList<QByteArray> names = X11Clients::property(c, window, "WM_CLASS", XCB_ATOM_STRING)
                                        .value_or(QByteArray())
                                        .split('\0');
    application.instanceName = QString::fromLocal8Bit(names.value(0));
    application.className = QString::fromLocal8Bit(names.value(1));
    application.processId = X11Clients::processOf(c, window);
    application.isThisApplication = X11Clients::isOwn(c, window) || application.processId == QCoreApplication::applicationPid();
    return application;
}

// EWMH properties on the root window count only while the window manager
// that set them runs: one that has exited leaves them behind.
bool windowManagerRuns(xcb_connection_t *c, xcb_window_t root)
{
    const xcb_window_t check = X11Clients::firstItem(c, root, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW);
    return check != XCB_NONE && X11Clients::firstItem(c, check, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW) == check;
}

// An ordinary application window: a missing type counts as normal.
bool isRegular(xcb_connection_t *c, xcb_window_t window)
{
    const QList<xcb_atom_t> types = atomList(c, window, "_NET_WM_WINDOW_TYPE");
    if (!types.isEmpty() && !types.contains(X11Connection::atom(c, "_NET_WM_WINDOW_TYPE_NORMAL")))
        return false;
    return !atomList(c, window, "_NET_WM_STATE").contains(X11Connection::atom(c, "_NET_WM_STATE_SKIP_TASKBAR"));
}

// The application windows, most recently raised first: the window manager's
// lists, else the mapped top-level windows in stacking order.
QList<xcb_window_t> applicationWindows(xcb_connection_t *c, xcb_window_t root)
{
    QList<xcb_window_t> windows;
    if (windowManagerRuns(c, root)) {
        windows = windowList(X11Clients::property(c, root, "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW));
        if (windows.isEmpty())
            windows = windowList(X11Clients::property(c, root, "_NET_CLIENT_LIST", XCB_ATOM_WINDOW));
    }
    if (windows.isEmpty()) {
        for (const xcb_window_t topLevel : queryTree(c, root).children) {
            const X11Connection::ReplyPointer<xcb_get_window_attributes_reply_t> attributes(
                xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, topLevel), nullptr));
            if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE && !attributes->override_redirect
                && hasClass(c, topLevel))
                windows.append(topLevel);
        }
    }
    std::reverse(windows.begin(), windows.end());
    return windows;
}

} // namespace

std::optional<DesktopApplication> X11DesktopApplications::frontmost()
{
    xcb_connection_t *c = X11Connection::connection();
    if (!c)
        return std::nullopt;
    const xcb_window_t root = X11Connection::rootWindow(c);
    // A window manager that names no active window means none is (its own
    // focus-keeping window is not an application).
    const xcb_window_t active = windowManagerRuns(c, root)
        ? X11Clients::firstItem(c, root, "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW)
        : focusedApplicationWindow(c, root);
    if (active == XCB_NONE)
        return std::nullopt;
    return describe(c, active);
}

std::optional<DesktopApplication> X11DesktopApplications::keyboardReceiver()
{
    xcb_connection_t *c = X11Connection::connection();
    if (!c)
        return std::nullopt;
    const xcb_window_t root = X11Connection::rootWindow(c);
    const xcb_window_t focus = inputFocus(c);
    if (focus == XCB_NONE)
        return std::nullopt;
    // With the focus on the root, keys go to the window under the pointer.
    const xcb_window_t target = focus == XCB_INPUT_FOCUS_POINTER_ROOT || focus == root
        ? applicationWindowOf(c, topLevelUnderPointer(c, root))
        : applicationWindowAround(c, root, focus);
    if (target == XCB_NONE)
        return std::nullopt;
    DesktopApplication application = describe(c, target);
    application.runsTerminal = runsTerminal(application.processId);
    return application;
}

QList<DesktopApplication> X11DesktopApplications::regularApplications()
{
    QList<DesktopApplication> applications;
    xcb_connection_t *c = X11Connection::connection();
    if (!c)
        return applications;
    for (const xcb_window_t window : applicationWindows(c, X11Connection::rootWindow(c))) {
        if (isRegular(c, window))
            applications.append(describe(c, window));
    }
    return applications;
}
