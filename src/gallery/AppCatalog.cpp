#include "gallery/AppCatalog.h"

namespace AppCatalog {

const QList<GalleryAppItem> &entries()
{
    struct Entry
    {
        const char *id;
        const char *name;
        const char *url;
        bool isAI;
    };
    // The key of each entry is its id.
    static constexpr Entry table[] = {
        {"claude", "Claude", "https://claude.ai/new", true},
        {"chatgpt", "ChatGPT", "https://chatgpt.com/", true},
        {"devdocs", "DevDocs", "https://devdocs.io/", false},
        {"notion", "Notion", "https://www.notion.so/", false},
        {"calendar", "Google Calendar", "https://calendar.google.com/calendar/r", false},
        {"keep", "Google Keep", "https://keep.google.com/", false},
        {"gmail", "Gmail", "https://mail.google.com/mail/u/0/", false},
        {"linear", "Linear", "https://linear.app/", false},
        {"figma", "Figma", "https://www.figma.com/files/recents-and-sharing", false},
        {"github", "GitHub", "https://github.com/", false},
        {"twitter", "X (Twitter)", "https://x.com/home", false},
        {"slack", "Slack", "https://app.slack.com/client", false},
        {"discord", "Discord", "https://discord.com/app", false},
        {"youtube", "YouTube", "https://www.youtube.com/", false},
        {"spotify", "Spotify", "https://open.spotify.com/", false},
        {"tiktok", "TikTok", "https://www.tiktok.com/", false},
        {"facebook", "Facebook", "https://www.facebook.com/", false},
        {"perplexity", "Perplexity", "https://www.perplexity.ai/", true},
        {"google", "Google", "https://www.google.com/", false},
        {"googledocs", "Google Docs", "https://docs.google.com/document/u/0/", false},
        {"googlesheets", "Google Sheets", "https://docs.google.com/spreadsheets/u/0/", false},
        {"googledrive", "Google Drive", "https://drive.google.com/drive/my-drive", false},
    };
    static const QList<GalleryAppItem> catalog = [] {
        QList<GalleryAppItem> items;
        for (const Entry &entry : table) {
            const QString id = QString::fromLatin1(entry.id);
            items.append({id, QString::fromUtf8(entry.name), QUrl(QString::fromLatin1(entry.url)), id, entry.isAI});
        }
        return items;
    }();
    return catalog;
}

} // namespace AppCatalog
