#pragma once

// Readable failure messages for Qt values in GoogleTest assertions, and
// readable names for the rows of table-driven tests.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <ostream>
#include <string>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray &bytes, std::ostream *out)
{
    *out << '"' << bytes.toStdString() << '"';
}

inline void PrintTo(const QStringList &list, std::ostream *out)
{
    *out << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}

inline void PrintTo(const QUrl &url, std::ostream *out)
{
    *out << url.toString().toStdString();
}

// Names each row of a parameterised suite after the row's `name` member.
inline constexpr auto rowName = [](const auto &info) { return std::string(info.param.name); };
