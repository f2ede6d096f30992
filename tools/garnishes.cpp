// Painters of the garnishes, on the icon's 32 × 32 grid, placed relative to the glass's rim.
#include "tools/garnishes.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Fruit {
    QColor rind, flesh;
};
const Fruit kLemon{QColor(246, 214, 30), QColor(252, 242, 160)};
const Fruit kLime{QColor(60, 168, 40), QColor(196, 236, 130)};
const Fruit kOrange{QColor(242, 128, 20), QColor(252, 196, 96)};
const Fruit kCucumber{QColor(30, 100, 40), QColor(206, 236, 180)};

const QColor kPick(222, 200, 150);

double Width(const GlassShape& g) { return g.rimRight.x() - g.rimLeft.x(); }

// Keeps a garnish that rises above the rim inside the picture.
QPointF Clamp(QPointF at, double margin) {
    return {std::clamp(at.x(), margin, 32 - margin), std::max(at.y(), margin)};
}

// The left and right ends of the drink's surface.
std::pair<double, double> Span(const GlassShape& g, double y) {
    QPainterPath line;
    line.addRect(0, y - 0.05, 32, 0.1);
    const QRectF box = g.inside.intersected(line).boundingRect();
    return {box.left(), box.right()};
}

void Wheel(QPainter& p, QPointF centre, double r, const Fruit& fruit) {
    p.setPen(Qt::NoPen);
    p.setBrush(fruit.rind);
    p.drawEllipse(centre, r, r);
    p.setBrush(fruit.flesh);
    p.drawEllipse(centre, r * 0.76, r * 0.76);
    p.setPen(QPen(fruit.rind.lighter(115), r * 0.1));
    for (int i = 0; i < 4; ++i) {
        const double a = i * std::numbers::pi / 4;
        const QPointF d(std::cos(a) * r * 0.7, std::sin(a) * r * 0.7);
        p.drawLine(centre - d, centre + d);
    }
    // The cut that holds the wheel on the rim.
    p.setPen(QPen(QColor(0, 0, 0, 140), r * 0.14));
    p.drawLine(centre, centre + QPointF(0, r));
}

void Wedge(QPainter& p, QPointF centre, double r, double degrees, const Fruit& fruit) {
    p.save();
    p.translate(centre);
    p.rotate(degrees);
    QPainterPath half;
    half.moveTo(-r, 0);
    half.arcTo(QRectF(-r, -r, 2 * r, 2 * r), 180, 180);
    half.closeSubpath();
    p.setPen(Qt::NoPen);
    p.fillPath(half, fruit.rind);
    QPainterPath inner;
    inner.moveTo(-r * 0.78, 0);
    inner.arcTo(QRectF(-r * 0.78, -r * 0.78, 1.56 * r, 1.56 * r), 180, 180);
    inner.closeSubpath();
    p.fillPath(inner, fruit.flesh);
    p.setPen(QPen(fruit.rind.lighter(112), 0.35));
    p.drawLine(QPointF(0, 0), QPointF(-r * 0.5, r * 0.5));
    p.drawLine(QPointF(0, 0), QPointF(r * 0.5, r * 0.5));
    p.restore();
}

void Ball(QPainter& p, QPointF centre, double r, QColor colour) {
    QRadialGradient shine(centre - QPointF(r * 0.35, r * 0.35), r * 1.3);
    shine.setColorAt(0, colour.lighter(170));
    shine.setColorAt(0.45, colour);
    shine.setColorAt(1, colour.darker(160));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(centre, r, r);
}

void Cherry(QPainter& p, QPointF centre, double r) {
    p.setPen(QPen(QColor(90, 140, 40), 0.55, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath stem(centre + QPointF(0, -r * 0.8));
    stem.quadTo(centre + QPointF(r * 0.3, -r * 2.2), centre + QPointF(r * 1.3, -r * 2.6));
    p.drawPath(stem);
    Ball(p, centre, r, QColor(214, 18, 40));
}

void Leaf(QPainter& p, QPointF at, double length, double degrees, QColor colour) {
    p.save();
    p.translate(at);
    p.rotate(degrees);
    QPainterPath leaf(QPointF(0, 0));
    leaf.quadTo(QPointF(length * 0.5, -length * 0.38), QPointF(length, 0));
    leaf.quadTo(QPointF(length * 0.5, length * 0.38), QPointF(0, 0));
    p.fillPath(leaf, colour);
    p.setPen(QPen(colour.darker(150), 0.25));
    p.drawLine(QPointF(0, 0), QPointF(length * 0.8, 0));
    p.restore();
}

void Stick(QPainter& p, QPointF from, QPointF to, double width, QColor colour) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
}

// Rim places taken in turn: the right side of the rim, then the left.
class Rim {
  public:
    explicit Rim(const GlassShape& g) : g_(g) {}
    // Where a garnish of radius `r` sits; `sideOut` is -1 on the left, +1 on the right.
    QPointF Next(double r, int* sideOut = nullptr) {
        const bool right = used_++ % 2 == 0;
        if (sideOut) *sideOut = right ? 1 : -1;
        const QPointF anchor =
            right ? g_.rimRight + QPointF(-0.6, -0.7) : g_.rimLeft + QPointF(0.6, -0.7);
        return Clamp(anchor, r + 0.2);
    }

  private:
    const GlassShape& g_;
    int used_ = 0;
};

bool TakesRim(const Cocktail& c) {
    for (Garnish g :
         {Garnish::LemonSlice, Garnish::LimeSlice, Garnish::OrangeSlice, Garnish::Cucumber,
          Garnish::LemonWedge, Garnish::LimeWedge, Garnish::Pineapple, Garnish::Strawberry})
        if (c.Has(g)) return true;
    return false;
}

double SliceRadius(const GlassShape& g) { return Width(g) < 13 ? 3.6 : 4.3; }

bool IsReddish(QColor c) {
    const int hue = c.hsvHue();
    return c.hsvSaturation() > 90 && (hue < 25 || hue > 320);
}

void Behind(QPainter& p, const Scene& s, Garnish garnish) {
    const GlassShape& g = s.glass;
    const double rim = g.rimLeft.y();
    switch (garnish) {
        case Garnish::Straw: {
            const QColor colour = IsReddish(s.top) ? QColor(250, 250, 250) : QColor(232, 40, 50);
            const QPointF foot(16 + Width(g) * 0.12, g.bottom - 1.5);
            const QPointF top = Clamp(QPointF(g.rimRight.x() - 1.5, rim - 6), 1);
            Stick(p, foot, top, 1.3, colour);
            Stick(p, top, top + QPointF(2.2, -0.4), 1.3, colour);
            break;
        }
        case Garnish::Muddler:
            Stick(p, QPointF(16 - Width(g) * 0.1, g.bottom - 1.5),
                  Clamp(QPointF(g.rimLeft.x() + 1.5, rim - 5.5), 1), 1.2, QColor(200, 150, 90));
            Ball(p, Clamp(QPointF(g.rimLeft.x() + 1.5, rim - 5.5), 1), 1.1, QColor(200, 150, 90));
            break;
        case Garnish::Celery: {
            const QPointF top = Clamp(QPointF(g.rimRight.x() - 3, rim - 7), 2.5);
            Stick(p, QPointF(15, g.bottom - 3), top, 2.0, QColor(170, 214, 100));
            Leaf(p, top, 3.2, -100, QColor(70, 160, 50));
            Leaf(p, top, 3.0, -40, QColor(80, 176, 60));
            Leaf(p, top, 2.6, -160, QColor(60, 140, 40));
            break;
        }
        case Garnish::Cinnamon: {
            const QPointF top = Clamp(QPointF(g.rimRight.x() - 2.5, rim - 5.5), 1);
            Stick(p, QPointF(16.5, g.bottom - 2.5), top, 1.6, QColor(140, 74, 30));
            Stick(p, QPointF(16.8, g.bottom - 2.8), top + QPointF(0.3, 0.1), 0.4,
                  QColor(190, 120, 60));
            break;
        }
        case Garnish::Umbrella:
            Stick(p, QPointF(17, s.surface + 3), Clamp(QPointF(g.rimRight.x() - 2, rim - 5), 5.2),
                  0.6, QColor(240, 230, 200));
            break;
        default:
            break;
    }
}

void Bubbles(QPainter& p, const Scene& s) {
    const GlassShape& g = s.glass;
    const auto [left, right] = Span(g, (s.surface + g.bottom) / 2);
    p.save();
    p.setClipPath(g.inside);
    p.setPen(QPen(QColor(255, 255, 255, 200), 0.35));
    p.setBrush(QColor(255, 255, 255, 60));
    const double columns[] = {0.28, 0.55, 0.8};
    int n = 0;
    for (double column : columns) {
        const double x = left + (right - left) * column;
        for (double y = s.surface + 1.4 + n % 2; y < g.bottom - 0.8; y += 2.6 + (n % 3) * 0.4) {
            const double r = 0.35 + 0.25 * ((g.bottom - y) / (g.bottom - s.surface));
            p.drawEllipse(QPointF(x + std::sin(y + n) * 0.4, y), r, r);
            ++n;
        }
    }
    p.restore();
}

void InDrink(QPainter& p, const Scene& s, Garnish garnish) {
    const GlassShape& g = s.glass;
    const double depth = g.bottom - s.surface;
    switch (garnish) {
        case Garnish::CherrySunk:
            Cherry(p, QPointF(16, g.bottom - 2.2), 1.9);
            break;
        case Garnish::Olive:
        case Garnish::Onion: {
            // Onions ride higher on the pick than an olive, so the two read apart.
            const double along = garnish == Garnish::Olive ? 0.6 : 0.4;
            const QPointF end(15.2, s.surface + depth * along);
            const QPointF top = Clamp(g.rimRight + QPointF(-1, -4.5), 1);
            Stick(p, top, end, 0.6, kPick);
            if (garnish == Garnish::Olive) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(112, 150, 40));
                p.drawEllipse(end, 2.4, 1.9);
                p.setBrush(QColor(220, 40, 30));
                p.drawEllipse(end + QPointF(-1.1, 0), 0.7, 0.7);
            } else {
                Ball(p, end + QPointF(1.0, -1.3), 1.45, QColor(240, 236, 220));
                Ball(p, end + QPointF(-0.6, 0.7), 1.45, QColor(240, 236, 220));
            }
            break;
        }
        case Garnish::LimeChunks: {
            const auto [left, right] = Span(g, g.bottom - 3);
            const double w = right - left;
            Wedge(p, QPointF(left + w * 0.3, g.bottom - 2.2), 2.2, 20, kLime);
            Wedge(p, QPointF(left + w * 0.68, g.bottom - 3.0), 2.2, 160, kLime);
            Wedge(p, QPointF(left + w * 0.5, g.bottom - 5.2), 2.0, -30, kLime);
            break;
        }
        case Garnish::Fruit: {
            const auto [left, right] = Span(g, s.surface + depth * 0.6);
            const double w = right - left, y = s.surface + depth * 0.6;
            Wedge(p, QPointF(left + w * 0.3, y), 2.3, 200, kOrange);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(246, 238, 190));
            p.drawRect(QRectF(left + w * 0.55, y - 1.4, 2.4, 2.2));
            p.setBrush(QColor(200, 40, 40));
            p.drawRect(QRectF(left + w * 0.55, y - 1.4, 2.4, 0.6));
            Wedge(p, QPointF(left + w * 0.45, y + 2.8), 2.0, 30, kLemon);
            break;
        }
        case Garnish::Mint:
            if (depth > 8) {
                Leaf(p, QPointF(13, g.bottom - 4), 3.0, -30, QColor(50, 150, 60, 220));
                Leaf(p, QPointF(17, g.bottom - 8), 3.0, 200, QColor(60, 170, 70, 220));
            }
            break;
        case Garnish::ShotSunk: {
            const QRectF shot(12.2, g.bottom - 8, 5.6, 7.6);
            p.setPen(QPen(QColor(220, 235, 245, 230), 0.7));
            p.setBrush(QColor(170, 90, 20, 230));
            p.drawRect(shot.adjusted(0, 2, 0, 0));
            p.setBrush(Qt::NoBrush);
            p.drawRect(shot);
            break;
        }
        case Garnish::SugarCube: {
            p.setPen(QPen(QColor(200, 190, 170), 0.3));
            p.setBrush(QColor(255, 250, 240));
            p.drawRect(QRectF(14.3, g.bottom - 2.8, 2.6, 2.4));
            break;
        }
        case Garnish::LemonSpiral: {
            const auto [left, right] = Span(g, (s.surface + g.bottom) / 2);
            const double amplitude = (right - left) / 2 - 1.6;
            QPainterPath spiral(g.rimRight + QPointF(-1.2, 1.0));
            for (double y = s.surface; y < g.bottom - 1.5; y += 0.5) {
                const double t = (y - s.surface) / 2.2;
                spiral.lineTo(16 + amplitude * std::cos(t), y);
            }
            p.setPen(QPen(kLemon.rind, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(spiral);
            break;
        }
        case Garnish::Bubbles:
            Bubbles(p, s);
            break;
        default:
            break;
    }
}

// The head on a beer or a fizz; in stemmed glasses a froth inside the bowl.
void Foam(QPainter& p, const Scene& s) {
    const GlassShape& g = s.glass;
    const QColor froth(250, 244, 228);
    const bool tall = s.cocktail.glass == Glass::Pilsner || s.cocktail.glass == Glass::Mug ||
                      s.cocktail.glass == Glass::Collins || s.cocktail.glass == Glass::Highball;
    if (tall) {
        QPainterPath head;
        const double top = g.rimLeft.y() - 1.6;
        head.moveTo(g.rimLeft.x() - 0.3, s.surface + 1.5);
        head.lineTo(g.rimLeft.x() - 0.3, g.rimLeft.y());
        const double w = Width(g) + 0.6;
        for (int i = 0; i < 4; ++i) {
            const double x0 = g.rimLeft.x() - 0.3 + w * i / 4;
            head.quadTo(QPointF(x0 + w / 8, top - (i % 2 ? 0.6 : 1.2)),
                        QPointF(x0 + w / 4, g.rimLeft.y() - 0.2));
        }
        head.lineTo(g.rimRight.x() + 0.3, s.surface + 1.5);
        head.closeSubpath();
        QLinearGradient fill(0, top, 0, s.surface + 1.5);
        fill.setColorAt(0, froth);
        fill.setColorAt(1, froth.darker(112));
        p.fillPath(head, fill);
    } else {
        QPainterPath band;
        band.addRect(0, s.surface - 0.2, 32, 2.2);
        p.fillPath(g.inside.intersected(band), froth);
    }
}

void OnSurface(QPainter& p, const Scene& s, Garnish garnish) {
    const GlassShape& g = s.glass;
    const auto [left, right] = Span(g, s.surface + 0.6);
    const double w = right - left;
    switch (garnish) {
        case Garnish::Foam:
            Foam(p, s);
            break;
        case Garnish::Nutmeg: {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(110, 60, 24));
            for (int i = 0; i < 6; ++i)
                p.drawEllipse(QPointF(left + w * (0.2 + 0.12 * i), s.surface + 0.6 + (i % 2) * 0.5),
                              0.5, 0.42);
            break;
        }
        case Garnish::Bitters: {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(150, 30, 20));
            for (int i = 0; i < 3; ++i)
                p.drawEllipse(QPointF(left + w * (0.3 + 0.2 * i), s.surface + 0.8), 0.6, 0.45);
            break;
        }
        case Garnish::Butter:
            p.setPen(QPen(QColor(220, 190, 80), 0.3));
            p.setBrush(QColor(252, 232, 140));
            p.drawRoundedRect(QRectF(14, g.rimLeft.y() - 1.6, 4.5, 2.2), 0.5, 0.5);
            break;
        case Garnish::Flower: {
            const QPointF centre(16.5, s.surface - 0.2);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(250, 170, 200));
            for (int i = 0; i < 5; ++i) {
                const double a = i * 2 * std::numbers::pi / 5 - std::numbers::pi / 2;
                p.drawEllipse(centre + QPointF(std::cos(a) * 1.3, std::sin(a) * 1.0), 1.05, 0.9);
            }
            p.setBrush(QColor(246, 220, 90));
            p.drawEllipse(centre, 0.55, 0.55);
            break;
        }
        default:
            break;
    }
}

// A frosted band of salt or sugar around the top of the glass, with grains catching the light.
void RimEdge(QPainter& p, const Scene& s, QColor colour) {
    const GlassShape& g = s.glass;
    QPainterPath top;
    top.addRect(0, g.rimLeft.y() - 1.6, 32, 3.6);
    p.save();
    p.setClipPath(top);
    QColor frost = colour;
    frost.setAlpha(215);
    p.setPen(QPen(frost, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(g.walls);
    p.setPen(QPen(frost, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(g.rimLeft, g.rimRight);
    p.setPen(Qt::NoPen);
    p.setBrush(colour.darker(135));
    for (double t = 0.04; t < 1; t += 0.09) {
        const QPointF at = g.rimLeft + (g.rimRight - g.rimLeft) * t;
        p.drawEllipse(at + QPointF(0, (static_cast<int>(t * 100) % 2) * 0.5 - 0.2), 0.3, 0.3);
    }
    p.restore();
}

void Peel(QPainter& p, const GlassShape& g, const Fruit& fruit) {
    const QPointF l = g.rimLeft;
    QPainterPath curl(l + QPointF(2.6, 2.6));
    curl.cubicTo(l + QPointF(2.2, -0.6), l + QPointF(-0.4, -1.4), l + QPointF(-1.2, 0.8));
    curl.quadTo(l + QPointF(-1.6, 2.6), l + QPointF(-0.4, 3.6));
    p.setPen(QPen(fruit.rind, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curl);
}

void Pineapple(QPainter& p, QPointF at, int side) {
    p.save();
    p.translate(at);
    p.scale(side, 1);
    QPainterPath wedge;
    wedge.moveTo(-3.2, 1.2);
    wedge.lineTo(2.4, 1.2);
    wedge.lineTo(0.4, -3.4);
    wedge.closeSubpath();
    p.fillPath(wedge, QColor(250, 222, 80));
    p.setPen(QPen(QColor(170, 120, 40), 0.9));
    p.drawLine(QPointF(-3.2, 1.2), QPointF(2.4, 1.2));
    Leaf(p, QPointF(0.4, -3.2), 3.4, -70, QColor(60, 150, 50));
    Leaf(p, QPointF(0.4, -3.2), 3.0, -110, QColor(40, 120, 40));
    p.restore();
}

void Strawberry(QPainter& p, QPointF at) {
    QPainterPath berry(at + QPointF(0, 3));
    berry.cubicTo(at + QPointF(-3.4, 0.5), at + QPointF(-2, -2.2), at + QPointF(0, -1.6));
    berry.cubicTo(at + QPointF(2, -2.2), at + QPointF(3.4, 0.5), at + QPointF(0, 3));
    p.fillPath(berry, QColor(220, 30, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 220, 120));
    for (QPointF seed : {QPointF(-1, 0), QPointF(0.8, 0.3), QPointF(0, 1.6), QPointF(-0.2, -0.8)})
        p.drawEllipse(at + seed, 0.25, 0.25);
    Leaf(p, at + QPointF(0, -1.6), 1.8, -150, QColor(60, 150, 50));
    Leaf(p, at + QPointF(0, -1.6), 1.8, -30, QColor(60, 150, 50));
}

void Mint(QPainter& p, const GlassShape& g) {
    const QPointF at = Clamp(QPointF(16 - Width(g) * 0.15, g.rimLeft.y() - 0.5), 3);
    const QColor dark(40, 130, 50), light(80, 180, 70);
    Leaf(p, at, 3.4, -130, dark);
    Leaf(p, at, 3.6, -60, light);
    Leaf(p, at, 3.0, -95, dark.lighter(120));
    Leaf(p, at, 2.8, -170, light);
    Leaf(p, at, 2.8, -15, dark);
}

void Steam(QPainter& p, const GlassShape& g) {
    p.setPen(QPen(QColor(230, 230, 235, 150), 0.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const double top = std::max(0.8, g.rimLeft.y() - 8);
    for (double x : {13.0, 16.5, 20.0}) {
        QPainterPath wisp(QPointF(x, g.rimLeft.y() - 1));
        const double h = g.rimLeft.y() - 1 - top;
        wisp.cubicTo(QPointF(x - 1.5, g.rimLeft.y() - 1 - h / 3),
                     QPointF(x + 1.5, g.rimLeft.y() - 1 - 2 * h / 3), QPointF(x, top));
        p.drawPath(wisp);
    }
}

void Flame(QPainter& p, const GlassShape& g) {
    const QPointF l = g.rimLeft + QPointF(-1.2, -0.6), r = g.rimRight + QPointF(1.5, -1.6);
    Stick(p, l, r, 0.9, QColor(210, 215, 225));
    const QPointF centre = (l + r) / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 250, 240));
    p.drawRect(QRectF(centre.x() - 1.2, centre.y() - 2.1, 2.4, 2.0));
    QPainterPath flame(centre + QPointF(-1.8, -1.8));
    flame.cubicTo(centre + QPointF(-2, -5), centre + QPointF(0, -6), centre + QPointF(0.4, -8));
    flame.cubicTo(centre + QPointF(1.6, -6), centre + QPointF(2.4, -4),
                  centre + QPointF(1.8, -1.8));
    flame.closeSubpath();
    QLinearGradient fire(0, centre.y() - 8, 0, centre.y() - 1.8);
    fire.setColorAt(0, QColor(255, 200, 60, 230));
    fire.setColorAt(0.6, QColor(255, 120, 30, 220));
    fire.setColorAt(1, QColor(80, 120, 255, 230));
    p.fillPath(flame, fire);
}

void LemonCap(QPainter& p, const GlassShape& g) {
    const QRectF cap(g.rimLeft.x() - 1.2, g.rimLeft.y() - 1.8, Width(g) + 2.4, 3.0);
    p.setPen(Qt::NoPen);
    p.setBrush(kLemon.rind);
    p.drawEllipse(cap);
    p.setBrush(kLemon.flesh);
    p.drawEllipse(cap.adjusted(0.8, 0.5, -0.8, -0.5));
    QPainterPath heap(QPointF(12.6, g.rimLeft.y() - 0.4));
    heap.quadTo(QPointF(16, g.rimLeft.y() - 5.5), QPointF(19.4, g.rimLeft.y() - 0.4));
    heap.closeSubpath();
    p.fillPath(heap, QColor(255, 255, 250));
}

void OnRim(QPainter& p, const Scene& s, Garnish garnish, Rim& rim) {
    const GlassShape& g = s.glass;
    int side = 1;
    switch (garnish) {
        case Garnish::SaltRim:
            RimEdge(p, s, QColor(255, 255, 255));
            break;
        case Garnish::SugarRim:
            RimEdge(p, s, QColor(255, 244, 214));
            break;
        case Garnish::LemonSlice:
        case Garnish::LimeSlice:
        case Garnish::OrangeSlice:
        case Garnish::Cucumber: {
            const double r = SliceRadius(g);
            const Fruit& fruit = garnish == Garnish::LemonSlice  ? kLemon
                                 : garnish == Garnish::LimeSlice ? kLime
                                 : garnish == Garnish::Cucumber  ? kCucumber
                                                                 : kOrange;
            Wheel(p, rim.Next(r), r, fruit);
            break;
        }
        case Garnish::LemonWedge:
        case Garnish::LimeWedge: {
            const QPointF at = rim.Next(3.2, &side);
            Wedge(p, at, 3.2, side > 0 ? -35 : 35, garnish == Garnish::LimeWedge ? kLime : kLemon);
            break;
        }
        case Garnish::Pineapple: {
            const QPointF at = rim.Next(3.4, &side);
            Pineapple(p, at, side);
            break;
        }
        case Garnish::Strawberry:
            Strawberry(p, rim.Next(3));
            break;
        case Garnish::LemonPeel:
            Peel(p, g, kLemon);
            break;
        case Garnish::OrangePeel:
            Peel(p, g, kOrange);
            break;
        case Garnish::Cherry: {
            // Beside the fruit on the rim when there is any, whichever was listed first.
            const QPointF at = TakesRim(s.cocktail)
                                   ? Clamp(g.rimRight + QPointF(-Width(g) * 0.45, -1.6), 2.5)
                                   : Clamp(g.rimRight + QPointF(-1.6, -1.8), 2.5);
            Cherry(p, at, 2.0);
            break;
        }
        case Garnish::Mint:
            Mint(p, g);
            break;
        case Garnish::Umbrella: {
            const QPointF top = Clamp(QPointF(g.rimRight.x() - 2, g.rimLeft.y() - 5), 5.2);
            QPainterPath canopy(top + QPointF(-5, 1.6));
            canopy.quadTo(top + QPointF(-1, -3.2), top + QPointF(4.4, 0.2));
            canopy.closeSubpath();
            p.fillPath(canopy, QColor(246, 80, 150));
            p.setPen(QPen(QColor(255, 220, 235), 0.35));
            p.drawLine(top + QPointF(-1.4, -1.2), top + QPointF(-5, 1.6));
            p.drawLine(top + QPointF(-1.4, -1.2), top + QPointF(4.4, 0.2));
            p.drawLine(top + QPointF(-1.4, -1.2), top + QPointF(-0.4, 1.0));
            break;
        }
        case Garnish::Steam:
            Steam(p, g);
            break;
        case Garnish::Flame:
            Flame(p, g);
            break;
        case Garnish::LemonCap:
            LemonCap(p, g);
            break;
        case Garnish::LemonSpiral:
            Stick(p, g.rimRight + QPointF(-1.2, 1.0), g.rimRight + QPointF(1.4, -1.4), 1.2,
                  kLemon.rind);
            break;
        default:
            break;
    }
}

}  // namespace

void PaintGarnishes(QPainter& p, const Scene& scene, Stage stage) {
    Rim rim(scene.glass);
    for (Garnish garnish : scene.cocktail.garnishes) {
        p.save();
        switch (stage) {
            case Stage::Behind:
                Behind(p, scene, garnish);
                break;
            case Stage::InDrink:
                InDrink(p, scene, garnish);
                break;
            case Stage::OnSurface:
                OnSurface(p, scene, garnish);
                break;
            case Stage::OnRim:
                OnRim(p, scene, garnish, rim);
                break;
        }
        p.restore();
    }
}
