#include "panel/PanelWindow.h"

#include "panel/OrvanePanel.h"
#include "panel/PanelGeometry.h"
#include "platform/x11/X11ScreenEnvironment.h"
#include "platform/x11/X11WindowHints.h"
#include "state/AppState.h"
#include "theme/OrvaneTheme.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWindow>

namespace {
// How close to an edge a press resizes instead of dragging.
constexpr int resizeMargin = 6;
constexpr int titleHeight = 52;
} // namespace

PanelWindow::PanelWindow(AppState &state)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_state(state)
    , m_translucent(X11WindowHints::hasCompositor())
{
    setWindowTitle(QStringLiteral("Orvane"));
    // Without a compositor a translucent window paints black where it is clear.
    setAttribute(Qt::WA_TranslucentBackground, m_translucent);
    setMouseTracking(true);
    setMinimumSize(int(PanelGeometry::minimumWidth), int(PanelGeometry::minimumHeight));
    setMaximumSize(int(PanelGeometry::maximumWidth), int(PanelGeometry::maximumHeight));
    resize(440, 800);
    winId();
    X11WindowHints::makeSidePanel(windowHandle());
    connect(&m_state, &AppState::settingsChanged, this, qOverload<>(&QWidget::update));
}

void PanelWindow::setContent(QWidget *content)
{
    // Inside the outline, below the title, clear of the resize margins.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(resizeMargin, titleHeight, resizeMargin, resizeMargin);
    layout->addWidget(content);
}

QRectF PanelWindow::frame() const
{
    return PanelGeometry::fromQt(QRectF(geometry()), X11ScreenEnvironment::primaryBottom());
}

void PanelWindow::setFrame(const QRectF &frame)
{
    setGeometry(PanelGeometry::toQt(frame, X11ScreenEnvironment::primaryBottom()).toRect());
}

void PanelWindow::setOrigin(const QPointF &origin)
{
    const QRectF qt = PanelGeometry::toQt(QRectF(origin, QSizeF(size())), X11ScreenEnvironment::primaryBottom());
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

bool PanelWindow::isDetached() const
{
    const auto screen = PanelGeometry::screenContaining(X11ScreenEnvironment().screens(), frame().center());
    return screen && PanelGeometry::isDetached(height(), screen->visibleFrame);
}

void PanelWindow::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_state.settings().currentTheme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ScreenDockEdge edge = m_state.settings().screenDockEdge;
    if (!m_translucent)
        painter.fillRect(rect(), palette.panelBackground);
    const QPainterPath outline = PanelGeometry::outline(QSizeF(size()), edge, isDetached());
    painter.fillPath(outline, palette.panelBackground);
    painter.setPen(QPen(palette.panelBorder, 1));
    painter.drawPath(outline.translated(0.5, 0.5));

    QFont title = font();
    title.setPointSizeF(17);
    title.setWeight(QFont::DemiBold);
    painter.setFont(title);
    painter.setPen(palette.textPrimary);
    painter.drawText(rect().adjusted(20, 16, -20, 0), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Orvane"));
}

Qt::Edges PanelWindow::resizeEdgesAt(const QPoint &p) const
{
    Qt::Edges edges;
    // The docked side stays against the screen edge: only the inner side resizes the width.
    if (m_state.settings().screenDockEdge == ScreenDockEdge::Right ? p.x() < resizeMargin : p.x() >= width() - resizeMargin)
        edges |= m_state.settings().screenDockEdge == ScreenDockEdge::Right ? Qt::LeftEdge : Qt::RightEdge;
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
    m_pressGlobal = event->globalPosition().toPoint();
    m_pressGeometry = geometry();
    m_resizeEdges = resizeEdgesAt(event->position().toPoint());
    m_drag = m_resizeEdges ? Drag::Resize : Drag::Move;
}

void PanelWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_drag == Drag::None) {
        const Qt::Edges edges = resizeEdgesAt(event->position().toPoint());
        const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
        const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
        setCursor(horizontal && vertical ? Qt::SizeAllCursor : horizontal ? Qt::SizeHorCursor
                  : vertical           ? Qt::SizeVerCursor
                                       : Qt::ArrowCursor);
        return;
    }
    const QPoint delta = event->globalPosition().toPoint() - m_pressGlobal;
    if (m_drag == Drag::Move) {
        move(m_pressGeometry.topLeft() + delta);
        if (m_panel)
            m_panel->windowDidMove();
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
    if (m_panel)
        m_panel->windowDidResize();
}

void PanelWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const Drag finished = m_drag;
    m_drag = Drag::None;
    if (finished == Drag::Resize && m_panel)
        m_panel->windowDidEndLiveResize();
}
