// Drawing of the drawn elements, in twips (the painter carries the scale).
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <cstddef>

#include "elements.h"

class QPainter;

namespace tk {

// `client` is the screen's client area: a caption wraps within the part of
// its box that can be seen.
void drawElement(QPainter& p, const Element& e, const QRectF& client);
// A drawn stand-in for a missing picture: a framed panel with a short text.
void drawStandIn(QPainter& p, const QRectF& r, const QString& text);
// Folds what would be drawn of e into a running digest.
size_t digestElement(size_t seed, const Element& e);

// The font for a layout's font name and size, with `pixelsPerPoint` pixels
// (or twips) to a point. Layout names map onto fonts every desktop has.
QFont layoutFont(const QString& name, float points, bool bold, float unitsPerPoint);

}  // namespace tk
