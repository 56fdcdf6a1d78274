#pragma once

#include <QPainterPath>
#include <QString>

// The symbols the interface names ("gearshape.fill", "play.fill", …), drawn
// as vector paths of our own in a 1 × 1 box, so they scale to any size.
namespace Symbols {

// An empty path for a name without a drawing.
QPainterPath path(const QString &name);

} // namespace Symbols
