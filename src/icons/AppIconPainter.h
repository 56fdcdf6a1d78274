#pragma once

#include "theme/AppThemeMode.h"

#include <QDate>
#include <QRectF>
#include <QString>

class QPainter;

// How the known web apps are drawn in the rail: a monochrome glyph on a light
// tile (paper), a light glyph on a dark tile with an amber rule (ink and rule),
// or the apps' own colours (brand).
enum class IconStyle { Paper, InkAndRule, Brand };

IconStyle iconStyleFor(AppThemeMode theme);

namespace AppIconPainter {

// Whether the key has a drawn mark of its own (else the site's icon is shown).
bool hasMark(const QString &key);
// Draws the tile and mark of a known key into `rect`; `today` is what the
// calendar shows. Returns false, drawing nothing, for other keys.
bool paint(QPainter &painter, const QRectF &rect, const QString &key, IconStyle style, const QDate &today);

} // namespace AppIconPainter
