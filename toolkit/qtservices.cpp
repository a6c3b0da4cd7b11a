#include "qtservices.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSoundEffect>
#include <QTime>
#include <QUrl>

#include "desktop.h"
#include "folders.h"

#ifdef ZELK_HAVE_XRANDR
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
// Xlib's macros clash with Qt names used below this point.
#undef Bool
#undef None
#undef Status
#endif

namespace tk {

QtServices::QtServices(const Folders& folders) {
    setFolders(folders.data, folders.levels);
    setSettingsFile(folders.settings);
}
QtServices::~QtServices() {
    qDeleteAll(sounds_);
    // Every way out of the program ends here, after the event loop: the
    // desktop gets its own mode back. A mode gone meanwhile stays gone.
    if (desktopMode_.isValid()) switchX11DisplaySize(desktopMode_);
}

int QtServices::msgBox(const QString& text, int style, const QString& title) {
    if (ended_) throw ProgramEnded();
    QMessageBox box;
    box.setWindowTitle(title);
    // Texts hold file names and fields of files: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (style & 0x70) {
        case mb::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case mb::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case mb::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case mb::Information:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
    }
    struct B {
        QMessageBox::StandardButton qt;
        int answer;
        const char* text;
    };
    std::vector<B> buttons;
    switch (style & 0x0F) {
        case mb::OkCancel:
            buttons = {{QMessageBox::Ok, mb::Ok, "OK"},
                       {QMessageBox::Cancel, mb::Cancel, "Annuler"}};
            break;
        case mb::AbortRetryIgnore:
            buttons = {{QMessageBox::Abort, mb::Abort, "Abandonner"},
                       {QMessageBox::Retry, mb::Retry, "Réessayer"},
                       {QMessageBox::Ignore, mb::Ignore, "Ignorer"}};
            break;
        case mb::YesNoCancel:
            buttons = {{QMessageBox::Yes, mb::Yes, "Oui"},
                       {QMessageBox::No, mb::No, "Non"},
                       {QMessageBox::Cancel, mb::Cancel, "Annuler"}};
            break;
        case mb::YesNo:
            buttons = {{QMessageBox::Yes, mb::Yes, "Oui"}, {QMessageBox::No, mb::No, "Non"}};
            break;
        case mb::RetryCancel:
            buttons = {{QMessageBox::Retry, mb::Retry, "Réessayer"},
                       {QMessageBox::Cancel, mb::Cancel, "Annuler"}};
            break;
        default:
            buttons = {{QMessageBox::Ok, mb::Ok, "OK"}};
            break;
    }
    for (const B& b : buttons)
        box.addButton(b.qt)->setText(QString::fromUtf8(b.text));
    box.setDefaultButton(buttons.front().qt);
    const int r = box.exec();
    // Closed by the end (a stop asked by the system): no button was pressed.
    if (ended_) throw ProgramEnded();
    for (const B& b : buttons)
        if (b.qt == r) return b.answer;
    // Closed with Escape or the close box: the cancelling button's answer.
    for (const B& b : buttons)
        if (b.answer == mb::Cancel || b.answer == mb::No) return b.answer;
    return buttons.front().answer;
}

QString QtServices::inputBox(const QString& prompt, const QString& title,
                             const QString& defaultText) {
    if (ended_) throw ProgramEnded();
    QInputDialog box;
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    box.setTextValue(defaultText);
    for (QLabel* l : box.findChildren<QLabel*>())
        l->setTextFormat(Qt::PlainText);  // as in the message boxes
    // French whether or not Qt's translations are installed.
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Annuler"));
    if (auto* edit = box.findChild<QLineEdit*>()) frenchContextMenu(*edit);
    const bool accepted = box.exec() == QDialog::Accepted;
    if (ended_) throw ProgramEnded();
    return accepted ? box.textValue() : QString();
}

void QtServices::playSound(const QString& path) {
    if (!QFileInfo::exists(path)) return;  // a missing sound is silence
    QSoundEffect*& s = sounds_[path];
    if (!s) {
        s = new QSoundEffect;
        s->setSource(QUrl::fromLocalFile(path));
    }
    s->stop();
    s->play();
}

bool QtServices::launchViewer(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

Services::DisplayChange QtServices::requestDisplayMode(int width, int height) {
    QSize before;
    const DisplayChange change = switchX11DisplaySize(QSize(width, height), &before);
    if (!desktopMode_.isValid()) desktopMode_ = before;
    return change;
}

void QtServices::end() {
    ended_ = true;
    QCoreApplication::exit(0);  // every event loop, a dialog's included
}

double QtServices::clockSeconds() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

#ifdef ZELK_HAVE_XRANDR
Services::DisplayChange switchX11DisplaySize(QSize size, QSize* before) {
    using Change = Services::DisplayChange;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* dpy = x11 ? x11->display() : nullptr;
    if (!dpy) return Change::Unsupported;  // not X11 (Wayland, offscreen): nothing to do
    const Window root = DefaultRootWindow(dpy);
    XRRScreenConfiguration* conf = XRRGetScreenInfo(dpy, root);
    if (!conf) return Change::Unsupported;
    // Every size of the current display, looking for the one asked for.
    int count = 0;
    XRRScreenSize* sizes = XRRConfigSizes(conf, &count);
    int wanted = -1;
    for (int i = 0; i < count; ++i)
        if (sizes[i].width == size.width() && sizes[i].height == size.height()) wanted = i;
    Rotation rotation = 0;
    const int current = XRRConfigCurrentConfiguration(conf, &rotation);
    Change change = Change::NoSuchMode;
    if (wanted >= 0 && wanted == current) {
        change = Change::Already;
    } else if (wanted >= 0) {
        change = Change::Refused;
        if (current >= 0 && current < count &&
            XRRSetScreenConfig(dpy, conf, root, wanted, rotation, CurrentTime) ==
                RRSetConfigSuccess) {
            change = Change::Switched;
            if (before) *before = QSize(sizes[current].width, sizes[current].height);
        }
    }
    XRRFreeScreenConfigInfo(conf);
    XSync(dpy, 0);
    return change;
}
#else
Services::DisplayChange switchX11DisplaySize(QSize, QSize*) {
    return Services::DisplayChange::Unsupported;
}
#endif

}  // namespace tk
