#include "editor/frmouvrir.h"

#include <QDir>

#include "editor/frmedit.h"
#include "game/platforms.h"
#include "level/levelfile.h"
#include "toolkit/program.h"

namespace zelk {

frmouvrir::frmouvrir(tk::Program& program)
    : tk::Screen(program, kName, 4695, 3015),
      File1(*this, "File1", {120, 240, 2775, 2625}, QStringLiteral("*.lev")),
      Command1(*this, "Command1", {3000, 2280, 1575, 615}, QStringLiteral("Ouvrir")),
      Command2(*this, "Command2", {3000, 1560, 1575, 615}, QStringLiteral("Annuler")) {
    setCaption(QStringLiteral("Ouvrir...."));
    Image1.setRect(3120, 480, 825, 840);
    Image1.setImage(QImage(QStringLiteral(":/art/open.png")), QStringLiteral("open.png"));
    add(Image1, "Image1");
    Command1.Click = [this] { open(); };
    Command2.Click = [this] { this->program().unload<frmouvrir>(); };
}

void frmouvrir::Form_Load() {
    File1.setPath(program().services().levelFolder() + u'/');
}

void frmouvrir::open() {
    const QString name = File1.fileName();
    if (name.isEmpty()) return;
    if (program().get<frmedit>().openLevel(name)) program().unload<frmouvrir>();
}

}  // namespace zelk
