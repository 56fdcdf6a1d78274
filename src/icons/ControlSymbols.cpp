#include "icons/ControlSymbols.h"

#include <QPainterPathStroker>
#include <QTransform>
#include <QtMath>

namespace {

// Line drawings become filled outlines, so every symbol paints the same way.
QPainterPath stroked(const QPainterPath &lines, double width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(lines).simplified();
}

// A padlock's body, with the shackle's left leg standing in it at
// `shackleLeft` and its right leg coming down to `rightLegBottom` (into the
// body when the lock is closed).
QPainterPath padlock(double bodyLeft, double shackleLeft, double rightLegBottom)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(bodyLeft, 0.44, 0.56, 0.44), 0.08, 0.08);
    QPainterPath shackle;
    shackle.moveTo(shackleLeft, 0.46);
    shackle.arcTo(QRectF(shackleLeft, 0.14, 0.32, 0.32), 180, -180);
    shackle.lineTo(shackleLeft + 0.32, rightLegBottom);
    return body.united(stroked(shackle, 0.08));
}

QPainterPath pinHead()
{
    QPainterPath p;
    p.addRoundedRect(QRectF(0.34, 0.1, 0.32, 0.1), 0.04, 0.04);
    p.moveTo(0.38, 0.2);
    p.lineTo(0.62, 0.2);
    p.lineTo(0.66, 0.46);
    p.lineTo(0.76, 0.56);
    p.lineTo(0.24, 0.56);
    p.lineTo(0.34, 0.46);
    p.closeSubpath();
    return p.simplified();
}

QPainterPath pinNeedle()
{
    QPainterPath needle;
    needle.moveTo(0.5, 0.56);
    needle.lineTo(0.5, 0.9);
    return stroked(needle, 0.07);
}

QPainterPath disc()
{
    QPainterPath p;
    p.addEllipse(QRectF(0.08, 0.08, 0.84, 0.84));
    return p;
}

} // namespace

namespace ControlSymbols {

QPainterPath pinFill()
{
    return pinHead().united(pinNeedle());
}

QPainterPath pin()
{
    const QPainterPath head = pinHead();
    return stroked(head, 0.07).united(pinNeedle());
}

QPainterPath snowflake()
{
    QPainterPath lines;
    for (int arm = 0; arm < 6; ++arm) {
        QPainterPath one;
        one.moveTo(0, 0);
        one.lineTo(0, -0.4);
        one.moveTo(-0.12, -0.3);
        one.lineTo(0, -0.2);
        one.lineTo(0.12, -0.3);
        QTransform rotate;
        rotate.rotate(arm * 60);
        lines.addPath(rotate.map(one));
    }
    return QTransform::fromTranslate(0.5, 0.5).map(stroked(lines, 0.07));
}

QPainterPath chevronRight()
{
    QPainterPath p;
    p.moveTo(0.38, 0.2);
    p.lineTo(0.66, 0.5);
    p.lineTo(0.38, 0.8);
    return stroked(p, 0.11);
}

QPainterPath chevronLeft()
{
    return QTransform(-1, 0, 0, 1, 1, 0).map(chevronRight());
}

QPainterPath arrowClockwise()
{
    QPainterPath arc;
    const QRectF circle(0.2, 0.2, 0.6, 0.6);
    arc.arcMoveTo(circle, 80);
    arc.arcTo(circle, 80, 300);
    QPainterPath head;
    const QPointF tip = circle.center() + QPointF(0.3 * qCos(qDegreesToRadians(80.0)), -0.3 * qSin(qDegreesToRadians(80.0)));
    head.moveTo(tip + QPointF(-0.02, -0.14));
    head.lineTo(tip + QPointF(0.14, 0.0));
    head.lineTo(tip + QPointF(-0.02, 0.14));
    head.closeSubpath();
    return stroked(arc, 0.08).united(head);
}

QPainterPath lockFill()
{
    return padlock(0.22, 0.34, 0.46);
}

// The shackle swung out, its right leg free.
QPainterPath lockOpenFill()
{
    return padlock(0.12, 0.52, 0.34);
}

QPainterPath sidebarRight()
{
    QPainterPath frame;
    frame.addRoundedRect(QRectF(0.12, 0.2, 0.76, 0.6), 0.1, 0.1);
    QPainterPath outline = stroked(frame, 0.07);
    QPainterPath bar;
    bar.addRect(QRectF(0.6, 0.2, 0.07, 0.6));
    return outline.united(bar);
}

QPainterPath plus()
{
    QPainterPath p;
    p.moveTo(0.5, 0.18);
    p.lineTo(0.5, 0.82);
    p.moveTo(0.18, 0.5);
    p.lineTo(0.82, 0.5);
    return stroked(p, 0.1);
}

QPainterPath magnifyingGlass()
{
    QPainterPath p;
    p.addEllipse(QRectF(0.16, 0.16, 0.5, 0.5));
    p.moveTo(0.59, 0.59);
    p.lineTo(0.84, 0.84);
    return stroked(p, 0.09);
}

QPainterPath equalCircleFill()
{
    QPainterPath bars;
    bars.addRoundedRect(QRectF(0.3, 0.36, 0.4, 0.08), 0.04, 0.04);
    bars.addRoundedRect(QRectF(0.3, 0.56, 0.4, 0.08), 0.04, 0.04);
    return disc().subtracted(bars);
}

QPainterPath xmarkCircleFill()
{
    QPainterPath lines;
    lines.moveTo(0.35, 0.35);
    lines.lineTo(0.65, 0.65);
    lines.moveTo(0.65, 0.35);
    lines.lineTo(0.35, 0.65);
    return disc().subtracted(stroked(lines, 0.09));
}

// A compass: the disc with its needle cut out and the needle's north half put back.
QPainterPath compassFill()
{
    QPainterPath needle;
    needle.moveTo(0.68, 0.32);
    needle.lineTo(0.56, 0.56);
    needle.lineTo(0.32, 0.68);
    needle.lineTo(0.44, 0.44);
    needle.closeSubpath();
    QPainterPath north;
    north.moveTo(0.68, 0.32);
    north.lineTo(0.56, 0.56);
    north.lineTo(0.44, 0.44);
    north.closeSubpath();
    return disc().subtracted(stroked(needle, 0.05).united(needle)).united(north);
}

QPainterPath trayArrowDownFill()
{
    QPainterPath tray;
    tray.addRoundedRect(QRectF(0.14, 0.56, 0.72, 0.3), 0.06, 0.06);
    QPainterPath slot;
    slot.addRoundedRect(QRectF(0.34, 0.56, 0.32, 0.1), 0.04, 0.04);
    QPainterPath arrow;
    arrow.moveTo(0.5, 0.1);
    arrow.lineTo(0.5, 0.44);
    arrow.moveTo(0.36, 0.32);
    arrow.lineTo(0.5, 0.46);
    arrow.lineTo(0.64, 0.32);
    return tray.subtracted(slot).united(stroked(arrow, 0.09));
}

QPainterPath pinSlashFill()
{
    QPainterPath slash;
    slash.moveTo(0.16, 0.14);
    slash.lineTo(0.84, 0.86);
    QPainterPath gap = stroked(slash, 0.2);
    return pinFill().subtracted(gap).united(stroked(slash, 0.07));
}

QPainterPath globe()
{
    QPainterPath lines;
    lines.addEllipse(QRectF(0.14, 0.14, 0.72, 0.72));
    lines.addEllipse(QRectF(0.34, 0.14, 0.32, 0.72));
    lines.moveTo(0.14, 0.5);
    lines.lineTo(0.86, 0.5);
    lines.moveTo(0.22, 0.32);
    lines.lineTo(0.78, 0.32);
    lines.moveTo(0.22, 0.68);
    lines.lineTo(0.78, 0.68);
    return stroked(lines, 0.06);
}

QPainterPath threeLines()
{
    QPainterPath lines;
    for (double y : {0.3, 0.5, 0.7}) {
        lines.moveTo(0.2, y);
        lines.lineTo(0.8, y);
    }
    return stroked(lines, 0.08);
}

QPainterPath checkmark()
{
    QPainterPath tick;
    tick.moveTo(0.2, 0.52);
    tick.lineTo(0.42, 0.74);
    tick.lineTo(0.8, 0.28);
    return stroked(tick, 0.11);
}

QPainterPath chevronDown()
{
    return QTransform(0, 1, 1, 0, 0, 0).map(chevronRight());
}

QPainterPath chevronUp()
{
    return QTransform(0, -1, 1, 0, 0, 1).map(chevronRight());
}

QPainterPath viewfinder()
{
    QPainterPath corners;
    const double near = 0.14;
    const double far = 0.86;
    const double arm = 0.2;
    for (const QPointF corner : {QPointF(near, near), QPointF(far, near), QPointF(far, far), QPointF(near, far)}) {
        const double dx = corner.x() < 0.5 ? arm : -arm;
        const double dy = corner.y() < 0.5 ? arm : -arm;
        corners.moveTo(corner.x() + dx, corner.y());
        corners.lineTo(corner);
        corners.lineTo(corner.x(), corner.y() + dy);
    }
    QPainterPath centre;
    centre.addEllipse(QPointF(0.5, 0.5), 0.09, 0.09);
    return stroked(corners, 0.08).united(centre);
}

QPainterPath textAlignLeft()
{
    QPainterPath lines;
    const double lengths[] = {0.7, 0.5, 0.7, 0.4};
    for (int row = 0; row < 4; ++row) {
        const double y = 0.22 + row * 0.19;
        lines.moveTo(0.15, y);
        lines.lineTo(0.15 + lengths[row], y);
    }
    return stroked(lines, 0.08);
}

QPainterPath wrenchFill()
{
    QPainterPath handle;
    handle.moveTo(0.22, 0.78);
    handle.lineTo(0.56, 0.44);
    QPainterPath head;
    head.addEllipse(QPointF(0.64, 0.36), 0.2, 0.2);
    QPainterPath jaw;
    jaw.addRect(QRectF(-0.06, -0.3, 0.12, 0.22));
    QTransform placeJaw;
    placeJaw.translate(0.64, 0.36);
    placeJaw.rotate(45);
    return stroked(handle, 0.14).united(head).subtracted(placeJaw.map(jaw));
}

} // namespace ControlSymbols
