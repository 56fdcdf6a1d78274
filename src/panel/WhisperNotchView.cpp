#include "panel/WhisperNotchView.h"

#include "icons/Symbols.h"
#include "panel/EdgeHoverDetector.h"
#include "panel/WhisperNotch.h"
#include "platform/DesktopCoordinates.h"
#include "platform/WindowHints.h"
#include "shelf/DropIntake.h"
#include "state/AppState.h"
#include "theme/OrvaneTheme.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

qreal springEasing(qreal progress)
{
    return WhisperNotch::springProgress(progress * WhisperNotch::springSettleSeconds);
}

} // namespace

WhisperNotchView::WhisperNotchView(const QRectF &frame, ScreenDockEdge edge, const AppState &state,
                                   EdgeHoverDetector &detector, WindowHints &hints)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint
                           | Qt::WindowDoesNotAcceptFocus)
    , m_state(state)
    , m_detector(detector)
    , m_edge(edge)
    , m_translucent(hints.hasCompositor())
{
    setWindowTitle(QStringLiteral("Orvane notch"));
    setAccessibleName(QStringLiteral("Orvane"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground, m_translucent);
    setAcceptDrops(true);
    setCursor(Qt::PointingHandCursor);
    setGeometry(DesktopCoordinates::toQt(frame, DesktopCoordinates::primaryBottom()).toRect());

    QEasingCurve spring;
    spring.setCustomType(springEasing);
    m_spring.setEasingCurve(spring);
    m_spring.setDuration(int(WhisperNotch::springSettleSeconds * 1000));
    connect(&m_spring, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) { setGrowth(value.toDouble()); });

    m_fade.setEasingCurve(QEasingCurve::InOutQuad);
    m_fade.setDuration(int(WhisperNotch::fadeSeconds * 1000));
    connect(&m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) { setWindowOpacity(value.toDouble()); });
    connect(&m_fade, &QVariantAnimation::finished, this, [this] {
        if (!m_shown)
            hide();
    });

    connect(&m_state, &AppState::isPanelVisibleChanged, this, &WhisperNotchView::updateShown);
    connect(&m_state.settings(), &SettingsModel::changed, this, [this] {
        updateShown();
        update();
    });
    setGrowth(0);
    updateShown();
}

void WhisperNotchView::updateShown()
{
    const bool shown = WhisperNotch::isShown(m_state.isPanelVisible(), m_state.settings().values().showEdgeIndicator);
    if (shown == m_shown)
        return;
    m_shown = shown;
    if (!shown) {
        m_hovering = false;
        m_targetedForDrop = false;
        updateGrowth();
    }
    // Without a compositor there is no opacity to fade: the notch comes and goes.
    if (!m_translucent) {
        setVisible(shown);
        return;
    }
    if (shown) {
        setWindowOpacity(0);
        show();
    }
    m_fade.stop();
    m_fade.setStartValue(windowOpacity());
    m_fade.setEndValue(shown ? 1.0 : 0.0);
    m_fade.start();
}

void WhisperNotchView::updateGrowth()
{
    const double target = m_hovering || m_targetedForDrop ? 1 : 0;
    m_spring.stop();
    m_spring.setStartValue(m_growth);
    m_spring.setEndValue(target);
    m_spring.start();
}

void WhisperNotchView::setGrowth(double growth)
{
    m_growth = growth;
    const QRectF pill = WhisperNotch::pillRect(growth, m_edge);
    setMask(QRegion(WhisperNotch::pillPath(pill, m_edge).toFillPolygon().toPolygon()));
    update();
}

void WhisperNotchView::paintEvent(QPaintEvent *)
{
    const AppThemeMode theme = m_state.settings().values().currentTheme;
    const ThemePalette &palette = OrvaneTheme::palette(theme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF pill = WhisperNotch::pillRect(m_growth, m_edge);
    const bool grown = m_hovering || m_targetedForDrop;

    QColor fill = palette.accent;
    fill.setAlphaF(grown ? 0.65f : 0.5f);
    const QColor rim = isLight(theme) ? QColor(0, 0, 0, 26) : QColor(255, 255, 255, 36);
    if (!m_translucent)
        painter.fillRect(rect(), palette.panelBackground);
    const QPainterPath path = WhisperNotch::pillPath(pill, m_edge);
    painter.fillPath(path, fill);
    painter.setPen(QPen(rim, 1));
    painter.drawPath(path);

    QColor mark = palette.onAccentText;
    if (!grown) {
        mark.setAlphaF(0.45f);
        painter.fillRect(WhisperNotch::accentLine(pill, m_edge), mark);
        return;
    }
    const double side = std::min(pill.width(), 10.0);
    const QRectF box(pill.center().x() - side / 2, pill.center().y() - side / 2, side, side);
    QTransform place;
    place.translate(box.left(), box.top());
    place.scale(box.width(), box.height());
    painter.fillPath(place.map(Symbols::path(WhisperNotch::symbolName(m_edge, m_targetedForDrop))), mark);
}

void WhisperNotchView::enterEvent(QEnterEvent *)
{
    if (!m_shown)
        return;
    m_hovering = true;
    updateGrowth();
}

void WhisperNotchView::leaveEvent(QEvent *)
{
    m_hovering = false;
    updateGrowth();
}

void WhisperNotchView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_shown && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        m_detector.clicked();
}

// Fading out, the notch takes nothing.
void WhisperNotchView::dragEnterEvent(QDragEnterEvent *event)
{
    if (!m_shown) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    m_targetedForDrop = true;
    updateGrowth();
    m_detector.notchDragEntered();
}

void WhisperNotchView::dragMoveEvent(QDragMoveEvent *event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void WhisperNotchView::dragLeaveEvent(QDragLeaveEvent *)
{
    m_targetedForDrop = false;
    updateGrowth();
}

void WhisperNotchView::dropEvent(QDropEvent *event)
{
    m_targetedForDrop = false;
    updateGrowth();
    if (!m_detector.performDrop(DropIntake::payloadOf(*event->mimeData()))) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}
