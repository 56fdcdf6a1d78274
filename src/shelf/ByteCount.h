#pragma once

#include <QString>

// A file size in decimal units for people: "18 KB", "2.4 MB", "1.25 GB".
QString formatByteCount(qint64 bytes);
