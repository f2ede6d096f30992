// The glasses the cocktail icons are drawn in, on a 32 × 32 grid (y grows downwards).
#pragma once

#include <QPainterPath>
#include <QPointF>

#include "tools/cocktailtable.h"

struct GlassShape {
    QPainterPath inside;  // where the drink can be
    QPainterPath walls;   // lines of the bowl, stroked in the glass's colour
    QPainterPath solid;   // stem, foot and thick base, filled in the glass's colour
    QPainterPath handle;  // stroked thickly
    double surface = 0;   // the drink's top when the glass is filled as it is served
    double bottom = 0;    // the lowest point of `inside`
    QPointF rimLeft, rimRight;
    // Metal and porcelain: the drink shows only at its surface, the body is painted instead.
    bool opaque = false;
};

GlassShape ShapeOf(Glass glass);
