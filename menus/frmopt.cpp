#include "menus/frmopt.h"

#include "level/levelfile.h"
#include "map/screenmap.h"
#include "menus/speedword.h"

namespace zelk {

namespace {
QStringList vialItems() {
    QStringList items;
    for (int i = 1; i <= level::kMostVials; ++i)
        items << QString::number(i);
    return items;
}
}  // namespace

frmopt::frmopt(tk::Program& program)
    : tk::Screen(program, kName, 8160, 4455),
      ois(*this, "ois", {3360, 480, 1935, 375}, QStringLiteral("Ajouter l'oiseau")),
      vitois(*this, "vitois", {5520, 600, 2535, 255}, level::kBirdSpeedRange.lo,
             level::kBirdSpeedRange.hi, level::EnemyOptions{}.birdSpeed, 2, 2),
      nb(*this, "nb", {5160, 1320, 1935, 255}, level::kGreenRange.lo, level::kGreenRange.hi, 3),
      nbg(*this, "nbg", {4920, 2160, 1815, 255}, level::kGreyRange.lo, level::kGreyRange.hi,
          level::EnemyOptions{}.greyToKill),
      nbf(*this, "nbf", {4560, 2760, 855, 645}, vialItems()),
      Command1(*this, "Command1", {3000, 3600, 1935, 495}, QStringLiteral("OK")) {
    setCaption(QStringLiteral("Options ennemies"));
    // Minimised, it only holds the settings: no place in the taskbar.
    setListedWhenMinimized(false);
    auto label = [this](tk::Label& l, const char* name, float x, float y, float w, float h,
                        const QString& caption, float size = 8.25f) {
        l.setRect(x, y, w, h);
        l.Caption = caption;
        l.FontSize = size;
        add(l, name);
    };
    label(Label1, "Label1", 240, 360, 3375, 375, QStringLiteral("Options de l'Oiseau"), 13.5f);
    label(Label9, "Label9", 5520, 240, 1095, 255, QStringLiteral("Vitesse"));
    label(Label2, "Label2", 6120, 960, 1215, 255, QStringLiteral("Lent"));
    Label2.Enabled = false;
    label(Label3, "Label3", 240, 1200, 3975, 375, QStringLiteral("Options des grenouilles vertes"),
          13.5f);
    label(Label4, "Label4", 4440, 1320, 1695, 255, QStringLiteral("Nombre:"));
    label(Label11, "Label11", 7320, 1320, 375, 255, QStringLiteral("3"));
    label(Label5, "Label5", 240, 2040, 3975, 375, QStringLiteral("Options des grenouilles grises"),
          13.5f);
    label(Label6, "Label6", 4200, 2160, 1695, 255, QStringLiteral("Nombre:"));
    label(Label8, "Label8", 6840, 2160, 375, 255, QStringLiteral("15"));
    label(Label7, "Label7", 240, 2880, 3975, 375, QStringLiteral("Options des fioles"), 13.5f);
    label(Label10, "Label10", 3720, 3000, 1695, 255, QStringLiteral("Nombre:"));

    nb.Change = nb.Scroll = [this] {
        Label11.Caption = level::str(nb.value());
        model().green = nb.value();
    };
    nbg.Change = nbg.Scroll = [this] {
        Label8.Caption = level::str(nbg.value());
        model().greyToKill = nbg.value();
    };
    vitois.Change = vitois.Scroll = [this] {
        Label2.Caption = speedWord(vitois.value());
        model().birdSpeed = vitois.value();
    };
    ois.Click = [this] {
        const bool on = ois.value() == 1;
        Label2.Enabled = on;
        vitois.setEnabled(on);
        model().bird = ois.value();
    };
    nbf.Click = [this] { model().vials = nbf.text(); };
    Command1.Click = [this] {
        setWindowState(tk::Minimized);
        ScreenMap::of(this->program()).enemyOptionsChosen();
    };
    // A screen loaded again starts from its own values, as the model does.
    model() = enemyOptions();
}

void frmopt::Form_Load() {
    const level::EnemyOptions start;
    nb.setValue(start.green);
    nbf.setText(start.vials);
}

void frmopt::Form_Unload() {
    // The level being edited loses its options with the screen.
    ScreenMap::of(program()).enemyOptionsClosed();
}

void frmopt::apply(const level::EnemyOptions& e) {
    ois.setValue(e.bird);
    vitois.setValue(e.birdSpeed);
    nb.setValue(e.green);
    nbg.setValue(e.greyToKill);
    nbf.setText(e.vials);
}

level::EnemyOptions frmopt::enemyOptions() const {
    return {ois.value(), vitois.value(), nb.value(), nbg.value(), nbf.text()};
}

level::EnemyOptions& frmopt::model() {
    return ScreenMap::of(program()).options().editEnemy();
}

}  // namespace zelk
