// Outlines of the glasses, designed on the 32 × 32 grid of the small icon.
#include "tools/glassshapes.h"

namespace {

QPainterPath Polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

QPainterPath Open(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    return path;
}

// A stem from `top` down to a foot of `footWidth` at the icon's bottom.
QPainterPath StemAndFoot(double top, double footWidth, double stemWidth = 1.4) {
    QPainterPath path;
    path.addRect(16 - stemWidth / 2, top, stemWidth, 28 - top);
    path.addEllipse(QRectF(16 - footWidth / 2, 27.2, footWidth, 2.6));
    return path;
}

// Tumblers: straight walls from the rim down to a thick base.
GlassShape Tumbler(double rimY, double topHalf, double bottomHalf, double baseTop, double floor,
                   double surface) {
    GlassShape g;
    g.rimLeft = {16 - topHalf, rimY};
    g.rimRight = {16 + topHalf, rimY};
    const QPointF bl(16 - bottomHalf, floor), br(16 + bottomHalf, floor);
    g.walls = Open({g.rimLeft, bl, br, g.rimRight});
    const double t = (baseTop - rimY) / (floor - rimY);
    const double baseHalf = topHalf + (bottomHalf - topHalf) * t;
    g.inside = Polygon({g.rimLeft, {16 - baseHalf, baseTop}, {16 + baseHalf, baseTop}, g.rimRight});
    if (baseTop < floor)
        g.solid = Polygon({{16 - baseHalf, baseTop}, bl, br, {16 + baseHalf, baseTop}});
    g.surface = surface;
    g.bottom = baseTop;
    return g;
}

// A stemmed bowl given by its left half from the rim down, mirrored.
GlassShape Bowl(QPainterPath leftHalf, double stemTop, double footWidth, double surface) {
    GlassShape g;
    QPainterPath bowl = leftHalf;
    const QPainterPath mirror = QTransform(-1, 0, 0, 1, 32, 0).map(leftHalf).toReversed();
    bowl.connectPath(mirror);
    g.walls = bowl;
    g.inside = bowl;
    g.inside.closeSubpath();
    g.rimLeft = leftHalf.elementAt(0);
    g.rimRight = {32 - g.rimLeft.x(), g.rimLeft.y()};
    g.solid = StemAndFoot(stemTop, footWidth);
    g.surface = surface;
    g.bottom = bowl.boundingRect().bottom();
    return g;
}

QPainterPath Curve(QPointF from, QPointF c1, QPointF c2, QPointF to) {
    QPainterPath path(from);
    path.cubicTo(c1, c2, to);
    return path;
}

QPainterPath Handle(double x, double top, double bottom, double reach) {
    QPainterPath path;
    path.moveTo(x, top);
    path.cubicTo(x + reach, top - 0.5, x + reach, bottom + 0.5, x, bottom);
    return path;
}

}  // namespace

GlassShape ShapeOf(Glass glass) {
    switch (glass) {
        case Glass::Cocktail:
            return Bowl(Open({{3, 6}, {15.3, 18.2}, {16, 18.4}}), 18, 15, 7.5);
        case Glass::Coupe:
            return Bowl(Curve({4, 9}, {4.2, 15}, {10, 16.6}, {16, 16.6}), 16.4, 15, 10.3);
        case Glass::Wine:
            return Bowl(Curve({9.5, 3}, {5, 8}, {6, 19}, {16, 19}), 18.8, 14, 10.5);
        case Glass::Flute:
            return Bowl(Curve({12, 2.5}, {11.8, 10}, {12, 19.5}, {16, 19.5}), 19, 12, 4.8);
        case Glass::Sour:
            return Bowl(Curve({10, 8}, {9.4, 14}, {11, 19}, {16, 19}), 18.8, 12, 10);
        case Glass::Liqueur:
            return Bowl(Open({{12, 9}, {12.8, 19}, {16, 19.2}}), 19, 10, 10.8);
        case Glass::Snifter:
            return Bowl(Curve({11.5, 7}, {3, 11}, {5, 23.5}, {16, 23.5}), 23.2, 15, 17.5);
        case Glass::Hurricane: {
            QPainterPath half(QPointF(9, 3));
            half.cubicTo({10.5, 7}, {12, 9}, {11.2, 11.5});
            half.cubicTo({8, 16}, {8.5, 23}, {16, 23.5});
            return Bowl(half, 23.2, 14, 6.5);
        }
        case Glass::Irish: {
            GlassShape g = Bowl(Curve({9.5, 4}, {9.5, 12}, {9.8, 20}, {16, 20}), 19.8, 14, 6);
            g.handle = Handle(22.3, 7, 16, 5.5);
            g.solid.addRect(QRectF(14.6, 19.8, 2.8, 4));
            return g;
        }
        case Glass::Rocks:
            return Tumbler(10, 11, 10, 26.5, 29.5, 14);
        case Glass::Highball:
            return Tumbler(5, 8, 7, 27, 29.5, 8);
        case Glass::Collins:
            return Tumbler(3, 5.5, 5, 28, 30, 5.8);
        case Glass::Shot:
            return Tumbler(14, 5, 4, 26, 29.5, 16.5);
        case Glass::Pilsner: {
            GlassShape g = Tumbler(2.5, 8, 3.5, 26, 26, 7.5);
            g.solid = Polygon({{12.5, 26}, {19.5, 26}, {21.5, 29.5}, {10.5, 29.5}});
            return g;
        }
        case Glass::Mug: {
            GlassShape g = Tumbler(6, 8, 8, 27, 29.5, 10.5);
            g.rimLeft.rx() -= 3;
            g.rimRight.rx() -= 3;
            QTransform left;
            left.translate(-3, 0);
            g.walls = left.map(g.walls);
            g.inside = left.map(g.inside);
            g.solid = left.map(g.solid);
            g.handle = Handle(21, 10, 24, 7.5);
            return g;
        }
        case Glass::Copper: {
            GlassShape g = Tumbler(9, 8.5, 8.5, 29.5, 29.5, 10);
            g.opaque = true;
            g.handle = Handle(24.5, 13, 24, 5.5);
            return g;
        }
        case Glass::Julep: {
            GlassShape g = Tumbler(10, 9, 7, 29.5, 29.5, 10.5);
            g.opaque = true;
            return g;
        }
        case Glass::Cup: {
            GlassShape g;
            g.rimLeft = {6, 13};
            g.rimRight = {24, 13};
            QPainterPath body(g.rimLeft);
            body.cubicTo({6, 21}, {9, 25}, {15, 25});
            body.cubicTo({21, 25}, {24, 21}, g.rimRight);
            body.closeSubpath();
            g.inside = body;
            g.walls = body;
            g.opaque = true;
            g.solid.addEllipse(QRectF(2, 24.6, 26, 4.2));
            g.handle = Handle(23.6, 15, 21, 5.5);
            g.surface = 13;
            g.bottom = 25;
            return g;
        }
    }
    return ShapeOf(Glass::Cocktail);
}
