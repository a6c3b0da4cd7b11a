// The services of the shipped program, over Qt.
#pragma once

#include <QHash>
#include <QString>

#include "services.h"

class QSoundEffect;

namespace tk {

class QtServices : public Services {
public:
    // The folders are found from the executable's place (folders.h).
    QtServices();
    ~QtServices() override;
    int msgBox(const QString& text, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    void playSound(const QString& path) override;
    bool launchViewer(const QString& path) override;
    void requestDisplayMode(int width, int height) override;
    void end() override;
    double clockSeconds() const override;

private:
    QHash<QString, QSoundEffect*> sounds_;
};

// Switches the X11 display to width x height through XRandR; does nothing
// elsewhere. The outcome is not reported.
void requestX11DisplayMode(int width, int height);

}  // namespace tk
