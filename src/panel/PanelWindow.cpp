#include "panel/PanelWindow.h"

#include "panel/PanelGeometry.h"
#include "platform/DesktopCoordinates.h"
#include "platform/WindowHints.h"
#include "state/SettingsModel.h"
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

PanelWindow::PanelWindow(const SettingsModel &settings, WindowHints &hints)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_settings(settings)
    , m_translucent(hints.hasCompositor())
{
    setWindowTitle(QStringLiteral("Orvane"));
    // Without a compositor a translucent window paints black where it is clear.
    setAttribute(Qt::WA_TranslucentBackground, m_translucent);
    setMouseTracking(true);
    setMinimumSize(int(PanelGeometry::minimumWidth), int(PanelGeometry::minimumHeight));
    setMaximumSize(int(PanelGeometry::maximumWidth), int(PanelGeometry::maximumHeight));
    resize(440, 800);
    winId();
    hints.makeSidePanel(windowHandle());
    connect(&m_settings, &SettingsModel::changed, this, qOverload<>(&QWidget::update));
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

void PanelWindow::setDocking(Qt::Edge dockedEdge, bool detached)
{
    if (dockedEdge == m_dockedEdge && detached == m_detached)
        return;
    m_dockedEdge = dockedEdge;
    m_detached = detached;
    update();
}

void PanelWindow::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ScreenDockEdge edge = m_dockedEdge == Qt::LeftEdge ? ScreenDockEdge::Left : ScreenDockEdge::Right;
    if (!m_translucent)
        painter.fillRect(rect(), palette.panelBackground);
    const QPainterPath outline = PanelGeometry::outline(QSizeF(size()), edge, m_detached);
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
    // Only the window's own grips move or resize it: its edges and its title
    // strip. A press that a child passed on (a label, an empty page) is no grip.
    const QPoint position = event->position().toPoint();
    m_resizeEdges = resizeEdgesAt(position);
    const bool onTitle = position.y() < titleHeight && !childAt(position);
    if (!m_resizeEdges && !onTitle)
        return;
    m_pressGlobal = event->globalPosition().toPoint();
    m_pressGeometry = geometry();
    m_drag = m_resizeEdges ? Drag::Resize : Drag::Move;
}

void PanelWindow::mouseMoveEvent(QMouseEvent *event)
{
    // The release may never reach us (it went to a popup, or the window
    // manager took it): a drag lasts only while the button is down.
    if (m_drag != Drag::None && !(event->buttons() & Qt::LeftButton))
        endDrag();
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
    if (finished == Drag::Resize)
        Q_EMIT userResizeEnded();
}
