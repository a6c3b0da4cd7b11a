#include "scene.h"

#include <QDir>
#include <QFile>
#include <stdexcept>
#include <vector>

#include "game/rules.h"
#include "menus/frmaut.h"
#include "menus/frmmenu.h"

namespace bench {

namespace {

// The editor's start platforms; the bird at speed 17, seven green frogs, more
// grey frogs to kill than the screen ever holds, ten vials.
constexpr const char* kLevel =
    "8520,1920,1695,1095,5400,3120,1455,3135,3360,9240,1455,3135,2640,2040,1455,3135,"
    "3120,5880,1455,3135,5520,7560,1455,3135,1,17,7,100,\"10\"\r\n";
constexpr int kRightButton = 2;
// Ticks for the grey frogs to fall from the clouds and land; they are all
// walking long before.
constexpr int kSettleTicks = 600;
// The player stands in the middle of the field; the vial lies on the ground
// at the right edge, where no frog walks.
constexpr float kPlayerLeft = 7400, kVialLeft = 14000;
// The options' start difficulty in life points; the contacts of a few ticks
// never use it up.
constexpr double kFullEnergy = zelk::kStartVie * zelk::kEnergyPerVie;

}  // namespace

struct GameScene::Saved {
    int16_t basesaut = 0, etat = 0, attente = 0, puiss = 0, plateau = 0, retouroiseau = 0,
            charge = 0, tuesgris = 0, nbvertes = 0, nbgris = 0;
    double delai = 0, energie = 0;
    float sourisx = 0;
    int32_t pasgris = 0;
    std::vector<tk::Picture> grey;
    std::vector<tk::Picture> green;
    tk::Picture bird, vial;
    tk::Shape player, jumpGauge, lifeGauge;
    QString vials, left, detail;
};

GameScene::GameScene(int greyFrogs)
    : services_(folder_.path(), nullptr), program_(services_, true) {
    // The day sky's picture, as the program folder has it.
    QFile::copy(QStringLiteral(ZELK_ASSETS_DIR "/folder/sol.gif"),
                QDir(folder_.path()).filePath(QStringLiteral("sol.gif")));
    QFile level(QDir(folder_.path()).filePath(QStringLiteral("bench.lev")));
    if (!level.open(QIODevice::WriteOnly) || level.write(kLevel) < 0)
        throw std::runtime_error("cannot write the bench level");
    level.close();

    program_.show<zelk::frmmenu>();
    program_.collectGarbage();
    program_.get<zelk::frmaut>().maxgb.setValue(greyFrogs);
    auto& menu = program_.get<zelk::frmmenu>();
    menu.File1.refresh();
    menu.File1.setFileName(QStringLiteral("bench.lev"));
    menu.Command1.click();
    program_.collectGarbage();
    game_ = program_.loadedAs<zelk::frmsaut>();
    if (!game_) throw std::runtime_error("the bench level did not start");
    zelk::frmsaut& g = *game_;

    g.energie = 1e9;  // nothing ends the level while it is measured
    g.deliverKeyPress(tk::key::Escape);
    g.joueur.Left = kPlayerLeft;
    g.sourisx = g.joueur.Left + g.joueur.Width / 2;
    for (int k = 1; k < greyFrogs; ++k)
        g.Timer2.fire();
    for (int t = 0; t < kSettleTicks; ++t)
        g.Timer1.fire();
    if (greyFrogsAlive() != greyFrogs) throw std::runtime_error("grey frogs missing");
    for (int i = 0; i <= g.nbgris; ++i)
        if (g.mech1(i).Tag.isEmpty()) throw std::runtime_error("a grey frog did not land");

    // A full jump under way, and a vial on the field.
    g.puiss = 4500;
    g.deliverMouse(tk::Screen::MouseAction::Down, kRightButton, 0, 0, 0);
    g.deliverMouse(tk::Screen::MouseAction::Up, kRightButton, 0, 0, 0);
    g.fiole.Left = kVialLeft;
    g.fiole.Top = g.Shape1(1).Top - g.fiole.Height;
    g.fiole.Visible = true;
    g.mech3.Visible = true;
    g.energie = kFullEnergy;  // the gauge as full as the options make it
    g.counters();
    save();
}

GameScene::~GameScene() = default;

int GameScene::greyFrogsAlive() const {
    int n = 0;
    for (int i = 0; i <= game_->nbgris; ++i)
        if (game_->mech1(i).Visible) ++n;
    return n;
}

void GameScene::save() {
    const zelk::frmsaut& g = *game_;
    saved_ = std::make_unique<Saved>();
    Saved& s = *saved_;
    s.basesaut = g.basesaut;
    s.etat = g.etat;
    s.attente = g.attente;
    s.puiss = g.puiss;
    s.plateau = g.plateau;
    s.retouroiseau = g.retouroiseau;
    s.charge = g.charge;
    s.tuesgris = g.tuesgris;
    s.nbvertes = g.nbvertes;
    s.nbgris = g.nbgris;
    s.delai = g.delai;
    s.energie = g.energie;
    s.sourisx = g.sourisx;
    s.pasgris = g.pasgris;
    for (int i = 0; i <= g.nbgris; ++i)
        s.grey.push_back(g.mech1(i));
    for (int k = 1; k <= 7; ++k)
        s.green.push_back(g.mech2(k));
    s.bird = g.mech3;
    s.vial = g.fiole;
    s.player = g.joueur;
    s.jumpGauge = g.hsauts;
    s.lifeGauge = g.vie;
    s.vials = g.nbf.Caption;
    s.left = g.Label1.Caption;
    s.detail = g.Label3.Caption;
}

void GameScene::restore() {
    zelk::frmsaut& g = *game_;
    const Saved& s = *saved_;
    g.basesaut = s.basesaut;
    g.etat = s.etat;
    g.attente = s.attente;
    g.puiss = s.puiss;
    g.plateau = s.plateau;
    g.retouroiseau = s.retouroiseau;
    g.charge = s.charge;
    g.tuesgris = s.tuesgris;
    g.nbvertes = s.nbvertes;
    g.nbgris = s.nbgris;
    g.delai = s.delai;
    g.energie = s.energie;
    g.sourisx = s.sourisx;
    g.pasgris = s.pasgris;
    for (size_t i = 0; i < s.grey.size(); ++i)
        g.mech1(static_cast<int>(i)) = s.grey[i];
    for (size_t k = 0; k < s.green.size(); ++k)
        g.mech2(static_cast<int>(k) + 1) = s.green[k];
    g.mech3 = s.bird;
    g.fiole = s.vial;
    g.joueur = s.player;
    g.hsauts = s.jumpGauge;
    g.vie = s.lifeGauge;
    g.nbf.Caption = s.vials;
    g.Label1.Caption = s.left;
    g.Label3.Caption = s.detail;
}

}  // namespace bench
