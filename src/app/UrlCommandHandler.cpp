#include "app/UrlCommandHandler.h"

#include "panel/OrvanePanel.h"
#include "platform/Clock.h"
#include "shelf/DropIntake.h"
#include "state/AppState.h"
#include "web/WebAddress.h"

#include <QUrlQuery>

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

// Addresses longer than this are refused: no address a person uses comes
// close, and each one opened becomes a tab record kept in the settings file.
constexpr qsizetype longestAddress = 32 * 1024;

std::optional<QString> addressParameter(const QUrl &url, const QString &name)
{
    const auto value = parameter(url, name);
    return value && value->size() <= longestAddress ? value : std::nullopt;
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
        if (const auto address = addressParameter(url, QStringLiteral("url")))
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
        m_state.content().setActiveItem(ActiveSidebarItem::scratchpad());
    } else if (command == QLatin1String("shelf") || command == QLatin1String("add")) {
        addToShelf(url);
    } else if (command == QLatin1String("pin")) {
        m_state.settings().set(&Settings::isPinned, !m_state.settings().values().isPinned);
    } else if (command == QLatin1String("settings")) {
        m_state.content().setShowSettingsModal(!m_state.content().showSettingsModal());
    } else if (command == QLatin1String("theme")) {
        setTheme(parameter(url, QStringLiteral("name")));
    } else if (command == QLatin1String("width")) {
        bool ok = false;
        const double width = parameter(url, QStringLiteral("val")).value_or(QString()).toDouble(&ok);
        // The setting takes it as it takes any width: "nan" and "inf" not at
        // all, too narrow or too wide a width as the narrowest or widest one.
        if (ok)
            m_state.settings().set(&Settings::panelWidth, width);
    }
    m_panel.showPanel(true);
}

// Any web page can fire an orvane:// URL, so only web addresses with a host
// are opened: never file:, javascript: or data: ones.
void UrlCommandHandler::open(const QString &address)
{
    const auto url = webAddress(address);
    if (!url)
        return;
    m_state.tabs().addTab(url->host(), *url, QStringLiteral("globe"), false);
    m_panel.showPanel(true);
}

// Through the shelf's intake, as a drop: blank text stages nothing, and a
// link that is not a web or mail address is kept as text. The records are
// made here, not off the main thread, so that the command is carried out
// when the hand-off answers.
void UrlCommandHandler::addToShelf(const QUrl &url)
{
    QList<DropIntake::Request> requests;
    if (const auto text = parameter(url, QStringLiteral("text"))) {
        if (auto request = DropIntake::textRequest(*text))
            requests.append(std::move(*request));
    }
    if (const auto file = addressParameter(url, QStringLiteral("file"))) {
        if (const auto local = fileUrl(*file))
            requests.append({DropIntake::Request::Kind::File, *local, {}});
    }
    if (const auto link = addressParameter(url, QStringLiteral("link"))) {
        if (auto request = DropIntake::linkRequest(*link))
            requests.append(std::move(*request));
    }
    if (!requests.isEmpty())
        m_state.shelf().addDropItems(DropIntake::load(requests));
    m_state.content().setActiveItem(ActiveSidebarItem::dropShelf());
}

void UrlCommandHandler::setTheme(const std::optional<QString> &name)
{
    std::optional<AppThemeMode> theme;
    if (!name) {
        const bool isEmber = m_state.settings().values().currentTheme == AppThemeMode::Ember;
        theme = isEmber ? AppThemeMode::Midnight : AppThemeMode::Ember;
    } else if (name->contains(QLatin1String("aurora"), Qt::CaseInsensitive)) {
        theme = AppThemeMode::Midnight;
    } else if (name->contains(QLatin1String("ink"), Qt::CaseInsensitive)) {
        theme = AppThemeMode::Ember;
    }
    if (!theme)
        return;
    // A theme picked by name is the user's choice: following the system's
    // appearance would undo it at the next start (or the next change).
    SettingsModel &settings = m_state.settings();
    settings.set(&Settings::followSystemTheme, false);
    settings.set(&Settings::currentTheme, *theme);
}
