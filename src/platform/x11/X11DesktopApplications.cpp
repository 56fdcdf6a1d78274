#include "platform/x11/X11DesktopApplications.h"

#include "platform/x11/X11Clients.h"
#include "platform/x11/X11Connection.h"

#include <QCoreApplication>

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
    if (hasClass(c, topLevel))
        return topLevel;
    for (const xcb_window_t child : queryTree(c, topLevel).children) {
        if (hasClass(c, child))
            return child;
    }
    return XCB_NONE;
}

// Where no window manager names the active window: the focused window's top level.
xcb_window_t focusedApplicationWindow(xcb_connection_t *c, xcb_window_t root)
{
    const X11Connection::ReplyPointer<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    if (!focus || focus->focus == XCB_NONE || focus->focus == XCB_INPUT_FOCUS_POINTER_ROOT || focus->focus == root)
        return XCB_NONE;
    xcb_window_t window = focus->focus;
    for (Tree tree = queryTree(c, window); tree.parent != XCB_NONE && tree.parent != root; tree = queryTree(c, window))
        window = tree.parent;
    return applicationWindowOf(c, window);
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
