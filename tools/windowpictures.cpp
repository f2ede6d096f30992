// Painters of the windows' pictures, drawn at their exact pixel sizes.
#include "tools/windowpictures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

#include "platform/fonts.h"
#include "tools/cocktailpainter.h"
#include "tools/dice.h"

namespace {

// A picture of w × h at `scale` device pixels per pixel; painters draw on it in its own w × h.
QImage Canvas(int w, int h, QColor fill, int scale) {
    QImage image(w * scale, h * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(fill);
    return image;
}

QRectF Area(const QImage& image) { return QRectF(QPointF(0, 0), image.deviceIndependentSize()); }

QColor Mix(QColor a, QColor b, double t) {
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

// Rows of bricks in running bond, each brick a little different, lit from above.
void BrickWall(QPainter& p, QRectF area, QColor brick, QColor mortar, double height, double width,
               unsigned seed) {
    p.fillRect(area, mortar);
    Dice dice(seed);
    int row = 0;
    for (double y = area.top(); y < area.bottom(); y += height, ++row) {
        for (double x = area.left() - (row % 2) * width / 2; x < area.right(); x += width) {
            const QRectF b(x + 0.5, y + 0.5, width - 1, height - 1);
            const QColor c = Mix(brick, brick.darker(170), dice.Between(0, 0.7));
            p.fillRect(b, c);
            p.fillRect(QRectF(b.left(), b.top(), b.width(), 1), c.lighter(130));
            p.fillRect(QRectF(b.left(), b.bottom() - 1, b.width(), 1), c.darker(140));
            for (int i = 0; i < 4; ++i)
                p.fillRect(QRectF(dice.Between(b.left(), b.right() - 1),
                                  dice.Between(b.top() + 1, b.bottom() - 2), 1, 1),
                           c.darker(dice.Between(110, 150)));
        }
    }
}

void Vignette(QPainter& p, QRectF area, QPointF light, double reach, int darkness) {
    QRadialGradient shade(light, reach);
    shade.setColorAt(0, QColor(0, 0, 0, 0));
    shade.setColorAt(0.55, QColor(0, 0, 0, darkness / 3));
    shade.setColorAt(1, QColor(0, 0, 0, darkness));
    p.fillRect(area, shade);
}

// Text drawn as a path with a soft halo, so that it reads on any background.
void GlowText(QPainter& p, const QPainterPath& text, QColor glow, int rings, double spread) {
    for (int i = rings; i > 0; --i) {
        QColor c = glow;
        c.setAlphaF(glow.alphaF() / (rings + 1));
        p.setPen(QPen(c, spread * i / rings * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(text);
    }
}

QPainterPath CentredText(const QString& text, const QFont& font, QPointF centre) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    path.translate(centre - box.center());
    return path;
}

}  // namespace

QImage NewGamePicture(int scale) {
    QImage image = Canvas(91, 51, Qt::black, scale);
    QPainter p(&image);
    BrickWall(p, Area(image), QColor(112, 44, 30), QColor(34, 30, 28), 8.5, 19, 5);
    p.setRenderHint(QPainter::Antialiasing);
    Vignette(p, Area(image), QPointF(45, 18), 62, 215);
    QFont font(QStringLiteral("P052"));
    font.setPixelSize(33);
    font.setBold(true);
    font.setItalic(true);
    const QPainterPath text = CentredText(QStringLiteral("New"), font, QPointF(45.5, 25));
    p.fillPath(text.translated(2, 2), QColor(0, 0, 0, 200));
    GlowText(p, text, QColor(255, 240, 220, 120), 3, 2.2);
    QLinearGradient white(0, 10, 0, 40);
    white.setColorAt(0, QColor(255, 255, 255));
    white.setColorAt(1, QColor(214, 218, 226));
    p.fillPath(text, white);
    return image;
}

QImage BarPicture(int scale) {
    QImage image = Canvas(93, 117, Qt::black, scale);
    QPainter p(&image);
    BrickWall(p, Area(image), QColor(70, 52, 46), QColor(22, 20, 20), 7, 15, 11);
    p.setRenderHint(QPainter::Antialiasing);
    // The doorway: a stone frame, the warm room behind it and the door swung inwards.
    const QRectF frame(27, 46, 39, 64);
    QPainterPath arch;
    arch.moveTo(frame.bottomLeft());
    arch.lineTo(frame.left(), frame.top() + 10);
    arch.quadTo(frame.center().x(), frame.top() - 8, frame.right(), frame.top() + 10);
    arch.lineTo(frame.bottomRight());
    arch.closeSubpath();
    p.fillPath(arch, QColor(120, 108, 96));
    const QPainterPath opening =
        QTransform::fromTranslate(-frame.center().x(), -frame.bottom()).map(arch) *
        QTransform::fromScale(0.82, 0.9) *
        QTransform::fromTranslate(frame.center().x(), frame.bottom());
    QLinearGradient room(0, frame.top(), 0, frame.bottom());
    room.setColorAt(0, QColor(255, 214, 120));
    room.setColorAt(0.6, QColor(250, 170, 70));
    room.setColorAt(1, QColor(200, 110, 40));
    p.fillPath(opening, room);
    // A silhouette of the counter and a lamp inside.
    p.fillRect(QRectF(33, 90, 27, 4), QColor(90, 40, 20));
    p.fillRect(QRectF(35, 94, 3, 16), QColor(110, 55, 25, 200));
    p.fillRect(QRectF(55, 94, 3, 16), QColor(110, 55, 25, 200));
    QRadialGradient bulb(QPointF(46.5, 60), 10);
    bulb.setColorAt(0, QColor(255, 255, 230));
    bulb.setColorAt(1, QColor(255, 230, 150, 0));
    p.fillRect(QRectF(36, 50, 21, 20), bulb);
    QPainterPath door;
    door.moveTo(frame.left() + 3.5, frame.bottom());
    door.lineTo(frame.left() + 3.5, frame.top() + 12);
    door.lineTo(frame.left() + 13, frame.top() + 16);
    door.lineTo(frame.left() + 13, frame.bottom() + 2);
    door.closeSubpath();
    QLinearGradient wood(frame.left() + 3, 0, frame.left() + 13, 0);
    wood.setColorAt(0, QColor(40, 20, 12));
    wood.setColorAt(1, QColor(96, 50, 26));
    p.fillPath(door, wood);
    p.fillRect(QRectF(frame.left() + 10.5, frame.top() + 40, 1.4, 3), QColor(230, 190, 90));
    // Light falling out onto the pavement.
    QPainterPath spill;
    spill.moveTo(frame.left() + 5, frame.bottom());
    spill.lineTo(frame.right() - 5, frame.bottom());
    spill.lineTo(frame.right() + 14, 117);
    spill.lineTo(frame.left() - 14, 117);
    spill.closeSubpath();
    QLinearGradient floor(0, frame.bottom(), 0, 117);
    floor.setColorAt(0, QColor(255, 190, 90, 170));
    floor.setColorAt(1, QColor(255, 160, 60, 40));
    p.fillRect(QRectF(0, frame.bottom(), 93, 117 - frame.bottom()), QColor(30, 26, 24));
    p.fillPath(spill, floor);
    Vignette(p, Area(image), QPointF(46, 75), 80, 200);
    // The sign: a dark board over the door with the name in neon.
    const QRectF board(13, 9, 67, 26);
    p.setPen(QPen(QColor(150, 110, 60), 1.5));
    p.setBrush(QColor(26, 14, 10));
    p.drawRoundedRect(board, 3, 3);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawLine(QPointF(30, 35), QPointF(30, 41));
    p.drawLine(QPointF(63, 35), QPointF(63, 41));
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(21);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    const QPainterPath bar = CentredText(QStringLiteral("BAR"), font, board.center());
    GlowText(p, bar, QColor(255, 90, 40, 230), 5, 3.5);
    p.fillPath(bar, QColor(255, 120, 70));
    p.setPen(QPen(QColor(255, 236, 200), 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bar);
    // A lantern beside the door.
    QRadialGradient lamp(QPointF(18, 58), 12);
    lamp.setColorAt(0, QColor(255, 220, 140, 200));
    lamp.setColorAt(1, QColor(255, 200, 100, 0));
    p.fillRect(QRectF(4, 44, 28, 28), lamp);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 236, 170));
    p.drawRoundedRect(QRectF(16, 54, 4, 7), 1, 1);
    p.fillRect(QRectF(15.5, 53, 5, 1.2), QColor(40, 40, 40));
    p.fillRect(QRectF(15.5, 61, 5, 1.2), QColor(40, 40, 40));
    return image;
}

namespace {

// The helper of the lifelines: a bartender in a white shirt, bow tie and waistcoat.
void Bartender(QPainter& p) {
    QPainterPath body;
    body.moveTo(2.5, 30);
    body.cubicTo(2.5, 20, 5, 17.5, 9.5, 17.5);
    body.cubicTo(14, 17.5, 16.5, 20, 16.5, 30);
    body.closeSubpath();
    p.fillPath(body, QColor(245, 245, 250));
    QPainterPath vest;
    vest.moveTo(3, 30);
    vest.cubicTo(3, 22, 4.5, 19, 7, 18.3);
    vest.lineTo(9.5, 25);
    vest.lineTo(12, 18.3);
    vest.cubicTo(14.5, 19, 16, 22, 16, 30);
    vest.closeSubpath();
    p.fillPath(vest, QColor(70, 80, 120));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 30, 40));
    p.drawPolygon(QPolygonF({QPointF(6.8, 17.6), QPointF(9.5, 18.8), QPointF(6.8, 20)}));
    p.drawPolygon(QPolygonF({QPointF(12.2, 17.6), QPointF(9.5, 18.8), QPointF(12.2, 20)}));
    p.setBrush(QColor(250, 214, 180));
    p.drawEllipse(QPointF(9.5, 11.5), 4.2, 4.6);
    p.setBrush(QColor(70, 40, 24));
    p.drawChord(QRectF(5.1, 6.6, 8.8, 7.6), 0, 180 * 16);
    p.setBrush(QColor(40, 30, 30));
    p.drawEllipse(QPointF(8, 12), 0.55, 0.7);
    p.drawEllipse(QPointF(11, 12), 0.55, 0.7);
    p.setPen(QPen(QColor(200, 90, 80), 0.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(8, 12.6, 3, 1.8), 200 * 16, 140 * 16);
}

QPainterPath Sheet(QRectF r) {
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - 3, r.top());
    sheet.lineTo(r.right(), r.top() + 3);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    return sheet;
}

void Paper(QPainter& p, QRectF r, double degrees) {
    p.save();
    p.translate(r.center());
    p.rotate(degrees);
    p.translate(-r.center());
    const QPainterPath sheet = Sheet(r);
    p.fillPath(sheet.translated(0.8, 0.8), QColor(0, 0, 0, 120));
    p.fillPath(sheet, QColor(250, 250, 245));
    p.setPen(QPen(QColor(140, 140, 155), 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(sheet);
    p.setPen(QPen(QColor(170, 170, 180), 0.5));
    p.setBrush(QColor(220, 220, 225));
    p.drawPolygon(QPolygonF({QPointF(r.right() - 3, r.top()), QPointF(r.right() - 3, r.top() + 3),
                             QPointF(r.right(), r.top() + 3)}));
    p.restore();
}

QImage LifelineIcon(bool written, int scale) {
    QImage image = Canvas(32, 32, Qt::transparent, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF page(17, 6, 12, 16);
    if (!written) {
        Paper(p, page.translated(-1.5, 1.5), -12);
        Paper(p, page.translated(2, 6.5), 9);
    } else {
        Paper(p, page.translated(0, 4), 4);
        p.save();
        p.translate(page.translated(0, 4).center());
        p.rotate(4);
        p.translate(-page.translated(0, 4).center());
        p.setPen(QPen(QColor(60, 70, 110), 0.8));
        for (double y = page.top() + 7.5; y < page.bottom() + 1; y += 2.6)
            p.drawLine(QPointF(page.left() + 2, y), QPointF(page.right() - (y > 20 ? 5 : 2), y));
        p.setPen(QPen(QColor(230, 30, 40), 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(page.left() + 7.5, page.bottom() + 0.8), 3.2, 3.2);
        p.restore();
    }
    Bartender(p);
    return image;
}

}  // namespace

QImage BlankSheetsIcon(int scale) { return LifelineIcon(false, scale); }
QImage WrittenSheetIcon(int scale) { return LifelineIcon(true, scale); }

QImage SettingPicture(int scale) {
    QImage image = Canvas(64, 41, Qt::black, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The hourglass: wooden caps and posts, two glass bulbs, sand running down.
    const QColor wood(150, 90, 40), woodDark(90, 50, 20);
    p.fillRect(QRectF(4, 3, 22, 3), wood);
    p.fillRect(QRectF(4, 35, 22, 3), wood);
    p.fillRect(QRectF(5, 6, 2, 29), woodDark);
    p.fillRect(QRectF(23, 6, 2, 29), woodDark);
    QPainterPath glass;
    glass.moveTo(8.5, 6);
    glass.cubicTo(8.5, 15, 14, 17, 14.2, 20.5);
    glass.cubicTo(14, 24, 8.5, 26, 8.5, 35);
    glass.lineTo(21.5, 35);
    glass.cubicTo(21.5, 26, 16, 24, 15.8, 20.5);
    glass.cubicTo(16, 17, 21.5, 15, 21.5, 6);
    glass.closeSubpath();
    p.fillPath(glass, QColor(170, 200, 230, 60));
    QPainterPath lowerSand;
    lowerSand.moveTo(8.8, 35);
    lowerSand.quadTo(15, 26, 21.2, 35);
    lowerSand.closeSubpath();
    const QColor sand(240, 196, 90);
    p.fillPath(lowerSand.intersected(glass), sand);
    QPainterPath upper;
    upper.addRect(0, 12.5, 32, 9);
    p.fillPath(glass.intersected(upper), sand.darker(110));
    p.setPen(QPen(sand, 0.8));
    p.drawLine(QPointF(15, 20.5), QPointF(15, 30));
    p.setPen(QPen(QColor(210, 230, 250, 220), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glass);
    // The glass beside it, the bundled catalogue's own painter at work.
    Cocktail drink;
    drink.glass = Glass::Cocktail;
    drink.layers = {Layer{QColor(40, 150, 230)}};
    drink.garnishes = {Garnish::Cherry, Garnish::LemonSlice};
    p.drawImage(QRectF(28, 2, 36, 36), PaintCocktail(drink, 72 * scale));
    p.end();
    // The decoration is a 256-colour bitmap; reduce it the same way.
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}

QImage TitlePicture(int scale) {
    QImage image = Canvas(145, 26, Qt::black, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont latin(QStringLiteral("P052"));
    latin.setItalic(true);
    latin.setBold(true);
    QFont japanese = JapaneseFont(QStringLiteral("Noto Serif CJK JP"), 18, true);
    // The largest size at which the whole name fits with a margin.
    QPainterPath text;
    for (int px = 22; px > 8; --px) {
        latin.setPixelSize(px + 1);
        japanese.setPixelSize(px);
        text = QPainterPath();
        text.addText(0, 0, latin, QStringLiteral("The"));
        const double gap = QFontMetricsF(latin).horizontalAdvance(QStringLiteral("The"));
        text.addText(gap, 0, japanese, QString::fromUtf8("・バーテンダム"));
        if (text.boundingRect().width() <= 137 && text.boundingRect().height() <= 21) break;
    }
    text.translate(QPointF(72.5, 12.5) - text.boundingRect().center());
    GlowText(p, text, QColor(255, 180, 60, 150), 3, 1.6);
    QLinearGradient gold(0, 3, 0, 22);
    gold.setColorAt(0, QColor(255, 246, 200));
    gold.setColorAt(0.5, QColor(246, 200, 90));
    gold.setColorAt(1, QColor(190, 120, 40));
    p.fillPath(text, gold);
    p.setPen(QPen(QColor(200, 140, 50), 0.6));
    p.drawLine(QPointF(6, 24.2), QPointF(139, 24.2));
    return image;
}

QImage AppIcon(int size) {
    QImage image = Canvas(size, size, Qt::transparent, 1);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 32.0;
    QLinearGradient tile(0, 0, 0, size);
    tile.setColorAt(0, QColor(60, 30, 70));
    tile.setColorAt(1, QColor(10, 6, 16));
    p.setPen(QPen(QColor(200, 160, 90), s));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(0.5 * s, 0.5 * s, size - s, size - s), 6 * s, 6 * s);
    Cocktail drink;
    drink.glass = Glass::Cocktail;
    drink.layers = {Layer{QColor(232, 60, 100)}};
    drink.garnishes = {Garnish::Cherry, Garnish::LimeSlice};
    const int inner = size * 7 / 8;
    p.drawImage(QPointF((size - inner) / 2.0, (size - inner) / 2.0 - s * 0.5),
                PaintCocktail(drink, inner));
    return image;
}
