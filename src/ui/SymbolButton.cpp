#include "ui/SymbolButton.h"

#include "icons/Symbols.h"
#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"

#include <QPainter>

SymbolButton::SymbolButton(const SettingsModel &settings, const QString &symbol, const QString &tooltip, QWidget *parent)
    : PanelButton(parent), m_settings(settings), m_symbol(symbol)
{
    setToolTipText(tooltip);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    connect(&m_settings, &SettingsModel::changed, this, qOverload<>(&QWidget::update));
}

void SymbolButton::setSymbol(const QString &symbol)
{
    m_symbol = symbol;
    update();
}

void SymbolButton::setToolTipText(const QString &tooltip)
{
    setToolTip(tooltip);
    setAccessibleName(tooltip);
}

void SymbolButton::setSymbolSize(double points)
{
    m_symbolSize = points;
    updateGeometry();
    update();
}

QSize SymbolButton::sizeHint() const
{
    const int side = int(m_symbolSize + 12);
    return QSize(side, side);
}

QColor SymbolButton::tintColor(const ThemePalette &palette) const
{
    switch (m_tint) {
    case Tint::Accent:
        return palette.accent;
    case Tint::Primary:
        return palette.textPrimary;
    case Tint::Muted:
        return palette.textMuted;
    case Tint::Secondary:
        break;
    }
    return palette.textSecondary;
}

void SymbolButton::paintEvent(QPaintEvent *)
{
    const AppThemeMode theme = m_settings.values().currentTheme;
    const ThemePalette &palette = OrvaneTheme::palette(theme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool light = isLight(theme);
    const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
    double backdropOpacity = m_backdrop ? (light ? 0.04 : 0.06) : 0.0;
    if (isHovering() || isDown() || hasFocus())
        backdropOpacity += light ? 0.06 : 0.1;
    if (m_highlighted) {
        QColor backdrop = palette.accent;
        backdrop.setAlphaF(0.18f);
        painter.setPen(Qt::NoPen);
        painter.setBrush(backdrop);
        painter.drawRoundedRect(area, 6, 6);
    } else if (backdropOpacity > 0) {
        QColor backdrop = light ? Qt::black : Qt::white;
        backdrop.setAlphaF(float(backdropOpacity));
        painter.setPen(Qt::NoPen);
        painter.setBrush(backdrop);
        painter.drawRoundedRect(area, 6, 6);
    }
    QColor color = m_highlighted ? palette.accent : tintColor(palette);
    if (!isEnabled())
        color = palette.textMuted;
    const QRectF symbolBox(QPointF(0, 0), QSizeF(m_symbolSize, m_symbolSize));
    Symbols::paint(painter, m_symbol, symbolBox.translated(rect().center() - symbolBox.center()), color);
}

