#include "settings/SettingsRowButton.h"

#include "icons/Symbols.h"
#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"

#include <QKeyEvent>
#include <QPainter>

namespace {
constexpr int detailGap = 12;
}

SettingsRowButton::SettingsRowButton(const SettingsModel &settings, const QString &title, QWidget *parent)
    : PanelButton(parent), m_settings(settings)
{
    setTitle(title);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    // The title and detail give way to the panel's width (buttons otherwise keep their size hint).
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(&m_settings, &SettingsModel::changed, this, qOverload<>(&QWidget::update));
}

void SettingsRowButton::setDetail(const QString &detail)
{
    m_detail = detail;
    setAccessibleDescription(detail);
    update();
}

QSize SettingsRowButton::sizeHint() const
{
    return QSize(240, 38);
}

void SettingsRowButton::paintEvent(QPaintEvent *)
{
    const AppThemeMode theme = m_settings.values().currentTheme;
    const ThemePalette &palette = OrvaneTheme::palette(theme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isHovering() || hasFocus() || isDown()) {
        QColor lit = isLight(theme) ? QColor(0, 0, 0) : QColor(255, 255, 255);
        lit.setAlphaF(hasFocus() ? 0.08f : 0.05f);
        painter.setPen(hasFocus() ? QPen(palette.accent, 1) : QPen(Qt::NoPen));
        painter.setBrush(lit);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
    }
    QFont titleFont = font();
    titleFont.setPixelSize(12);
    titleFont.setWeight(QFont::DemiBold);
    painter.setFont(titleFont);
    painter.setPen(palette.textPrimary);
    const QRect text = rect().adjusted(10, 0, -26, 0);
    // The title keeps its place; the detail gets what is left beside it.
    const QFontMetrics titleMetrics(titleFont);
    const QString title = titleMetrics.elidedText(this->text(), Qt::ElideRight, text.width());
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, title);
    QFont detailFont = font();
    detailFont.setPixelSize(11);
    painter.setFont(detailFont);
    painter.setPen(palette.textSecondary);
    const int detailWidth = text.width() - titleMetrics.horizontalAdvance(title) - detailGap;
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignRight,
                     QFontMetrics(detailFont).elidedText(m_detail, Qt::ElideRight, std::max(0, detailWidth)));
    Symbols::paint(painter, QStringLiteral("chevron.right"), QRectF(width() - 20, height() / 2.0 - 5, 10, 10),
                   palette.textMuted);
}

