#include "ui/ToggleSwitch.h"

#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"

#include <QPainter>

ToggleSwitch::ToggleSwitch(const SettingsModel &settings, const QString &accessibleName, QWidget *parent)
    : QAbstractButton(parent), m_settings(settings)
{
    setCheckable(true);
    setAccessibleName(accessibleName);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(sizeHint());
    connect(&m_settings, &SettingsModel::changed, this, qOverload<>(&QWidget::update));
}

QSize ToggleSwitch::sizeHint() const
{
    return QSize(34, 20);
}

void ToggleSwitch::paintEvent(QPaintEvent *)
{
    const AppThemeMode theme = m_settings.values().currentTheme;
    const ThemePalette &palette = OrvaneTheme::palette(theme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(1, 2, -1, -2);
    QColor off = isLight(theme) ? QColor(0, 0, 0) : QColor(255, 255, 255);
    off.setAlphaF(0.16f);
    painter.setPen(hasFocus() ? QPen(palette.accent, 1.5) : QPen(Qt::NoPen));
    painter.setBrush(isChecked() ? palette.accent : off);
    painter.drawRoundedRect(track, track.height() / 2, track.height() / 2);
    const double knob = track.height() - 4;
    const double x = isChecked() ? track.right() - 2 - knob : track.left() + 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(isChecked() ? palette.onAccentText : QColor(Qt::white));
    painter.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
}
