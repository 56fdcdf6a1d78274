#include "icons/AppIconPainter.h"

#include "icons/Symbols.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

// The colours a mark may use; in the monochrome styles they are all one ink.
struct Inks
{
    QColor a, b, c, d;
    // What shows through cut-outs, such as the lines on a page.
    QColor back = Qt::transparent;
};

using Draw = std::function<void(QPainter &, const QRectF &box, const Inks &)>;

struct Mark
{
    QColor tile;    // the brand style's tile
    Inks brand;     // the brand style's colours
    Draw draw;      // draws into a square box inside the tile
};

QPointF at(const QRectF &box, double x, double y)
{
    return QPointF(box.x() + x * box.width(), box.y() + y * box.height());
}

QRectF part(const QRectF &box, double x, double y, double w, double h)
{
    return QRectF(at(box, x, y), QSizeF(w * box.width(), h * box.height()));
}

// A path through points given in the box's unit coordinates.
QPainterPath polyline(const QRectF &box, std::initializer_list<QPointF> points, bool closed = false)
{
    QPainterPath path;
    for (const QPointF &point : points) {
        if (path.elementCount() == 0)
            path.moveTo(at(box, point.x(), point.y()));
        else
            path.lineTo(at(box, point.x(), point.y()));
    }
    if (closed)
        path.closeSubpath();
    return path;
}

void fillSymbol(QPainter &p, const QRectF &box, const QString &name, const QColor &color)
{
    p.fillPath(QTransform::fromTranslate(box.x(), box.y()).scale(box.width(), box.height()).map(Symbols::path(name)), color);
}

void text(QPainter &p, const QRectF &box, const QString &letters, const QColor &color, const QString &family,
          double scale, int weight = QFont::Bold)
{
    QFont font(family);
    font.setPixelSize(qMax(1, int(box.height() * scale)));
    font.setWeight(QFont::Weight(weight));
    p.setFont(font);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, letters);
}

void stroke(QPainter &p, const QPainterPath &path, const QColor &color, double width)
{
    p.strokePath(path, QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// Rays from the centre: the sunburst of Claude and the asterisk of Perplexity.
void rays(QPainter &p, const QRectF &box, const QColor &color, int count, double inner, double width)
{
    QPainterPath path;
    const QPointF c = box.center();
    for (int i = 0; i < count; ++i) {
        const double angle = M_PI * 2 * i / count;
        path.moveTo(c + QPointF(std::cos(angle), std::sin(angle)) * inner * box.width());
        path.lineTo(c + QPointF(std::cos(angle), std::sin(angle)) * 0.42 * box.width());
    }
    stroke(p, path, color, box.width() * width);
}

// Three interlaced rounded loops: the knot of the OpenAI marks.
void knot(QPainter &p, const QRectF &box, const QColor &color)
{
    QPainterPath loop;
    loop.addRoundedRect(QRectF(-0.16, -0.36, 0.32, 0.56), 0.16, 0.16);
    QPainterPath path;
    for (int i = 0; i < 3; ++i) {
        QTransform t;
        t.translate(box.center().x(), box.center().y()).rotate(120 * i).scale(box.width(), box.height());
        path.addPath(t.map(loop));
    }
    stroke(p, path, color, box.width() * 0.07);
}

// A page with a folded corner and a sign of its content.
void page(QPainter &p, const QRectF &box, const QColor &paper, const QColor &ink,
          const std::function<void(const QRectF &)> &content)
{
    QPainterPath sheet;
    sheet.addRoundedRect(part(box, 0.2, 0.08, 0.6, 0.84), box.width() * 0.06, box.width() * 0.06);
    p.fillPath(sheet, paper);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    content(part(box, 0.3, 0.3, 0.4, 0.48));
}

const QHash<QString, Mark> &marks()
{
    static const QHash<QString, Mark> table = [] {
        QHash<QString, Mark> m;
        const QColor white(Qt::white);
        const auto openAI = [](QPainter &p, const QRectF &b, const Inks &i) { knot(p, b, i.a); };
        m.insert(QStringLiteral("claude"), {QColor(0xD9, 0x77, 0x57), {white, white, white, white},
                                            [](QPainter &p, const QRectF &b, const Inks &i) { rays(p, b, i.a, 12, 0.08, 0.09); }});
        m.insert(QStringLiteral("chatgpt"), {QColor(0x10, 0xA3, 0x7F), {white, white, white, white}, openAI});
        m.insert(QStringLiteral("openai"), {QColor(0x11, 0x11, 0x11), {white, white, white, white}, openAI});
        m.insert(QStringLiteral("devdocs"), {QColor(0x2B, 0x2F, 0x36), {QColor(0xE8, 0xE8, 0xE8), white, white, white},
                                             [](QPainter &p, const QRectF &b, const Inks &i) {
                                                 QPainterPath path = polyline(b, {{0.36, 0.3}, {0.18, 0.5}, {0.36, 0.7}});
                                                 path.addPath(polyline(b, {{0.64, 0.3}, {0.82, 0.5}, {0.64, 0.7}}));
                                                 path.addPath(polyline(b, {{0.56, 0.24}, {0.44, 0.76}}));
                                                 stroke(p, path, i.a, b.width() * 0.08);
                                             }});
        m.insert(QStringLiteral("notion"), {white, {QColor(0x11, 0x11, 0x11), white, white, white},
                                            [](QPainter &p, const QRectF &b, const Inks &i) {
                                                text(p, b, QStringLiteral("N"), i.a, QStringLiteral("Georgia"), 0.78);
                                            }});
        m.insert(QStringLiteral("keep"), {QColor(0xFB, 0xBC, 0x04), {white, white, white, white},
                                          [](QPainter &p, const QRectF &b, const Inks &i) {
                                              fillSymbol(p, b, QStringLiteral("lightbulb.fill"), i.a);
                                          }});
        m.insert(QStringLiteral("gmail"), {white, {QColor(0xEA, 0x43, 0x35), QColor(0x42, 0x85, 0xF4), white, white},
                                           [](QPainter &p, const QRectF &b, const Inks &i) {
                                               const QPainterPath envelope =
                                                   polyline(b, {{0.16, 0.76}, {0.16, 0.28}, {0.5, 0.54}, {0.84, 0.28}, {0.84, 0.76}});
                                               stroke(p, envelope, i.a, b.width() * 0.1);
                                           }});
        m.insert(QStringLiteral("linear"), {QColor(0x5E, 0x6A, 0xD2), {white, white, white, white},
                                            [](QPainter &p, const QRectF &b, const Inks &i) {
                                                QPainterPath disc;
                                                disc.addEllipse(part(b, 0.14, 0.14, 0.72, 0.72));
                                                QPainterPath cuts;
                                                for (double o : {-0.18, 0.0, 0.18}) {
                                                    QPainterPath band;
                                                    band.addRect(QRectF(-0.6, o - 0.025, 1.2, 0.05));
                                                    QTransform t;
                                                    t.translate(b.center().x(), b.center().y()).rotate(-45).scale(b.width(), b.height());
                                                    cuts.addPath(t.map(band));
                                                }
                                                p.fillPath(disc.subtracted(cuts), i.a);
                                            }});
        m.insert(QStringLiteral("figma"), {white, {QColor(0xF2, 0x4E, 0x1E), QColor(0xA2, 0x59, 0xFF), QColor(0x1A, 0xBC, 0xFE), QColor(0x0A, 0xCF, 0x83)},
                                           [](QPainter &p, const QRectF &b, const Inks &i) {
                                               const double s = 0.2;
                                               p.setPen(Qt::NoPen);
                                               p.setBrush(i.a);
                                               p.drawRoundedRect(part(b, 0.3, 0.16, s, s), b.width() * 0.1, b.width() * 0.1);
                                               p.drawRoundedRect(part(b, 0.5, 0.16, s, s), b.width() * 0.1, b.width() * 0.1);
                                               p.setBrush(i.b);
                                               p.drawRoundedRect(part(b, 0.3, 0.4, s, s), b.width() * 0.1, b.width() * 0.1);
                                               p.setBrush(i.c);
                                               p.drawEllipse(part(b, 0.5, 0.4, s, s));
                                               p.setBrush(i.d);
                                               p.drawRoundedRect(part(b, 0.3, 0.64, s, s), b.width() * 0.1, b.width() * 0.1);
                                           }});
        m.insert(QStringLiteral("github"), {QColor(0x18, 0x17, 0x17), {white, white, white, white},
                                            [](QPainter &p, const QRectF &b, const Inks &i) {
                                                QPainterPath head;
                                                head.addEllipse(part(b, 0.2, 0.26, 0.6, 0.56));
                                                QPainterPath ears = polyline(b, {{0.24, 0.42}, {0.28, 0.16}, {0.44, 0.3}});
                                                ears.addPath(polyline(b, {{0.76, 0.42}, {0.72, 0.16}, {0.56, 0.3}}));
                                                QPainterPath eyes;
                                                eyes.addEllipse(part(b, 0.36, 0.48, 0.08, 0.12));
                                                eyes.addEllipse(part(b, 0.56, 0.48, 0.08, 0.12));
                                                p.fillPath(head.united(ears).subtracted(eyes), i.a);
                                            }});
        const auto bird = [](QPainter &p, const QRectF &b, const Inks &i) {
            QPainterPath body;
            body.addEllipse(part(b, 0.22, 0.34, 0.46, 0.36));
            QPainterPath head;
            head.addEllipse(part(b, 0.52, 0.22, 0.24, 0.24));
            const QPainterPath beak = polyline(b, {{0.74, 0.3}, {0.88, 0.3}, {0.74, 0.4}}, true);
            const QPainterPath tail = polyline(b, {{0.26, 0.5}, {0.1, 0.44}, {0.22, 0.64}}, true);
            p.fillPath(body.united(head).united(beak).united(tail), i.a);
        };
        m.insert(QStringLiteral("twitter"), {QColor(0x1D, 0x9B, 0xF0), {white, white, white, white}, bird});
        m.insert(QStringLiteral("x"), {QColor(0x0F, 0x0F, 0x0F), {white, white, white, white},
                                       [](QPainter &p, const QRectF &b, const Inks &i) {
                                           fillSymbol(p, part(b, 0.1, 0.1, 0.8, 0.8), QStringLiteral("xmark"), i.a);
                                       }});
        m.insert(QStringLiteral("slack"), {white, {QColor(0x36, 0xC5, 0xF0), QColor(0x2E, 0xB6, 0x7D), QColor(0xEC, 0xB2, 0x2E), QColor(0xE0, 0x1E, 0x5A)},
                                           [](QPainter &p, const QRectF &b, const Inks &i) {
                                               const QColor colors[] = {i.a, i.b, i.c, i.d};
                                               for (int k = 0; k < 4; ++k) {
                                                   QPainterPath bar;
                                                   bar.addRoundedRect(QRectF(-0.08, -0.36, 0.16, 0.46), 0.08, 0.08);
                                                   QTransform t;
                                                   t.translate(b.center().x(), b.center().y()).rotate(90 * k).translate(0.1 * b.width(), 0).scale(b.width(), b.height());
                                                   p.fillPath(t.map(bar), colors[k]);
                                               }
                                           }});
        m.insert(QStringLiteral("discord"), {QColor(0x58, 0x65, 0xF2), {white, QColor(0x58, 0x65, 0xF2), white, white},
                                             [](QPainter &p, const QRectF &b, const Inks &i) {
                                                 QPainterPath face;
                                                 face.addRoundedRect(part(b, 0.16, 0.26, 0.68, 0.48), b.width() * 0.2, b.width() * 0.2);
                                                 QPainterPath eyes;
                                                 eyes.addEllipse(part(b, 0.33, 0.42, 0.11, 0.13));
                                                 eyes.addEllipse(part(b, 0.56, 0.42, 0.11, 0.13));
                                                 p.fillPath(face.subtracted(eyes), i.a);
                                             }});
        m.insert(QStringLiteral("youtube"), {QColor(0xFF, 0x00, 0x00), {white, white, white, white},
                                             [](QPainter &p, const QRectF &b, const Inks &i) {
                                                 fillSymbol(p, part(b, 0.15, 0.15, 0.7, 0.7), QStringLiteral("play.fill"), i.a);
                                             }});
        m.insert(QStringLiteral("spotify"), {QColor(0x1D, 0xB9, 0x54), {QColor(0x10, 0x10, 0x10), white, white, white},
                                             [](QPainter &p, const QRectF &b, const Inks &i) {
                                                 QPainterPath arcs;
                                                 for (int k = 0; k < 3; ++k) {
                                                     const QRectF arc = part(b, 0.2 + k * 0.05, 0.3 + k * 0.12, 0.6 - k * 0.1, 0.4);
                                                     arcs.arcMoveTo(arc, 160);
                                                     arcs.arcTo(arc, 160, -140);
                                                 }
                                                 stroke(p, arcs, i.a, b.width() * (0.09));
                                             }});
        m.insert(QStringLiteral("perplexity"), {QColor(0x20, 0x80, 0x8D), {white, white, white, white},
                                                [](QPainter &p, const QRectF &b, const Inks &i) { rays(p, b, i.a, 8, 0.0, 0.08); }});
        m.insert(QStringLiteral("reddit"), {QColor(0xFF, 0x45, 0x00), {white, QColor(0xFF, 0x45, 0x00), white, white},
                                            [](QPainter &p, const QRectF &b, const Inks &i) {
                                                QPainterPath head;
                                                head.addEllipse(part(b, 0.18, 0.36, 0.64, 0.44));
                                                head.addEllipse(part(b, 0.62, 0.12, 0.14, 0.14));
                                                const QPainterPath antenna = polyline(b, {{0.5, 0.36}, {0.56, 0.18}, {0.66, 0.2}});
                                                QPainterPath eyes;
                                                eyes.addEllipse(part(b, 0.34, 0.5, 0.1, 0.1));
                                                eyes.addEllipse(part(b, 0.56, 0.5, 0.1, 0.1));
                                                p.fillPath(head.subtracted(eyes), i.a);
                                                stroke(p, antenna, i.a, b.width() * 0.05);
                                            }});
        const auto notes = [](QPainter &p, const QRectF &b, const Inks &i) { fillSymbol(p, b, QStringLiteral("note.text"), i.a); };
        m.insert(QStringLiteral("notes"), {QColor(0xF6, 0xC4, 0x44), {QColor(0x3A, 0x2F, 0x12), white, white, white}, notes});
        m.insert(QStringLiteral("scratchpad"), m.value(QStringLiteral("notes")));
        const auto shelf = [](QPainter &p, const QRectF &b, const Inks &i) { fillSymbol(p, b, QStringLiteral("tray.fill"), i.a); };
        m.insert(QStringLiteral("shelf"), {QColor(0xE9, 0x9F, 0x5E), {white, white, white, white}, shelf});
        m.insert(QStringLiteral("dropshelf"), m.value(QStringLiteral("shelf")));
        m.insert(QStringLiteral("settings"), {QColor(0x6E, 0x76, 0x81), {white, white, white, white},
                                              [](QPainter &p, const QRectF &b, const Inks &i) {
                                                  fillSymbol(p, part(b, 0.1, 0.1, 0.8, 0.8), QStringLiteral("gearshape.fill"), i.a);
                                              }});
        m.insert(QStringLiteral("google"), {white, {QColor(0x42, 0x85, 0xF4), white, white, white},
                                            [](QPainter &p, const QRectF &b, const Inks &i) {
                                                text(p, b, QStringLiteral("G"), i.a, QStringLiteral("Sans Serif"), 0.72);
                                            }});
        const auto googleDocs = [](QPainter &p, const QRectF &b, const Inks &i) {
            page(p, b, i.a, i.back, [&p](const QRectF &c) {
                for (int k = 0; k < 4; ++k)
                    p.drawRect(QRectF(c.x(), c.y() + k * c.height() / 4, c.width() * (k == 3 ? 0.6 : 1), c.height() / 10));
            });
        };
        m.insert(QStringLiteral("googledocs"), {QColor(0x42, 0x85, 0xF4), {white, white, white, white, QColor(0x42, 0x85, 0xF4)}, googleDocs});
        m.insert(QStringLiteral("docs"), m.value(QStringLiteral("googledocs")));
        const auto googleSheets = [](QPainter &p, const QRectF &b, const Inks &i) {
            page(p, b, i.a, i.back, [&p](const QRectF &c) {
                const double w = c.width() / 2 - c.width() / 20, h = c.height() / 3 - c.height() / 20;
                for (int row = 0; row < 3; ++row)
                    for (int col = 0; col < 2; ++col)
                        p.drawRect(QRectF(c.x() + col * c.width() / 2, c.y() + row * c.height() / 3, w, h));
            });
        };
        m.insert(QStringLiteral("googlesheets"), {QColor(0x0F, 0x9D, 0x58), {white, white, white, white, QColor(0x0F, 0x9D, 0x58)}, googleSheets});
        m.insert(QStringLiteral("sheets"), m.value(QStringLiteral("googlesheets")));
        const auto googleSlides = [](QPainter &p, const QRectF &b, const Inks &i) {
            page(p, b, i.a, i.back, [&p](const QRectF &c) { p.drawRect(QRectF(c.x(), c.y() + c.height() * 0.25, c.width(), c.height() * 0.45)); });
        };
        m.insert(QStringLiteral("googleslides"), {QColor(0xF4, 0xB4, 0x00), {white, white, white, white, QColor(0xF4, 0xB4, 0x00)}, googleSlides});
        m.insert(QStringLiteral("slides"), m.value(QStringLiteral("googleslides")));
        const auto googleDrive = [](QPainter &p, const QRectF &b, const Inks &i) {
            p.fillPath(polyline(b, {{0.38, 0.16}, {0.62, 0.16}, {0.36, 0.62}, {0.24, 0.42}}, true), i.a);
            p.fillPath(polyline(b, {{0.62, 0.16}, {0.88, 0.62}, {0.64, 0.62}, {0.5, 0.38}}, true), i.b);
            p.fillPath(polyline(b, {{0.12, 0.62}, {0.88, 0.62}, {0.76, 0.82}, {0.24, 0.82}}, true), i.c);
        };
        m.insert(QStringLiteral("googledrive"), {white, {QColor(0x0F, 0x9D, 0x58), QColor(0xFF, 0xC1, 0x07), QColor(0x42, 0x85, 0xF4), white}, googleDrive});
        m.insert(QStringLiteral("drive"), m.value(QStringLiteral("googledrive")));
        const auto googleMeet = [](QPainter &p, const QRectF &b, const Inks &i) {
            QPainterPath camera;
            camera.addRoundedRect(part(b, 0.14, 0.3, 0.48, 0.4), b.width() * 0.08, b.width() * 0.08);
            camera.addPath(polyline(b, {{0.62, 0.46}, {0.86, 0.3}, {0.86, 0.7}, {0.62, 0.54}}, true));
            p.fillPath(camera.simplified(), i.a);
        };
        m.insert(QStringLiteral("googlemeet"), {QColor(0x00, 0x89, 0x7B), {white, white, white, white}, googleMeet});
        m.insert(QStringLiteral("meet"), m.value(QStringLiteral("googlemeet")));
        return m;
    }();
    return table;
}

// The calendar shows today's day of the month under a coloured band.
void paintCalendar(QPainter &p, const QRectF &tile, IconStyle style, const QColor &ink, const QDate &today)
{
    const bool brand = style == IconStyle::Brand;
    const QRectF box = tile.adjusted(tile.width() * 0.14, tile.height() * 0.14, -tile.width() * 0.14, -tile.height() * 0.14);
    QPainterPath sheet;
    sheet.addRoundedRect(box, box.width() * 0.14, box.width() * 0.14);
    p.fillPath(sheet, brand ? QColor(Qt::white) : Qt::transparent);
    p.strokePath(sheet, QPen(brand ? QColor(0x1A, 0x73, 0xE8) : ink, box.width() * 0.06));
    p.fillRect(QRectF(box.x(), box.y(), box.width(), box.height() * 0.26), brand ? QColor(0x1A, 0x73, 0xE8) : ink);
    text(p, box.adjusted(0, box.height() * 0.24, 0, 0), QString::number(today.day()), brand ? QColor(0x1A, 0x73, 0xE8) : ink,
         QStringLiteral("Sans Serif"), 0.5);
}

} // namespace

IconStyle iconStyleFor(AppThemeMode theme)
{
    switch (theme) {
    case AppThemeMode::Paper:
    case AppThemeMode::Nickel:
    case AppThemeMode::Sage:
        return IconStyle::Paper;
    case AppThemeMode::Ember:
        return IconStyle::InkAndRule;
    default:
        return IconStyle::Brand;
    }
}

namespace AppIconPainter {

bool hasMark(const QString &key)
{
    return key == QLatin1String("calendar") || marks().contains(key);
}

bool paint(QPainter &painter, const QRectF &rect, const QString &key, IconStyle style, const QDate &today)
{
    if (!hasMark(key))
        return false;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double radius = rect.width() * 0.22;
    QPainterPath tile;
    tile.addRoundedRect(rect, radius, radius);

    QColor ink;
    QColor tileColor;
    switch (style) {
    case IconStyle::Paper:
        tileColor = QColor(0xFF, 0xFF, 0xFF);
        ink = QColor(0x1A, 0x1D, 0x20);
        break;
    case IconStyle::InkAndRule:
        tileColor = QColor(0x1A, 0x1C, 0x20);
        ink = QColor(0xF2, 0xF3, 0xF5);
        break;
    case IconStyle::Brand:
        tileColor = key == QLatin1String("calendar") ? QColor(Qt::white) : marks().value(key).tile;
        break;
    }
    painter.fillPath(tile, tileColor);
    if (style == IconStyle::Paper)
        painter.strokePath(tile, QPen(QColor(0xE5, 0xE3, 0xDC), 1));
    else if (style == IconStyle::InkAndRule)
        painter.strokePath(tile, QPen(QColor(0xE9, 0xB3, 0x5E, 102), 1));

    const QRectF box = rect.adjusted(rect.width() * 0.12, rect.height() * 0.12, -rect.width() * 0.12, -rect.height() * 0.12);
    if (key == QLatin1String("calendar")) {
        paintCalendar(painter, rect, style, ink, today);
    } else {
        const Mark &mark = marks()[key];
        const Inks inks = style == IconStyle::Brand ? mark.brand : Inks{ink, ink, ink, ink, tileColor};
        mark.draw(painter, box, inks);
    }
    painter.restore();
    return true;
}

} // namespace AppIconPainter
