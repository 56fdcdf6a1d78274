#include "platform/x11/X11ScreenEnvironment.h"

#include "platform/DesktopCoordinates.h"
#include "platform/x11/X11Connection.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <cstdlib>

namespace {

xcb_get_property_reply_t *rootProperty(xcb_connection_t *c, const QByteArray &name, xcb_atom_t type)
{
    return xcb_get_property_reply(
        c, xcb_get_property(c, 0, X11Connection::rootWindow(c), X11Connection::atom(c, name), type, 0, 4096), nullptr);
}

// The desktop's work areas in device pixels: one per monitor from GTK-aware
// window managers, else the one _NET_WORKAREA of the current desktop.
QList<QRect> readWorkAreas()
{
    QList<QRect> areas;
    xcb_connection_t *c = X11Connection::connection();
    if (!c)
        return areas;
    uint32_t desktop = 0;
    if (xcb_get_property_reply_t *current = rootProperty(c, "_NET_CURRENT_DESKTOP", XCB_ATOM_CARDINAL)) {
        if (xcb_get_property_value_length(current) >= 4)
            desktop = *static_cast<uint32_t *>(xcb_get_property_value(current));
        std::free(current);
    }
    auto appendRects = [&areas](xcb_get_property_reply_t *reply, int first, int count) {
        const int length = xcb_get_property_value_length(reply) / 4;
        const auto *values = static_cast<const uint32_t *>(xcb_get_property_value(reply));
        for (int i = first; i < first + count * 4 && i + 3 < length; i += 4)
            areas.append(QRect(int(values[i]), int(values[i + 1]), int(values[i + 2]), int(values[i + 3])));
    };
    if (xcb_get_property_reply_t *gtk = rootProperty(c, "_GTK_WORKAREAS_D" + QByteArray::number(desktop), XCB_ATOM_CARDINAL)) {
        appendRects(gtk, 0, xcb_get_property_value_length(gtk) / 16);
        std::free(gtk);
    }
    if (areas.isEmpty()) {
        if (xcb_get_property_reply_t *net = rootProperty(c, "_NET_WORKAREA", XCB_ATOM_CARDINAL)) {
            appendRects(net, int(desktop) * 4, 1);
            std::free(net);
        }
    }
    return areas;
}

} // namespace

QRect X11ScreenEnvironment::workAreaOf(const QRect &screen, const QList<QRect> &workAreas)
{
    QRect best;
    for (const QRect &area : workAreas) {
        const QRect part = area.intersected(screen);
        if (part.width() * part.height() > best.width() * best.height())
            best = part;
    }
    return best.isEmpty() ? screen : best;
}

const QList<QRect> &X11ScreenEnvironment::workAreas() const
{
    constexpr qint64 freshForMs = 1000;
    if (!m_workAreasAge.isValid() || m_workAreasAge.elapsed() > freshForMs) {
        m_workAreas = readWorkAreas();
        m_workAreasAge.start();
    }
    return m_workAreas;
}

QList<ScreenGeometry> X11ScreenEnvironment::screens() const
{
    QList<ScreenGeometry> result;
    QList<QScreen *> all = QGuiApplication::screens();
    if (QScreen *primary = QGuiApplication::primaryScreen()) {
        all.removeAll(primary);
        all.prepend(primary);
    }
    const QList<QRect> &areas = workAreas();
    const double bottom = DesktopCoordinates::primaryBottom();
    for (QScreen *screen : all) {
        const QRect geometry = screen->geometry();
        const double ratio = screen->devicePixelRatio();
        // Work areas are in device pixels; Qt's geometry is not.
        const QRect devicePixels(geometry.topLeft() * ratio, geometry.size() * ratio);
        const QRect area = workAreaOf(devicePixels, areas);
        const QRectF visible(QPointF(area.topLeft()) / ratio, QSizeF(area.size()) / ratio);
        result.append({DesktopCoordinates::fromQt(QRectF(geometry), bottom), DesktopCoordinates::fromQt(visible, bottom)});
    }
    return result;
}

QPointF X11ScreenEnvironment::pointerLocation() const
{
    return DesktopCoordinates::pointFromQt(QPointF(QCursor::pos()), DesktopCoordinates::primaryBottom());
}

bool X11ScreenEnvironment::isMouseButtonPressed() const
{
    xcb_connection_t *c = X11Connection::connection();
    if (!c)
        return QGuiApplication::mouseButtons() != Qt::NoButton;
    xcb_query_pointer_reply_t *reply =
        xcb_query_pointer_reply(c, xcb_query_pointer(c, X11Connection::rootWindow(c)), nullptr);
    const uint16_t buttons = XCB_KEY_BUT_MASK_BUTTON_1 | XCB_KEY_BUT_MASK_BUTTON_2 | XCB_KEY_BUT_MASK_BUTTON_3;
    const bool pressed = reply && (reply->mask & buttons);
    std::free(reply);
    return pressed;
}

bool X11ScreenEnvironment::isPointerOverOwnWindow() const
{
    const QPoint pointer = QCursor::pos();
    const QList<QWindow *> windows = QGuiApplication::topLevelWindows();
    for (const QWindow *window : windows) {
        if (window->isVisible() && window->geometry().contains(pointer))
            return true;
    }
    return false;
}
