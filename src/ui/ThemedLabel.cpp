#include "ui/ThemedLabel.h"

#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"
#include "ui/ElidingLabel.h"

#include <QPainter>

ThemedLabel::ThemedLabel(const SettingsModel &settings, Role role, int pixelSize, const QString &text, QWidget *parent)
    : QLabel(text, parent), m_settings(settings), m_role(role)
{
    setTextFormat(Qt::PlainText);
    QFont font = this->font();
    font.setPixelSize(pixelSize);
    setFont(font);
    connect(&m_settings, &SettingsModel::changed, this, &ThemedLabel::recolour);
    recolour();
}

void ThemedLabel::setBold(bool bold)
{
    QFont font = this->font();
    font.setWeight(bold ? QFont::DemiBold : QFont::Normal);
    setFont(font);
}

void ThemedLabel::recolour()
{
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    const QColor colour = m_role == Role::Primary     ? palette.textPrimary
                          : m_role == Role::Secondary ? palette.textSecondary
                          : m_role == Role::Muted     ? palette.textMuted
                                                      : palette.accent;
    QPalette colours = this->palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
}

QSize ThemedLabel::minimumSizeHint() const
{
    const QSize natural = QLabel::minimumSizeHint();
    if (wordWrap())
        return natural;
    const QMargins margins = contentsMargins();
    return QSize(Elision::minimumWidth(fontMetrics(), text()) + margins.left() + margins.right(), natural.height());
}

void ThemedLabel::paintEvent(QPaintEvent *event)
{
    if (wordWrap() || !Elision::isCut(fontMetrics(), text(), contentsRect().width())) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), int(alignment()),
                     fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width()));
}
