#include "ui/PillButton.h"

#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"
#include "ui/ChoiceAccessible.h"

#include <QPainter>
#include <QPainterPath>

PillButton::PillButton(const SettingsModel &settings, const QString &text, Style style, QWidget *parent)
    : PanelButton(parent), m_settings(settings), m_style(style)
{
    ChoiceAccessible::useFor(staticMetaObject);
    setUpTitled(settings, text);
}

void PillButton::setStyle(Style style)
{
    m_style = style;
    update();
}

QSize PillButton::sizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(text()) + 22, 26);
}

void PillButton::paintEvent(QPaintEvent *)
{
    const AppThemeMode theme = m_settings.values().currentTheme;
    const ThemePalette &palette = OrvaneTheme::palette(theme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(area, 7, 7);

    QColor fill = Qt::transparent;
    QColor outline = palette.border;
    QColor textColour = palette.textPrimary;
    if (m_style == Style::Accent) {
        fill = palette.accent;
        outline = palette.accent;
        textColour = palette.onAccentText;
    } else if (isChecked()) {
        // The outline and the wash mark the choice; accent text on its own
        // wash would be too faint in some themes.
        fill = palette.accent;
        fill.setAlphaF(0.14f);
        outline = palette.accent;
    }
    if (isHovering() || isDown())
        fill = fill.alpha() ? fill.lighter(isLight(theme) ? 108 : 125) : palette.border;
    if (!isEnabled())
        textColour = palette.textMuted;
    painter.fillPath(shape, fill);
    painter.strokePath(shape, QPen(hasFocus() ? palette.accent : outline, hasFocus() ? 1.6 : 1));
    painter.setPen(textColour);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, text());
}

