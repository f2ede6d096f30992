// The garnishes and touches on and in a drink: fruit on the rim, picks, foam, bubbles, steam…
#pragma once

#include <QColor>
#include <QPainter>

#include "tools/cocktailtable.h"
#include "tools/glassshapes.h"

// Garnishes are painted in four passes, so that the drink and the glass cover what lies behind.
enum class Stage { Behind, InDrink, OnSurface, OnRim };

struct Scene {
    const GlassShape& glass;
    const Cocktail& cocktail;
    double surface;  // where the drink's top really is (frozen drinks rise above the rim)
    QColor top;      // the colour of the drink's top band
};

void PaintGarnishes(QPainter& p, const Scene& scene, Stage stage);
