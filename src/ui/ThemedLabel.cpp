#include "ui/ThemedLabel.h"

#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"

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
