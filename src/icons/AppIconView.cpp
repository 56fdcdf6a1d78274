#include "icons/AppIconView.h"

#include "icons/AppIconPainter.h"
#include "icons/FaviconLoader.h"
#include "icons/IconKeyResolver.h"
#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The tile greyed for the monochrome styles: no colour, more contrast.
QImage desaturated(const QImage &image)
{
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int luma = qGray(row[x]);
            const int contrasted = qBound(0, int((luma - 128) * 1.25 + 128), 255);
            row[x] = qRgba(contrasted, contrasted, contrasted, qAlpha(row[x]));
        }
    }
    grey.setDevicePixelRatio(image.devicePixelRatio());
    return grey;
}

} // namespace

AppIconView::AppIconView(const SettingsModel &settings, QNetworkAccessManager &network, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_network(network)
{
    connect(&m_settings, &SettingsModel::changed, this, qOverload<>(&QWidget::update));
}

AppIconView::~AppIconView() = default;

QString AppIconView::resolveKey(const QString &id, const QString &title, const QUrl &url)
{
    return IconKeyResolver::resolveKey(id, title, url);
}

void AppIconView::setIcon(const QString &id, const QString &title, const QUrl &url, const std::optional<QUrl> &iconURL)
{
    if (id == m_id && title == m_title && url == m_url && iconURL == m_iconURL)
        return;
    m_id = id;
    m_title = title;
    m_url = url;
    m_iconURL = iconURL;
    m_analysis.reset();
    m_monochrome = QImage();
    if (!AppIconPainter::hasMark(resolveKey(m_id, m_title, m_url)))
        loadFavicon();
    update();
}

void AppIconView::setIconSize(double points)
{
    m_size = points;
    updateGeometry();
    update();
}

void AppIconView::setSleeping(bool sleeping)
{
    m_isSleeping = sleeping;
    update();
}

void AppIconView::setActive(bool active)
{
    m_isActive = active;
    update();
}

QSize AppIconView::sizeHint() const
{
    return QSize(int(m_size), int(m_size));
}

void AppIconView::loadFavicon()
{
    m_loader = std::make_unique<FaviconLoader>(m_network);
    connect(m_loader.get(), &FaviconLoader::finished, this, [this](const std::optional<FaviconAnalysis> &analysis) {
        m_analysis = analysis;
        if (analysis)
            m_monochrome = desaturated(analysis->image);
        update();
    });
    m_loader->load(FaviconCandidates::sources(m_title, m_url, m_iconURL.value_or(QUrl())), m_size);
}

void AppIconView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF rect((width() - m_size) / 2, (height() - m_size) / 2, m_size, m_size);
    const IconStyle style = iconStyleFor(m_settings.values().currentTheme);
    if (AppIconPainter::paint(painter, rect, resolveKey(m_id, m_title, m_url), style, QDate::currentDate()))
        return;
    if (m_analysis)
        paintFavicon(painter, rect, style != IconStyle::Brand);
    else
        paintLetter(painter, rect);
}

void AppIconView::paintFavicon(QPainter &painter, const QRectF &rect, bool monochrome)
{
    if (!monochrome) {
        const double side = rect.width() * 0.75;
        painter.drawImage(QRectF(rect.center() - QPointF(side, side) / 2, QSizeF(side, side)), m_analysis->image);
        return;
    }
    const bool light = OrvaneTheme::palette(m_settings.values().currentTheme).panelBackground.lightnessF() > 0.5;
    QPainterPath tile;
    tile.addRoundedRect(rect, 8, 8);
    painter.fillPath(tile, light ? QColor(Qt::white) : QColor(22, 24, 28));
    const double side = rect.width() * 0.72;
    painter.setOpacity(0.85);
    painter.drawImage(QRectF(rect.center() - QPointF(side, side) / 2, QSizeF(side, side)), m_monochrome);
    painter.setOpacity(1);
}

void AppIconView::paintLetter(QPainter &painter, const QRectF &rect)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    QPainterPath tile;
    tile.addRoundedRect(rect, 8, 8);
    painter.fillPath(tile, palette.fileCardBackground);
    painter.strokePath(tile, QPen(palette.border, 1));
    QFont font = this->font();
    font.setPixelSize(qMax(1, int(rect.height() * 0.48)));
    font.setWeight(QFont::DemiBold);
    painter.setFont(font);
    painter.setPen(palette.textPrimary);
    painter.drawText(rect, Qt::AlignCenter, FaviconCandidates::sources(m_title, m_url, QUrl()).initial);
}
