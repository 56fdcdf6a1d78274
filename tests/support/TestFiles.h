#pragma once

#include <QByteArray>
#include <QString>

// A file's bytes; empty when it cannot be read.
QByteArray contentsOf(const QString &path);
// Writes the bytes, making the folders on the way; false when it cannot.
[[nodiscard]] bool writeFile(const QString &path, const QByteArray &bytes);
