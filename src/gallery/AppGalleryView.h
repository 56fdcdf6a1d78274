#pragma once

#include <QWidget>

#include <memory>

class AppGallery;
class GalleryEntryView;
class QGridLayout;
class QNetworkAccessManager;
class SearchField;
class SettingsModel;
class ThemedLabel;

// The gallery's 380 × 490 card: heading and close button, the search, the
// grid of apps, the field that makes any address a tab, and the footer hint.
// It starts afresh (empty search and address) each time it is shown.
class AppGalleryView final : public QWidget
{
    Q_OBJECT

public:
    AppGalleryView(std::unique_ptr<AppGallery> gallery, const SettingsModel &settings, QNetworkAccessManager &network,
                   QWidget *parent = nullptr);
    ~AppGalleryView() override;

    AppGallery &gallery() const { return *m_gallery; }
    SearchField &searchField() const { return *m_search; }
    // The entries on show, in grid order.
    QList<GalleryEntryView *> entries() const;

    QSize sizeHint() const override { return QSize(380, 490); }

Q_SIGNALS:
    // The close button, "Open" or a submitted address.
    void closeRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void makeEntries();
    void refresh();
    void submitAddress();

    std::unique_ptr<AppGallery> m_gallery;
    const SettingsModel &m_settings;
    QNetworkAccessManager &m_network;
    SearchField *m_search;
    SearchField *m_address;
    QWidget *m_grid;
    QGridLayout *m_gridLayout;
    ThemedLabel *m_noResults;
    // Shown while the gallery lists one category: what it lists, and a way to all apps.
    QWidget *m_categoryRow;
    // Made on first show, so no site icon is fetched for a gallery never opened.
    QList<GalleryEntryView *> m_entries;
};
