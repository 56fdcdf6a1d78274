#include "ui/RailTabButton.h"

#include "icons/AppIconView.h"
#include "icons/Symbols.h"
#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"
#include "ui/BarTexts.h"
#include "ui/RailReorder.h"
#include "web/UnreadCount.h"

#include <QMouseEvent>
#include <QPainter>

#include <functional>

namespace {
constexpr double iconPoints = 28;
constexpr double snowflakeSize = 12;

// The snowflake and the badge sit on the icon's corners. The icon is a child
// widget, drawn over whatever its button paints, so they are painted by a
// layer above it instead.
class MarksLayer final : public QWidget
{
public:
    MarksLayer(std::function<void(QPainter &)> paint, QWidget *parent) : QWidget(parent), m_paint(std::move(paint))
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        m_paint(painter);
    }

private:
    std::function<void(QPainter &)> m_paint;
};
} // namespace

RailTabButton::RailTabButton(const SettingsModel &settings, QNetworkAccessManager &network, QWidget *parent)
    : PanelButton(parent), m_settings(settings), m_icon(new AppIconView(settings, network, this))
{
    setFixedSize(slotSize, slotSize);
    setFocusPolicy(Qt::TabFocus);
    m_icon->setIconSize(iconPoints);
    m_icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    const int inset = int((slotSize - iconPoints) / 2);
    m_icon->setGeometry(inset, inset, int(iconPoints), int(iconPoints));
    (new MarksLayer([this](QPainter &painter) { paintMarks(painter); }, this))->setGeometry(rect());
    connect(&m_settings, &SettingsModel::changed, this, qOverload<>(&QWidget::update));
}

QSize RailTabButton::sizeHint() const
{
    return QSize(slotSize, slotSize);
}

void RailTabButton::setApp(const QString &appId, const QString &title, const QUrl &url, const std::optional<QUrl> &iconURL)
{
    m_title = title;
    m_icon->setIcon(appId, title, url, iconURL);
    updateTooltip();
}

void RailTabButton::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    m_icon->setActive(active);
    update();
}

void RailTabButton::setSleeping(bool sleeping)
{
    if (sleeping == m_sleeping)
        return;
    m_sleeping = sleeping;
    m_icon->setSleeping(sleeping);
    updateTooltip();
    update();
}

void RailTabButton::setBadgeCount(qsizetype count)
{
    m_badgeCount = count;
    update();
}

void RailTabButton::setUnreadCount(int count)
{
    if (count == m_unreadCount)
        return;
    m_unreadCount = count;
    updateTooltip();
    update();
}

void RailTabButton::setReorderable(bool reorderable)
{
    m_reorderable = reorderable;
    updateTooltip();
}

void RailTabButton::setLifted(bool lifted)
{
    m_lifted = lifted;
    update();
}

void RailTabButton::updateTooltip()
{
    const QString name = BarTexts::railButtonTooltip(m_title, m_sleeping, m_unreadCount);
    setToolTip(m_reorderable ? BarTexts::railTabTooltip(name) : name);
    setAccessibleName(name);
}

void RailTabButton::paintEvent(QPaintEvent *)
{
    const AppThemeMode theme = m_settings.values().currentTheme;
    const ThemePalette &palette = OrvaneTheme::palette(theme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF slot = QRectF(rect()).adjusted(2, 2, -2, -2);
    if (m_lifted) {
        QColor shadow(0, 0, 0);
        shadow.setAlphaF(0.35f);
        painter.setPen(Qt::NoPen);
        painter.setBrush(shadow);
        painter.drawRoundedRect(slot.translated(0, 2), 9, 9);
    }
    if (m_active || isHovering() || m_lifted || hasFocus()) {
        QColor highlight = isLight(theme) ? QColor(0, 0, 0) : QColor(255, 255, 255);
        highlight.setAlphaF(m_active ? 0.08f : 0.05f);
        painter.setPen(Qt::NoPen);
        painter.setBrush(highlight);
        painter.drawRoundedRect(slot, 9, 9);
    }
    if (m_active) {
        painter.setBrush(palette.accent);
        painter.drawRoundedRect(QRectF(0, (height() - 18) / 2.0, 3, 18), 1.5, 1.5);
    }
}

void RailTabButton::paintMarks(QPainter &painter) const
{
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    if (m_sleeping) {
        const QRectF corner(width() - snowflakeSize - 1, height() - snowflakeSize - 1, snowflakeSize, snowflakeSize);
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette.railBackground);
        painter.drawEllipse(corner.adjusted(-1, -1, 1, 1));
        Symbols::paint(painter, QStringLiteral("snowflake"), corner, palette.accent);
    }
    if (m_badgeCount > 0)
        paintBadge(painter, QString::number(m_badgeCount), OrvaneTheme::shelfBadgeOrange, OrvaneTheme::shelfBadgeInk);
    if (m_unreadCount > 0) {
        const QColor fill = m_sleeping ? palette.hibernationColor : palette.accent;
        paintBadge(painter, UnreadCount::badgeText(m_unreadCount), fill, palette.onAccentText);
    }
}

void RailTabButton::paintBadge(QPainter &painter, const QString &text, const QColor &fill, const QColor &ink) const
{
    QFont font = painter.font();
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    const double badgeWidth = std::max(14.0, QFontMetricsF(font).horizontalAdvance(text) + 8);
    const QRectF badge(width() - badgeWidth, 0, badgeWidth, 14);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(badge, 7, 7);
    painter.setPen(ink);
    painter.drawText(badge, Qt::AlignCenter, text);
}

void RailTabButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressY = event->globalPosition().y();
    QAbstractButton::mousePressEvent(event);
}

void RailTabButton::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressY && (event->buttons() & Qt::LeftButton)) {
        const double travel = event->globalPosition().y() - *m_pressY;
        if (m_dragging || std::abs(travel) >= RailReorder::minimumDistance) {
            m_dragging = true;
            Q_EMIT dragMoved(travel, event->modifiers() & Qt::ControlModifier);
        }
    }
    QAbstractButton::mouseMoveEvent(event);
}

// A drag ends without a click.
void RailTabButton::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressY.reset();
    if (m_dragging && event->button() == Qt::LeftButton) {
        m_dragging = false;
        setDown(false);
        Q_EMIT dragFinished();
        return;
    }
    QAbstractButton::mouseReleaseEvent(event);
}

