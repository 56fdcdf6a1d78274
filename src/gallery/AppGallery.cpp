#include "gallery/AppGallery.h"

#include "icons/IconKeyResolver.h"
#include "web/TabListModel.h"
#include "web/WebAddress.h"

namespace {
// An app is known by its address, never by a tab's title or icon: a page
// titled "A notion of design" is not Notion, and removing "Notion" must not
// remove it.
bool belongsTo(const QUrl &tabAddress, const QUrl &appAddress)
{
    const QString app = IconKeyResolver::appForAddress(appAddress);
    if (!app.isEmpty())
        return IconKeyResolver::appForAddress(tabAddress) == app;
    return !appAddress.host().isEmpty() && tabAddress.host().compare(appAddress.host(), Qt::CaseInsensitive) == 0;
}
} // namespace

AppGallery::AppGallery(TabListModel &tabs, const PanelContent &content, QObject *parent)
    : QObject(parent), m_tabs(tabs), m_catalog(AppCatalog::entries())
{
    connect(&m_tabs, &TabListModel::changed, this, &AppGallery::changed);
    connect(&content, &PanelContent::showAppGalleryChanged, this, [this, &content] {
        if (!content.showAppGallery())
            return;
        m_category = content.appGalleryCategory();
        Q_EMIT changed();
    });
}

void AppGallery::showAllApps()
{
    m_category = GalleryCategory::AllApps;
    Q_EMIT changed();
}

void AppGallery::setCatalog(const QList<GalleryAppItem> &catalog)
{
    m_catalog = catalog;
    Q_EMIT changed();
}

void AppGallery::setSearchQuery(const QString &query)
{
    m_searchQuery = query;
    Q_EMIT changed();
}

QList<GalleryAppItem> AppGallery::filteredApps() const
{
    QList<GalleryAppItem> found;
    for (const GalleryAppItem &app : m_catalog) {
        const bool inCategory = m_category == GalleryCategory::AllApps || app.isAI;
        if (inCategory && app.name.contains(m_searchQuery, Qt::CaseInsensitive))
            found.append(app);
    }
    return found;
}

QString AppGallery::noResultsText() const
{
    if (m_searchQuery.isEmpty() || !filteredApps().isEmpty())
        return {};
    return QStringLiteral("No apps match \u201C%1\u201D").arg(m_searchQuery);
}

std::optional<TabModel> AppGallery::matchingTab(const GalleryAppItem &app) const
{
    for (const TabModel &tab : m_tabs.tabs()) {
        if (belongsTo(tab.url, app.url))
            return tab;
    }
    return std::nullopt;
}

void AppGallery::add(const GalleryAppItem &app)
{
    m_tabs.addTab(app.name, app.url, app.iconKey, app.isAI);
}

void AppGallery::open(const GalleryAppItem &app)
{
    if (const auto tab = matchingTab(app))
        m_tabs.selectTab(tab->id);
    Q_EMIT closeRequested();
}

void AppGallery::remove(const GalleryAppItem &app)
{
    if (const auto tab = matchingTab(app))
        m_tabs.removeTab(tab->id);
}

bool AppGallery::submitCustomURL(const QString &text)
{
    const auto url = typedWebAddress(text);
    if (!url)
        return false;
    // No icon name: adding resolves the key from the title and the address,
    // and marks the tab as an AI tab when it names an AI service.
    m_tabs.addTab(url->host(), *url, QString(), false);
    Q_EMIT closeRequested();
    return true;
}
