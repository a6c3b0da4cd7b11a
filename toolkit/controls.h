// Native controls: thin wrappers over Qt widgets, placed at twip rectangles,
// with the property names the screens use. Writing a value from code fires the
// same handler as the user's change does.
#pragma once

#include <QColor>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QRectF>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "timer.h"

class QWidget;
class QPushButton;
class QCheckBox;
class QRadioButton;
class QScrollBar;
class QListWidget;
class QLineEdit;
class QAction;
class QMenu;
class QTimer;

namespace tk {

class Screen;
using Handler = std::function<void()>;

class Control : public QObject {
    Q_OBJECT
    Q_PROPERTY(float Left READ left WRITE setLeft)
    Q_PROPERTY(float Top READ top WRITE setTop)
    Q_PROPERTY(float Width READ width WRITE setWidth)
    Q_PROPERTY(float Height READ height WRITE setHeight)
    Q_PROPERTY(bool Visible READ visible WRITE setVisible)
    Q_PROPERTY(bool Enabled READ enabled WRITE setEnabled)
    Q_PROPERTY(QString ToolTipText READ toolTip WRITE setToolTip)
    Q_PROPERTY(QString FontName READ fontName WRITE setFontName)
    Q_PROPERTY(float FontSize READ fontSize WRITE setFontSize)
    Q_PROPERTY(bool FontBold READ fontBold WRITE setFontBold)
    Q_PROPERTY(QString Tag MEMBER Tag)
public:
    Control(Screen& screen, QWidget* widget, const char* name, QRectF rect);
    ~Control() override;

    float left() const { return rect_.x(); }
    float top() const { return rect_.y(); }
    float width() const { return rect_.width(); }
    float height() const { return rect_.height(); }
    void setLeft(float v);
    void setTop(float v);
    void setWidth(float v);
    void setHeight(float v);
    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool v);
    QString toolTip() const;
    void setToolTip(const QString& t);
    QString fontName() const { return fontName_; }
    void setFontName(const QString& f);
    float fontSize() const { return fontSize_; }
    void setFontSize(float pt);
    bool fontBold() const { return fontBold_; }
    void setFontBold(bool b);

    QString Tag;

    // Places the widget for the screen's current scale.
    virtual void place();
    QWidget* widget() const { return w_; }

protected:
    // Runs a handler as an event of the program (errors reported, repaint scheduled).
    void fire(const Handler& h);

    Screen& screen_;
    QWidget* w_;
    QRectF rect_;
    bool visible_ = true;
    bool enabled_ = true;
    QString fontName_ = QStringLiteral("MS Sans Serif");
    float fontSize_ = 8.25f;
    bool fontBold_ = false;
};

class CommandButton : public Control {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(bool Default MEMBER Default)
    Q_PROPERTY(bool Cancel MEMBER Cancel)
public:
    CommandButton(Screen& s, const char* name, QRectF rect, const QString& caption);
    QString caption() const;
    void setCaption(const QString& c);
    QColor backColor() const { return back_; }
    void setBackColor(const QColor& c);
    // A picture shown above the caption (graphical buttons).
    void setIcon(const QImage& img);
    // Presses the button as the user does.
    void click();

    bool Default = false;  // Enter presses it
    bool Cancel = false;   // Escape presses it
    Handler Click;

private:
    QPushButton* button() const;
    QColor back_ = QColor(240, 240, 240);
};

class CheckBox : public Control {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(int Value READ value WRITE setValue)
public:
    CheckBox(Screen& s, const char* name, QRectF rect, const QString& caption);
    QString caption() const;
    void setCaption(const QString& c);
    int value() const { return value_; }
    // A change of value fires Click, whoever makes it.
    void setValue(int v);
    void click() { setValue(value_ == 1 ? 0 : 1); }
    Handler Click;

private:
    QCheckBox* box() const;
    int value_ = 0;
};

class OptionButton : public Control {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Value READ value WRITE setValue)
public:
    OptionButton(Screen& s, const char* name, QRectF rect, const QString& caption);
    QString caption() const;
    void setCaption(const QString& c);
    bool value() const { return value_; }
    // Selecting one clears the other option buttons of its screen.
    void setValue(bool v);
    void click() { setValue(true); }
    Handler Click;
    // Run at once, as no event of its own, at every change of Value either
    // way: also when another button takes the choice or code sets it off,
    // which fire no Click.
    Handler Changed;

private:
    QRadioButton* radio() const;
    bool value_ = false;
};

class HScrollBar : public Control {
    Q_OBJECT
    Q_PROPERTY(int Min READ min WRITE setMin)
    Q_PROPERTY(int Max READ max WRITE setMax)
    Q_PROPERTY(int SmallChange READ smallChange WRITE setSmallChange)
    Q_PROPERTY(int LargeChange READ largeChange WRITE setLargeChange)
    Q_PROPERTY(int Value READ value WRITE setValue)
public:
    HScrollBar(Screen& s, const char* name, QRectF rect, int min, int max, int value,
               int smallChange = 1, int largeChange = 1);
    int min() const { return min_; }
    int max() const { return max_; }
    int smallChange() const { return small_; }
    int largeChange() const { return large_; }
    void setMin(int v);
    void setMax(int v);
    void setSmallChange(int v);
    void setLargeChange(int v);
    int value() const { return value_; }
    // A value outside Min..Max is a run-time error; a change fires Change.
    void setValue(int v);
    Handler Change;  // value changed by a click, a key or the program
    Handler Scroll;  // thumb being dragged

private:
    QScrollBar* bar() const;
    void syncWidget();
    int min_, max_, value_, small_, large_;
    int valueAtPress_ = 0;
};

// What a list box and a file list share: items, one selection, Click.
class ListControl : public Control {
    Q_OBJECT
    Q_PROPERTY(int ListIndex READ listIndex WRITE setListIndex)
    Q_PROPERTY(int ListCount READ listCount)
public:
    ListControl(Screen& s, const char* name, QRectF rect);
    int listIndex() const { return index_; }
    // Selects item i (-1: none), firing Click when the selection changes.
    void setListIndex(int i);
    int listCount() const { return static_cast<int>(items_.size()); }
    QString list(int i) const { return items_.value(i); }
    // Selects item i as a user's click does: Click fires even when it was selected.
    void userSelect(int i);
    Handler Click;

protected:
    QString selectedItem() const { return index_ >= 0 ? items_.value(index_) : QString(); }
    // Replaces the items, keeping the selected one when it is still there.
    void setItems(const QStringList& items);
    QStringList items_;

private:
    QListWidget* listWidget() const;
    int index_ = -1;
};

class ListBox : public ListControl {
    Q_OBJECT
    Q_PROPERTY(QString Text READ text WRITE setText)
public:
    ListBox(Screen& s, const char* name, QRectF rect, const QStringList& items);
    QString text() const { return selectedItem(); }
    // Selects the item with that text; no such item leaves nothing selected.
    void setText(const QString& t) { setListIndex(static_cast<int>(items_.indexOf(t))); }
};

class FileListBox : public ListControl {
    Q_OBJECT
    Q_PROPERTY(QString Path READ path WRITE setPath)
    Q_PROPERTY(QString Pattern READ pattern WRITE setPattern)
    Q_PROPERTY(QString FileName READ fileName WRITE setFileName)
public:
    FileListBox(Screen& s, const char* name, QRectF rect, const QString& pattern);
    QString path() const { return path_; }
    void setPath(const QString& p);
    QString pattern() const { return pattern_; }
    void setPattern(const QString& p);
    QString fileName() const { return selectedItem(); }
    // Selects the listed file of that name (firing Click); an unknown name
    // clears the selection.
    void setFileName(const QString& n) { setListIndex(static_cast<int>(items_.indexOf(n))); }
    // Reads the folder again; a vanished folder gives an empty list.
    void refresh();

private:
    QString path_, pattern_;
};

class TextBox : public Control {
    Q_OBJECT
    Q_PROPERTY(QString Text READ text WRITE setText)
public:
    TextBox(Screen& s, const char* name, QRectF rect, const QString& text);
    QString text() const { return text_; }
    void setText(const QString& t);

private:
    QLineEdit* edit() const;
    QString text_;
};

// A menu or menu item of a screen's menu bar. Items with children are menus.
class MenuItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Checked READ checked WRITE setChecked)
    Q_PROPERTY(bool Enabled READ enabled WRITE setEnabled)
    Q_PROPERTY(bool Visible READ visible WRITE setVisible)
public:
    // A top-level entry of the menu bar (parent == nullptr) or an item of parent.
    MenuItem(Screen& s, const char* name, const QString& caption, MenuItem* parent = nullptr);
    QString caption() const { return caption_; }
    void setCaption(const QString& c);
    bool checked() const { return checked_; }
    void setChecked(bool c);
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);
    bool visible() const { return visible_; }
    void setVisible(bool v);
    void click();
    Handler Click;

    // Keys that click the item, typed in the window or sent by the driver.
    void setShortcuts(const QList<QKeySequence>& keys);
    // Whether a key down (a virtual key code and a shift mask) is one of them.
    bool hasShortcut(int keyCode, int shift) const;

private:
    QMenu* submenu();
    Screen& screen_;
    QAction* action_;
    QMenu* menu_ = nullptr;
    QString caption_;
    QList<QKeySequence> shortcuts_;
    bool checked_ = false, enabled_ = true, visible_ = true;
};

// A timer of a screen. In a program with frozen time (the scripted driver) it
// never fires by itself; `fire` runs its handler. In real time it keeps to its
// schedule: firings the event loop could not run on time (a frame being drawn,
// a busy machine) run as soon as it can, each a whole firing of its own. A
// timer faster than 8 ms runs its firings a few in a row every 8 ms.

}  // namespace tk
