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

// A known key is returned as it is (trimmed, lower-cased); otherwise the first
// matching title or host rule decides, and failing those the key itself.
QString resolveKey(const QString &key, const QString &title = {}, const QUrl &url = {});

} // namespace IconKeyResolver
