#include "web/TabModel.h"

QString rawValue(UserAgentMode mode)
{
    return mode == UserAgentMode::Desktop ? QStringLiteral("Desktop") : QStringLiteral("Mobile");
}

std::optional<UserAgentMode> userAgentModeFromRaw(const QString &raw)
{
    if (raw == QLatin1String("Desktop"))
        return UserAgentMode::Desktop;
    if (raw == QLatin1String("Mobile"))
        return UserAgentMode::Mobile;
    return std::nullopt;
}

QList<TabModel> TabModel::defaultTabs(const QDateTime &now)
{
    struct Entry
    {
        const char *title;
        const char *url;
        const char *iconKey;
        bool isAIProvider;
        bool isHibernated;
    };
    static constexpr Entry entries[] = {
        {"Claude", "https://claude.ai/new", "claude", true, false},
        {"ChatGPT", "https://chatgpt.com/", "chatgpt", true, false},
        {"DevDocs", "https://devdocs.io/", "devdocs", false, true},
        {"Notion", "https://www.notion.so/", "notion", false, false},
        {"Google Calendar", "https://calendar.google.com/calendar/r", "calendar", false, false},
        {"Google Keep", "https://keep.google.com/", "keep", false, false},
        {"Gmail", "https://mail.google.com/mail/u/0/", "gmail", false, true},
    };
    QList<TabModel> tabs;
    for (const Entry &entry : entries) {
        TabModel tab;
        tab.id = QUuid::createUuid();
        tab.title = QString::fromLatin1(entry.title);
        tab.url = QUrl(QString::fromLatin1(entry.url));
        tab.iconKey = QString::fromLatin1(entry.iconKey);
        tab.isAIProvider = entry.isAIProvider;
        tab.isHibernated = entry.isHibernated;
        tab.lastActiveDate = now;
        tabs.append(tab);
    }
    return tabs;
}
