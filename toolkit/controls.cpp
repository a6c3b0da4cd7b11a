#include "controls.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>

#include "desktop.h"
#include "paint.h"
#include "program.h"
#include "screen.h"
#include "stats.h"

namespace tk {

// ---- Control

Control::Control(Screen& screen, QWidget* widget, const char* name, QRectF rect)
    : QObject(&screen), screen_(screen), w_(widget), rect_(rect) {
    setObjectName(QString::fromLatin1(name));
    w_->setParent(screen.window());
    screen.registerControl(this, this);
    place();
    w_->show();
}

Control::~Control() {
    screen_.unregisterControl(this);
}

void Control::place() {
    const float ppt = screen_.pixelsPerTwip();
    const QPointF o = screen_.origin();
    const QRectF px(o.x() + rect_.x() * ppt, o.y() + rect_.y() * ppt, rect_.width() * ppt,
                    rect_.height() * ppt);
    w_->setGeometry(px.toRect());
    // 96 pixels to the inch at scale 1: 4/3 pixel a point.
    w_->setFont(layoutFont(fontName_, fontSize_, fontBold_, ppt * kTwipsPerPixel * 4.0f / 3.0f));
}

void Control::setLeft(float v) {
    rect_.moveLeft(v);
    place();
}
void Control::setTop(float v) {
    rect_.moveTop(v);
    place();
}
void Control::setWidth(float v) {
    rect_.setWidth(v);
    place();
}
void Control::setHeight(float v) {
    rect_.setHeight(v);
    place();
}
void Control::setVisible(bool v) {
    visible_ = v;
    w_->setVisible(v);
}
void Control::setEnabled(bool v) {
    enabled_ = v;
    w_->setEnabled(v);
}
QString Control::toolTip() const {
    return w_->toolTip();
}
void Control::setToolTip(const QString& t) {
    w_->setToolTip(t);
}
void Control::setFontName(const QString& f) {
    fontName_ = f;
    place();
}
void Control::setFontSize(float pt) {
    fontSize_ = pt;
    place();
}
void Control::setFontBold(bool b) {
    fontBold_ = b;
    place();
}

void Control::fire(const Handler& h) {
    screen_.program().dispatch([&] {
        if (h) h();
    });
}

// ---- CommandButton

CommandButton::CommandButton(Screen& s, const char* name, QRectF rect, const QString& caption)
    : Control(s, new QPushButton(caption), name, rect) {
    button()->setFocusPolicy(Qt::TabFocus);
    connect(button(), &QPushButton::clicked, this, [this] { click(); });
}
QPushButton* CommandButton::button() const {
    return static_cast<QPushButton*>(w_);
}
QString CommandButton::caption() const {
    return button()->text();
}
void CommandButton::setCaption(const QString& c) {
    button()->setText(c);
}
void CommandButton::setBackColor(const QColor& c) {
    back_ = c;
    // A light bevel keeps the flat colour readable as a button.
    button()->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; border: 2px outset %2; "
                       "border-radius: 3px; }"
                       "QPushButton:pressed { border-style: inset; }"
                       "QPushButton:focus { border-color: %3; }")
            .arg(c.name(), c.lighter(130).name(), c.darker(160).name()));
}
void CommandButton::setIcon(const QImage& img) {
    button()->setIcon(QIcon(QPixmap::fromImage(img)));
    button()->setIconSize(QSize(img.width(), img.height()));
}
void CommandButton::click() {
    if (!enabled_) return;
    fire(Click);
}

// ---- CheckBox

CheckBox::CheckBox(Screen& s, const char* name, QRectF rect, const QString& caption)
    : Control(s, new QCheckBox(caption), name, rect) {
    box()->setFocusPolicy(Qt::TabFocus);
    connect(box(), &QCheckBox::clicked, this, [this](bool on) { setValue(on ? 1 : 0); });
}
QCheckBox* CheckBox::box() const {
    return static_cast<QCheckBox*>(w_);
}
QString CheckBox::caption() const {
    return box()->text();
}
void CheckBox::setCaption(const QString& c) {
    box()->setText(c);
}
void CheckBox::setValue(int v) {
    if (v < 0 || v > 2)
        throw level::RuntimeError(QStringLiteral("Valeur de case à cocher incorrecte."));
    {
        QSignalBlocker b(box());
        box()->setChecked(v != 0);
    }
    if (v == value_) return;
    value_ = v;
    fire(Click);
}

// ---- OptionButton

OptionButton::OptionButton(Screen& s, const char* name, QRectF rect, const QString& caption)
    : Control(s, new QRadioButton(caption), name, rect) {
    radio()->setAutoExclusive(false);
    radio()->setFocusPolicy(Qt::TabFocus);
    connect(radio(), &QRadioButton::clicked, this, [this] { setValue(true); });
}
QRadioButton* OptionButton::radio() const {
    return static_cast<QRadioButton*>(w_);
}
QString OptionButton::caption() const {
    return radio()->text();
}
void OptionButton::setCaption(const QString& c) {
    radio()->setText(c);
}
void OptionButton::setValue(bool v) {
    if (v) {
        for (OptionButton* o : screen_.optionButtons()) {
            if (o != this && o->value_) {
                o->value_ = false;
                QSignalBlocker b(o->radio());
                o->radio()->setChecked(false);
                if (o->Changed) o->Changed();
            }
        }
    }
    {
        QSignalBlocker b(radio());
        radio()->setChecked(v);
    }
    const bool changed = v != value_;
    value_ = v;
    if (changed && Changed) Changed();
    if (v && changed) fire(Click);
}

// ---- HScrollBar

HScrollBar::HScrollBar(Screen& s, const char* name, QRectF rect, int min, int max, int value,
                       int smallChange, int largeChange)
    : Control(s, new QScrollBar(Qt::Horizontal), name, rect),
      min_(min),
      max_(max),
      value_(value),
      small_(smallChange),
      large_(largeChange) {
    bar()->setFocusPolicy(Qt::TabFocus);
    syncWidget();
    connect(bar(), &QScrollBar::valueChanged, this, [this](int v) {
        if (v == value_) return;
        value_ = v;
        fire(bar()->isSliderDown() ? Scroll : Change);
    });
    connect(bar(), &QScrollBar::sliderPressed, this, [this] { valueAtPress_ = value_; });
    connect(bar(), &QScrollBar::sliderReleased, this, [this] {
        if (value_ != valueAtPress_) fire(Change);
    });
}
QScrollBar* HScrollBar::bar() const {
    return static_cast<QScrollBar*>(w_);
}
void HScrollBar::syncWidget() {
    QSignalBlocker b(bar());
    bar()->setRange(std::min(min_, max_), std::max(min_, max_));
    bar()->setSingleStep(small_);
    bar()->setPageStep(large_);
    bar()->setValue(value_);
}
void HScrollBar::setMin(int v) {
    min_ = v;
    syncWidget();
}
void HScrollBar::setMax(int v) {
    max_ = v;
    syncWidget();
}
void HScrollBar::setSmallChange(int v) {
    small_ = v;
    syncWidget();
}
void HScrollBar::setLargeChange(int v) {
    large_ = v;
    syncWidget();
}
void HScrollBar::setValue(int v) {
    if (v < std::min(min_, max_) || v > std::max(min_, max_)) {
        throw level::RuntimeError(QStringLiteral("Valeur %1 hors des limites de %2 (%3 à %4).")
                                      .arg(v)
                                      .arg(objectName())
                                      .arg(min_)
                                      .arg(max_));
    }
    if (v == value_) return;
    value_ = v;
    syncWidget();
    fire(Change);
}

// ---- ListControl, ListBox, FileListBox

ListControl::ListControl(Screen& s, const char* name, QRectF rect)
    : Control(s, new QListWidget, name, rect) {
    listWidget()->setFocusPolicy(Qt::TabFocus);
    connect(listWidget(), &QListWidget::itemClicked, this, [this](QListWidgetItem* it) {
        index_ = listWidget()->row(it);
        fire(Click);
    });
    connect(listWidget(), &QListWidget::currentRowChanged, this, [this](int row) {
        if (row == index_ || row < 0) return;  // clicks are handled above
        index_ = row;
        fire(Click);
    });
}
QListWidget* ListControl::listWidget() const {
    return static_cast<QListWidget*>(w_);
}
void ListControl::setListIndex(int i) {
    if (i < -1 || i >= items_.size())
        throw level::RuntimeError(QStringLiteral("Index de liste incorrect : %1.").arg(i));
    if (i == index_) return;
    index_ = i;
    {
        QSignalBlocker b(listWidget());
        listWidget()->setCurrentRow(i);
        if (i < 0) listWidget()->clearSelection();
    }
    fire(Click);
}
void ListControl::userSelect(int i) {
    if (i == index_) {
        fire(Click);
    } else {
        setListIndex(i);
    }
}
void ListControl::setItems(const QStringList& items) {
    const QString selected = selectedItem();
    items_ = items;
    index_ = static_cast<int>(items_.indexOf(selected));
    QSignalBlocker b(listWidget());
    listWidget()->clear();
    listWidget()->addItems(items_);
    if (index_ >= 0) listWidget()->setCurrentRow(index_);
}

ListBox::ListBox(Screen& s, const char* name, QRectF rect, const QStringList& items)
    : ListControl(s, name, rect) {
    setItems(items);
}

FileListBox::FileListBox(Screen& s, const char* name, QRectF rect, const QString& pattern)
    : ListControl(s, name, rect), pattern_(pattern) {}
void FileListBox::setPath(const QString& p) {
    path_ = p;
    refresh();
}
void FileListBox::setPattern(const QString& p) {
    pattern_ = p;
    refresh();
}

void FileListBox::refresh() {
    QStringList found;
    if (!path_.isEmpty()) {
        const QRegularExpression re(
            QRegularExpression::wildcardToRegularExpression(pattern_.isEmpty() ? "*" : pattern_),
            QRegularExpression::CaseInsensitiveOption);
        for (const QString& n : level::regularFiles(path_)) {
            if (re.match(n).hasMatch()) found << n;
        }
    }
    std::sort(found.begin(), found.end(), [](const QString& a, const QString& b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    setItems(found);
}

// ---- TextBox

TextBox::TextBox(Screen& s, const char* name, QRectF rect, const QString& text)
    : Control(s, new QLineEdit(text), name, rect), text_(text) {
    connect(edit(), &QLineEdit::textEdited, this, [this](const QString& t) { text_ = t; });
    frenchContextMenu(*edit());
}
QLineEdit* TextBox::edit() const {
    return static_cast<QLineEdit*>(w_);
}
void TextBox::setText(const QString& t) {
    text_ = t;
    QSignalBlocker b(edit());
    edit()->setText(t);
}

// ---- MenuItem

MenuItem::MenuItem(Screen& s, const char* name, const QString& caption, MenuItem* parent)
    : QObject(&s), screen_(s), caption_(caption) {
    setObjectName(QString::fromLatin1(name));
    QString text = caption;
    if (parent) {
        action_ = parent->submenu()->addAction(text);
    } else {
        action_ = s.menuBar()->addAction(text);
    }
    connect(action_, &QAction::triggered, this, [this] {
        {
            QSignalBlocker b(action_);
            action_->setChecked(checked_);  // only the handler decides the check mark
        }
        click();
    });
    s.registerControl(this, nullptr);
}
QMenu* MenuItem::submenu() {
    if (!menu_) {
        menu_ = new QMenu(caption_, screen_.window());
        action_->setMenu(menu_);
    }
    return menu_;
}
void MenuItem::setCaption(const QString& c) {
    caption_ = c;
    action_->setText(c);
}
void MenuItem::setChecked(bool c) {
    checked_ = c;
    action_->setCheckable(true);
    QSignalBlocker b(action_);
    action_->setChecked(c);
}
void MenuItem::setEnabled(bool e) {
    enabled_ = e;
    action_->setEnabled(e);
}
void MenuItem::setVisible(bool v) {
    visible_ = v;
    action_->setVisible(v);
}
void MenuItem::setShortcuts(const QList<QKeySequence>& keys) {
    shortcuts_ = keys;
    action_->setShortcuts(keys);
}
bool MenuItem::hasShortcut(int keyCode, int shift) const {
    const int key = qtKeyOf(keyCode);
    if (key == 0) return false;
    Qt::KeyboardModifiers mods;
    if (shift & ShiftKey) mods |= Qt::ShiftModifier;
    if (shift & CtrlKey) mods |= Qt::ControlModifier;
    if (shift & AltKey) mods |= Qt::AltModifier;
    const QKeyCombination pressed(mods, static_cast<Qt::Key>(key));
    for (const QKeySequence& k : shortcuts_)
        if (k.count() == 1 && k[0] == pressed) return true;
    return false;
}
void MenuItem::click() {
    if (!enabled_) return;
    screen_.program().dispatch([&] {
        if (Click) Click();
    });
}

}  // namespace tk
