// A screen: one window of named elements laid out in twips, driven by events
// and timers. Drawn elements are painted from the model in one pass, scaled
// uniformly to the window; native controls sit on top at their twip rectangles.
#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QTransform>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "controls.h"
#include "elements.h"
#include "keys.h"
#include "paint.h"
#include "scene.h"

class QPainter;
class QLabel;
class QMenuBar;
class QWidget;

namespace tk {

class Program;
class ScreenWindow;

// Window frame allowance: a screen's Width and Height are its outer size, the
// client area plus borders and title bar.
constexpr float kFrameWidth = 150.0f;
constexpr float kFrameHeight = 510.0f;

enum WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// Shift masks of key and mouse events, with the platform's values.
enum ShiftMask { ShiftKey = 1, CtrlKey = 2, AltKey = 4 };

// Mouse pointer shapes over a window, numbered as the platform numbers them.
enum MousePointer {
    PointerDefault = 0,
    PointerSizeAll = 5,
    PointerSizeNESW = 6,
    PointerSizeNS = 7,
    PointerSizeNWSE = 8,
    PointerSizeWE = 9
};

// The platform's virtual key code of a Qt key (0 for keys without one), and
// the Qt key of a virtual key code (0 for none).
int keyCodeOf(int qtKey);
int qtKeyOf(int keyCode);

class Screen : public QObject, public MouseSink, public TimerHost {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(float Left READ left WRITE setLeft)
    Q_PROPERTY(float Top READ top WRITE setTop)
    Q_PROPERTY(float Width READ width WRITE setWidth)
    Q_PROPERTY(float Height READ height WRITE setHeight)
    Q_PROPERTY(float ScaleWidth READ scaleWidth)
    Q_PROPERTY(float ScaleHeight READ scaleHeight)
    Q_PROPERTY(bool Visible READ visible)
    Q_PROPERTY(int WindowState READ windowState WRITE setWindowState)
    Q_PROPERTY(int MousePointer READ mousePointer WRITE setMousePointer)
public:
    // clientWidth / clientHeight: the layout's client area in twips. The
    // window shows `scene`, or a scene of its own when none is given.
    Screen(Program& program, const char* name, float clientWidth, float clientHeight,
           Scene* scene = nullptr);
    ~Screen() override;
    Scene& scene() { return *scene_; }
    const Scene& scene() const { return *scene_; }
    // Element arrays of a screen's layout register with the scene it shows.
    operator Scene&() { return *scene_; }

    Program& program() const { return program_; }
    QString name() const { return objectName(); }

    // Events; the defaults do nothing.
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    virtual void Form_KeyDown(int /*keyCode*/, int /*shift*/) {}
    virtual void Form_KeyUp(int /*keyCode*/, int /*shift*/) {}
    virtual void Form_KeyPress(int /*ascii*/) {}
    virtual void Form_MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void Form_MouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void Form_MouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    // The user left the window: another window took the focus, or it was
    // minimised.
    virtual void Form_Deactivate() {}
    // Asked before the user closes the window and before the program ends;
    // false keeps the screen, and the program, going.
    virtual bool Form_QueryUnload() { return true; }
    // The window's close box: true lets the program unload the screen. A
    // screen whose close box does something else does it and says false.
    virtual bool Form_QueryClose() { return Form_QueryUnload(); }
    // The program ends without asking (a signal from the system): keep what
    // the user would otherwise lose.
    virtual void Form_Interrupted() {}
    // Files dropped on the window, by path, when the screen takes them
    // (setAcceptsFiles).
    virtual void Form_OLEDragDrop(const QStringList& /*paths*/) {}

    QString caption() const { return caption_; }
    void setCaption(const QString& c);
    QColor backColor() const { return scene_->backColor(); }
    void setBackColor(const QColor& c);
    float left() const { return left_; }
    float top() const { return top_; }
    void setLeft(float v);
    void setTop(float v);
    float width() const { return clientW_ + kFrameWidth; }
    float height() const { return clientH_ + kFrameHeight + menuHeightTwips(); }
    void setWidth(float v);
    void setHeight(float v);
    float scaleWidth() const { return clientW_; }
    float scaleHeight() const { return clientH_; }
    bool visible() const;
    // The window has the keyboard's focus (the user is in it).
    bool active() const;
    int windowState() const { return state_; }
    void setWindowState(int s);
    int mousePointer() const { return pointer_; }
    void setMousePointer(int p);
    // A short text at the right-hand end of the menu bar, for a state the
    // screen shows without moving its layout; empty shows nothing.
    void setMenuNote(const QString& text);
    QString menuNote() const;
    // Keeps the window above another screen's window, as a dialog over its
    // main window stays above it whichever of the two gets a click
    // (nullptr: on its own).
    void keepAbove(Screen* owner);
    // A screen kept minimised only to hold settings stays out of the taskbar
    // while it is minimised; shown, it is listed as any other.
    void setListedWhenMinimized(bool listed) { listedWhenMinimized_ = listed; }

    // The screen's background picture, drawn from the top-left corner at its
    // own size. A missing file leaves `fallback` to be drawn instead.
    void setPicture(const QImage& img, const QString& name, const QString& fallback = {});
    const QString& pictureName() const { return pictureName_; }

    // Keys and mouse as the user produces them (also used by the driver).
    // Key codes are the platform's virtual key codes (13 Enter, 27 Escape, 37..40 arrows).
    // A key down that is the shortcut of an enabled menu item clicks that item
    // instead, as Qt's shortcuts take the keys typed in a window.
    void deliverKeyDown(int keyCode, int shift);
    void deliverKeyUp(int keyCode, int shift);
    void deliverKeyPress(int ascii);
    void deliverDrop(const QStringList& paths);
    void deliverDeactivate();
    // Whether files may be dropped on the window (Form_OLEDragDrop).
    void setAcceptsFiles(bool accepts);
    // Keys still held when the window loses the keyboard are let go then,
    // for a screen where a held key goes on acting (off: a key let go in
    // another window is never heard of).
    void setReleasesKeysOnLeaving(bool on) { releasesKeysOnLeaving_ = on; }
    using MouseAction = Scene::MouseAction;
    // x, y in twips of the client area. Each event goes to the topmost
    // element under the pointer that catches the mouse, or to the screen;
    // `forceTarget` sends it to `target` instead (the driver; nullptr: the
    // screen).
    void deliverMouse(MouseAction a, int button, int shift, float x, float y,
                      Element* target = nullptr, bool forceTarget = false);

    // Watches what the screen receives (nullptr: nothing does).
    void setTap(EventTap* tap) { tap_ = tap; }
    EventTap* tap() const override { return tap_; }
    // An element's name as the driver writes it ("fiole", "mech1(3)"), and
    // the element of such a name (nullptr for none).
    QString nameOf(const Element* e) const { return scene_->nameOf(e); }
    Element* elementNamed(const QString& spec) const { return scene_->elementNamed(spec); }
    // A pointer drawn over the window at a point of the client area (twips),
    // standing for a mouse that is not the user's; hidden with shown false.
    void showStandInPointer(bool shown, float x = 0, float y = 0);

    // The tooltip of the topmost drawn element at a point.
    QString toolTipAt(float x, float y) const { return scene_->toolTipAt(x, y); }

    // Drawing. `render` draws the window's contents (windowSize in pixels):
    // the client area scaled and centred, margins around it; `paint` draws the
    // client area in twips. Given a region of window pixels, both draw only
    // what lies in it, the same pixels a whole drawing gives there.
    void render(QPainter& p, const QSize& windowSize, const QRegion& only = {});
    void paint(QPainter& p, const QRegion& only = {});
    // The background and the elements drawn up to `last` rarely change: they
    // are drawn once into an image, drawn again only when what they show does.
    void cacheStaticLayer(const Element& last) { scene_->cacheStaticLayer(last); }
    QWidget* window() const;
    QMenuBar* menuBar();  // created on first use
    // Current mapping: pixels per twip and the client origin in window pixels.
    float pixelsPerTwip() const { return scale_ / kTwipsPerPixel; }
    QPointF origin() const { return origin_; }
    // The same as one transform, twips to window pixels: what `render` draws
    // with and what a changed element's pixels are found with.
    QTransform clientTransform() const;
    // The window pixels an element's drawing may touch, within the client area.
    QRect pixelsOf(const Element& e) const;
    void relayout();  // recomputes the mapping from the window size
    // Cheap digest of everything drawn; changes when the picture would.
    size_t drawDigest() const;
    // The window pixels whose picture changed since the last call: the old
    // and new pixels of every element that moved, appeared, disappeared or
    // changed its look; the whole window when the background, the mapping or
    // most of the window changed.
    QRegion takeChanges();

    // Lookup by name for the driver.
    Element* element(const QString& name, int index, bool indexed) const {
        return scene_->element(name, index, indexed);
    }
    QObject* control(const QString& name) const { return scene_->control(name); }
    bool isArray(const QString& name) const { return scene_->isArray(name); }
    std::vector<QString> elementNames() const { return scene_->elementNames(); }
    std::vector<int> arrayIndices(const QString& name) const { return scene_->arrayIndices(name); }

    // Registration (done by the screens' constructors, in z-order).
    template <class T>
    T& add(T& e, const char* name) {
        return scene_->add(e, name);
    }
    void registerControl(QObject* c, Control* placed);
    void unregisterControl(QObject* c);
    std::vector<OptionButton*> optionButtons() const;
    std::vector<CommandButton*> buttons() const;

    // Used by the program. Outside frozen time the window appears once the
    // running event is over, so a screen shown and unloaded by the same event
    // never reaches the display.
    void showWindow();
    void hideWindow();
    // Repaints what changed since the last frame; false when nothing did.
    bool updateIfChanged();
    // Timers that animate the screen tell it when they start and stop.
    void countAnimator(bool running) override;
    // The clock the scene's timers run by.
    bool frozenTime() const override;
    bool timersLive() const override;
    Stats* stats() const override;
    QString hostName() const override { return name(); }
    void dispatch(const std::function<void()>& run) override;

protected:
    // The window shows `scene`, kept by its owner, instead of one of its own;
    // called once, before anything is registered.
    void showScene(Scene& scene);
    // Loads a picture file of the data folder; missing or unreadable gives
    // a null image (the caller draws a stand-in).
    QImage programPicture(const QString& fileName) const;

private:
    friend class ScreenWindow;
    void applyWindowSize();
    void placeWindow();
    QRect availableArea() const;  // empty where there is no desktop
    QSize frameSize() const;      // the window manager's frame, pixels
    void realizeShow();
    float menuHeightTwips() const;
    void drawBackdrop(QPainter& p);
    // Draws the cached layer and gives the first element after it; false when
    // there is none or the painter cannot take it as it is.
    bool drawStaticLayer(QPainter& p, size_t& first, const QRegion& only);
    // What the window was last told to show of the background (its colour,
    // picture and mapping); the scene keeps what it showed of each element.
    size_t sceneDigest() const;
    // The picture last taken by takeChanges, from the digests it kept.
    size_t shownDigest() const;
    // The mouse that no element took.
    void sceneMouseDown(int button, int shift, float x, float y) override {
        Form_MouseDown(button, shift, x, y);
    }
    void sceneMouseUp(int button, int shift, float x, float y) override {
        Form_MouseUp(button, shift, x, y);
    }
    void sceneMouseMove(int button, int shift, float x, float y) override {
        Form_MouseMove(button, shift, x, y);
    }

    Program& program_;
    std::unique_ptr<Scene> ownScene_;
    Scene* scene_;
    std::unique_ptr<ScreenWindow> window_;
    QMenuBar* menuBar_ = nullptr;
    QLabel* menuNote_ = nullptr;
    QString caption_;
    float left_ = 0, top_ = 0, clientW_, clientH_;
    int state_ = Normal;
    bool positioned_ = false;  // Left or Top set
    bool listedWhenMinimized_ = true, listed_ = true;
    QPointer<Screen> owner_;  // the screen whose window this one stays above
    int pointer_ = PointerDefault;
    bool showPending_ = false;
    // timersLive's answer and the program's screen changes it was found at.
    mutable bool live_ = false;
    mutable std::optional<unsigned> liveAt_;
    unsigned showRequest_ = 0;
    QImage picture_;
    QString pictureName_, pictureFallback_;
    size_t shownScene_ = 0;
    std::vector<Control*> placed_;
    float scale_ = 1.0f;
    QPointF origin_;
    size_t lastDigest_ = 0;
    int animators_ = 0;  // running timers that animate the screen
    SpriteCache sprites_;
    QImage layer_;
    size_t layerDigest_ = 0;
    EventTap* tap_ = nullptr;
    QLabel* standInPointer_ = nullptr;
    bool suppressKeyPress_ = false;  // a default or cancel button took the key
    bool releasesKeysOnLeaving_ = false;
};

}  // namespace tk
