#include "level_screens.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QWidget>

#include "editor/frmedit.h"
#include "editor/frmouvrir.h"
#include "game/frmaffpg.h"
#include "game/frmsaut.h"
#include "menus/frmmenu.h"
#include "menus/frmpre.h"

namespace testing {

namespace {
const QString kName = QStringLiteral("niveau.lev");
}  // namespace

LevelScreens::LevelScreens(const QString& assets)
    : services_(folder_.path(), nullptr), program_(services_, true) {
    const QDir from(QDir(assets).filePath(QStringLiteral("folder")));
    for (const QString& f : from.entryList(QDir::Files))
        QFile::copy(from.filePath(f), QDir(folder_.path()).filePath(f));
    program_.show<zelk::frmmenu>();
    program_.collectGarbage();
}

bool LevelScreens::show(const QByteArray& level) {
    QFile f(QDir(folder_.path()).filePath(kName));
    if (!f.open(QIODevice::WriteOnly) || f.write(level) != level.size()) return false;
    f.close();
    services_.clearLog();
    auto& menu = program_.get<zelk::frmmenu>();
    menu.File1.refresh();
    menu.File1.setFileName(kName);
    menu.Command8.click();  // VOIR: the preview, built afresh
    const bool previewed = program_.loadedAs<zelk::frmpre>() != nullptr;
    program_.unload<zelk::frmaffpg>();
    program_.unload<zelk::frmsaut>();
    menu.Command1.click();  // JOUER: a game screen of its own
    zelk::frmsaut* game = program_.loadedAs<zelk::frmsaut>();
    const bool played = game && game->visible();
    menu.Command3.click();  // EDITEUR, then "Ouvrir..."
    auto& editor = program_.get<zelk::frmedit>();
    editor.ouv.click();
    auto& open = program_.get<zelk::frmouvrir>();
    open.File1.setFileName(kName);
    open.Command1.click();
    const bool opened = !program_.loadedAs<zelk::frmouvrir>();
    if (!opened) program_.unload<zelk::frmouvrir>();
    editor.Timer1.fire();  // the platform numbers follow their platforms
    program_.collectGarbage();
    return previewed || played || opened;
}

void LevelScreens::tick(int n) {
    for (int i = 0; i < n; ++i)
        if (zelk::frmsaut* game = program_.loadedAs<zelk::frmsaut>()) game->Timer1.fire();
    program_.collectGarbage();
}

std::vector<tk::Screen*> LevelScreens::shown() {
    std::vector<tk::Screen*> out;
    for (tk::Screen* s : {static_cast<tk::Screen*>(program_.loadedAs<zelk::frmpre>()),
                          static_cast<tk::Screen*>(program_.loadedAs<zelk::frmsaut>()),
                          static_cast<tk::Screen*>(program_.loadedAs<zelk::frmaffpg>()),
                          static_cast<tk::Screen*>(program_.loadedAs<zelk::frmedit>())})
        if (s && s->visible()) out.push_back(s);
    return out;
}

void LevelScreens::draw(tk::Screen& s, QImage& into) {
    const QSize size = s.window()->size();
    if (into.size() != size) into = QImage(size, QImage::Format_RGB32);
    QPainter p(&into);
    s.render(p, size);
}

}  // namespace testing
