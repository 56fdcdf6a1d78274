#include "palette/CommandPalette.h"

#include "web/WebAddress.h"
#include "state/AppState.h"
#include "web/HibernationEngine.h"

#include <algorithm>

namespace {

// Spaces and tabs only: a line break is part of what was typed.
QString trimmedQuery(const QString &query)
{
    const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    qsizetype start = 0;
    qsizetype end = query.size();
    while (start < end && blank(query.at(start)))
        ++start;
    while (end > start && blank(query.at(end - 1)))
        --end;
    return query.sliced(start, end - start);
}

bool matches(const QString &text, const QString &query)
{
    return text.contains(query, Qt::CaseInsensitive);
}

} // namespace

CommandPalette::CommandPalette(AppState &state, HibernationEngine &hibernation, const CurrencyEngine &currency,
                               Effects effects, QObject *parent)
    : QObject(parent), m_state(state), m_hibernation(hibernation), m_math(currency), m_effects(std::move(effects))
{
    connect(&m_state.tabs(), &TabListModel::changed, this, &CommandPalette::changed);
    connect(&m_state.settings(), &SettingsModel::changed, this, &CommandPalette::changed);
    connect(&m_state.content(), &PanelContent::showCommandPaletteChanged, this, [this] {
        if (!m_state.content().showCommandPalette())
            return;
        m_query.clear();
        m_selectedIndex = 0;
        Q_EMIT changed();
        Q_EMIT opened();
    });
}

void CommandPalette::setQuery(const QString &query)
{
    m_query = query;
    m_selectedIndex = 0;
    Q_EMIT changed();
}

void CommandPalette::moveSelection(int step)
{
    const int count = int(filteredCommands().size());
    const int moved = std::clamp(m_selectedIndex + step, 0, std::max(0, count - 1));
    if (moved == m_selectedIndex)
        return;
    m_selectedIndex = moved;
    Q_EMIT changed();
}

QList<CommandItem> CommandPalette::filteredCommands() const
{
    const QString query = trimmedQuery(m_query);
    QList<CommandItem> items;
    appendMathResult(items, query);
    appendWebAddress(items, query);
    appendTabs(items, query);
    appendFixedCommands(items, query);
    return items;
}

void CommandPalette::executeSelected()
{
    const QList<CommandItem> items = filteredCommands();
    if (m_selectedIndex < 0 || m_selectedIndex >= items.size())
        return;
    items.at(m_selectedIndex).action();
    m_state.content().setShowCommandPalette(false);
}

void CommandPalette::execute(int index)
{
    m_selectedIndex = index;
    executeSelected();
}

void CommandPalette::appendMathResult(QList<CommandItem> &items, const QString &query) const
{
    if (query.isEmpty())
        return;
    const auto result = m_math.evaluateDetailed(query);
    if (!result)
        return;
    // An answer in a currency or unit reads as the scratchpad shows it; a
    // plain number with six significant digits.
    const QString answer = result->unit.isEmpty() ? QString::asprintf("%g", result->value) : result->formatted;
    const auto copy = m_effects.copyText;
    items.append({QStringLiteral("= ") + answer, QStringLiteral("Calculation result (click to copy)"), std::nullopt, {},
                  std::nullopt, QStringLiteral("equal.circle.fill"), CommandColor::Indigo,
                  [copy, answer] { copy(answer); }});
}

// A query with a space is a search, never an address.
void CommandPalette::appendWebAddress(QList<CommandItem> &items, const QString &query) const
{
    const bool hasSpace = std::any_of(query.cbegin(), query.cend(), [](QChar c) { return c.isSpace(); });
    if (hasSpace)
        return;
    const auto url = typedWebAddress(query);
    if (!url)
        return;
    TabListModel &tabs = m_state.tabs();
    const QUrl address = *url;
    items.append({QStringLiteral("Open '%1'").arg(query), QStringLiteral("Navigate to web address"), std::nullopt, {},
                  address, QStringLiteral("safari.fill"), CommandColor::Blue,
                  [&tabs, address] { tabs.addTab(address.host(), address, QStringLiteral("globe"), false); }});
}

void CommandPalette::appendTabs(QList<CommandItem> &items, const QString &query) const
{
    TabListModel &tabs = m_state.tabs();
    for (const TabModel &tab : tabs.tabs()) {
        if (!query.isEmpty() && !matches(tab.title, query) && !matches(tab.url.toString(), query))
            continue;
        const QString host = tab.url.host();
        const QUuid id = tab.id;
        items.append({QStringLiteral("Switch to ") + tab.title, host.isEmpty() ? std::nullopt : std::optional(host),
                      tab.iconKey, tab.title, tab.url, tab.iconKey, tab.isAIProvider ? CommandColor::Purple : CommandColor::Blue,
                      [&tabs, id] { tabs.selectTab(id); }});
    }
}

// Matched by their keywords only, never by their titles.
void CommandPalette::appendFixedCommands(QList<CommandItem> &items, const QString &query) const
{
    PanelContent &content = m_state.content();
    SettingsModel &settings = m_state.settings();
    HibernationEngine &hibernation = m_hibernation;
    const auto capture = m_effects.capture;
    const bool pinned = settings.values().isPinned;
    const auto show = [&content](const ActiveSidebarItem &item) {
        return [&content, item] {
            content.setShowSettingsModal(false);
            content.setActiveItem(item);
        };
    };
    struct Fixed
    {
        const char *keywords;
        CommandItem item;
    };
    const Fixed fixed[] = {
        {"capture ai selection text stage explain summarize",
         {QStringLiteral("Capture Selection to AI"), QStringLiteral("Stage highlighted text from active app into AI (Alt+A)"),
          std::nullopt, {}, std::nullopt, QStringLiteral("sparkles"), CommandColor::Purple,
          [&content, capture] {
              content.setShowCommandPalette(false);
              capture();
          }}},
        {"scratchpad notes calculator",
         {QStringLiteral("Open Scratchpad & Math"), QStringLiteral("Instant local markdown and inline arithmetic"),
          QStringLiteral("notes"), QStringLiteral("Scratchpad"), std::nullopt, QStringLiteral("note.text"), CommandColor::Indigo,
          show(ActiveSidebarItem::scratchpad())}},
        {"drop shelf files staging",
         {QStringLiteral("Open Drop Shelf"), QStringLiteral("Universal file and text staging tray"), QStringLiteral("shelf"),
          QStringLiteral("Drop Shelf"), std::nullopt, QStringLiteral("tray.and.arrow.down.fill"), CommandColor::Orange,
          show(ActiveSidebarItem::dropShelf())}},
        {"hibernate memory free ram sleep",
         {QStringLiteral("Hibernate Inactive Tabs Now"), QStringLiteral("Free web engine RAM and suspend background DOM loops"),
          std::nullopt, {}, std::nullopt, QStringLiteral("snowflake"), CommandColor::Teal,
          [&hibernation] { hibernation.hibernateAllInactive(); }}},
        {"pin keep open always",
         {pinned ? QStringLiteral("Unpin Orvane (Auto-hide on blur)") : QStringLiteral("Pin Orvane (Keep visible)"),
          QStringLiteral("Toggle window docking behavior"), std::nullopt, {}, std::nullopt,
          pinned ? QStringLiteral("pin.slash.fill") : QStringLiteral("pin.fill"), CommandColor::Secondary,
          [&settings] { settings.set(&Settings::isPinned, !settings.values().isPinned); }}},
    };
    for (const Fixed &entry : fixed) {
        if (query.isEmpty() || matches(QString::fromLatin1(entry.keywords), query))
            items.append(entry.item);
    }
}
