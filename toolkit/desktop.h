// How a program meets the desktop: the platform it runs on, its name, desktop
// entry and icon, and the French texts of Qt's own dialogs and menus.
#pragma once

#include <QPoint>
#include <QString>
#include <string>
#include <vector>

#include "level/files.h"

class QLineEdit;
class QMenu;
class QWidget;

namespace tk {

// What the command line asks before any window is opened: --help prints
// `usage` and --version the program's version, on standard output, and the
// program ends with 0; any other argument is refused on standard error and
// the program ends with 2. -1: nothing asked, the program goes on.
int answerCommandLine(int argc, char** argv, const char* usage);
// "NAME VERSION" on standard output.
void printVersion(const char* name);

// The arguments to make the QApplication with. On a Wayland desktop that
// also runs X11 (XWayland), and unless the user chose a platform
// (QT_QPA_PLATFORM), they ask for X11 first and Wayland after it: only on X11
// can the program place its windows and change the display mode, and a
// DISPLAY left over from another session falls back to Wayland. Elsewhere it
// runs natively, and those requests do what the platform allows, without a
// word. Qt's warnings that need no saying (no audio server; no X11 where
// Wayland takes over) are not printed.
class PlatformArguments {
public:
    PlatformArguments(int argc, char** argv);
    int& argc() { return argc_; }
    char** argv() { return argv_.data(); }
    bool asksForX11() const { return asksForX11_; }

private:
    std::string option_{"-platform"}, xcb_{"xcb;wayland"};
    std::vector<char*> argv_;
    int argc_;
    bool asksForX11_ = false;
};

// After the QApplication is made: names the program for the desktop (its
// name, and the desktop entry that docks group its windows under), gives
// every window the icon whose PNGs are iconFolder/SIZE.png, and loads Qt's
// French translations whatever the desktop's language.
void presentToDesktop(const QString& name, const QString& desktopEntry, const QString& iconFolder);

// Where a program's windows go when others of the same name show theirs on
// the same display: each program holds the first free one of a few places
// (an advisory lock in the user's runtime folder, let go when it ends,
// however it ends) and gets its offset from the middle of the screen,
// pixels. The first program's windows stay in the middle, as does every
// window when no place can be held.
QPoint windowPlace(level::Files& files, const QString& name, level::FileLock& held);

// Qt's French translations (package qt6-translations-l10n); false when they
// are not installed, where the program's own French labels remain.
bool loadFrenchTranslations();

// Whether a window is listed in the desktop's taskbar (X11; elsewhere the
// platform decides). Changed only while the window is not shown, as window
// managers read it when a window appears.
void listInTaskbar(QWidget& window, bool listed);

// French labels on a text box's standard context menu, whatever translations
// are installed.
void frenchLabels(QMenu& menu);
// A text box whose context menu is the standard one with French labels.
void frenchContextMenu(QLineEdit& edit);

}  // namespace tk
