#include "icons/IconKeyResolver.h"

#include <QSet>

namespace {
struct Facts
{
    QString key; // trimmed, lower-cased
    QString title;
    QString host;
    QString path;

    // A whole word or phrase: "keeps going" does not name Keep.
    bool titleHas(const char *words) const
    {
        const QLatin1String wanted(words);
        for (qsizetype at = title.indexOf(wanted); at >= 0; at = title.indexOf(wanted, at + 1)) {
            const qsizetype end = at + wanted.size();
            const bool startsWord = at == 0 || !title.at(at - 1).isLetterOrNumber();
            const bool endsWord = end == title.size() || !title.at(end).isLetterOrNumber();
            if (startsWord && endsWord)
                return true;
        }
        return false;
    }
    bool hostHas(const char *name) const { return host.contains(QLatin1String(name)); }
    // A whole domain label match: "x.com" must not match "dropbox.com".
    bool hostIsDomain(const QString &domain) const
    {
        return host == domain || host.endsWith(QLatin1Char('.') + domain);
    }
};

// An app is named by the address (its host, and on Google's documents host
// the path) and, failing that, by words of the title.
struct Rule
{
    const char *result;
    bool (*byAddress)(const Facts &);
    bool (*byTitle)(const Facts &);
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

bool never(const Facts &)
{
    return false;
}

// First match wins; the order matters (the specific Google apps come before
// Google itself).
const Rule rules[] = {
    {"claude", [](const Facts &f) { return f.hostHas("claude.ai"); }, [](const Facts &f) { return f.titleHas("claude"); }},
    {"chatgpt", [](const Facts &f) { return f.hostHas("chatgpt.com") || f.hostHas("openai.com"); },
     [](const Facts &f) { return f.titleHas("chatgpt") || f.titleHas("openai"); }},
    {"devdocs", [](const Facts &f) { return f.hostHas("devdocs.io"); }, [](const Facts &f) { return f.titleHas("devdocs"); }},
    {"notion", [](const Facts &f) { return f.hostHas("notion.so") || f.hostHas("notion.com"); },
     [](const Facts &f) { return f.titleHas("notion"); }},
    {"calendar", [](const Facts &f) { return f.hostHas("calendar.google.com"); },
     [](const Facts &f) { return f.titleHas("calendar"); }},
    {"keep", [](const Facts &f) { return f.hostHas("keep.google.com"); }, [](const Facts &f) { return f.titleHas("keep"); }},
    {"gmail", [](const Facts &f) { return f.hostHas("mail.google.com"); }, [](const Facts &f) { return f.titleHas("gmail"); }},
    {"googlesheets",
     [](const Facts &f) {
         return f.hostHas("sheets.google.com") || (f.hostHas("docs.google.com") && f.path.contains(QLatin1String("spreadsheets")));
     },
     [](const Facts &f) {
         return f.titleHas("google sheets") || f.titleHas("spreadsheet") || (f.titleHas("sheet") && mentionsGoogle(f));
     }},
    {"googleslides",
     [](const Facts &f) {
         return f.hostHas("slides.google.com") || (f.hostHas("docs.google.com") && f.path.contains(QLatin1String("presentation")));
     },
     [](const Facts &f) {
         return f.titleHas("google slides") || f.titleHas("presentation") || (f.titleHas("slide") && mentionsGoogle(f));
     }},
    {"googledocs", [](const Facts &f) { return f.hostHas("docs.google.com"); },
     [](const Facts &f) {
         return f.titleHas("google docs") || (f.titleHas("docs") && f.host.contains(QLatin1String("google")));
     }},
    {"googledrive", [](const Facts &f) { return f.hostHas("drive.google.com"); },
     [](const Facts &f) { return f.titleHas("google drive"); }},
    {"googlemeet", [](const Facts &f) { return f.hostHas("meet.google.com"); },
     [](const Facts &f) { return f.titleHas("google meet"); }},
    {"google", isGoogleSearchHost, [](const Facts &f) { return f.title == QLatin1String("google") || f.titleHas("google search"); }},
    {"linear", [](const Facts &f) { return f.hostHas("linear.app"); }, [](const Facts &f) { return f.titleHas("linear"); }},
    {"figma", [](const Facts &f) { return f.hostHas("figma.com"); }, [](const Facts &f) { return f.titleHas("figma"); }},
    {"github", [](const Facts &f) { return f.hostHas("github.com"); }, [](const Facts &f) { return f.titleHas("github"); }},
    {"twitter", [](const Facts &f) { return f.hostHas("twitter.com") || f.hostIsDomain(QStringLiteral("x.com")); },
     [](const Facts &f) { return f.titleHas("twitter"); }},
    {"slack", [](const Facts &f) { return f.hostHas("slack.com"); }, [](const Facts &f) { return f.titleHas("slack"); }},
    {"discord", [](const Facts &f) { return f.hostHas("discord.com"); }, [](const Facts &f) { return f.titleHas("discord"); }},
    {"youtube", [](const Facts &f) { return f.hostHas("youtube.com") || f.hostHas("youtu.be"); },
     [](const Facts &f) { return f.titleHas("youtube"); }},
    {"spotify", [](const Facts &f) { return f.hostHas("spotify.com"); }, [](const Facts &f) { return f.titleHas("spotify"); }},
    {"reddit", [](const Facts &f) { return f.hostHas("reddit.com"); }, [](const Facts &f) { return f.titleHas("reddit"); }},
    {"perplexity", [](const Facts &f) { return f.hostHas("perplexity.ai"); },
     [](const Facts &f) { return f.titleHas("perplexity"); }},
    // Apps of the gallery without a drawn icon: named by their address only.
    {"tiktok", [](const Facts &f) { return f.hostIsDomain(QStringLiteral("tiktok.com")); }, never},
    {"facebook", [](const Facts &f) { return f.hostIsDomain(QStringLiteral("facebook.com")); }, never},
    {"settings", never, [](const Facts &f) { return f.titleHas("settings"); }},
};

QString firstMatch(const Facts &facts, bool (*Rule::*test)(const Facts &))
{
    for (const Rule &rule : rules) {
        if ((rule.*test)(facts))
            return QString::fromLatin1(rule.result);
    }
    return QString();
}
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

QString appForAddress(const QUrl &url)
{
    return firstMatch(Facts{QString(), QString(), url.host().toLower(), url.path().toLower()}, &Rule::byAddress);
}

QString resolveKey(const QString &key, const QString &title, const QUrl &url)
{
    static const QSet<QString> known(knownKeys().cbegin(), knownKeys().cend());
    const Facts facts{key.trimmed().toLower(), title.toLower(), url.host().toLower(), url.path().toLower()};
    if (!isGenericKey(facts.key) && known.contains(facts.key))
        return facts.key;
    if (const QString app = firstMatch(facts, &Rule::byAddress); !app.isEmpty())
        return app;
    if (const QString named = firstMatch(facts, &Rule::byTitle); !named.isEmpty())
        return named;
    return facts.key;
}

} // namespace IconKeyResolver
