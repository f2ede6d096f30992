// The bundled cocktail table: one recipe of looks per cocktail, read from data/cocktails.tsv.
#pragma once

#include <QColor>
#include <QString>
#include <vector>

enum class Glass {
    Cocktail,
    Coupe,
    Wine,
    Flute,
    Sour,
    Liqueur,
    Snifter,
    Rocks,
    Highball,
    Collins,
    Shot,
    Mug,
    Pilsner,
    Hurricane,
    Irish,
    Copper,
    Julep,
    Cup
};

enum class Ice { None, Cubes, Crushed, Rock, Frozen };

enum class Garnish {
    Olive,
    Onion,
    Cherry,
    CherrySunk,
    LemonSlice,
    LimeSlice,
    OrangeSlice,
    LemonWedge,
    LimeWedge,
    LemonPeel,
    OrangePeel,
    LemonSpiral,
    LimeChunks,
    Fruit,
    Mint,
    SaltRim,
    SugarRim,
    Pineapple,
    Nutmeg,
    Cinnamon,
    Celery,
    Cucumber,
    Strawberry,
    Umbrella,
    Straw,
    Muddler,
    Bubbles,
    Foam,
    Steam,
    Flame,
    LemonCap,
    Butter,
    SugarCube,
    Bitters,
    Flower,
    ShotSunk
};

// One band of the drink, from the bottom up; `blend` softens its border with the next band.
struct Layer {
    QColor colour;
    double weight = 1;
    bool blend = false;
};

struct Cocktail {
    QString name;
    Glass glass = Glass::Cocktail;
    std::vector<Layer> layers;
    Ice ice = Ice::None;
    std::vector<Garnish> garnishes;
    int line = 0;

    bool Has(Garnish g) const;
};

// Reads the table's UTF-8 text; a malformed row raises an Exception naming `source` and its line.
std::vector<Cocktail> ParseCocktailTable(const QByteArray& utf8, const QString& source);
// Reads the table file; a missing file raises EInOutError.
std::vector<Cocktail> ReadCocktailTable(const QString& path);

// Why `name` cannot be a catalogue entry's name on every platform the game runs on, or empty.
QString CatalogueNameProblem(const QString& name);
