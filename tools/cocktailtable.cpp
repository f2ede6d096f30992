// Parsing of the cocktail table, and the rules a cocktail's name must keep as a file name.
#include "tools/cocktailtable.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <cerrno>
#include <utility>

#include "platform/cp932.h"
#include "platform/exception.h"

namespace {

template <typename T>
using Words = std::vector<std::pair<const char*, T>>;

const Words<Glass>& GlassWords() {
    static const Words<Glass> words = {
        {"cocktail", Glass::Cocktail}, {"coupe", Glass::Coupe},
        {"wine", Glass::Wine},         {"flute", Glass::Flute},
        {"sour", Glass::Sour},         {"liqueur", Glass::Liqueur},
        {"snifter", Glass::Snifter},   {"rocks", Glass::Rocks},
        {"highball", Glass::Highball}, {"collins", Glass::Collins},
        {"shot", Glass::Shot},         {"mug", Glass::Mug},
        {"pilsner", Glass::Pilsner},   {"hurricane", Glass::Hurricane},
        {"irish", Glass::Irish},       {"copper", Glass::Copper},
        {"julep", Glass::Julep},       {"cup", Glass::Cup},
    };
    return words;
}

const Words<Ice>& IceWords() {
    static const Words<Ice> words = {{"none", Ice::None},
                                     {"cubes", Ice::Cubes},
                                     {"crushed", Ice::Crushed},
                                     {"rock", Ice::Rock},
                                     {"frozen", Ice::Frozen}};
    return words;
}

const Words<Garnish>& GarnishWords() {
    static const Words<Garnish> words = {
        {"olive", Garnish::Olive},
        {"onion", Garnish::Onion},
        {"cherry", Garnish::Cherry},
        {"cherry_sunk", Garnish::CherrySunk},
        {"lemon_slice", Garnish::LemonSlice},
        {"lime_slice", Garnish::LimeSlice},
        {"orange_slice", Garnish::OrangeSlice},
        {"lemon_wedge", Garnish::LemonWedge},
        {"lime_wedge", Garnish::LimeWedge},
        {"lemon_peel", Garnish::LemonPeel},
        {"orange_peel", Garnish::OrangePeel},
        {"lemon_spiral", Garnish::LemonSpiral},
        {"lime_chunks", Garnish::LimeChunks},
        {"fruit", Garnish::Fruit},
        {"mint", Garnish::Mint},
        {"salt_rim", Garnish::SaltRim},
        {"sugar_rim", Garnish::SugarRim},
        {"pineapple", Garnish::Pineapple},
        {"nutmeg", Garnish::Nutmeg},
        {"cinnamon", Garnish::Cinnamon},
        {"celery", Garnish::Celery},
        {"cucumber", Garnish::Cucumber},
        {"strawberry", Garnish::Strawberry},
        {"umbrella", Garnish::Umbrella},
        {"straw", Garnish::Straw},
        {"muddler", Garnish::Muddler},
        {"bubbles", Garnish::Bubbles},
        {"foam", Garnish::Foam},
        {"steam", Garnish::Steam},
        {"flame", Garnish::Flame},
        {"lemon_cap", Garnish::LemonCap},
        {"butter", Garnish::Butter},
        {"sugar_cube", Garnish::SugarCube},
        {"bitters", Garnish::Bitters},
        {"flower", Garnish::Flower},
        {"shot_sunk", Garnish::ShotSunk},
    };
    return words;
}

class RowError {
  public:
    RowError(const QString& source, int line) : source_(source), line_(line) {}
    [[noreturn]] void Fail(const QString& what) const {
        throw Exception(ToCp932(QStringLiteral("%1:%2: %3").arg(source_).arg(line_).arg(what)));
    }

  private:
    QString source_;
    int line_;
};

template <typename T>
T Lookup(const Words<T>& words, const QString& word, const char* kind, const RowError& error) {
    for (const auto& [text, value] : words)
        if (word == QLatin1String(text)) return value;
    error.Fail(QStringLiteral("unknown %1 \"%2\"").arg(QLatin1String(kind), word));
}

// "#rrggbb" or "#rrggbbaa", the alpha last as style sheets write it.
QColor ParseColour(const QString& text, const RowError& error) {
    bool ok = text.startsWith(QLatin1Char('#')) && (text.size() == 7 || text.size() == 9);
    uint value = ok ? text.mid(1).toUInt(&ok, 16) : 0;
    if (!ok) error.Fail(QStringLiteral("bad colour \"%1\"").arg(text));
    if (text.size() == 7) return QColor::fromRgb(value >> 16, (value >> 8) & 0xFF, value & 0xFF);
    return QColor::fromRgb(value >> 24, (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

// "colour[*weight][~]", bands separated by commas, bottom first.
std::vector<Layer> ParseLayers(const QString& text, const RowError& error) {
    std::vector<Layer> layers;
    for (QString part : text.split(QLatin1Char(','))) {
        Layer layer;
        part = part.trimmed();
        if (part.endsWith(QLatin1Char('~'))) {
            layer.blend = true;
            part.chop(1);
        }
        const qsizetype star = part.indexOf(QLatin1Char('*'));
        if (star >= 0) {
            bool ok = false;
            layer.weight = part.mid(star + 1).toDouble(&ok);
            if (!ok || layer.weight <= 0)
                error.Fail(QStringLiteral("bad weight in \"%1\"").arg(part));
            part.truncate(star);
        }
        layer.colour = ParseColour(part, error);
        layers.push_back(layer);
    }
    if (layers.back().blend) error.Fail(QStringLiteral("the top layer has nothing to blend into"));
    return layers;
}

}  // namespace

bool Cocktail::Has(Garnish g) const {
    for (Garnish own : garnishes)
        if (own == g) return true;
    return false;
}

std::vector<Cocktail> ParseCocktailTable(const QByteArray& utf8, const QString& source) {
    std::vector<Cocktail> table;
    // Windows folders ignore case: two names that differ only in case would be one file there.
    QHash<QString, int> seen;
    const QStringList lines = QString::fromUtf8(utf8).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const RowError error(source, i + 1);
        const QStringList cells = line.split(QLatin1Char('\t'));
        if (cells.size() != 5)
            error.Fail(QStringLiteral("%1 columns, expected 5: name, glass, layers, ice, garnish")
                           .arg(cells.size()));
        Cocktail cocktail;
        cocktail.line = i + 1;
        cocktail.name = cells[0];
        if (QString problem = CatalogueNameProblem(cocktail.name); !problem.isEmpty())
            error.Fail(problem);
        cocktail.glass = Lookup(GlassWords(), cells[1].trimmed(), "glass", error);
        cocktail.layers = ParseLayers(cells[2], error);
        cocktail.ice = Lookup(IceWords(), cells[3].trimmed(), "ice", error);
        if (cells[4].trimmed() != QLatin1String("-"))
            for (const QString& word : cells[4].split(QLatin1Char(',')))
                cocktail.garnishes.push_back(
                    Lookup(GarnishWords(), word.trimmed(), "garnish", error));
        const QString key = cocktail.name.toCaseFolded();
        if (seen.contains(key))
            error.Fail(
                QStringLiteral("\"%1\" is already on line %2").arg(cocktail.name).arg(seen[key]));
        seen.insert(key, cocktail.line);
        table.push_back(std::move(cocktail));
    }
    return table;
}

std::vector<Cocktail> ReadCocktailTable(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw IoError("open", ToCp932(path), errno);
    return ParseCocktailTable(file.readAll(), path);
}

QString CatalogueNameProblem(const QString& name) {
    if (name.isEmpty()) return QStringLiteral("empty name");
    if (name != name.trimmed() || name.endsWith(QLatin1Char('.')))
        return QStringLiteral("\"%1\" begins or ends with a blank or ends with a dot").arg(name);
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("\\/:*?\"<>|").contains(c))
            return QStringLiteral("\"%1\" holds a character no file name may hold").arg(name);
    }
    static const QRegularExpression device(QStringLiteral("^(con|prn|aux|nul|com[1-9]|lpt[1-9])$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (device.match(name).hasMatch())
        return QStringLiteral("\"%1\" is a device name on Windows").arg(name);
    // The game shows "&" on its buttons as an accelerator mark, so a name must not hold one.
    if (name.contains(QLatin1Char('&'))) return QStringLiteral("\"%1\" holds \"&\"").arg(name);
    const std::string sjis = ToCp932(name);
    if (FromCp932(sjis) != name)
        return QStringLiteral("\"%1\" cannot be written in the system code page").arg(name);
    return {};
}
