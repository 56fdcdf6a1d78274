#include "palette/CommandRowView.h"

#include "icons/AppIconView.h"
#include "icons/Symbols.h"
#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"
#include "ui/ElidingLabel.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr int margin = 10;

QColor tint(CommandColor color, const ThemePalette &palette)
{
    switch (color) {
    case CommandColor::Indigo:
        return QColor(0x58, 0x56, 0xD6);
    case CommandColor::Blue:
        return QColor(0x0A, 0x84, 0xFF);
    case CommandColor::Purple:
        return QColor(0xAF, 0x52, 0xDE);
    case CommandColor::Orange:
        return QColor(0xFF, 0x95, 0x00);
    case CommandColor::Teal:
        return QColor(0x30, 0xB0, 0xC7);
    case CommandColor::Secondary:
        break;
    }
    return palette.textSecondary;
}

} // namespace

CommandRowView::CommandRowView(const SettingsModel &settings, QNetworkAccessManager &network, QWidget *parent)
    : QAbstractButton(parent)
    , m_settings(settings)
    , m_app(new AppIconView(settings, network, this))
    , m_title(new ElidingLabel(QString(), this))
    , m_subtitle(new ElidingLabel(QString(), this))
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    // As wide as the list, however long its texts: they give way.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_app->setIconSize(iconSize);
    m_app->setFixedSize(iconSize, iconSize);
    // The symbol tile is painted in the icon's place, which it keeps when hidden.
    QSizePolicy keepPlace = m_app->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_app->setSizePolicy(keepPlace);
    m_title->setPixelSize(13, QFont::DemiBold);
    m_subtitle->setPixelSize(11);
    for (ElidingLabel *label : {m_title, m_subtitle})
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_app->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(1);
    texts->addWidget(m_title);
    texts->addWidget(m_subtitle);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(margin, 6, margin, 6);
    layout->setSpacing(10);
    layout->addWidget(m_app);
    layout->addLayout(texts, 1);
    connect(&m_settings, &SettingsModel::changed, this, &CommandRowView::recolour);
    recolour();
}

void CommandRowView::recolour()
{
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    m_title->setColor(palette.textPrimary);
    m_subtitle->setColor(palette.textSecondary);
    update();
}

void CommandRowView::setItem(const CommandItem &item)
{
    m_title->setText(item.title);
    m_subtitle->setText(item.subtitle.value_or(QString()));
    m_subtitle->setVisible(item.subtitle.has_value());
    setAccessibleName(item.title);
    setAccessibleDescription(item.subtitle.value_or(QString()));
    m_symbol = item.iconName;
    m_color = item.color;
    m_showsSymbol = !item.appKey;
    if (item.appKey)
        m_app->setIcon(*item.appKey, item.appTitle, item.appURL.value_or(QUrl()), std::nullopt);
    m_app->setHidden(m_showsSymbol);
    update();
}

void CommandRowView::setHighlighted(bool highlighted)
{
    m_highlighted = highlighted;
    update();
}

QRectF CommandRowView::iconRect() const
{
    return QRectF(margin, (height() - iconSize) / 2.0, iconSize, iconSize);
}

void CommandRowView::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_highlighted) {
        QColor lit = palette.accent;
        lit.setAlphaF(0.16f);
        QPainterPath background;
        background.addRoundedRect(QRectF(rect()).adjusted(4, 1, -4, -1), 8, 8);
        painter.fillPath(background, lit);
    }
    if (!m_showsSymbol)
        return;
    const QColor colour = tint(m_color, palette);
    QColor tile = colour;
    tile.setAlphaF(0.15f);
    QPainterPath shape;
    shape.addRoundedRect(iconRect(), 7, 7);
    painter.fillPath(shape, tile);
    Symbols::paint(painter, m_symbol, iconRect().adjusted(6, 6, -6, -6), colour);
}
