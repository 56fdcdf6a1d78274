#pragma once

#include "web/TabModel.h"

#include <QByteArray>

// The stored form of the tab list: one compact JSON array of tab records, with
// UUIDs in upper case and dates as seconds since 2001-01-01 00:00:00 UTC.
namespace TabListJson {

QByteArray encode(const QList<TabModel> &tabs);
// Nothing when any record is unreadable: there is no per-record recovery.
// Records without a date, or with one outside the years 1 to 9999, take `now`;
// a record whose id an earlier record has gets a fresh id.
std::optional<QList<TabModel>> decode(const QByteArray &data, const QDateTime &now);

// Seconds since 2001-01-01 00:00:00 UTC, and back; both bounded to the years 1 to 9999.
double referenceSeconds(const QDateTime &time);
QDateTime fromReferenceSeconds(double seconds);

} // namespace TabListJson
