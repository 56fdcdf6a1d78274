#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// The closed vocabulary of drawn icons, and the rule that turns what a tab
// knows (an icon name, its title, its address) into one of them.
namespace IconKeyResolver {

// The 35 keys that have a drawn icon.
const QStringList &knownKeys();
// "globe", "web" and the empty key: no specific icon is known.
bool isGenericKey(const QString &key);

// The app a web address belongs to, by its host (on Google's documents host
// also by its path): "notion" for https://www.notion.so/team; empty when the
// address names no known app. This, never a title, is what a tab is.
QString appForAddress(const QUrl &url);

// A known key is returned as it is (trimmed, lower-cased); otherwise the app
// the address names; only for an address that names none, words of the title
// ("My Notion workspace"); failing those the key itself.
QString resolveKey(const QString &key, const QString &title = {}, const QUrl &url = {});

} // namespace IconKeyResolver
