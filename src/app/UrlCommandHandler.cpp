#include "app/UrlCommandHandler.h"

#include "panel/OrvanePanel.h"
#include "platform/Clock.h"
#include "shelf/DropItem.h"
#include "state/AppState.h"
#include "web/WebAddress.h"

#include <QUrlQuery>

#include <cmath>

namespace {

// The first parameter of that exact name that has a value.
std::optional<QString> parameter(const QUrl &url, const QString &name)
{
    const QList<std::pair<QString, QString>> items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    for (const auto &[key, value] : items) {
        if (key == name && !value.isEmpty())
            return value;
    }
    return std::nullopt;
}

// A file given as a file: URL or as a plain absolute path.
std::optional<QUrl> fileUrl(const QString &value)
{
    const QUrl url(value);
    if (url.isLocalFile())
        return url;
    if (value.startsWith(QLatin1Char('/')))
        return QUrl::fromLocalFile(value);
    return std::nullopt;
}

} // namespace

UrlCommandHandler::UrlCommandHandler(AppState &state, OrvanePanel &panel, Clock &clock)
    : m_state(state), m_panel(panel), m_clock(clock)
{
}

void UrlCommandHandler::handleURLScheme(const QUrl &url)
{
    if (url.scheme().toLower() != QLatin1String("orvane"))
        return;
    const QString command = url.host().toLower();

    if (command == QLatin1String("toggle")) {
        m_panel.toggle();
        return;
    }
    if (command == QLatin1String("open")) {
        if (const auto address = parameter(url, QStringLiteral("url")))
            open(*address);
        return;
    }
    if (command == QLatin1String("ai")) {
        if (const auto prompt = parameter(url, QStringLiteral("prompt"))) {
            CapturedContext context;
            context.text = *prompt;
            context.appName = QStringLiteral("Shortcut");
            context.timestamp = m_clock.now();
            m_state.triggerContextAI(context, std::nullopt);
        }
        return;
    }

    if (command == QLatin1String("scratchpad")) {
        m_state.setActiveItem(ActiveSidebarItem::scratchpad());
    } else if (command == QLatin1String("shelf") || command == QLatin1String("add")) {
        addToShelf(url);
    } else if (command == QLatin1String("pin")) {
        m_state.setIsPinned(!m_state.settings().isPinned);
    } else if (command == QLatin1String("settings")) {
        m_state.setShowSettingsModal(!m_state.showSettingsModal());
    } else if (command == QLatin1String("theme")) {
        setTheme(parameter(url, QStringLiteral("name")));
    } else if (command == QLatin1String("width")) {
        bool ok = false;
        const double width = parameter(url, QStringLiteral("val")).value_or(QString()).toDouble(&ok);
        // "nan" and "inf" parse as numbers, but no panel can be that wide.
        if (ok && std::isfinite(width))
            m_state.setPanelWidth(width);
    }
    m_panel.showPanel(true);
}

// Any web page can fire an orvane:// URL, so only web addresses are opened:
// never file:, javascript: or data: ones.
void UrlCommandHandler::open(const QString &address)
{
    const QUrl url = webAddress(address).value_or(QUrl());
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return;
    const QString title = url.host().isEmpty() ? QStringLiteral("Web") : url.host();
    m_state.addTab(title, url, QStringLiteral("globe"), false);
    m_panel.showPanel(true);
}

void UrlCommandHandler::addToShelf(const QUrl &url)
{
    if (const auto text = parameter(url, QStringLiteral("text")))
        m_state.addDropItems({DropItem::fromText(*text)});
    if (const auto file = parameter(url, QStringLiteral("file"))) {
        if (const auto local = fileUrl(*file))
            m_state.addDropItems({DropItem::fromFileUrl(*local)});
    }
    if (const auto link = parameter(url, QStringLiteral("link"))) {
        const QUrl address(*link, QUrl::StrictMode);
        if (address.isValid() && !address.scheme().isEmpty())
            m_state.addDropItems({DropItem::fromUrl(address)});
    }
    m_state.setActiveItem(ActiveSidebarItem::dropShelf());
}

void UrlCommandHandler::setTheme(const std::optional<QString> &name)
{
    if (!name) {
        const bool isEmber = m_state.settings().currentTheme == AppThemeMode::Ember;
        m_state.setCurrentTheme(isEmber ? AppThemeMode::Midnight : AppThemeMode::Ember);
        return;
    }
    const QString lower = name->toLower();
    if (lower.contains(QLatin1String("aurora")))
        m_state.setCurrentTheme(AppThemeMode::Midnight);
    else if (lower.contains(QLatin1String("ink")))
        m_state.setCurrentTheme(AppThemeMode::Ember);
}
