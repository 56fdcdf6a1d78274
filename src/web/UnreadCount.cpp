#include "web/UnreadCount.h"

#include <QRegularExpression>

namespace {

// A count in brackets leads the title: "(3) Inbox", "[12] Chat", "(99+) Mail".
const QRegularExpression leadingCount(QStringLiteral(R"(^\s*[(\[](\d{1,6})\+?[)\]])"));
// A count in brackets after a word: "Inbox (3)", "Inbox (3) - me@example.org - Mail", "Chat (2 new)".
const QRegularExpression bracketedCount(QStringLiteral(R"(\w\s*[(\[](\d{1,6})\+?(?:\s+(?:new|unread))?[)\]])"),
                                        QRegularExpression::UseUnicodePropertiesOption);
// A count in words: "3 new messages", "12 unread", "1 new notification".
const QRegularExpression countInWords(
    QStringLiteral(R"((?<![\w.])(\d{1,6})\+?\s+(?:unread\b|new\s+(?:messages?|notifications?|e-?mails?|mails?|chats?)\b))"),
    QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);

// "Annual report (2024)" names a year, not 2024 messages.
bool looksLikeYear(int number)
{
    return number >= 1900 && number <= 2099;
}

} // namespace

namespace UnreadCount {

int fromTitle(const QString &title)
{
    if (const auto match = leadingCount.match(title); match.hasMatch())
        return match.captured(1).toInt();
    if (const auto match = bracketedCount.match(title); match.hasMatch()) {
        const int number = match.captured(1).toInt();
        if (!looksLikeYear(number))
            return number;
    }
    if (const auto match = countInWords.match(title); match.hasMatch())
        return match.captured(1).toInt();
    return 0;
}

QString badgeText(int count)
{
    return count > 9 ? QStringLiteral("9+") : QString::number(count);
}

} // namespace UnreadCount
