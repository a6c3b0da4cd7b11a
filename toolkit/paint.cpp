#include "paint.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "scene.h"

namespace tk {

namespace {

// Hatch line spacing: 8 pixels at scale 1.
constexpr float kHatchStep = 8 * kTwipsPerPixel;

// Whatever an element claims, a frame costs what the window shows: every
// element is clipped to the client area (or, where its outline matters, to
// the client area with a margin as large as the area itself) before any loop
// over its extent and before any conversion to pixels.
qreal margin(const QRectF& client) {
    return client.width() + client.height();
}
QRectF reach(const QRectF& client) {
    const qreal m = margin(client);
    return client.adjusted(-m, -m, m, m);
}
// Pen widths, twips, are cut to the margin: a wider pen covers the window
// the same.
qreal penWidth(int pixels, const QRectF& client) {
    return std::min<qreal>(pixels * qreal(kTwipsPerPixel), margin(client));
}
// Whether some of r, grown by `grow` on every side, is in `client`; false
// for a rectangle that is not made of numbers.
bool shows(const QRectF& r, const QRectF& client, qreal grow = 0) {
    if (!std::isfinite(r.left() + r.top() + r.width() + r.height())) return false;
    const QRectF n = r.normalized().adjusted(-grow, -grow, grow, grow);
    return n.right() >= client.left() && n.left() <= client.right() && n.bottom() >= client.top() &&
           n.top() <= client.bottom();
}

// r with each edge moved into `area` (edges only, so that a rectangle of no
// width keeps its place).
QRectF clamped(const QRectF& r, const QRectF& area) {
    const QRectF n = r.normalized();
    return QRectF(QPointF(std::clamp(n.left(), area.left(), area.right()),
                          std::clamp(n.top(), area.top(), area.bottom())),
                  QPointF(std::clamp(n.right(), area.left(), area.right()),
                          std::clamp(n.bottom(), area.top(), area.bottom())));
}

QPainterPath outline(const Shape& s, const QRectF& client) {
    QRectF r = QRectF(s.Left, s.Top, s.Width, s.Height).normalized();
    const int k = s.ShapeKind;
    if (k == Square || k == Circle || k == RoundedSquare) {
        const qreal side = std::min(r.width(), r.height());
        r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    }
    // Corners keep the radius of the whole shape; cut off at the margin, they
    // lie outside the window unless the radius is larger than the margin.
    const qreal rad = std::min(std::min(r.width(), r.height()) / 6.0, margin(client));
    r = clamped(r, reach(client));
    QPainterPath path;
    switch (k) {
        case Oval:
        case Circle:
            path.addEllipse(r);
            break;
        case RoundedRectangle:
        case RoundedSquare:
            path.addRoundedRect(r, rad, rad);
            break;
        default:
            path.addRect(r);
            break;
    }
    return path;
}

// Lines `step` device pixels apart in a tile of a whole number of pixels that
// holds a whole number of steps, to within a fiftieth of a pixel (the lines
// are spread by that much to join the next tile). They are drawn across three
// tiles and the middle one kept, so that each pixel is covered as by one long
// line.
QImage makeHatchTile(qreal step, int style, const QColor& color) {
    int count = 1;
    for (int k = 1; k <= 32; ++k) {
        const auto miss = [&](int c) { return std::fabs(c * step - std::round(c * step)); };
        if (miss(k) < miss(count)) count = k;
        if (miss(count) < 0.02) break;
    }
    const int n = static_cast<int>(std::round(count * step));
    QImage area(3 * n, 3 * n, QImage::Format_ARGB32_Premultiplied);
    area.fill(Qt::transparent);
    QPainter t(&area);
    t.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(color);
    pen.setCosmetic(true);
    pen.setWidthF(1.0);
    t.setPen(pen);
    const qreal w = 3 * n;
    for (int k = -3 * count; k <= 6 * count; ++k) {
        const qreal a = k * qreal(n) / count;
        if (style == FillHorizontal || style == FillCross) t.drawLine(QLineF(0, a, w, a));
        if (style == FillVertical || style == FillCross) t.drawLine(QLineF(a, 0, a, w));
        if (style == FillDownwardDiagonal || style == FillDiagonalCross)
            t.drawLine(QLineF(a - w, -w, a + w, w));
        if (style == FillUpwardDiagonal || style == FillDiagonalCross)
            t.drawLine(QLineF(a + w, -w, a - w, w));
    }
    t.end();
    return area.copy(n, n, n, n);
}

void hatch(QPainter& p, const QPainterPath& path, int style, const QColor& color,
           const QRectF& client, SpriteCache& sprites) {
    const QRectF b = path.boundingRect().intersected(client);
    if (b.isEmpty()) return;
    // The lines are aligned to the twip grid so that hatching does not crawl
    // when a shape moves. Where the grid's origin falls on a whole device
    // pixel (always, in a screen's window), the shape is filled from a tile
    // of the lines: the same picture at a fraction of the cost.
    const QTransform t = p.deviceTransform();
    const qreal step = kHatchStep * t.m11();
    const QPointF o = t.map(QPointF(0, 0));
    if (t.type() <= QTransform::TxScale && t.m11() == t.m22() && step >= 2 &&
        o.x() == std::round(o.x()) && o.y() == std::round(o.y())) {
        const qreal dpr = p.device()->devicePixelRatio();
        const QTransform toWindow = QTransform::fromScale(1 / dpr, 1 / dpr);
        QBrush brush(sprites.hatchTile(step, style, color));
        brush.setTransform(QTransform::fromTranslate(o.x(), o.y()) * toWindow);
        p.save();
        p.setWorldTransform(QTransform());
        p.fillPath((t * toWindow).map(path), brush);
        p.restore();
        return;
    }
    p.save();
    p.setClipPath(path, Qt::IntersectClip);
    QPen pen(color);
    pen.setCosmetic(true);
    pen.setWidthF(1.0);
    p.setPen(pen);
    const bool horiz = style == FillHorizontal || style == FillCross;
    const bool vert = style == FillVertical || style == FillCross;
    const bool down = style == FillDownwardDiagonal || style == FillDiagonalCross;
    const bool up = style == FillUpwardDiagonal || style == FillDiagonalCross;
    auto from = [](qreal v) { return std::floor(v / kHatchStep) * kHatchStep; };
    std::vector<QLineF> lines;
    if (horiz)
        for (qreal y = from(b.top()); y <= b.bottom(); y += kHatchStep)
            lines.emplace_back(b.left(), y, b.right(), y);
    if (vert)
        for (qreal x = from(b.left()); x <= b.right(); x += kHatchStep)
            lines.emplace_back(x, b.top(), x, b.bottom());
    if (down)  // top-left to bottom-right: x - y constant
        for (qreal c = from(b.left() - b.bottom()); c <= b.right() - b.top(); c += kHatchStep)
            lines.emplace_back(c + b.top(), b.top(), c + b.bottom(), b.bottom());
    if (up)  // bottom-left to top-right: x + y constant
        for (qreal c = from(b.left() + b.top()); c <= b.right() + b.bottom(); c += kHatchStep)
            lines.emplace_back(c - b.top(), b.top(), c - b.bottom(), b.bottom());
    p.drawLines(lines.data(), static_cast<int>(lines.size()));
    p.restore();
}

void drawShape(QPainter& p, const Shape& s, const QRectF& client, SpriteCache& sprites) {
    const qreal border =
        s.BorderStyle != 0 && s.BorderWidth > 0 ? penWidth(s.BorderWidth, client) : 0;
    if (!shows(QRectF(s.Left, s.Top, s.Width, s.Height), client, border / 2)) return;
    const QPainterPath path = outline(s, client);
    if (s.BackStyle == Opaque) p.fillPath(path, s.BackColor);
    if (s.FillStyle == FillSolid) {
        p.fillPath(path, s.FillColor);
    } else if (s.FillStyle != FillTransparent) {
        hatch(p, path, s.FillStyle, s.FillColor, client, sprites);
    }
    if (border > 0) {
        QPen pen(s.BorderColor);
        pen.setWidthF(border);
        pen.setJoinStyle(Qt::MiterJoin);
        p.strokePath(path, pen);
    }
}

// The layouts were made for a narrower face than the ones every desktop has:
// a caption that would not fit its box is drawn up to 15% smaller instead of
// being cut. Each label remembers its size, so a caption is measured once.
float fittedSize(const Label& l, const QRectF& r, const QString& text, int align) {
    const size_t key = qHashMulti(1, text, l.FontName, l.FontSize, l.FontBold, r.width(), l.Height);
    if (key == l.fittedFor) return l.fittedSize;
    float size = l.FontSize;
    for (float k : {1.0f, 0.95f, 0.9f, 0.85f}) {
        size = l.FontSize * k;
        const QFontMetricsF fm(layoutFont(l.FontName, size, l.FontBold, 20.0f));
        const QRectF need = fm.boundingRect(QRectF(0, 0, r.width(), 1e6), align, text);
        if (need.height() <= l.Height + 1 && need.width() <= r.width() + 1) break;
    }
    l.fittedFor = key;
    l.fittedSize = size;
    return size;
}

void drawLabel(QPainter& p, const Label& l, const QRectF& client) {
    QRectF r(l.Left, l.Top, l.Width, l.Height);
    if (!shows(r, client)) return;
    if (l.BackStyle == Opaque) p.fillRect(clamped(r, client), l.BackColor);
    // A caption is laid out within the margin at most.
    r = clamped(r, reach(client));
    if (r.right() > client.right() && r.left() < client.right()) r.setRight(client.right());
    if (l.Caption.isEmpty()) return;
    const int align = (l.Alignment == AlignCenter  ? Qt::AlignHCenter
                       : l.Alignment == AlignRight ? Qt::AlignRight
                                                   : Qt::AlignLeft) |
                      Qt::AlignTop | Qt::TextWordWrap;
    QString text = l.Caption;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    p.setFont(layoutFont(l.FontName, fittedSize(l, r, text, align), l.FontBold,
                         20.0f));  // 20 twips a point
    if (!l.Enabled) {              // greyed, with the usual light emboss
        p.setPen(QColor(255, 255, 255));
        p.drawText(r.translated(kTwipsPerPixel, kTwipsPerPixel), align, text);
        p.setPen(QColor(128, 128, 128));
    } else {
        p.setPen(l.ForeColor);
    }
    p.drawText(r, align, text);
}

// Whole device pixels covered by r under the painter's transform; nothing
// when the transform is more than a plain scale.
std::optional<QRect> devicePixels(const QPainter& p, const QRectF& r) {
    const QTransform t = p.deviceTransform();
    if (t.type() > QTransform::TxScale || t.m11() <= 0 || t.m22() <= 0) return std::nullopt;
    const QRectF d = t.mapRect(r);
    const int x0 = qRound(d.left()), y0 = qRound(d.top());
    return QRect(x0, y0, qRound(d.right()) - x0, qRound(d.bottom()) - y0);
}

// Draws an image of exactly `px`'s size at whole device pixels.
void blit(QPainter& p, const QRect& px, const QImage& image) {
    const qreal dpr = p.device()->devicePixelRatio();
    const QTransform world = p.worldTransform();
    p.setWorldTransform(QTransform());
    p.drawImage(QRectF(px.x() / dpr, px.y() / dpr, px.width() / dpr, px.height() / dpr), image);
    p.setWorldTransform(world);
}

void drawPicture(QPainter& p, const Picture& pic, const QRectF& client, SpriteCache& sprites) {
    const QRectF r(pic.Left, pic.Top, pic.Width, pic.Height);
    if (!(r.width() > 0 && r.height() > 0) || !shows(r, client)) return;
    if (pic.image.isNull()) {
        if (!pic.fallback.isEmpty()) drawStandIn(p, clamped(r, reach(client)), pic.fallback);
        return;
    }
    // No larger than the window, a picture is scaled once and kept.
    const bool small = r.width() <= client.width() && r.height() <= client.height();
    const std::optional<QRect> px = small ? devicePixels(p, r) : std::nullopt;
    if (px) {
        if (px->isValid()) blit(p, *px, sprites.scaled(pic.image, px->size()));
        return;
    }
    // Otherwise only the part of the picture that shows is drawn.
    const QRectF shown = clamped(r, client);
    const qreal sx = pic.image.width() / r.width(), sy = pic.image.height() / r.height();
    const QRectF source((shown.left() - r.left()) * sx, (shown.top() - r.top()) * sy,
                        shown.width() * sx, shown.height() * sy);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(shown, pic.image, source);
}

// The part of the segment a-b inside r (Liang-Barsky); false when none is.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& r) {
    if (!std::isfinite(a.x() + a.y() + b.x() + b.y())) return false;
    const QPointF d = b - a;
    qreal t0 = 0, t1 = 1;
    const qreal edges[4][2] = {{-d.x(), a.x() - r.left()},
                               {d.x(), r.right() - a.x()},
                               {-d.y(), a.y() - r.top()},
                               {d.y(), r.bottom() - a.y()}};
    for (const auto& [q, room] : edges) {
        if (q == 0) {
            if (room < 0) return false;
            continue;
        }
        const qreal t = room / q;
        if (q < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
    }
    if (!(t0 <= t1)) return false;
    b = a + d * t1;
    a = a + d * t0;
    return true;
}

void drawLine(QPainter& p, const Line& l, const QRectF& client) {
    const qreal width = penWidth(std::max(1, l.BorderWidth), client);
    QPointF a(l.X1, l.Y1), b(l.X2, l.Y2);
    // Ends cut beyond the pen's reach draw no cap that shows.
    const qreal m = width + kTwipsPerPixel;
    if (!clipSegment(a, b, client.adjusted(-m, -m, m, m))) return;
    QPen pen(l.BorderColor);
    pen.setWidthF(width);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.drawLine(a, b);
}

inline size_t mix(size_t h, float v) {
    return qHashMulti(h, v);
}

}  // namespace

const QImage& SpriteCache::scaled(const QImage& image, const QSize& size) {
    const auto key = std::make_tuple(image.cacheKey(), size.width(), size.height());
    auto it = sprites_.find(key);
    if (it != sprites_.end()) return it->second;
    if (sprites_.size() >= kMaxSprites) sprites_.clear();
    QImage sprite = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (sprite.size() != size)
        sprite = sprite.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return sprites_.emplace(key, std::move(sprite)).first->second;
}

const QImage& SpriteCache::hatchTile(qreal step, int style, const QColor& color) {
    const auto key = std::make_tuple(step, style, color.rgba());
    auto it = tiles_.find(key);
    if (it != tiles_.end()) return it->second;
    if (tiles_.size() >= kMaxSprites) tiles_.clear();
    return tiles_.emplace(key, makeHatchTile(step, style, color)).first->second;
}

void drawElement(QPainter& p, const Element& e, const QRectF& client, SpriteCache& sprites) {
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (e.kind()) {
        case Element::Kind::Shape:
            drawShape(p, static_cast<const Shape&>(e), client, sprites);
            break;
        case Element::Kind::Label:
            drawLabel(p, static_cast<const Label&>(e), client);
            break;
        case Element::Kind::Picture:
            drawPicture(p, static_cast<const Picture&>(e), client, sprites);
            break;
        case Element::Kind::Line:
            drawLine(p, static_cast<const Line&>(e), client);
            break;
    }
}

void drawStandIn(QPainter& p, const QRectF& r, const QString& text) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(QColor(60, 60, 60));
    pen.setWidthF(2 * kTwipsPerPixel);
    p.setPen(pen);
    p.setBrush(QColor(235, 235, 220));
    const qreal rad = std::min(r.width(), r.height()) / 8;
    p.drawRoundedRect(r.adjusted(kTwipsPerPixel, kTwipsPerPixel, -kTwipsPerPixel, -kTwipsPerPixel),
                      rad, rad);
    const float pts = std::clamp(static_cast<float>(r.height() / 20.0 / 4.0), 6.0f, 48.0f);
    p.setFont(layoutFont(QStringLiteral("Arial"), pts, true, 20.0f));
    p.setPen(QColor(40, 40, 40));
    p.drawText(r, Qt::AlignCenter | Qt::TextWordWrap, text);
    p.restore();
}

QRectF drawnBounds(const Element& e) {
    if (!e.Visible) return {};
    // Antialiased edges and pictures placed at whole pixels reach one pixel out.
    const qreal aa = kTwipsPerPixel;
    switch (e.kind()) {
        case Element::Kind::Shape: {
            const auto& s = static_cast<const Shape&>(e);
            const qreal pen = s.BorderStyle != 0 && s.BorderWidth > 0
                                  ? qreal(s.BorderWidth) * kTwipsPerPixel / 2
                                  : 0;
            const qreal m = pen + aa;
            return QRectF(s.Left, s.Top, s.Width, s.Height).normalized().adjusted(-m, -m, m, m);
        }
        case Element::Kind::Line: {
            const auto& l = static_cast<const Line&>(e);
            const qreal m = std::max(1, l.BorderWidth) * qreal(kTwipsPerPixel) + aa;
            return QRectF(QPointF(l.X1, l.Y1), QPointF(l.X2, l.Y2))
                .normalized()
                .adjusted(-m, -m, m, m);
        }
        case Element::Kind::Label:  // the greyed caption's emboss lies a pixel right and down
        case Element::Kind::Picture:
            return QRectF(e.Left, e.Top, e.Width, e.Height)
                .normalized()
                .adjusted(-aa, -aa, 2 * aa, 2 * aa);
    }
    return {};
}

size_t digestElement(size_t h, const Element& e) {
    h = qHashMulti(h, e.Visible);
    if (!e.Visible) return h;
    h = mix(mix(mix(mix(h, e.Left), e.Top), e.Width), e.Height);
    switch (e.kind()) {
        case Element::Kind::Shape: {
            const auto& s = static_cast<const Shape&>(e);
            return qHashMulti(h, s.ShapeKind, s.BackColor.rgba(), s.BackStyle, s.FillColor.rgba(),
                              s.FillStyle, s.BorderColor.rgba(), s.BorderWidth, s.BorderStyle);
        }
        case Element::Kind::Label: {
            const auto& l = static_cast<const Label&>(e);
            return qHashMulti(h, l.Caption, l.ForeColor.rgba(), l.BackColor.rgba(), l.BackStyle,
                              l.Alignment, l.FontName, l.FontSize, l.FontBold, l.Enabled);
        }
        case Element::Kind::Picture: {
            const auto& pic = static_cast<const Picture&>(e);
            return qHashMulti(h, pic.image.cacheKey(), pic.fallback);
        }
        case Element::Kind::Line: {
            const auto& l = static_cast<const Line&>(e);
            return qHashMulti(h, l.X1, l.Y1, l.X2, l.Y2, l.BorderColor.rgba(), l.BorderWidth);
        }
    }
    return h;
}

QFont layoutFont(const QString& name, float points, bool bold, float unitsPerPoint) {
    // The layouts name the classic Windows faces; metric-compatible free faces
    // stand in for them so that captions fit their boxes.
    const QString n = name.toLower();
    QString family = QStringLiteral("Liberation Sans");
    if (n.contains(QLatin1String("times")) ||
        (n.contains(QLatin1String("serif")) && !n.contains(QLatin1String("sans"))))
        family = QStringLiteral("Liberation Serif");
    QFont f(family);
    f.setStyleHint(family.contains(QLatin1String("Serif")) &&
                           !family.contains(QLatin1String("Sans"))
                       ? QFont::Serif
                       : QFont::SansSerif);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * unitsPerPoint))));
    f.setBold(bold);
    return f;
}

}  // namespace tk
