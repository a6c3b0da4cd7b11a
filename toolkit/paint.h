// Drawing of the drawn elements, in twips (the painter carries the scale).
#pragma once

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <cstddef>
#include <map>
#include <tuple>

#include "elements.h"

class QPainter;

namespace tk {

// Pictures scaled once to the pixel size they are drawn at, so that drawing
// one is a plain copy instead of a smooth rescale at every frame; hatching
// drawn once into tiles.
class SpriteCache {
public:
    // `image` smoothly scaled to `size` pixels, premultiplied.
    const QImage& scaled(const QImage& image, const QSize& size);
    // A tile of a hatch style's lines, `step` device pixels apart.
    const QImage& hatchTile(qreal step, int style, const QColor& color);

private:
    // Sizes change only when the window is resized; past this many entries
    // the old ones are dropped.
    static constexpr size_t kMaxSprites = 64;
    std::map<std::tuple<qint64, int, int>, QImage> sprites_;
    std::map<std::tuple<qreal, int, QRgb>, QImage> tiles_;
};

// `client` is the screen's client area: a caption wraps within the part of
// its box that can be seen.
void drawElement(QPainter& p, const Element& e, const QRectF& client, SpriteCache& sprites);
// A drawn stand-in for a missing picture: a framed panel with a short text.
void drawStandIn(QPainter& p, const QRectF& r, const QString& text);
// The twips that drawing e may touch, pens and antialiasing included (a few
// twips more, never less); an empty rectangle for a hidden element.
QRectF drawnBounds(const Element& e);
// Folds what would be drawn of e into a running digest.
size_t digestElement(size_t seed, const Element& e);

// The font for a layout's font name and size, with `unitsPerPoint` pixels
// (or twips) to a point. Layout names map onto fonts every desktop has.
QFont layoutFont(const QString& name, float points, bool bold, float unitsPerPoint);

}  // namespace tk
