#include "icons/ItemSymbols.h"

#include "icons/ControlSymbols.h"

#include <QPainterPathStroker>
#include <QTransform>

namespace {

// Qt flattens curves for strokes and boolean operations to a tolerance in
// the path's own units, which would make the circles of a 1 × 1 drawing
// octagons; so those steps are taken at a hundred times the size.
constexpr double fineScale = 100;

QPainterPath enlarged(const QPainterPath &path)
{
    return QTransform::fromScale(fineScale, fineScale).map(path);
}

QPainterPath reduced(const QPainterPath &path)
{
    return QTransform::fromScale(1 / fineScale, 1 / fineScale).map(path);
}

// Line drawings become filled outlines, so every symbol paints the same way.
QPainterPath stroked(const QPainterPath &lines, double width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width * fineScale);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return reduced(stroker.createStroke(enlarged(lines)).simplified());
}

QPainterPath united(const QPainterPath &a, const QPainterPath &b)
{
    return reduced(enlarged(a).united(enlarged(b)));
}

QPainterPath subtracted(const QPainterPath &a, const QPainterPath &b)
{
    return reduced(enlarged(a).subtracted(enlarged(b)));
}

// A sheet with its top right corner folded.
QPainterPath sheet(const QRectF &box, double fold)
{
    QPainterPath p;
    p.moveTo(box.left(), box.top());
    p.lineTo(box.right() - fold, box.top());
    p.lineTo(box.right(), box.top() + fold);
    p.lineTo(box.right(), box.bottom());
    p.lineTo(box.left(), box.bottom());
    p.closeSubpath();
    return p;
}

QPainterPath roundedSquareOutline(const QRectF &box, double radius, double width)
{
    QPainterPath frame;
    frame.addRoundedRect(box, radius, radius);
    return stroked(frame, width);
}

} // namespace

namespace ItemSymbols {

QPainterPath docFill()
{
    QPainterPath lines;
    for (double y : {0.5, 0.62, 0.74})
        lines.addRect(QRectF(0.34, y, 0.32, 0.05));
    return subtracted(sheet(QRectF(0.22, 0.1, 0.56, 0.8), 0.18), lines);
}

QPainterPath photoFill()
{
    QPainterPath frame;
    frame.addRoundedRect(QRectF(0.1, 0.2, 0.8, 0.6), 0.1, 0.1);
    QPainterPath scene;
    scene.addEllipse(QPointF(0.33, 0.38), 0.07, 0.07);
    scene.moveTo(0.18, 0.72);
    scene.lineTo(0.42, 0.48);
    scene.lineTo(0.56, 0.62);
    scene.lineTo(0.66, 0.52);
    scene.lineTo(0.82, 0.72);
    scene.closeSubpath();
    return subtracted(frame, scene);
}

QPainterPath link()
{
    QPainterPath chain;
    QPainterPath ring;
    ring.addRoundedRect(QRectF(-0.28, -0.11, 0.4, 0.22), 0.11, 0.11);
    QTransform first;
    first.translate(0.4, 0.6).rotate(-45);
    QTransform second;
    second.translate(0.6, 0.4).rotate(-45);
    chain.addPath(first.map(ring));
    chain.addPath(second.map(QTransform::fromTranslate(0.16, 0).map(ring)));
    return stroked(chain, 0.08);
}

QPainterPath textQuote()
{
    QPainterPath p;
    const auto mark = [&p](double x) {
        p.addEllipse(QPointF(x, 0.4), 0.09, 0.09);
        p.moveTo(x + 0.09, 0.4);
        p.quadTo(x + 0.09, 0.6, x - 0.04, 0.68);
        p.lineTo(x - 0.06, 0.62);
        p.quadTo(x + 0.02, 0.56, x + 0.0, 0.49);
        p.closeSubpath();
    };
    mark(0.34);
    mark(0.62);
    return reduced(enlarged(p).simplified());
}

QPainterPath docOnDoc()
{
    const QPainterPath front = sheet(QRectF(0.32, 0.28, 0.5, 0.62), 0.14);
    const QPainterPath back = roundedSquareOutline(QRectF(0.18, 0.1, 0.46, 0.6), 0.06, 0.07);
    return united(subtracted(back, sheet(QRectF(0.26, 0.2, 0.62, 0.78), 0.18)), stroked(front, 0.07));
}

QPainterPath arrowCounterclockwise()
{
    return QTransform(-1, 0, 0, 1, 1, 0).map(ControlSymbols::arrowClockwise());
}

QPainterPath folderBadgePlus()
{
    QPainterPath folder;
    folder.moveTo(0.08, 0.24);
    folder.lineTo(0.36, 0.24);
    folder.lineTo(0.44, 0.32);
    folder.lineTo(0.84, 0.32);
    folder.lineTo(0.84, 0.5);
    folder.lineTo(0.08, 0.5);
    folder.closeSubpath();
    folder.addRoundedRect(QRectF(0.08, 0.36, 0.76, 0.46), 0.06, 0.06);
    QPainterPath badge;
    badge.addEllipse(QPointF(0.74, 0.72), 0.2, 0.2);
    QPainterPath plus;
    plus.moveTo(0.74, 0.62);
    plus.lineTo(0.74, 0.82);
    plus.moveTo(0.64, 0.72);
    plus.lineTo(0.84, 0.72);
    QPainterPath cutout;
    cutout.addEllipse(QPointF(0.74, 0.72), 0.25, 0.25);
    return united(subtracted(folder, cutout), subtracted(badge, stroked(plus, 0.06)));
}

QPainterPath safari()
{
    QPainterPath compass = roundedSquareOutline(QRectF(0.12, 0.12, 0.76, 0.76), 0.38, 0.07);
    QPainterPath needle;
    needle.moveTo(0.66, 0.34);
    needle.lineTo(0.56, 0.56);
    needle.lineTo(0.34, 0.66);
    needle.lineTo(0.44, 0.44);
    needle.closeSubpath();
    return united(compass, needle);
}

QPainterPath arrowUpRightSquare()
{
    QPainterPath frame = roundedSquareOutline(QRectF(0.14, 0.14, 0.72, 0.72), 0.12, 0.07);
    QPainterPath arrow;
    arrow.moveTo(0.36, 0.64);
    arrow.lineTo(0.64, 0.36);
    arrow.moveTo(0.42, 0.36);
    arrow.lineTo(0.64, 0.36);
    arrow.lineTo(0.64, 0.58);
    return united(frame, stroked(arrow, 0.08));
}

QPainterPath clock()
{
    QPainterPath face = roundedSquareOutline(QRectF(0.12, 0.12, 0.76, 0.76), 0.38, 0.07);
    QPainterPath hands;
    hands.moveTo(0.5, 0.28);
    hands.lineTo(0.5, 0.5);
    hands.lineTo(0.66, 0.6);
    return united(face, stroked(hands, 0.07));
}

QPainterPath plusCircleFill()
{
    QPainterPath disc;
    disc.addEllipse(QPointF(0.5, 0.5), 0.4, 0.4);
    QPainterPath plus;
    plus.moveTo(0.5, 0.3);
    plus.lineTo(0.5, 0.7);
    plus.moveTo(0.3, 0.5);
    plus.lineTo(0.7, 0.5);
    return subtracted(disc, stroked(plus, 0.08));
}

} // namespace ItemSymbols
