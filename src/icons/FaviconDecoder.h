#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

// Turns a downloaded icon body into an image, refusing what no icon needs:
// a hostile or broken site may serve anything.
namespace FaviconDecoder {

inline constexpr qint64 maximumBytes = 1 << 20;
inline constexpr int maximumSide = 2048;

// Nothing when the body is no image, too long, or of an image larger than
// maximumSide either way. The size is checked before any pixel is decoded.
std::optional<QImage> decode(const QByteArray &body);

} // namespace FaviconDecoder
