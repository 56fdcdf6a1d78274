#include "icons/Symbols.h"

#include "icons/ControlSymbols.h"
#include "icons/ItemSymbols.h"

#include <QHash>
#include <QPainter>
#include <QTransform>
#include <QtMath>

#include <functional>

namespace {

QPainterPath play()
{
    QPainterPath p;
    p.moveTo(0.3, 0.18);
    p.lineTo(0.82, 0.5);
    p.lineTo(0.3, 0.82);
    p.closeSubpath();
    return p;
}

QPainterPath lightbulb()
{
    QPainterPath p;
    p.addEllipse(QPointF(0.5, 0.4), 0.26, 0.26);
    p.addRoundedRect(QRectF(0.37, 0.6, 0.26, 0.16), 0.04, 0.04);
    p.addRoundedRect(QRectF(0.41, 0.79, 0.18, 0.07), 0.03, 0.03);
    return p.simplified();
}

QPainterPath gear()
{
    QPainterPath teeth;
    for (int i = 0; i < 8; ++i) {
        QPainterPath tooth;
        tooth.addRoundedRect(QRectF(-0.07, -0.46, 0.14, 0.2), 0.03, 0.03);
        QTransform rotate;
        rotate.rotate(i * 45);
        teeth.addPath(rotate.map(tooth));
    }
    QPainterPath body;
    body.addEllipse(QPointF(0, 0), 0.33, 0.33);
    QPainterPath hole;
    hole.addEllipse(QPointF(0, 0), 0.13, 0.13);
    QPainterPath gearShape = body.united(teeth).subtracted(hole);
    return QTransform::fromTranslate(0.5, 0.5).map(gearShape);
}

QPainterPath xmark()
{
    QPainterPath p;
    QPainterPath bar;
    bar.addRoundedRect(QRectF(-0.06, -0.36, 0.12, 0.72), 0.06, 0.06);
    QTransform left, right;
    left.translate(0.5, 0.5).rotate(45);
    right.translate(0.5, 0.5).rotate(-45);
    p.addPath(left.map(bar));
    p.addPath(right.map(bar));
    return p.simplified();
}

QPainterPath notepad()
{
    QPainterPath page;
    page.addRoundedRect(QRectF(0.22, 0.14, 0.56, 0.72), 0.08, 0.08);
    QPainterPath lines;
    for (double y : {0.34, 0.48, 0.62})
        lines.addRect(QRectF(0.32, y, 0.36, 0.05));
    return page.subtracted(lines);
}

QPainterPath tray()
{
    QPainterPath p;
    p.moveTo(0.14, 0.52);
    p.lineTo(0.3, 0.24);
    p.lineTo(0.7, 0.24);
    p.lineTo(0.86, 0.52);
    p.lineTo(0.86, 0.78);
    p.lineTo(0.14, 0.78);
    p.closeSubpath();
    QPainterPath slot;
    slot.moveTo(0.24, 0.52);
    slot.lineTo(0.4, 0.52);
    slot.lineTo(0.44, 0.6);
    slot.lineTo(0.56, 0.6);
    slot.lineTo(0.6, 0.52);
    slot.lineTo(0.76, 0.52);
    slot.lineTo(0.76, 0.7);
    slot.lineTo(0.24, 0.7);
    slot.closeSubpath();
    return p.subtracted(slot);
}

QPainterPath sparkles()
{
    QPainterPath p;
    const auto star = [&p](QPointF c, double r) {
        p.moveTo(c.x(), c.y() - r);
        p.quadTo(c, QPointF(c.x() + r, c.y()));
        p.quadTo(c, QPointF(c.x(), c.y() + r));
        p.quadTo(c, QPointF(c.x() - r, c.y()));
        p.quadTo(c, QPointF(c.x(), c.y() - r));
        p.closeSubpath();
    };
    star(QPointF(0.42, 0.55), 0.3);
    star(QPointF(0.76, 0.24), 0.14);
    return p;
}

// A page with a folded corner and an arrow pointing down into it.
QPainterPath arrowDownDocument()
{
    QPainterPath page;
    page.moveTo(0.22, 0.1);
    page.lineTo(0.6, 0.1);
    page.lineTo(0.78, 0.28);
    page.lineTo(0.78, 0.9);
    page.lineTo(0.22, 0.9);
    page.closeSubpath();
    QPainterPath arrow;
    arrow.moveTo(0.44, 0.32);
    arrow.lineTo(0.56, 0.32);
    arrow.lineTo(0.56, 0.56);
    arrow.lineTo(0.66, 0.56);
    arrow.lineTo(0.5, 0.76);
    arrow.lineTo(0.34, 0.56);
    arrow.lineTo(0.44, 0.56);
    arrow.closeSubpath();
    return page.subtracted(arrow);
}

const QHash<QString, std::function<QPainterPath()>> &drawings()
{
    static const QHash<QString, std::function<QPainterPath()>> table = {
        {QStringLiteral("play.fill"), play},
        {QStringLiteral("lightbulb.fill"), lightbulb},
        {QStringLiteral("gearshape.fill"), gear},
        {QStringLiteral("xmark"), xmark},
        {QStringLiteral("note.text"), notepad},
        {QStringLiteral("tray.fill"), tray},
        {QStringLiteral("sparkles"), sparkles},
        {QStringLiteral("pin"), ControlSymbols::pin},
        {QStringLiteral("pin.fill"), ControlSymbols::pinFill},
        {QStringLiteral("snowflake"), ControlSymbols::snowflake},
        {QStringLiteral("chevron.right"), ControlSymbols::chevronRight},
        {QStringLiteral("chevron.left"), ControlSymbols::chevronLeft},
        {QStringLiteral("arrow.clockwise"), ControlSymbols::arrowClockwise},
        {QStringLiteral("lock.fill"), ControlSymbols::lockFill},
        {QStringLiteral("lock.open.fill"), ControlSymbols::lockOpenFill},
        {QStringLiteral("sidebar.right"), ControlSymbols::sidebarRight},
        {QStringLiteral("plus"), ControlSymbols::plus},
        {QStringLiteral("magnifyingglass"), ControlSymbols::magnifyingGlass},
        {QStringLiteral("arrow.down.doc.fill"), arrowDownDocument},
        {QStringLiteral("equal.circle.fill"), ControlSymbols::equalCircleFill},
        {QStringLiteral("xmark.circle.fill"), ControlSymbols::xmarkCircleFill},
        {QStringLiteral("safari.fill"), ControlSymbols::compassFill},
        {QStringLiteral("tray.and.arrow.down.fill"), ControlSymbols::trayArrowDownFill},
        {QStringLiteral("pin.slash.fill"), ControlSymbols::pinSlashFill},
        {QStringLiteral("globe"), ControlSymbols::globe},
        {QStringLiteral("line.3.horizontal"), ControlSymbols::threeLines},
        {QStringLiteral("checkmark"), ControlSymbols::checkmark},
        {QStringLiteral("chevron.down"), ControlSymbols::chevronDown},
        {QStringLiteral("chevron.up"), ControlSymbols::chevronUp},
        {QStringLiteral("viewfinder"), ControlSymbols::viewfinder},
        {QStringLiteral("text.alignleft"), ControlSymbols::textAlignLeft},
        {QStringLiteral("wrench.fill"), ControlSymbols::wrenchFill},
        {QStringLiteral("doc.fill"), ItemSymbols::docFill},
        {QStringLiteral("photo.fill"), ItemSymbols::photoFill},
        {QStringLiteral("link"), ItemSymbols::link},
        {QStringLiteral("text.quote"), ItemSymbols::textQuote},
        {QStringLiteral("doc.on.doc"), ItemSymbols::docOnDoc},
        {QStringLiteral("arrow.counterclockwise"), ItemSymbols::arrowCounterclockwise},
        {QStringLiteral("folder.badge.plus"), ItemSymbols::folderBadgePlus},
        {QStringLiteral("safari"), ItemSymbols::safari},
        {QStringLiteral("arrow.up.right.square"), ItemSymbols::arrowUpRightSquare},
        {QStringLiteral("clock"), ItemSymbols::clock},
        {QStringLiteral("plus.circle.fill"), ItemSymbols::plusCircleFill},
    };
    return table;
}

} // namespace

namespace Symbols {

QPainterPath path(const QString &name)
{
    // A drawing is built with boolean operations on paths, far slower than
    // filling it, so each is built once (per thread: the cache is not shared).
    thread_local QHash<QString, QPainterPath> built;
    if (const auto known = built.constFind(name); known != built.cend())
        return *known;
    const auto it = drawings().constFind(name);
    const QPainterPath drawing = it == drawings().cend() ? QPainterPath() : (*it)();
    built.insert(name, drawing);
    return drawing;
}

void paint(QPainter &painter, const QString &name, const QRectF &rect, const QColor &color)
{
    const double side = std::min(rect.width(), rect.height());
    const QRectF box(rect.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
    QTransform place;
    place.translate(box.x(), box.y());
    place.scale(side, side);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(place.map(path(name)));
    painter.restore();
}

} // namespace Symbols
