#include "ai/PromptTargetButton.h"

#include "ai/PromptBar.h"
#include "icons/AppIconView.h"
#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"

#include <QPainter>

namespace {
constexpr int diameter = 22;
constexpr double iconPoints = 14;
} // namespace

PromptTargetButton::PromptTargetButton(const SettingsModel &settings, QNetworkAccessManager &network,
                                       const TabModel &tab, bool isTarget, QWidget *parent)
    : QAbstractButton(parent), m_settings(settings), m_icon(new AppIconView(settings, network, this)), m_isTarget(isTarget)
{
    setFixedSize(diameter, diameter);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setToolTip(PromptBar::routeTooltip(tab));
    setAccessibleName(toolTip());
    m_icon->setIconSize(iconPoints);
    m_icon->setIcon(tab.iconKey, tab.title, tab.url, tab.iconURL);
    m_icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    const int inset = int((diameter - iconPoints) / 2);
    m_icon->setGeometry(inset, inset, int(iconPoints), int(iconPoints));
    connect(&m_settings, &SettingsModel::changed, this, qOverload<>(&QWidget::update));
}

QSize PromptTargetButton::sizeHint() const
{
    return QSize(diameter, diameter);
}

void PromptTargetButton::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF circle = QRectF(rect()).adjusted(1, 1, -1, -1);
    QColor fill = m_isTarget ? palette.accent : palette.border;
    fill.setAlphaF(m_isTarget ? 0.2f : 0.35f);
    painter.setBrush(fill);
    painter.setPen(m_isTarget || hasFocus() ? QPen(palette.accent, 1.5) : Qt::NoPen);
    painter.drawEllipse(circle);
}
