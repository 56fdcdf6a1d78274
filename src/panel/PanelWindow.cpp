#include "panel/PanelWindow.h"

#include "panel/PanelGeometry.h"
#include "panel/PanelOutline.h"
#include "platform/DesktopCoordinates.h"
#include "platform/WindowHints.h"
#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWindow>

namespace {
// How close to an edge a press resizes instead of dragging.
constexpr int resizeMargin = 6;
// The property views set on their drag handles (see WindowDragArea).
constexpr const char *gripProperty = "orvaneWindowGrip";

bool isGrip(const QWidget *widget, const QWidget *window)
{
    for (; widget && widget != window; widget = widget->parentWidget()) {
        if (widget->property(gripProperty).toBool())
            return true;
    }
    return false;
}
} // namespace

PanelWindow::PanelWindow(const SettingsModel &settings, WindowHints &hints)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_settings(settings)
    , m_hints(hints)
    , m_translucent(hints.hasCompositor())
    , m_outline(new PanelOutline(settings, m_translucent, this))
{
    setWindowTitle(QStringLiteral("Orvane"));
    // Without a compositor a translucent window paints black where it is clear.
    setAttribute(Qt::WA_TranslucentBackground, m_translucent);
    setMouseTracking(true);
    setMinimumSize(int(PanelGeometry::minimumWidth), int(PanelGeometry::minimumHeight));
    setMaximumSize(int(PanelGeometry::maximumWidth), int(PanelGeometry::maximumHeight));
    resize(440, 800);
    // The native window exists from here on, so the hints are in place before it first shows.
    winId();
    connect(&m_settings, &SettingsModel::changed, this, qOverload<>(&QWidget::update));
    // Presses near the edges resize the panel even over its content.
    qApp->installEventFilter(this);
}

PanelWindow::~PanelWindow() = default;

// Qt makes a new native window when the first web page moves in (pages are
// drawn with OpenGL, the rest is not), and the window manager knows nothing
// of what was set on the old one: every native window gets the hints. A
// window manager also drops them when the window is withdrawn (hidden), so
// they are set again before every map: Qt sends the show event first and then
// maps, keeping what it finds in the state property.
bool PanelWindow::event(QEvent *event)
{
    const bool aboutToMap = event->type() == QEvent::Show && !event->spontaneous();
    if ((event->type() == QEvent::WinIdChange || aboutToMap) && internalWinId())
        m_hints.makeSidePanel(windowHandle());
    return QWidget::event(event);
}

void PanelWindow::setContent(QWidget *content)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    m_outline->raise();
}

bool PanelWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    // The release may never reach us (it went to a popup, or the window
    // manager took it): a drag lasts only while the button is down.
    if (m_drag != Drag::None && type == QEvent::MouseMove && !(mouse->buttons() & Qt::LeftButton))
        endDrag();
    if (widget == this || m_drag != Drag::None)
        return false;
    const QPoint position = mapFromGlobal(mouse->globalPosition().toPoint());
    if (type == QEvent::MouseMove) {
        if (mouse->buttons() == Qt::NoButton)
            showResizeCursor(resizeEdgesAt(position));
        return false;
    }
    if (mouse->button() != Qt::LeftButton || !resizeEdgesAt(position))
        return false;
    beginDrag(Drag::Resize, position, mouse->globalPosition().toPoint());
    grabMouse();
    return true;
}

QRectF PanelWindow::frame() const
{
    return DesktopCoordinates::fromQt(QRectF(geometry()), DesktopCoordinates::primaryBottom());
}

void PanelWindow::setFrame(const QRectF &frame)
{
    setGeometry(DesktopCoordinates::toQt(frame, DesktopCoordinates::primaryBottom()).toRect());
}

void PanelWindow::setOrigin(const QPointF &origin)
{
    const QRectF qt = DesktopCoordinates::toQt(QRectF(origin, QSizeF(size())), DesktopCoordinates::primaryBottom());
    move(qt.topLeft().toPoint());
}

bool PanelWindow::isOnScreen() const
{
    return isVisible();
}

void PanelWindow::orderFront()
{
    show();
    raise();
    activateWindow();
}

void PanelWindow::orderOut()
{
    hide();
}

void PanelWindow::remapForNewWindowManager()
{
    if (!isVisible())
        return;
    hide();
    orderFront();
}

void PanelWindow::setDocking(Qt::Edge dockedEdge, bool detached)
{
    if (dockedEdge == m_dockedEdge && detached == m_detached)
        return;
    m_dockedEdge = dockedEdge;
    m_detached = detached;
    m_outline->setDocking(dockedEdge, detached);
    updateShape();
    update();
}

// Without a compositor nothing can be see-through: the window itself takes
// the outline's shape, so its corners are not square blocks.
void PanelWindow::updateShape()
{
    if (m_translucent)
        return;
    setMask(QRegion(m_outline->path().toFillPolygon().toPolygon()));
}

void PanelWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_outline->setGeometry(rect());
    m_outline->raise();
    updateShape();
}

void PanelWindow::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_translucent)
        painter.fillPath(m_outline->path(), palette.panelBackground);
    else
        painter.fillRect(rect(), palette.panelBackground);
}

Qt::Edges PanelWindow::resizeEdgesAt(const QPoint &p) const
{
    Qt::Edges edges;
    // The docked side stays against the screen edge: only the inner side resizes the width.
    if (m_dockedEdge == Qt::RightEdge ? p.x() < resizeMargin : p.x() >= width() - resizeMargin)
        edges |= m_dockedEdge == Qt::RightEdge ? Qt::LeftEdge : Qt::RightEdge;
    if (p.y() < resizeMargin)
        edges |= Qt::TopEdge;
    else if (p.y() >= height() - resizeMargin)
        edges |= Qt::BottomEdge;
    return edges;
}

void PanelWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // Only the window's own grips move or resize it: its edges and the drag
    // handles of its views. A press that any other child passed on (a label,
    // an empty page) is no grip.
    const QPoint position = event->position().toPoint();
    if (resizeEdgesAt(position))
        beginDrag(Drag::Resize, position, event->globalPosition().toPoint());
    else if (isGrip(childAt(position), this))
        beginDrag(Drag::Move, position, event->globalPosition().toPoint());
}

void PanelWindow::beginDrag(Drag drag, const QPoint &position, const QPoint &globalPosition)
{
    m_drag = drag;
    m_resizeEdges = drag == Drag::Resize ? resizeEdgesAt(position) : Qt::Edges();
    m_pressGlobal = globalPosition;
    m_pressGeometry = geometry();
}

void PanelWindow::showResizeCursor(Qt::Edges edges)
{
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    const Qt::CursorShape shape = horizontal && vertical ? Qt::SizeAllCursor
                                  : horizontal           ? Qt::SizeHorCursor
                                  : vertical             ? Qt::SizeVerCursor
                                                         : Qt::ArrowCursor;
    if (shape == m_cursorShape)
        return;
    m_cursorShape = shape;
    if (shape == Qt::ArrowCursor)
        QApplication::restoreOverrideCursor();
    else if (QApplication::overrideCursor())
        QApplication::changeOverrideCursor(shape);
    else
        QApplication::setOverrideCursor(shape);
}

void PanelWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_drag == Drag::None) {
        showResizeCursor(resizeEdgesAt(event->position().toPoint()));
        return;
    }
    const QPoint delta = event->globalPosition().toPoint() - m_pressGlobal;
    if (m_drag == Drag::Move) {
        move(m_pressGeometry.topLeft() + delta);
        Q_EMIT userMoved();
        return;
    }
    QRect g = m_pressGeometry;
    if (m_resizeEdges & Qt::LeftEdge)
        g.setLeft(std::min(g.left() + delta.x(), g.right() - minimumWidth() + 1));
    if (m_resizeEdges & Qt::RightEdge)
        g.setRight(g.right() + delta.x());
    if (m_resizeEdges & Qt::TopEdge)
        g.setTop(std::min(g.top() + delta.y(), g.bottom() - minimumHeight() + 1));
    if (m_resizeEdges & Qt::BottomEdge)
        g.setBottom(g.bottom() + delta.y());
    g.setSize(g.size().boundedTo(maximumSize()).expandedTo(minimumSize()));
    setGeometry(g);
    Q_EMIT userResized();
}

void PanelWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        endDrag();
}

void PanelWindow::endDrag()
{
    const Drag finished = m_drag;
    m_drag = Drag::None;
    if (mouseGrabber() == this)
        releaseMouse();
    if (finished == Drag::Resize)
        Q_EMIT userResizeEnded();
}
