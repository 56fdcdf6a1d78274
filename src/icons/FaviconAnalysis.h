#pragma once

#include <QColor>
#include <QImage>

// A site icon turned into a uniform rail tile, with what was learnt of its background.
struct FaviconAnalysis
{
    // The rendered tile (twice the point size), or the input when analysis failed.
    QImage image;
    // The averaged corner colour of a full-bleed icon; transparent otherwise.
    QColor backgroundColor = Qt::transparent;
    bool isFullBleed = true;
    bool isDarkBackground = true;

    // Trims transparent margins, then either fills the tile with the icon's own
    // corner colour (full-bleed icons) or places the icon on a plain backdrop.
    static FaviconAnalysis analyze(const QImage &image, double targetPointSize);
};
