#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A file's bytes; empty when it cannot be read.
QByteArray contentsOf(const QString &path);
// Writes the bytes, making the folders on the way; false when it cannot.
[[nodiscard]] bool writeFile(const QString &path, const QByteArray &bytes);
// The image as a PNG file's bytes.
QByteArray pngOf(const QImage &image);
