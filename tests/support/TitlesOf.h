#pragma once

#include <QStringList>

// The titles of a list of records (tabs, shelf items, palette rows), in order.
template<typename List>
QStringList titlesOf(const List &records)
{
    QStringList titles;
    for (const auto &record : records)
        titles.append(record.title);
    return titles;
}
