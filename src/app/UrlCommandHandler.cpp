#include "app/UrlCommandHandler.h"

#include "panel/OrvanePanel.h"
#include "platform/Clock.h"
#include "shelf/DropIntake.h"
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

// Addresses longer than this are refused: no address a person uses comes
// close, and each one opened becomes a tab record kept in the settings file.
constexpr qsizetype longestAddress = 32 * 1024;

std::optional<QString> addressParameter(const QUrl &url, const QString &name)
{
    const auto value = parameter(url, name);
    return value && value->size() <= longestAddress ? value : std::nullopt;
}

UrlCommandHandler::Refusal refused(const QUrl &command, const QString &why)
{
    return QStringLiteral("refused orvane://%1: %2").arg(command.host().toLower(), why);
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

UrlCommandHandler::Refusal UrlCommandHandler::handleURLScheme(const QUrl &url)
{
    if (url.scheme().toLower() != QLatin1String("orvane"))
        return std::nullopt;
    const QString command = url.host().toLower();

    if (command == QLatin1String("toggle")) {
        m_panel.toggle();
        return std::nullopt;
    }
    if (command == QLatin1String("open"))
        return open(url);
    if (command == QLatin1String("ai")) {
        const auto prompt = parameter(url, QStringLiteral("prompt"));
        if (!prompt)
            return refused(url, QStringLiteral("prompt= is missing"));
        CapturedContext context;
        context.text = *prompt;
        context.appName = QStringLiteral("Shortcut");
        context.timestamp = m_clock.now();
        m_state.triggerContextAI(context, std::nullopt);
        return std::nullopt;
    }

    Refusal refusal;
    if (command == QLatin1String("scratchpad")) {
        m_state.content().setActiveItem(ActiveSidebarItem::scratchpad());
    } else if (command == QLatin1String("shelf") || command == QLatin1String("add")) {
        refusal = addToShelf(url);
    } else if (command == QLatin1String("pin")) {
        m_state.settings().set(&Settings::isPinned, !m_state.settings().values().isPinned);
    } else if (command == QLatin1String("settings")) {
        m_state.content().setShowSettingsModal(!m_state.content().showSettingsModal());
    } else if (command == QLatin1String("theme")) {
        refusal = setTheme(url);
    } else if (command == QLatin1String("width")) {
        refusal = setWidth(url);
    }
    m_panel.showPanel(true);
    return refusal;
}

// Any web page can fire an orvane:// URL, so only web addresses with a host
// are opened: never file:, javascript: or data: ones.
UrlCommandHandler::Refusal UrlCommandHandler::open(const QUrl &command)
{
    const auto address = parameter(command, QStringLiteral("url"));
    if (!address)
        return refused(command, QStringLiteral("url= is missing"));
    if (address->size() > longestAddress)
        return refused(command, QStringLiteral("the address is longer than 32 KB"));
    const auto url = webAddress(*address);
    if (!url)
        return refused(command, QStringLiteral("only http and https addresses with a host are opened"));
    m_state.tabs().addTab(url->host(), *url, QStringLiteral("globe"), false);
    m_panel.showPanel(true);
    return std::nullopt;
}

// Through the shelf's intake, as a drop: blank text stages nothing, and a
// link that is not a web or mail address is kept as text. The records are
// made here, not off the main thread, so that the command is carried out
// when the hand-off answers. What can be staged is, even when another part of
// the command is refused.
UrlCommandHandler::Refusal UrlCommandHandler::addToShelf(const QUrl &url)
{
    Refusal refusal;
    QList<DropIntake::Request> requests;
    if (const auto text = parameter(url, QStringLiteral("text"))) {
        if (auto request = DropIntake::textRequest(*text))
            requests.append(std::move(*request));
    }
    if (const auto file = addressParameter(url, QStringLiteral("file"))) {
        const auto local = file->size() <= longestAddress ? fileUrl(*file) : std::nullopt;
        if (local)
            requests.append({DropIntake::Request::Kind::File, *local, {}});
        else
            refusal = refused(url, QStringLiteral("file= is not an absolute path or a file: URL"));
    }
    if (const auto link = addressParameter(url, QStringLiteral("link"))) {
        if (auto request = DropIntake::linkRequest(*link))
            requests.append(std::move(*request));
    }
    if (!requests.isEmpty())
        m_state.shelf().addDropItems(DropIntake::load(requests));
    m_state.content().setActiveItem(ActiveSidebarItem::dropShelf());
    return refusal;
}

UrlCommandHandler::Refusal UrlCommandHandler::setTheme(const QUrl &url)
{
    const auto name = parameter(url, QStringLiteral("name"));
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
        return refused(url, QStringLiteral("the themes are named aurora and ink"));
    // A theme picked by name is the user's choice: following the system's
    // appearance would undo it at the next start (or the next change).
    SettingsModel &settings = m_state.settings();
    settings.set(&Settings::followSystemTheme, false);
    settings.set(&Settings::currentTheme, *theme);
    return std::nullopt;
}

UrlCommandHandler::Refusal UrlCommandHandler::setWidth(const QUrl &url)
{
    bool ok = false;
    const double width = parameter(url, QStringLiteral("val")).value_or(QString()).toDouble(&ok);
    if (!ok || !std::isfinite(width))
        return refused(url, QStringLiteral("val= is not a width in points"));
    // The setting takes it as it takes any width: too narrow or too wide a
    // width as the narrowest or widest one.
    m_state.settings().set(&Settings::panelWidth, width);
    return std::nullopt;
}
