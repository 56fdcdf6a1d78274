#include "icons/IconKeyResolver.h"

#include <QSet>

namespace {
struct Facts
{
    QString key; // trimmed, lower-cased
    QString title;
    QString host;
    QString path;

    bool titleHas(const char *word) const { return title.contains(QLatin1String(word)); }
    bool hostHas(const char *name) const { return host.contains(QLatin1String(name)); }
    // A whole domain label match: "x.com" must not match "dropbox.com".
    bool hostIsDomain(const QString &domain) const
    {
        return host == domain || host.endsWith(QLatin1Char('.') + domain);
    }
};

struct Rule
{
    const char *result;
    bool (*matches)(const Facts &);
};

bool isGoogleSearchHost(const Facts &f)
{
    static const QStringList domains = {
        QStringLiteral("google.com"), QStringLiteral("google.co.uk"), QStringLiteral("google.ca"),
        QStringLiteral("google.de"), QStringLiteral("google.fr"), QStringLiteral("google.com.au"),
    };
    for (const QString &domain : domains) {
        if (f.hostIsDomain(domain))
            return true;
    }
    return f.host.startsWith(QLatin1String("google.")) || f.host.startsWith(QLatin1String("www.google."));
}

bool mentionsGoogle(const Facts &f)
{
    return f.host.contains(QLatin1String("google")) || f.key.contains(QLatin1String("google"));
}

// First match wins; the order matters (the specific Google apps come before
// Google itself).
const Rule rules[] = {
    {"claude", [](const Facts &f) { return f.titleHas("claude") || f.hostHas("claude.ai"); }},
    {"chatgpt", [](const Facts &f) {
         return f.titleHas("chatgpt") || f.titleHas("openai") || f.hostHas("chatgpt.com") || f.hostHas("openai.com");
     }},
    {"devdocs", [](const Facts &f) { return f.titleHas("devdocs") || f.hostHas("devdocs.io"); }},
    {"notion", [](const Facts &f) { return f.titleHas("notion") || f.hostHas("notion.so") || f.hostHas("notion.com"); }},
    {"calendar", [](const Facts &f) { return f.titleHas("calendar") || f.hostHas("calendar.google.com"); }},
    {"keep", [](const Facts &f) { return f.titleHas("keep") || f.hostHas("keep.google.com"); }},
    {"gmail", [](const Facts &f) { return f.titleHas("gmail") || f.hostHas("mail.google.com"); }},
    {"googlesheets", [](const Facts &f) {
         return f.titleHas("google sheets") || f.titleHas("spreadsheet") || (f.titleHas("sheet") && mentionsGoogle(f))
             || f.hostHas("sheets.google.com")
             || (f.hostHas("docs.google.com") && f.path.contains(QLatin1String("spreadsheets")));
     }},
    {"googleslides", [](const Facts &f) {
         return f.titleHas("google slides") || f.titleHas("presentation") || (f.titleHas("slide") && mentionsGoogle(f))
             || f.hostHas("slides.google.com")
             || (f.hostHas("docs.google.com") && f.path.contains(QLatin1String("presentation")));
     }},
    {"googledocs", [](const Facts &f) {
         return f.titleHas("google docs") || (f.titleHas("docs") && f.host.contains(QLatin1String("google")))
             || f.hostHas("docs.google.com");
     }},
    {"googledrive", [](const Facts &f) { return f.titleHas("google drive") || f.hostHas("drive.google.com"); }},
    {"googlemeet", [](const Facts &f) { return f.titleHas("google meet") || f.hostHas("meet.google.com"); }},
    {"google", [](const Facts &f) {
         return f.title == QLatin1String("google") || f.titleHas("google search") || isGoogleSearchHost(f);
     }},
    {"linear", [](const Facts &f) { return f.titleHas("linear") || f.hostHas("linear.app"); }},
    {"figma", [](const Facts &f) { return f.titleHas("figma") || f.hostHas("figma.com"); }},
    {"github", [](const Facts &f) { return f.titleHas("github") || f.hostHas("github.com"); }},
    {"twitter", [](const Facts &f) {
         return f.titleHas("twitter") || f.hostHas("twitter.com") || f.hostIsDomain(QStringLiteral("x.com"));
     }},
    {"slack", [](const Facts &f) { return f.titleHas("slack") || f.hostHas("slack.com"); }},
    {"discord", [](const Facts &f) { return f.titleHas("discord") || f.hostHas("discord.com"); }},
    {"youtube", [](const Facts &f) { return f.titleHas("youtube") || f.hostHas("youtube.com") || f.hostHas("youtu.be"); }},
    {"spotify", [](const Facts &f) { return f.titleHas("spotify") || f.hostHas("spotify.com"); }},
    {"reddit", [](const Facts &f) { return f.titleHas("reddit") || f.hostHas("reddit.com"); }},
    {"perplexity", [](const Facts &f) { return f.titleHas("perplexity") || f.hostHas("perplexity.ai"); }},
    {"settings", [](const Facts &f) { return f.titleHas("settings"); }},
};
} // namespace

namespace IconKeyResolver {

const QStringList &knownKeys()
{
    static const QStringList keys = {
        QStringLiteral("claude"), QStringLiteral("chatgpt"), QStringLiteral("openai"), QStringLiteral("devdocs"),
        QStringLiteral("notion"), QStringLiteral("calendar"), QStringLiteral("keep"), QStringLiteral("gmail"),
        QStringLiteral("linear"), QStringLiteral("figma"), QStringLiteral("github"), QStringLiteral("twitter"),
        QStringLiteral("x"), QStringLiteral("slack"), QStringLiteral("discord"), QStringLiteral("youtube"),
        QStringLiteral("spotify"), QStringLiteral("perplexity"), QStringLiteral("reddit"), QStringLiteral("notes"),
        QStringLiteral("scratchpad"), QStringLiteral("shelf"), QStringLiteral("dropshelf"), QStringLiteral("settings"),
        QStringLiteral("google"), QStringLiteral("googledocs"), QStringLiteral("docs"), QStringLiteral("googlesheets"),
        QStringLiteral("sheets"), QStringLiteral("googleslides"), QStringLiteral("slides"),
        QStringLiteral("googledrive"), QStringLiteral("drive"), QStringLiteral("googlemeet"), QStringLiteral("meet"),
    };
    return keys;
}

bool isGenericKey(const QString &key)
{
    return key.isEmpty() || key == QLatin1String("globe") || key == QLatin1String("web");
}

QString resolveKey(const QString &key, const QString &title, const QUrl &url)
{
    static const QSet<QString> known(knownKeys().cbegin(), knownKeys().cend());
    Facts facts{key.trimmed().toLower(), title.toLower(), url.host().toLower(), url.path().toLower()};
    if (!isGenericKey(facts.key) && known.contains(facts.key))
        return facts.key;
    for (const Rule &rule : rules) {
        if (rule.matches(facts))
            return QString::fromLatin1(rule.result);
    }
    return facts.key;
}

} // namespace IconKeyResolver
