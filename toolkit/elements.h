// Drawn elements: light objects owned by their screen and drawn by its paint
// pass. Game code reads and writes their members directly; the properties are
// reflected by name for the scripted driver.
#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QString>
#include <functional>

namespace tk {

// Mouse button codes as handlers receive them.
enum MouseButton { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
using ClickHandler = std::function<void()>;

struct Element {
    Q_GADGET
    Q_PROPERTY(float Left MEMBER Left)
    Q_PROPERTY(float Top MEMBER Top)
    Q_PROPERTY(float Width MEMBER Width)
    Q_PROPERTY(float Height MEMBER Height)
    Q_PROPERTY(bool Visible MEMBER Visible)
    Q_PROPERTY(QString Tag MEMBER Tag)
public:
    enum class Kind { Shape, Picture, Label, Line };

    explicit Element(Kind k) : kind_(k) {}
    virtual ~Element() = default;
    Element(const Element&) = default;
    Element& operator=(const Element&) = default;

    float Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    QString Tag;

    Kind kind() const { return kind_; }
    // Pictures and labels catch mouse events themselves (and swallow them when
    // they have no handler); shapes and lines let them through to the screen.
    bool catchesMouse() const { return kind_ == Kind::Picture || kind_ == Kind::Label; }
    // Whether it has a handler for the mouse at all.
    bool takesMouse() const { return MouseDown || MouseUp || MouseMove || Click; }
    void setRect(float left, float top, float width, float height) {
        Left = left;
        Top = top;
        Width = width;
        Height = height;
    }
    bool contains(float x, float y) const {
        return x >= Left && x < Left + Width && y >= Top && y < Top + Height;
    }

    // Handlers of elements that catch the mouse; copied with the element.
    MouseHandler MouseDown, MouseUp, MouseMove;
    ClickHandler Click;

    virtual const QMetaObject& meta() const = 0;

private:
    Kind kind_;
};

// Shape styles, numbered as the layouts give them.
enum ShapeType {
    Rectangle = 0,
    Square = 1,
    Oval = 2,
    Circle = 3,
    RoundedRectangle = 4,
    RoundedSquare = 5
};
enum FillStyle {
    FillSolid = 0,
    FillTransparent = 1,
    FillHorizontal = 2,
    FillVertical = 3,
    FillUpwardDiagonal = 4,
    FillDownwardDiagonal = 5,
    FillCross = 6,
    FillDiagonalCross = 7
};
enum BackStyle { Transparent = 0, Opaque = 1 };
enum Alignment { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

struct Shape : Element {
    Q_GADGET
    Q_PROPERTY(int Shape MEMBER ShapeKind)
    Q_PROPERTY(QColor BackColor MEMBER BackColor)
    Q_PROPERTY(int BackStyle MEMBER BackStyle)
    Q_PROPERTY(QColor FillColor MEMBER FillColor)
    Q_PROPERTY(int FillStyle MEMBER FillStyle)
    Q_PROPERTY(QColor BorderColor MEMBER BorderColor)
    Q_PROPERTY(int BorderWidth MEMBER BorderWidth)
    Q_PROPERTY(int BorderStyle MEMBER BorderStyle)
public:
    Shape() : Element(Kind::Shape) {}
    int ShapeKind = Rectangle;
    QColor BackColor = Qt::white;
    int BackStyle = Transparent;
    QColor FillColor = Qt::black;
    int FillStyle = FillTransparent;
    QColor BorderColor = Qt::black;
    int BorderWidth = 1;  // pixels
    int BorderStyle = 1;  // 0 none, 1 solid
    const QMetaObject& meta() const override { return staticMetaObject; }
};

struct Picture : Element {
    Q_GADGET
    Q_PROPERTY(QString Picture READ pictureName)
    Q_PROPERTY(bool Stretch MEMBER Stretch)
    Q_PROPERTY(QString ToolTipText MEMBER ToolTipText)
public:
    Picture() : Element(Kind::Picture) {}
    bool Stretch = true;
    QString ToolTipText;

    // The picture shown: a resource or a file; a missing one leaves `fallback`
    // to be drawn in its place.
    void setImage(const QImage& img, const QString& name) {
        image = img;
        name_ = name;
    }
    const QString& pictureName() const { return name_; }
    QImage image;
    QString fallback;  // text drawn when there is no image
    const QMetaObject& meta() const override { return staticMetaObject; }

private:
    QString name_;
};

struct Label : Element {
    Q_GADGET
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(QColor ForeColor MEMBER ForeColor)
    Q_PROPERTY(QColor BackColor MEMBER BackColor)
    Q_PROPERTY(int BackStyle MEMBER BackStyle)
    Q_PROPERTY(int Alignment MEMBER Alignment)
    Q_PROPERTY(QString FontName MEMBER FontName)
    Q_PROPERTY(float FontSize MEMBER FontSize)
    Q_PROPERTY(bool FontBold MEMBER FontBold)
    Q_PROPERTY(bool Enabled MEMBER Enabled)
    Q_PROPERTY(QString ToolTipText MEMBER ToolTipText)
public:
    Label() : Element(Kind::Label) {}
    QString Caption;
    QColor ForeColor = Qt::black;
    QColor BackColor = QColor(240, 240, 240);
    int BackStyle = Transparent;
    int Alignment = AlignLeft;
    QString FontName = QStringLiteral("MS Sans Serif");
    float FontSize = 8.25f;  // points
    bool FontBold = false;
    bool Enabled = true;
    QString ToolTipText;
    // The font size last found to fit the caption in its box, and for what.
    mutable float fittedSize = 0;
    mutable size_t fittedFor = 0;
    const QMetaObject& meta() const override { return staticMetaObject; }
};

struct Line : Element {
    Q_GADGET
    Q_PROPERTY(float X1 MEMBER X1)
    Q_PROPERTY(float Y1 MEMBER Y1)
    Q_PROPERTY(float X2 MEMBER X2)
    Q_PROPERTY(float Y2 MEMBER Y2)
    Q_PROPERTY(QColor BorderColor MEMBER BorderColor)
    Q_PROPERTY(int BorderWidth MEMBER BorderWidth)
public:
    Line() : Element(Kind::Line) {}
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    QColor BorderColor = Qt::black;
    int BorderWidth = 1;  // pixels
    const QMetaObject& meta() const override { return staticMetaObject; }
};

}  // namespace tk
