// The services of the shipped program, over Qt.
#pragma once

#include <QHash>
#include <QSize>
#include <QString>

#include "folders.h"
#include "services.h"

class QSoundEffect;

namespace tk {

class QtServices : public Services {
public:
    // The folders, found from the executable's place (folders.h).
    explicit QtServices(const Folders& folders);
    // Puts back the display mode the desktop had, when the program changed it.
    ~QtServices() override;
    int msgBox(const QString& text, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    void playSound(const QString& path) override;
    bool launchViewer(const QString& path) override;
    DisplayChange requestDisplayMode(int width, int height) override;
    void end() override;
    double clockSeconds() const override;

private:
    QHash<QString, QSoundEffect*> sounds_;
    QSize desktopMode_;   // the display's size before the program first changed it
    bool ended_ = false;  // end() was called: no dialog has an answer any more
};

// Switches the X11 display to `size` through XRandR when it has such a mode;
// does nothing elsewhere. `before` is the size the display had when the
// switch changed it, empty otherwise.
Services::DisplayChange switchX11DisplaySize(QSize size, QSize* before = nullptr);

}  // namespace tk
