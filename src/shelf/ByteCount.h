#pragma once

#include <QString>

namespace ByteCount {

// A file size in decimal units for people: "18 KB", "2.4 MB", "1.25 GB".
QString format(qint64 bytes);

} // namespace ByteCount
