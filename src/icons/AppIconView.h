#pragma once

#include "icons/FaviconAnalysis.h"

#include <QUrl>
#include <QWidget>

#include <memory>
#include <optional>

class FaviconLoader;
class QNetworkAccessManager;
class SettingsModel;

// A tab's icon: the drawn mark of a known web app in the current theme's
// style, or else the site's own icon as a tile, or else its letter.
class AppIconView final : public QWidget
{
    Q_OBJECT

public:
    // Site icons are fetched through `network`.
    AppIconView(const SettingsModel &settings, QNetworkAccessManager &network, QWidget *parent = nullptr);
    ~AppIconView() override;

    static QString resolveKey(const QString &id, const QString &title, const QUrl &url);

    void setIcon(const QString &id, const QString &title, const QUrl &url, const std::optional<QUrl> &iconURL);
    void setIconSize(double points);
    void setSleeping(bool sleeping);
    void setActive(bool active);
    bool isSleeping() const { return m_isSleeping; }
    bool isActive() const { return m_isActive; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void loadFavicon();
    void paintFavicon(QPainter &painter, const QRectF &rect, bool monochrome);
    void paintLetter(QPainter &painter, const QRectF &rect);

    const SettingsModel &m_settings;
    QNetworkAccessManager &m_network;
    QString m_id;
    QString m_title;
    QUrl m_url;
    std::optional<QUrl> m_iconURL;
    double m_size = 28;
    bool m_isSleeping = false;
    bool m_isActive = false;
    std::optional<FaviconAnalysis> m_analysis;
    QImage m_monochrome;
    std::unique_ptr<FaviconLoader> m_loader;
};
