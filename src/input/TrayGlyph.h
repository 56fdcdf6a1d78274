#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

// The tray item's picture: a rounded square with a stripe cut out near its
// left side, a sidebar. Panels are dark or light and a tray icon is not
// tinted for them, so the square is dark with a light rim.
namespace TrayGlyph {

// Unread messages put a dot on the square's corner, cut free of it so
// that it reads on any panel.
enum class Mark { None, Unread };

// The glyph drawn on a transparent square of `pixels` × `pixels`.
QImage image(int pixels, Mark mark = Mark::None);
// The glyph at the sizes trays ask for.
QList<QImage> sizes(Mark mark);
QIcon icon(Mark mark);

} // namespace TrayGlyph
