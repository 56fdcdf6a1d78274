#include "settings/ThemeCard.h"

#include "icons/Symbols.h"
#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"
#include "ui/ChoiceAccessible.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int previewHeight = 52;

// The preview shows the colours themselves, not what is behind the panel.
QColor opaque(const QColor &colour)
{
    return QColor(colour.rgb());
}

} // namespace

ThemeCard::ThemeCard(const SettingsModel &settings, AppThemeMode theme, QWidget *parent)
    : QAbstractButton(parent), m_settings(settings), m_theme(theme)
{
    ChoiceAccessible::useFor(staticMetaObject);
    setCheckable(true);
    setText(rawValue(theme));
    setAccessibleName(rawValue(theme));
    setAccessibleDescription(subtitle(theme));
    setToolTip(subtitle(theme));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    QFont font = this->font();
    font.setPixelSize(10);
    setFont(font);
    // Four to a line fit the narrowest panel.
    setMinimumWidth(40);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(&m_settings, &SettingsModel::changed, this, qOverload<>(&QWidget::update));
}

QSize ThemeCard::sizeHint() const
{
    return QSize(80, previewHeight + 20);
}

void ThemeCard::paintEvent(QPaintEvent *)
{
    const ThemePalette &own = OrvaneTheme::palette(m_theme);
    const ThemePalette &current = OrvaneTheme::palette(m_settings.values().currentTheme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF preview(1, 1, width() - 2, previewHeight);
    QPainterPath frame;
    frame.addRoundedRect(preview, 8, 8);
    painter.save();
    painter.setClipPath(frame);
    painter.fillRect(preview, opaque(own.panelBackground));
    painter.fillRect(QRectF(preview.left(), preview.top(), preview.width() * 0.22, preview.height()), opaque(own.railBackground));
    const QRectF card(preview.left() + preview.width() * 0.3, preview.top() + 9, preview.width() * 0.6, preview.height() - 18);
    painter.setPen(QPen(own.border, 1));
    painter.setBrush(opaque(own.cardBackground()));
    painter.drawRoundedRect(card, 4, 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(own.textPrimary);
    painter.drawRoundedRect(QRectF(card.left() + 6, card.top() + 7, card.width() * 0.6, 4), 2, 2);
    painter.setBrush(own.textSecondary);
    painter.drawRoundedRect(QRectF(card.left() + 6, card.top() + 15, card.width() * 0.4, 3), 1.5, 1.5);
    painter.setBrush(own.accent);
    painter.drawEllipse(QRectF(preview.left() + preview.width() * 0.11 - 4, preview.top() + 10, 8, 8));
    painter.restore();

    const bool marked = isChecked();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(marked || hasFocus() ? current.accent : current.border, marked ? 2 : 1));
    painter.drawRoundedRect(preview, 8, 8);
    if (marked) {
        const QRectF badge(preview.right() - 18, preview.top() + 4, 14, 14);
        painter.setPen(Qt::NoPen);
        painter.setBrush(current.accent);
        painter.drawEllipse(badge);
        Symbols::paint(painter, QStringLiteral("checkmark"), badge.adjusted(3, 3, -3, -3), current.onAccentText);
    }
    painter.setPen(marked ? current.accent : current.textSecondary);
    painter.setFont(font());
    painter.drawText(QRectF(0, previewHeight + 3, width(), 16), Qt::AlignCenter,
                     painter.fontMetrics().elidedText(text(), Qt::ElideRight, width()));
}
