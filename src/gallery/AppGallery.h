#pragma once

#include "gallery/AppCatalog.h"
#include "state/PanelContent.h"
#include "web/TabModel.h"

#include <QObject>

class TabListModel;

// The gallery of web apps: the catalogue filtered by the category it was
// opened for and by a search, which of its apps are already tabs, and the
// custom address that becomes a tab. It only uses the tab operations, and
// asks to be closed after opening something.
class AppGallery final : public QObject
{
    Q_OBJECT

public:
    AppGallery(TabListModel &tabs, const PanelContent &content, QObject *parent = nullptr);

    const QList<GalleryAppItem> &catalog() const { return m_catalog; }
    // The apps on offer; AppCatalog::entries() unless replaced.
    void setCatalog(const QList<GalleryAppItem> &catalog);

    const QString &searchQuery() const { return m_searchQuery; }
    void setSearchQuery(const QString &query);
    // Set each time the gallery opens; the user can widen it to every app.
    GalleryCategory category() const { return m_category; }
    void showAllApps();

    // The apps of the category whose name holds the query as typed (any
    // case), in catalogue order.
    QList<GalleryAppItem> filteredApps() const;
    // What the grid says when the search leaves it empty; empty otherwise.
    QString noResultsText() const;

    // The first tab, in rail order, at the app's address: on a host that
    // names the same app (IconKeyResolver::appForAddress), or, for an app
    // whose address names none, on the same host. Titles play no part.
    std::optional<TabModel> matchingTab(const GalleryAppItem &app) const;
    bool isInstalled(const GalleryAppItem &app) const { return matchingTab(app).has_value(); }

    // "+ Add": a new tab, made active; the gallery stays open.
    void add(const GalleryAppItem &app);
    // "Open": shows the app's tab and closes the gallery.
    void open(const GalleryAppItem &app);
    // Removes the app's tab; the gallery stays open.
    void remove(const GalleryAppItem &app);
    // Makes a tab of a typed address ("https://" is added when it has no
    // http or https scheme) and closes the gallery. Blank text, or text that
    // names no web address with a host, does nothing and returns false.
    bool submitCustomURL(const QString &text);

Q_SIGNALS:
    // The list or an app's installed state may have changed.
    void changed();
    void closeRequested();

private:
    TabListModel &m_tabs;
    QList<GalleryAppItem> m_catalog;
    QString m_searchQuery;
    GalleryCategory m_category = GalleryCategory::AllApps;
};
