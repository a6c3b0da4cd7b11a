#include "screen.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <QUrl>
#include <QWidget>
#include <QWindow>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "desktop.h"
#include "paint.h"
#include "program.h"
#include "stats.h"

namespace tk {

// ---- Keys.

namespace {
// Qt's keys and the platform's virtual key codes, for the keys outside the
// letter, digit and function key ranges; the first of two Qt keys that give
// the same code is the one `qtKeyOf` gives back.
constexpr std::pair<int, int> kNamedKeys[] = {
    {Qt::Key_Backspace, key::Backspace},
    {Qt::Key_Tab, key::Tab},
    {Qt::Key_Return, key::Enter},
    {Qt::Key_Enter, key::Enter},
    {Qt::Key_Shift, key::Shift},
    {Qt::Key_Control, key::Control},
    {Qt::Key_Alt, key::Alt},
    {Qt::Key_Escape, key::Escape},
    {Qt::Key_Space, key::Space},
    {Qt::Key_PageUp, key::PageUp},
    {Qt::Key_PageDown, key::PageDown},
    {Qt::Key_End, key::End},
    {Qt::Key_Home, key::Home},
    {Qt::Key_Left, key::Left},
    {Qt::Key_Up, key::Up},
    {Qt::Key_Right, key::Right},
    {Qt::Key_Down, key::Down},
    {Qt::Key_Insert, key::Insert},
    {Qt::Key_Delete, key::Delete},
};
constexpr int kF1 = key::F1;
}  // namespace

int keyCodeOf(int k) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;  // 65..90
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return k;  // 48..57
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return kF1 + (k - Qt::Key_F1);
    for (auto [qt, code] : kNamedKeys)
        if (qt == k) return code;
    return 0;
}

int qtKeyOf(int code) {
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return code;
    if (code >= kF1 && code < kF1 + 12) return Qt::Key_F1 + (code - kF1);
    for (auto [qt, c] : kNamedKeys)
        if (c == code) return qt;
    return 0;
}

// ---- The window of a screen.

class ScreenWindow : public QWidget {
public:
    explicit ScreenWindow(Screen& s) : screen_(s) {
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        const QRegion& region = e->region();
        const bool whole = (QRegion(rect()) - region).isEmpty();
        {
            QPainter p(this);
            screen_.render(p, size(), whole ? QRegion() : region);
        }
        // A part that the display frame did not ask for (an expose) was drawn
        // from the model as it is now, whatever changed since the last frame:
        // the rest of those changes is drawn next.
        const QRegion missed = screen_.takeChanges();
        if (!whole && !missed.isEmpty()) update(missed);
        if (Stats* stats = screen_.program().stats()) {
            int64_t pixels = 0;
            for (const QRect& r : whole ? QRegion(rect()) : region)
                pixels += int64_t{r.width()} * r.height();
            const size_t digest = screen_.shownDigest();
            stats->frameDrawn(screen_.name(), pixels, digest == lastDigest_);
            lastDigest_ = digest;
        }
    }
    void resizeEvent(QResizeEvent*) override { screen_.relayout(); }
    void changeEvent(QEvent* e) override {
        // A key let go in another window is never heard of here.
        if (e->type() == QEvent::ActivationChange && !isActiveWindow()) {
            const std::set<int> held = std::exchange(held_, {});
            if (screen_.releasesKeysOnLeaving_)
                for (int code : held)
                    screen_.deliverKeyUp(code, 0);
        }
        if (e->type() == QEvent::WindowStateChange) {
            const Qt::WindowStates st = windowState();
            screen_.state_ = st & Qt::WindowMinimized   ? Minimized
                             : st & Qt::WindowMaximized ? Maximized
                                                        : Normal;
            if (screen_.state_ == Minimized) screen_.deliverDeactivate();
        }
        if (e->type() == QEvent::ActivationChange && !isActiveWindow()) screen_.deliverDeactivate();
        QWidget::changeEvent(e);
    }
    void closeEvent(QCloseEvent* e) override {
        e->ignore();  // the program unloads the screen, which removes the window
        screen_.program().closedByUser(screen_);
    }
    void keyPressEvent(QKeyEvent* e) override {
        const int code = keyCodeOf(e->key());
        if (code == 0) return QWidget::keyPressEvent(e);
        held_.insert(code);
        screen_.deliverKeyDown(code, shiftOf(e->modifiers()));
        const QString t = e->text();
        if (t.size() == 1 && t[0].unicode() < 256 && t[0].unicode() != 0)
            screen_.deliverKeyPress(t[0].unicode());
    }
    void keyReleaseEvent(QKeyEvent* e) override {
        if (e->isAutoRepeat()) return;  // a held key repeats its key-down only
        const int code = keyCodeOf(e->key());
        held_.erase(code);
        if (code != 0) screen_.deliverKeyUp(code, shiftOf(e->modifiers()));
    }
    // Only local files are offered to the screen.
    void dragEnterEvent(QDragEnterEvent* e) override {
        if (!localFiles(e->mimeData()).isEmpty()) e->acceptProposedAction();
    }
    void dropEvent(QDropEvent* e) override {
        const QStringList paths = localFiles(e->mimeData());
        if (paths.isEmpty()) return;
        e->acceptProposedAction();
        screen_.deliverDrop(paths);
    }
    void mousePressEvent(QMouseEvent* e) override { mouse(Screen::MouseAction::Down, e); }
    void mouseReleaseEvent(QMouseEvent* e) override { mouse(Screen::MouseAction::Up, e); }
    void mouseMoveEvent(QMouseEvent* e) override { mouse(Screen::MouseAction::Move, e); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { mouse(Screen::MouseAction::Down, e); }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::ToolTip) {
            auto* he = static_cast<QHelpEvent*>(e);
            const QPointF pos = (QPointF(he->pos()) - screen_.origin()) / screen_.pixelsPerTwip();
            const QString tip =
                screen_.toolTipAt(static_cast<float>(pos.x()), static_cast<float>(pos.y()));
            if (tip.isEmpty()) {
                QToolTip::hideText();
                e->ignore();
            } else {
                QToolTip::showText(he->globalPos(), tip, this);
            }
            return true;
        }
        return QWidget::event(e);
    }

private:
    std::set<int> held_;  // keys down and not yet let go
    static QStringList localFiles(const QMimeData* data) {
        QStringList paths;
        if (data && data->hasUrls())
            for (const QUrl& u : data->urls())
                if (u.isLocalFile()) paths << u.toLocalFile();
        return paths;
    }
    static int shiftOf(Qt::KeyboardModifiers m) {
        return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
               (m & Qt::AltModifier ? 4 : 0);
    }
    static int buttonOf(Qt::MouseButton b) {
        switch (b) {
            case Qt::LeftButton:
                return LeftButton;
            case Qt::RightButton:
                return RightButton;
            case Qt::MiddleButton:
                return MiddleButton;
            default:
                return 0;
        }
    }
    void mouse(Screen::MouseAction a, QMouseEvent* e) {
        const int button = a == Screen::MouseAction::Move ? 0 : buttonOf(e->button());
        if (a != Screen::MouseAction::Move && button == 0) return;
        const float ppt = screen_.pixelsPerTwip();
        const QPointF pos = (e->position() - screen_.origin()) / ppt;
        screen_.deliverMouse(a, button, shiftOf(e->modifiers()), static_cast<float>(pos.x()),
                             static_cast<float>(pos.y()));
    }

    Screen& screen_;
    size_t lastDigest_ = 0;  // of the last frame drawn, for the counts
};

// ---- Screen.

Screen::Screen(Program& program, const char* name, float clientWidth, float clientHeight,
               Scene* scene)
    : program_(program),
      ownScene_(scene ? nullptr : std::make_unique<Scene>()),
      scene_(scene ? scene : ownScene_.get()),
      window_(std::make_unique<ScreenWindow>(*this)),
      clientW_(clientWidth),
      clientH_(clientHeight) {
    setObjectName(QString::fromLatin1(name));
    // A scene given from outside is its owner's to hand over once it exists.
    if (ownScene_) ownScene_->setTimerHost(this);
    applyWindowSize();
}

Screen::~Screen() {
    // Controls are children of this object; their widgets are children of the
    // window. Drop the controls first so that none outlives its widget.
    placed_.clear();
    const QObjectList kids = children();
    for (QObject* c : kids)
        delete c;
    window_.reset();
}

void Screen::showScene(Scene& scene) {
    scene_ = &scene;
    ownScene_.reset();
    scene.setTimerHost(this);
}

QWidget* Screen::window() const {
    return window_.get();
}

void Screen::setCaption(const QString& c) {
    caption_ = c;
    window_->setWindowTitle(c);
}

void Screen::setBackColor(const QColor& c) {
    scene_->setBackColor(c);
}

void Screen::setLeft(float v) {
    left_ = v;
    positioned_ = true;
    placeWindow();
}

void Screen::setTop(float v) {
    top_ = v;
    positioned_ = true;
    placeWindow();
}

void Screen::setWidth(float v) {
    clientW_ = std::max(0.0f, v - kFrameWidth);
    applyWindowSize();
}

void Screen::setHeight(float v) {
    clientH_ = std::max(0.0f, v - kFrameHeight - menuHeightTwips());
    applyWindowSize();
}

float Screen::menuHeightTwips() const {
    return menuBar_ ? menuBar_->sizeHint().height() * kTwipsPerPixel : 0.0f;
}

QRect Screen::availableArea() const {
    // A headless platform has no desktop to fit in.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return {};
    const QScreen* screen = window_->screen();
    return screen ? screen->availableGeometry() : QRect();
}

QSize Screen::frameSize() const {
    // The layout's allowance until the window manager has framed the window.
    const QSize allowance(qRound(kFrameWidth / kTwipsPerPixel),
                          qRound(kFrameHeight / kTwipsPerPixel));
    return allowance.expandedTo(window_->frameGeometry().size() - window_->size());
}

void Screen::applyWindowSize() {
    const int menuH = menuBar_ ? menuBar_->sizeHint().height() : 0;
    const double w = std::max(1.0f, clientW_ / kTwipsPerPixel),
                 h = std::max(1.0f, clientH_ / kTwipsPerPixel);
    // A layout larger than the desktop's free area (panels excluded) is shown
    // as large as fits, its content scaled; one that fits keeps its size.
    double fit = 1.0;
    if (const QRect area = availableArea(); area.isValid()) {
        const QSize frame = frameSize();
        fit = std::clamp(std::min((area.width() - frame.width()) / w,
                                  (area.height() - frame.height() - menuH) / h),
                         0.0, 1.0);
    }
    window_->resize(std::max(1, static_cast<int>(std::floor(w * fit + 0.5))),
                    std::max(1, static_cast<int>(std::floor(h * fit + 0.5))) + menuH);
    placeWindow();
    relayout();
}

void Screen::placeWindow() {
    const QRect area = availableArea();
    const QSize outer = window_->size() + frameSize();
    QPoint at(qRound(left_ / kTwipsPerPixel), qRound(top_ / kTwipsPerPixel));
    if (!positioned_) {
        // No place in the layout: the middle of the free area when it is
        // shown; where the user moves it after is the user's choice.
        if (!area.isValid() || window_->isVisible()) return;
        at = area.center() - QPoint(outer.width() / 2, outer.height() / 2);
    }
    // Aside from the same window of another copy of the program.
    at += program_.windowOffset();
    if (area.isValid()) {
        at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - outer.width())));
        at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - outer.height())));
    }
    window_->move(at);
}

bool Screen::active() const {
    return window_->isActiveWindow();
}

bool Screen::visible() const {
    return showPending_ || window_->isVisible();
}

void Screen::setWindowState(int s) {
    state_ = s;
    if (window_->isVisible()) realizeShow();  // otherwise a pending show applies it
}

void Screen::showWindow() {
    if (program_.frozenTime()) return realizeShow();
    showPending_ = true;
    // Queued on this object: dropped if the screen is destroyed first. Only the
    // latest request counts, so the screen shown last ends up on top.
    const unsigned request = ++showRequest_;
    QMetaObject::invokeMethod(
        this,
        [this, request] {
            if (!showPending_ || request != showRequest_) return;
            showPending_ = false;
            realizeShow();
        },
        Qt::QueuedConnection);
}

void Screen::keepAbove(Screen* owner) {
    if (owner_ == owner && (!owner || window_->windowHandle())) return;
    owner_ = owner;
    // The window manager reads the owner when the window is mapped: a window
    // already on the screen is mapped again to take a new one.
    // Only a dialog's window is given an owner: a main window has none.
    const bool shown = window_->isVisible();
    if (shown) window_->hide();
    window_->setWindowFlags((window_->windowFlags() & ~Qt::WindowType_Mask) |
                            (owner ? Qt::Dialog : Qt::Window));
    window_->winId();
    if (owner) owner->window_->winId();
    window_->windowHandle()->setTransientParent(owner ? owner->window_->windowHandle() : nullptr);
    if (shown) realizeShow();
}

void Screen::realizeShow() {
    // Fitted to the desktop as it is now (the display mode may have changed).
    if (!window_->isVisible()) applyWindowSize();
    // In or out of the taskbar, changed while the window is not shown.
    const bool listed = listedWhenMinimized_ || state_ != Minimized;
    if (listed != listed_) {
        window_->hide();
        listInTaskbar(*window_, listed);
        listed_ = listed;
    }
    switch (state_) {
        case Minimized:
            window_->showMinimized();
            break;
        case Maximized:
            window_->showMaximized();
            break;
        default:
            window_->showNormal();
            // Headless platforms have no stacking and say so at every call.
            if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
                window_->raise();
                window_->activateWindow();
            }
            break;
    }
}

void Screen::hideWindow() {
    showPending_ = false;
    window_->hide();
}

void Screen::setMousePointer(int p) {
    pointer_ = p;
    switch (p) {
        case PointerSizeAll:
            return window_->setCursor(Qt::SizeAllCursor);
        case PointerSizeNESW:
            return window_->setCursor(Qt::SizeBDiagCursor);
        case PointerSizeNS:
            return window_->setCursor(Qt::SizeVerCursor);
        case PointerSizeNWSE:
            return window_->setCursor(Qt::SizeFDiagCursor);
        case PointerSizeWE:
            return window_->setCursor(Qt::SizeHorCursor);
        default:
            pointer_ = PointerDefault;
            return window_->unsetCursor();
    }
}

void Screen::setMenuNote(const QString& text) {
    if (!menuNote_) {
        // Never taller than the menu's own items, so that the bar keeps its
        // height and nothing below it moves.
        menuNote_ = new QLabel(menuBar());
        menuNote_->setContentsMargins(0, 0, 8, 0);
        menuNote_->setAlignment(Qt::AlignVCenter | Qt::AlignRight);
        menuBar_->setCornerWidget(menuNote_, Qt::TopRightCorner);
    }
    menuNote_->setText(text);
    menuNote_->setMinimumWidth(menuNote_->sizeHint().width());
    menuBar_->setCornerWidget(menuNote_, Qt::TopRightCorner);  // lays the bar out again
}

QString Screen::menuNote() const {
    return menuNote_ ? menuNote_->text() : QString();
}

QMenuBar* Screen::menuBar() {
    if (!menuBar_) {
        menuBar_ = new QMenuBar(window_.get());
        menuBar_->setNativeMenuBar(false);
        applyWindowSize();
    }
    return menuBar_;
}

void Screen::relayout() {
    const int menuH = menuBar_ ? menuBar_->sizeHint().height() : 0;
    if (menuBar_) menuBar_->setGeometry(0, 0, window_->width(), menuH);
    const float wx = static_cast<float>(window_->width());
    const float wy = static_cast<float>(window_->height() - menuH);
    const float cw = clientW_ / kTwipsPerPixel, ch = clientH_ / kTwipsPerPixel;
    if (wx > 0 && wy > 0 && cw > 0 && ch > 0) {
        scale_ = std::min(wx / cw, wy / ch);
        // At whole pixels, so that cached layers and pictures land exactly.
        origin_ = QPointF(std::floor((wx - cw * scale_) / 2.0),
                          menuH + std::floor((wy - ch * scale_) / 2.0));
    }
    for (Control* c : placed_)
        c->place();
    window_->update();
}

void Screen::setPicture(const QImage& img, const QString& name, const QString& fallback) {
    picture_ = img;
    pictureName_ = name;
    pictureFallback_ = fallback;
}

QImage Screen::programPicture(const QString& fileName) const {
    return QImage(QDir(program_.services().dataFolder()).filePath(fileName));
}

// ---- Input.

void Screen::deliverKeyDown(int keyCode, int shift) {
    if (tap_ && !tap_->key(EventTap::KeyAction::Down, keyCode, shift)) return;
    program_.dispatch([&] {
        for (QObject* c : children()) {
            auto* item = qobject_cast<MenuItem*>(c);
            if (item && item->enabled() && item->visible() && item->hasShortcut(keyCode, shift)) {
                suppressKeyPress_ = true;
                item->click();
                return;
            }
        }
        if (keyCode == key::Enter || keyCode == key::Escape) {
            for (CommandButton* b : buttons()) {
                if (b->visible() && b->enabled() &&
                    ((keyCode == key::Enter && b->Default) ||
                     (keyCode == key::Escape && b->Cancel))) {
                    suppressKeyPress_ = true;
                    b->click();
                    return;
                }
            }
        }
        suppressKeyPress_ = false;
        Form_KeyDown(keyCode, shift);
    });
}

void Screen::deliverKeyUp(int keyCode, int shift) {
    if (tap_ && !tap_->key(EventTap::KeyAction::Up, keyCode, shift)) return;
    program_.dispatch([&] { Form_KeyUp(keyCode, shift); });
}

void Screen::deliverDrop(const QStringList& paths) {
    program_.dispatch([&] { Form_OLEDragDrop(paths); });
}

void Screen::deliverDeactivate() {
    program_.dispatch([&] { Form_Deactivate(); });
}

void Screen::setAcceptsFiles(bool accepts) {
    window_->setAcceptDrops(accepts);
}

void Screen::deliverKeyPress(int ascii) {
    if (tap_ && !tap_->key(EventTap::KeyAction::Press, ascii, 0)) return;
    if (suppressKeyPress_) {
        suppressKeyPress_ = false;
        return;
    }
    program_.dispatch([&] { Form_KeyPress(ascii); });
}

void Screen::deliverMouse(MouseAction a, int button, int shift, float x, float y, Element* target,
                          bool forceTarget) {
    if (tap_ && !tap_->mouse(a, button, shift, x, y, forceTarget ? target : nullptr, forceTarget))
        return;
    program_.dispatch(
        [&] { scene_->routeMouse(a, button, shift, x, y, target, forceTarget, *this); });
}

// ---- Drawing.

QTransform Screen::clientTransform() const {
    return QTransform::fromTranslate(origin_.x(), origin_.y())
        .scale(pixelsPerTwip(), pixelsPerTwip());
}

QRect Screen::pixelsOf(const Element& e) const {
    const QRectF b = drawnBounds(e);
    if (b.isNull()) return {};
    const QRectF client(0, 0, clientW_, clientH_);
    // Whatever an element claims, it is drawn within the client area.
    const bool finite = std::isfinite(b.left() + b.top() + b.width() + b.height());
    const QRectF shown = finite ? b.intersected(client) : client;
    if (shown.isEmpty()) return {};
    return clientTransform().mapRect(shown).toAlignedRect().adjusted(-1, -1, 1, 1);
}

void Screen::render(QPainter& p, const QSize& windowSize, const QRegion& only) {
    const QRectF client(origin_, QSizeF(clientW_ * pixelsPerTwip(), clientH_ * pixelsPerTwip()));
    const QRect outer = client.toAlignedRect();
    if (!only.isEmpty()) p.setClipRegion(only);
    // Letterbox margins when the window's shape differs from the layout's.
    QRegion margins(QRect(QPoint(0, 0), windowSize));
    margins -= outer;
    for (const QRect& r : margins)
        p.fillRect(r, QColor(24, 24, 32));
    // A scaled client area may end inside a pixel; that last column or row
    // takes the background colour rather than whatever was there before.
    QRegion edges(outer);
    edges -= QRect(QPoint(qCeil(client.left()), qCeil(client.top())),
                   QPoint(qFloor(client.right()) - 1, qFloor(client.bottom()) - 1));
    for (const QRect& r : edges)
        p.fillRect(r, scene_->backColor());
    p.setClipRect(outer, only.isEmpty() ? Qt::ReplaceClip : Qt::IntersectClip);
    p.setWorldTransform(clientTransform(), true);
    paint(p, only);
}

void Screen::paint(QPainter& p, const QRegion& only) {
    size_t first = 0;
    if (!drawStaticLayer(p, first, only)) drawBackdrop(p);
    const QRectF client(0, 0, clientW_, clientH_);
    for (size_t k = first; k < scene_->drawList().size(); ++k) {
        const Element* e = scene_->drawList()[k];
        if (e->Visible && (only.isEmpty() || only.intersects(pixelsOf(*e))))
            drawElement(p, *e, client, sprites_);
    }
}

void Screen::drawBackdrop(QPainter& p) {
    p.fillRect(QRectF(0, 0, clientW_, clientH_), scene_->backColor());
    if (!picture_.isNull()) {
        p.drawImage(
            QRectF(0, 0, picture_.width() * kTwipsPerPixel, picture_.height() * kTwipsPerPixel),
            picture_);
    } else if (!pictureFallback_.isEmpty()) {
        drawStandIn(p, QRectF(0, 0, clientW_, clientH_), pictureFallback_);
    }
}

bool Screen::drawStaticLayer(QPainter& p, size_t& first, const QRegion& only) {
    const Element* staticLast = scene_->staticLast();
    if (!staticLast) return false;
    const auto last = std::find(scene_->drawList().begin(), scene_->drawList().end(), staticLast);
    if (last == scene_->drawList().end()) return false;
    const size_t n = static_cast<size_t>(last - scene_->drawList().begin()) + 1;
    // The layer is drawn at the device's own pixels, so copying it is exact;
    // that needs a plain scale and a client area at whole pixels.
    const QTransform device = p.deviceTransform();
    if (device.type() > QTransform::TxScale || device.m11() <= 0 || device.m22() <= 0) return false;
    const QRectF area = device.mapRect(QRectF(0, 0, clientW_, clientH_));
    const QPoint at(qRound(area.left()), qRound(area.top()));
    // Every pixel the client area touches, as the window's margins leave them.
    const QSize size(qCeil(area.right()) - at.x(), qCeil(area.bottom()) - at.y());
    if (size.isEmpty() || QPointF(at) != area.topLeft()) return false;

    const qreal dpr = p.device()->devicePixelRatio();
    size_t h = qHashMulti(0, scene_->backColor().rgba(), picture_.cacheKey(), pictureFallback_,
                          device.m11(), device.m22(), dpr);
    for (size_t k = 0; k < n; ++k)
        h = digestElement(h, *scene_->drawList()[k]);
    if (layer_.size() != size || h != layerDigest_) {
        const bool opaque = scene_->backColor().alpha() == 255;
        layer_ = QImage(size, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
        layer_.setDevicePixelRatio(dpr);
        layer_.fill(opaque ? scene_->backColor() : QColor(Qt::transparent));
        QPainter lp(&layer_);
        lp.scale(device.m11() / dpr, device.m22() / dpr);
        drawBackdrop(lp);
        const QRectF client(0, 0, clientW_, clientH_);
        for (size_t k = 0; k < n; ++k)
            if (scene_->drawList()[k]->Visible)
                drawElement(lp, *scene_->drawList()[k], client, sprites_);
        layerDigest_ = h;
    }
    const QTransform world = p.worldTransform();
    p.setWorldTransform(QTransform());
    const QPointF topLeft(at.x() / dpr, at.y() / dpr);
    if (only.isEmpty()) {
        p.drawImage(topLeft, layer_);
    } else {
        // Plain copies of the parts asked for, not a blend through a clip.
        const QRectF layerRect(topLeft, QSizeF(size) / dpr);
        for (const QRect& r : only) {
            const QRectF part = layerRect.intersected(QRectF(r));
            if (part.isEmpty()) continue;
            p.drawImage(part, layer_, QRectF((part.topLeft() - topLeft) * dpr, part.size() * dpr));
        }
    }
    p.setWorldTransform(world);
    first = n;
    return true;
}

size_t Screen::drawDigest() const {
    size_t h = qHashMulti(0, scene_->backColor().rgba(), picture_.cacheKey(), pictureFallback_);
    for (const Element* e : scene_->drawList())
        h = digestElement(h, *e);
    return h;
}

size_t Screen::shownDigest() const {
    size_t h = sceneDigest();
    for (const Scene::Shown& s : scene_->shown())
        h = qHashMulti(h, s.digest);
    return h;
}

size_t Screen::sceneDigest() const {
    return qHashMulti(0, scene_->backColor().rgba(), picture_.cacheKey(), pictureFallback_, scale_,
                      origin_.x(), origin_.y(), window_->width(), window_->height());
}

QRegion Screen::takeChanges() {
    const QRect whole = window_->rect();
    const size_t scene = sceneDigest();
    const bool all = scene != shownScene_;
    shownScene_ = scene;
    QRegion changed;
    for (size_t k = 0; k < scene_->drawList().size(); ++k) {
        const size_t d = digestElement(0, *scene_->drawList()[k]);
        Scene::Shown& was = scene_->shown()[k];
        if (d == was.digest) continue;
        const QRect now = pixelsOf(*scene_->drawList()[k]);
        changed += was.pixels;
        changed += now;
        was = Scene::Shown{d, now};
    }
    if (all) return whole;
    // Past half the window, one whole repaint costs less than many pieces.
    int64_t area = 0;
    for (const QRect& r : changed)
        area += int64_t{r.width()} * r.height();
    if (2 * area > int64_t{whole.width()} * whole.height()) return whole;
    return changed;
}

bool Screen::updateIfChanged() {
    if (!window_->isVisible()) return false;
    if (program_.fullRepaint()) {
        // The whole window at every display frame while a timer animates it,
        // as a measure to compare with.
        if (animators_ > 0) {
            window_->update();
            return true;
        }
        const size_t d = drawDigest();
        if (d == lastDigest_) return false;
        lastDigest_ = d;
        window_->update();
        return true;
    }
    const QRegion changed = takeChanges();
    if (changed.isEmpty()) return false;
    // Drawn at once, so that what is shown is the model the changes were
    // taken from.
    window_->repaint(changed);
    return true;
}

bool Screen::frozenTime() const {
    return program_.frozenTime();
}

bool Screen::timersLive() const {
    // Asked at every firing: looked up again only after a screen was loaded
    // or unloaded.
    if (liveAt_ != program_.screenChanges()) {
        live_ = program_.isLoaded(*this);
        liveAt_ = program_.screenChanges();
    }
    return live_;
}

Stats* Screen::stats() const {
    return program_.stats();
}

void Screen::dispatch(const std::function<void()>& run) {
    program_.dispatch(run);
}

void Screen::countAnimator(bool running) {
    animators_ += running ? 1 : -1;
    lastDigest_ = 0;  // the first frame after an animation is drawn
}

// ---- Registration and lookup.

void Screen::registerControl(QObject* c, Control* placed) {
    scene_->registerControl(c);
    if (placed) placed_.push_back(placed);
}

void Screen::unregisterControl(QObject* c) {
    placed_.erase(std::remove(placed_.begin(), placed_.end(), c), placed_.end());
}

void Screen::showStandInPointer(bool shown, float x, float y) {
    if (!standInPointer_) {
        if (!shown) return;
        // An arrow, drawn once: white with a black outline, its tip at (1, 1).
        QPixmap arrow(16, 22);
        arrow.fill(Qt::transparent);
        QPainter p(&arrow);
        p.setRenderHint(QPainter::Antialiasing, true);
        const QPointF tip[] = {{1, 1}, {1, 17}, {5, 13}, {8, 20}, {11, 19}, {8, 12}, {13, 12}};
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(Qt::white);
        p.drawPolygon(tip, 7);
        p.end();
        standInPointer_ = new QLabel(window());
        standInPointer_->setPixmap(arrow);
        standInPointer_->resize(arrow.size());
        standInPointer_->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    standInPointer_->setVisible(shown);
    if (!shown) return;
    const QPointF at = clientTransform().map(QPointF(x, y));
    standInPointer_->move(qRound(at.x()) - 1, qRound(at.y()) - 1);
    standInPointer_->raise();
}

std::vector<OptionButton*> Screen::optionButtons() const {
    std::vector<OptionButton*> out;
    for (QObject* c : children())
        if (auto* o = qobject_cast<OptionButton*>(c)) out.push_back(o);
    return out;
}

std::vector<CommandButton*> Screen::buttons() const {
    std::vector<CommandButton*> out;
    for (QObject* c : children())
        if (auto* b = qobject_cast<CommandButton*>(c)) out.push_back(b);
    return out;
}

}  // namespace tk
