#pragma once

#include <QIcon>
#include <QImage>

// The tray item's picture: a rounded square with a stripe cut out near its
// left side, a sidebar. Panels are dark or light and a tray icon is not
// tinted for them, so the square is dark with a light rim.
namespace TrayGlyph {

// The glyph drawn on a transparent square of `pixels` × `pixels`.
QImage image(int pixels);
// The glyph at the sizes trays ask for.
QIcon icon();

} // namespace TrayGlyph
