#include "desktop.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTranslator>
#include <cstdio>
#include <cstring>
#include <memory>

#include <unistd.h>

#ifdef ZELK_HAVE_XRANDR
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#undef Bool
#undef None
#undef Status
#endif

namespace tk {

namespace {

// Qt's words when no audio server answers. Without one the game is silent,
// which needs no saying; everything else is printed as Qt would.
bool aboutAudio(QtMsgType type, const QString& msg) {
    return type == QtWarningMsg && (msg.startsWith(QLatin1String("PulseAudioService:")) ||
                                    msg == QLatin1String("No audio device detected"));
}
void print(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, msg)));
}
void quietWithoutAudio(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (!aboutAudio(type, msg)) print(type, context, msg);
}
// Also quiet when X11 does not answer and Wayland, asked after it, takes over.
void quietWithoutAudioOrX11(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (aboutAudio(type, msg) || msg.startsWith(QLatin1String("could not connect to display")) ||
        msg.startsWith(QLatin1String("Could not load the Qt platform plugin \"xcb\"")))
        return;
    print(type, context, msg);
}

}  // namespace

int answerCommandLine(int argc, char** argv, const char* usage) {
    const char* name = argc > 0 ? std::strrchr(argv[0], '/') : nullptr;
    name = name ? name + 1 : argc > 0 ? argv[0] : "zelk";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            printVersion(name);
            return 0;
        }
    }
    if (argc < 2) return -1;
    std::fprintf(stderr, "%s : %s « %s »\nEssayez « %s --help » pour en savoir plus.\n", name,
                 argv[1][0] == '-' ? "option inconnue" : "argument inattendu", argv[1], name);
    return 2;
}

void printVersion(const char* name) {
    std::printf("%s %s\n", name, ZELK_VERSION);
}

PlatformArguments::PlatformArguments(int argc, char** argv) : argv_(argv, argv + argc) {
    asksForX11_ = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
                  !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
                  !qEnvironmentVariableIsEmpty("DISPLAY");
    if (asksForX11_) {
        argv_.push_back(option_.data());
        argv_.push_back(xcb_.data());
    }
    qInstallMessageHandler(asksForX11_ ? quietWithoutAudioOrX11 : quietWithoutAudio);
    // On X11 the window's changed parts are sent over the connection rather
    // than through shared memory: a frame changes a few small rectangles, and
    // the shared-memory path costs a round trip to the server for each flush
    // (a third of the CPU while playing, `make bench`). ZELK_MITSHM=1 keeps
    // shared memory, to compare.
    if (qEnvironmentVariable("ZELK_MITSHM") != QLatin1String("1")) qputenv("QT_XCB_NO_MITSHM", "1");
    argc_ = static_cast<int>(argv_.size());
    argv_.push_back(nullptr);
}

void presentToDesktop(const QString& name, const QString& desktopEntry, const QString& iconFolder) {
    QCoreApplication::setApplicationName(name);
    QGuiApplication::setDesktopFileName(desktopEntry);
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral("%1/%2.png").arg(iconFolder).arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    loadFrenchTranslations();
}

#ifdef ZELK_HAVE_XRANDR
void listInTaskbar(QWidget& window, bool listed) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* dpy = x11 ? x11->display() : nullptr;
    if (!dpy) return;
    const auto id = static_cast<Window>(window.winId());
    const Atom state = XInternAtom(dpy, "_NET_WM_STATE", 0),
               skip = XInternAtom(dpy, "_NET_WM_STATE_SKIP_TASKBAR", 0);
    // The states Qt or an earlier call left are kept; Qt adds its own to them
    // when it shows the window.
    std::vector<Atom> states;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, id, state, 0, 64, 0, XA_ATOM, &type, &format, &count, &after,
                           &data) == Success &&
        data && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count; ++i)
            if (atoms[i] != skip) states.push_back(atoms[i]);
    }
    if (data) XFree(data);
    if (!listed) states.push_back(skip);
    XChangeProperty(dpy, id, state, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(states.data()),
                    static_cast<int>(states.size()));
    XFlush(dpy);
}
#else
void listInTaskbar(QWidget&, bool) {}
#endif

QPoint windowPlace(level::Files& files, const QString& name, level::FileLock& held) {
    // Places a user and display can hold, and the step between two, pixels:
    // a title bar and a little more, so that each window's title shows.
    constexpr int kPlaces = 8, kStep = 40;
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!QDir::isAbsolutePath(folder)) folder = QDir::tempPath();
    // Windows of different displays never meet: each display has its places.
    QString display = qEnvironmentVariable("DISPLAY", qEnvironmentVariable("WAYLAND_DISPLAY"));
    for (QChar& c : display)
        if (!c.isLetterOrNumber() && c != u'.') c = u'_';
    const QString stem =
        QStringLiteral("%1/%2-%3-%4-place-").arg(folder, name).arg(::getuid()).arg(display);
    QString why;
    for (int place = 0; place < kPlaces; ++place)
        if (files.lock(stem + QString::number(place), held, why, false))
            return {place * kStep, place * kStep};
    return {};
}

bool loadFrenchTranslations() {
    auto qt = std::make_unique<QTranslator>(qApp);
    if (!qt->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(qt.release());
    return true;
}

void frenchLabels(QMenu& menu) {
    // Qt names the entries in later versions; 6.4 has only their English text.
    static constexpr struct {
        const char* name;
        const char* english;
        const char* french;
    } kLabels[] = {
        {"edit-undo", "&Undo", "&Annuler"},
        {"edit-redo", "&Redo", "&Rétablir"},
        {"edit-cut", "Cu&t", "Co&uper"},
        {"edit-copy", "&Copy", "Cop&ier"},
        {"edit-paste", "&Paste", "Co&ller"},
        {"edit-delete", "Delete", "Supprimer"},
        {"select-all", "Select All", "Tout sélectionner"},
    };
    for (QAction* a : menu.actions()) {
        // The shortcut shown after a tab stays as it is.
        const qsizetype tab = a->text().indexOf(u'\t');
        const QString label = a->text().left(tab),
                      shortcut = tab < 0 ? QString() : a->text().mid(tab);
        for (const auto& l : kLabels) {
            if (a->objectName() == QLatin1String(l.name) || label == QLatin1String(l.english))
                a->setText(QString::fromUtf8(l.french) + shortcut);
        }
    }
}

void frenchContextMenu(QLineEdit& edit) {
    edit.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&edit, &QWidget::customContextMenuRequested, &edit,
                     [e = &edit](const QPoint& at) {
                         std::unique_ptr<QMenu> menu(e->createStandardContextMenu());
                         frenchLabels(*menu);
                         menu->exec(e->mapToGlobal(at));
                     });
}

}  // namespace tk
