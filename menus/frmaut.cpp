#include "menus/frmaut.h"

#include <QScopedValueRollback>

#include "game/rules.h"
#include "map/screenmap.h"

namespace zelk {

namespace {
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
using Settings = level::GameSettings;
}  // namespace

frmaut::frmaut(tk::Program& program)
    : tk::Screen(program, kName, 5775, 4200),
      dep(*this, "dep", {1080, 1080, 2655, 255}, Settings::kDep.min, Settings::kDep.max,
          Settings::kDep.start, 6, 6),
      Command6(*this, "Command6", {4440, 1080, 735, 255}, QStringLiteral("DEF")),
      ram(*this, "ram", {2280, 1440, 2535, 195}, QStringLiteral("Simuler un ramage")),
      vie(*this, "vie", {1200, 1920, 2415, 255}, Settings::kVie.min, Settings::kVie.max,
          Settings::kVie.start, 10, 10),
      Command1(*this, "Command1", {4440, 1920, 735, 255}, QStringLiteral("DEF")),
      Command3(*this, "Command3", {3960, 3000, 255, 375}, QStringLiteral("!")),
      maxgb(*this, "maxgb", {1320, 3120, 2535, 255}, Settings::kMaxgb.min, Settings::kMaxgb.max,
            Settings::kMaxgb.start, 1, 1),
      jour(*this, "jour", {360, 3720, 1095, 255}, QStringLiteral("jour")),
      nuit(*this, "nuit", {1680, 3720, 855, 255}, QStringLiteral("nuit")),
      Command2(*this, "Command2", {4320, 3720, 1335, 375}, QStringLiteral("OK")) {
    setCaption(QStringLiteral("Options du jeu"));
    // Minimised, it only holds the settings: no place in the taskbar.
    setListedWhenMinimized(false);
    auto label = [this](tk::Label& l, const char* name, float x, float y, float w, float h,
                        const QString& caption, QColor color = Qt::black) {
        l.setRect(x, y, w, h);
        l.Caption = caption;
        l.ForeColor = color;
        add(l, name);
    };
    label(Label1, "Label1", 2400, 120, 2895, 855,
          QStringLiteral("Cette barre de défilement sert a modifier la vitesse du jeu en fonction "
                         "de celle de votre CPU. Changer la valeur si vous êtes un utilisateur "
                         "confirmé."),
          kRed);
    label(Label7, "Label7", 120, 720, 1335, 255, QStringLiteral("Rapidité du jeu"), kBlue);
    label(Label2, "Label2", 240, 1080, 855, 255, QStringLiteral("+ rapide"));
    label(Label3, "Label3", 3840, 1080, 855, 255, QStringLiteral("+ lent"));
    label(Label4, "Label4", 120, 1560, 1335, 255, QStringLiteral("Difficulté du jeu"), kBlue);
    label(s, "s", 480, 1920, 855, 255, QStringLiteral("+difficile"));
    label(Label5, "Label5", 3720, 1920, 855, 255, QStringLiteral("+facile"));
    label(Label6, "Label6", 1800, 2280, 1095, 255, QStringLiteral("100%"));
    Label6.Alignment = tk::AlignCenter;
    label(Label8, "Label8", 120, 2520, 5535, 495,
          QStringLiteral("Nombre max de grenouilles grises affichées dans le niveaux (rien avoir "
                         "avec la valeur de grenouilles à tuer)  PAR:"),
          kBlue);
    label(Label9, "Label9", 2160, 3480, 855, 255, QStringLiteral("4"));
    Label9.Alignment = tk::AlignCenter;
    Command3.setBackColor(kRed);
    jour.setValue(true);

    Command6.Click = [this] { dep.setValue(kTickMs); };
    Command1.Click = [this] { vie.setValue(kStartVie); };
    Command2.Click = [this] { setWindowState(tk::Minimized); };
    Command3.Click = [this] {
        this->program().services().msgBox(
            QStringLiteral("Attention!, le jeu peut ramer si vous dépasser la valeur accepter par "
                           "le CPU! (par exemple: si vous avez un processeur 1Ghz, le mieux c'est "
                           "5)"),
            tk::mb::OkOnly | tk::mb::Exclamation, QStringLiteral("!!!"));
    };
    // Every change reaches the model at once, a thumb being dragged too: a
    // level running reads it.
    maxgb.Scroll = [this] {
        Label9.Caption = level::str(maxgb.value());
        model().maxgb = maxgb.value();
    };
    vie.Scroll = [this] {
        Label6.Caption = percentage(vie.value(), vie.max()) + u'%';
        model().vie = vie.value();
    };
    dep.Scroll = [this] { model().dep = dep.value(); };
    jour.Changed = [this] { model().jour = jour.value(); };
    ram.Click = [this] {
        dep.setEnabled(ram.value() != 1);
        model().ram = ram.value();
        keep();
    };
    // A drag of a thumb is written once, at its release (a change); each
    // click, key and program change is written as it comes, not durably.
    maxgb.Change = [this] {
        maxgb.Scroll();
        keep();
    };
    vie.Change = [this] {
        vie.Scroll();
        keep();
    };
    dep.Change = [this] {
        dep.Scroll();
        keep();
    };
    jour.Click = nuit.Click = [this] { keep(); };
    // A screen loaded again starts from its own values, as the model does.
    model() = settings();
}

level::GameSettings frmaut::settings() const {
    return {dep.value(), vie.value(), maxgb.value(), ram.value(), jour.value()};
}

void frmaut::apply(const level::GameSettings& s) {
    const QScopedValueRollback quiet(applying_, true);
    dep.setValue(s.dep);
    vie.setValue(s.vie);
    maxgb.setValue(s.maxgb);
    ram.setValue(s.ram);
    (s.jour ? jour : nuit).setValue(true);
}

void frmaut::Form_Load() {
    tk::Services& sv = program().services();
    file_ = level::SettingsFile(sv.settingsFile());
    QString note;
    const level::GameSettings kept = file_.load(sv.files(), note);
    model() = kept;
    apply(kept);
    if (!note.isEmpty())
        sv.msgBox(note, tk::mb::OkOnly | (file_.keeps() ? tk::mb::Exclamation : tk::mb::Critical),
                  caption());
}

bool frmaut::Form_QueryClose() {
    setWindowState(tk::Minimized);
    return false;
}

void frmaut::keep() {
    if (applying_) return;
    tk::Services& sv = program().services();
    QString note;
    if (!file_.save(sv.files(), model(), note) && !note.isEmpty())
        sv.msgBox(note, tk::mb::OkOnly | tk::mb::Critical, caption());
}

level::GameSettings& frmaut::model() {
    return ScreenMap::of(program()).options().editSettings();
}

QString frmaut::percentage(int value, int max) {
    // Computed in single precision; written with "." whatever the locale, so
    // a fraction from dragging the thumb is kept ("8.8").
    const float p = static_cast<float>(static_cast<double>(value) / max * 200.0);
    return level::str(p);
}

}  // namespace zelk
