// The drink, its ice and its glass; garnishes are left to their own painters.
#include "tools/cocktailpainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "tools/dice.h"
#include "tools/garnishes.h"
#include "tools/glassshapes.h"

namespace {

const QColor kGlassLine(200, 222, 240, 235);
const QColor kGlassTint(190, 215, 235, 34);

double Surface(const GlassShape& g, const Cocktail& c) {
    return c.ice == Ice::Frozen ? g.rimLeft.y() : g.surface;
}

// The bands as gradient stops, bottom (stop 0) to top (stop 1).
QLinearGradient Bands(const std::vector<Layer>& layers, double surface, double bottom) {
    QLinearGradient gradient(0, bottom, 0, surface);
    double total = 0;
    for (const Layer& layer : layers) total += layer.weight;
    double at = 0;
    for (size_t i = 0; i < layers.size(); ++i) {
        const double size = layers[i].weight / total;
        const bool softBelow = i > 0 && layers[i - 1].blend;
        const bool softAbove = layers[i].blend;
        gradient.setColorAt(std::min(1.0, at + (softBelow ? size * 0.45 : 0.001)),
                            layers[i].colour);
        gradient.setColorAt(std::max(0.0, at + size - (softAbove ? size * 0.45 : 0.001)),
                            layers[i].colour);
        at += size;
    }
    return gradient;
}

void PaintDrink(QPainter& p, const GlassShape& g, const Cocktail& c) {
    const double surface = Surface(g, c);
    QPainterPath below;
    below.addRect(0, surface, 32, 32 - surface);
    const QPainterPath drink = g.inside.intersected(below);
    p.fillPath(drink, Bands(c.layers, surface, g.bottom));
    // Light from the left: a sheen on the near side, shade on the far one.
    const QRectF box = drink.boundingRect();
    QLinearGradient shade(box.left(), 0, box.right(), 0);
    shade.setColorAt(0, QColor(255, 255, 255, 70));
    shade.setColorAt(0.3, QColor(255, 255, 255, 0));
    shade.setColorAt(0.7, QColor(0, 0, 0, 0));
    shade.setColorAt(1, QColor(0, 0, 0, 80));
    p.fillPath(drink, shade);
    // The surface catches the light.
    p.save();
    p.setClipPath(g.inside);
    p.setPen(QPen(c.layers.back().colour.lighter(150), 0.7));
    p.drawLine(QPointF(box.left(), surface + 0.35), QPointF(box.right(), surface + 0.35));
    p.restore();
}

void PaintCube(QPainter& p, QPointF centre, double size, double degrees) {
    p.save();
    p.translate(centre);
    p.rotate(degrees);
    const QRectF cube(-size / 2, -size / 2, size, size);
    p.setPen(QPen(QColor(255, 255, 255, 150), 0.45));
    p.setBrush(QColor(230, 242, 255, 45));
    p.drawRoundedRect(cube, size * 0.15, size * 0.15);
    p.setPen(QPen(QColor(255, 255, 255, 200), 0.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-size * 0.3, -size * 0.25), QPointF(-size * 0.3, size * 0.1));
    p.restore();
}

void PaintCubes(QPainter& p, const GlassShape& g, const Cocktail& c) {
    const QRectF box = g.inside.boundingRect();
    const double width = g.rimRight.x() - g.rimLeft.x();
    const double size = std::clamp(width * 0.3, 4.2, 6.0);
    const double top = Surface(g, c) - size * 0.3;
    Dice dice(static_cast<unsigned>(c.glass) + 7);
    int row = 0;
    for (double y = top + size / 2; y + size * 0.3 < g.bottom; y += size * 1.3, ++row) {
        for (double x = box.left() + size * 0.65 + (row % 2) * size * 0.6; x < box.right();
             x += size * 1.35) {
            const QPointF centre(x + dice.Between(-0.4, 0.4), y + dice.Between(-0.4, 0.4));
            if (g.inside.contains(centre)) PaintCube(p, centre, size, dice.Between(-20, 20));
        }
    }
}

void PaintCrushed(QPainter& p, const GlassShape& g, const Cocktail& c) {
    const QRectF box = g.inside.boundingRect();
    const double surface = Surface(g, c);
    Dice dice(static_cast<unsigned>(c.glass) + 31);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const QPointF at(dice.Between(box.left(), box.right()),
                         dice.Between(surface - 1.2, g.bottom));
        if (!g.inside.contains(at)) continue;
        const double size = dice.Between(0.9, 1.8);
        p.setBrush(QColor(240, 248, 255, static_cast<int>(dice.Between(110, 210))));
        p.drawEllipse(at, size * 0.6, size * 0.5);
    }
}

void PaintRock(QPainter& p, const GlassShape& g, const Cocktail& c) {
    const double width = g.rimRight.x() - g.rimLeft.x();
    const double size = std::min(width * 0.5, 10.5);
    const QPointF centre(16, (Surface(g, c) + g.bottom) / 2 + 0.5);
    PaintCube(p, centre, size, 8);
}

// A frozen drink heaps up above the rim as a dome of slush.
void PaintSlush(QPainter& p, const GlassShape& g, const Cocktail& c) {
    const double width = g.rimRight.x() - g.rimLeft.x();
    const double height = std::min(width * 0.32, 5.0);
    QPainterPath dome;
    dome.moveTo(g.rimLeft);
    dome.cubicTo(g.rimLeft + QPointF(width * 0.05, -height * 1.3),
                 g.rimRight + QPointF(-width * 0.05, -height * 1.3), g.rimRight);
    dome.closeSubpath();
    const QColor colour = c.layers.back().colour;
    QLinearGradient fill(0, g.rimLeft.y() - height, 0, g.rimLeft.y());
    fill.setColorAt(0, colour.lighter(140));
    fill.setColorAt(1, colour);
    p.fillPath(dome, fill);
    QPainterPath all = dome.united(g.inside);
    Dice dice(static_cast<unsigned>(c.glass) + 57);
    const QRectF box = all.boundingRect();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 90; ++i) {
        const QPointF at(dice.Between(box.left(), box.right()),
                         dice.Between(box.top(), box.bottom()));
        if (!all.contains(at)) continue;
        p.setBrush(QColor(255, 255, 255, static_cast<int>(dice.Between(60, 170))));
        p.drawEllipse(at, 0.5, 0.5);
    }
}

void PaintIce(QPainter& p, const GlassShape& g, const Cocktail& c) {
    p.save();
    p.setClipPath(g.inside);
    switch (c.ice) {
        case Ice::None:
            break;
        case Ice::Cubes:
            PaintCubes(p, g, c);
            break;
        case Ice::Crushed:
            PaintCrushed(p, g, c);
            break;
        case Ice::Rock:
            PaintRock(p, g, c);
            break;
        case Ice::Frozen:
            break;
    }
    p.restore();
    if (c.ice == Ice::Frozen) PaintSlush(p, g, c);
}

void PaintGlass(QPainter& p, const GlassShape& g) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGlassLine, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(g.walls);
    p.setPen(QPen(kGlassLine, 1.7, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(g.handle);
    QLinearGradient solid(0, 18, 0, 30);
    solid.setColorAt(0, QColor(215, 232, 245, 200));
    solid.setColorAt(1, QColor(160, 185, 205, 220));
    p.fillPath(g.solid, solid);
    // A highlight down the near wall reads as glass even over a dark drink.
    QPainterPath near;
    near.moveTo(g.rimLeft + QPointF(1.6, 1.8));
    const QRectF box = g.inside.boundingRect();
    near.lineTo(QPointF(box.left() + box.width() * 0.14 + 1.0, g.bottom - box.height() * 0.25));
    p.save();
    p.setClipPath(g.inside);
    p.setPen(QPen(QColor(255, 255, 255, 120), 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(near);
    p.restore();
}

// Copper, silver and porcelain hide the drink; only its top shows inside the rim.
void PaintOpaque(QPainter& p, const GlassShape& g, const Cocktail& c) {
    QLinearGradient metal(g.rimLeft.x(), 0, g.rimRight.x(), 0);
    switch (c.glass) {
        case Glass::Copper:
            metal.setColorAt(0, QColor(150, 70, 30));
            metal.setColorAt(0.25, QColor(250, 170, 110));
            metal.setColorAt(0.55, QColor(200, 100, 50));
            metal.setColorAt(1, QColor(110, 45, 20));
            break;
        case Glass::Julep:
            metal.setColorAt(0, QColor(150, 160, 170));
            metal.setColorAt(0.3, QColor(245, 248, 252));
            metal.setColorAt(0.6, QColor(190, 200, 210));
            metal.setColorAt(1, QColor(110, 120, 130));
            break;
        default:
            metal.setColorAt(0, QColor(200, 200, 205));
            metal.setColorAt(0.35, QColor(255, 255, 255));
            metal.setColorAt(1, QColor(165, 165, 172));
            break;
    }
    p.setPen(QPen(metal, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(g.handle);
    p.fillPath(g.solid, metal);
    p.fillPath(g.inside, metal);
    if (c.glass == Glass::Julep) {
        Dice dice(99);
        p.setPen(Qt::NoPen);
        const QRectF box = g.inside.boundingRect();
        for (int i = 0; i < 60; ++i) {
            const QPointF at(dice.Between(box.left(), box.right()),
                             dice.Between(box.top() + 1, box.bottom()));
            if (!g.inside.contains(at)) continue;
            p.setBrush(QColor(255, 255, 255, static_cast<int>(dice.Between(80, 200))));
            p.drawEllipse(at, 0.45, 0.45);
        }
    }
    const double width = g.rimRight.x() - g.rimLeft.x();
    const QRectF mouth(g.rimLeft.x() + 0.5, g.rimLeft.y() - 1.3, width - 1, 2.8);
    p.setPen(QPen(metal, 0.8));
    p.setBrush(c.layers.back().colour);
    p.drawEllipse(mouth);
    if (c.ice == Ice::Cubes || c.ice == Ice::Crushed) {
        p.save();
        QPainterPath mouthPath;
        mouthPath.addEllipse(mouth.adjusted(0, -3, 0, 0));
        p.setClipPath(mouthPath);
        for (double x = mouth.left() + 3; x < mouth.right() - 1; x += 5)
            PaintCube(p, QPointF(x, mouth.center().y() - 0.6), 3.6, x * 7);
        p.restore();
    }
}

}  // namespace

QImage PaintCocktail(const Cocktail& cocktail, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    const GlassShape glass = ShapeOf(cocktail.glass);
    const Scene scene{glass, cocktail, Surface(glass, cocktail), cocktail.layers.back().colour};
    PaintGarnishes(p, scene, Stage::Behind);
    if (glass.opaque) {
        PaintOpaque(p, glass, cocktail);
    } else {
        p.fillPath(glass.inside, kGlassTint);
        PaintDrink(p, glass, cocktail);
        PaintIce(p, glass, cocktail);
        PaintGarnishes(p, scene, Stage::InDrink);
    }
    PaintGarnishes(p, scene, Stage::OnSurface);
    if (!glass.opaque) PaintGlass(p, glass);
    PaintGarnishes(p, scene, Stage::OnRim);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}
