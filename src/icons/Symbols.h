#pragma once

#include <QPainterPath>
#include <QString>

class QColor;
class QPainter;

// The symbols the interface names ("gearshape.fill", "play.fill", …), drawn
// as vector paths of our own in a 1 × 1 box, so they scale to any size.
namespace Symbols {

// An empty path for a name without a drawing.
QPainterPath path(const QString &name);
// Fills the symbol into the square centred in `rect`; vector all the way, so
// it is crisp at any scale factor.
void paint(QPainter &painter, const QString &name, const QRectF &rect, const QColor &color);

} // namespace Symbols
