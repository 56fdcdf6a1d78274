#include "ai/PromptActionButton.h"

#include "icons/Symbols.h"
#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr double symbolPoints = 9.5;
constexpr int padding = 9;
constexpr int gap = 5;
} // namespace

PromptActionButton::PromptActionButton(const SettingsModel &settings, const QString &title, const QString &symbol,
                                       bool isPrimary, QWidget *parent)
    : PanelButton(parent), m_settings(settings), m_symbol(symbol), m_isPrimary(isPrimary)
{
    setUpTitled(settings, title);
}

void PromptActionButton::setTitleAndSymbol(const QString &title, const QString &symbol)
{
    setTitle(title);
    m_symbol = symbol;
    updateGeometry();
    update();
}

QSize PromptActionButton::sizeHint() const
{
    const int symbolWidth = m_symbol.isEmpty() ? 0 : int(symbolPoints) + gap;
    return QSize(padding * 2 + symbolWidth + fontMetrics().horizontalAdvance(text()), 24);
}

void PromptActionButton::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);

    const bool strong = isHovering() || isDown();
    // The main action's symbol is in the accent; its words stay in the text
    // colour, which reads on the accent's wash in every theme.
    const QColor symbolInk = m_isPrimary ? palette.accent : palette.textPrimary;
    QColor fill = m_isPrimary ? palette.accent : palette.border;
    fill.setAlphaF(m_isPrimary ? (strong ? 0.28f : 0.16f) : (strong ? 0.6f : 0.0f));
    QColor outline = m_isPrimary ? palette.accent : palette.border;
    if (m_isPrimary)
        outline.setAlphaF(strong ? 0.7f : 0.4f);
    painter.fillPath(shape, fill);
    painter.strokePath(shape, QPen(hasFocus() ? palette.accent : outline, hasFocus() ? 1.6 : 1));

    double x = padding;
    if (!m_symbol.isEmpty()) {
        const QRectF box(x, (height() - symbolPoints) / 2, symbolPoints, symbolPoints);
        Symbols::paint(painter, m_symbol, box, symbolInk);
        x += symbolPoints + gap;
    }
    painter.setPen(palette.textPrimary);
    painter.setFont(font());
    painter.drawText(QRectF(x, 0, width() - x - padding, height()), Qt::AlignVCenter | Qt::AlignLeft, text());
}

