#pragma once

#include <QString>

// What a web app's title says about messages waiting: mail and chat apps put
// their count into the title, since the title is all a browser's tab shows.
namespace UnreadCount {

// The count a title announces, as in "(3) Inbox", "Inbox (3) - Mail",
// "[3] Chat" or "3 new messages"; 0 when it announces none. Numbers that
// belong to a name ("Web 3.0", "Top 10 tips", "iPhone 15", a year) are not
// counts.
int fromTitle(const QString &title);

// The badge's text: the count, or "9+" beyond nine.
QString badgeText(int count);

} // namespace UnreadCount
