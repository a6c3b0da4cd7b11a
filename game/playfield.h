// The playing field of one level, headless: its elements on a scene, the
// state the game procedures share and the procedures themselves, one topic a
// file in this folder. It needs no window: the game screen shows it and
// feeds it the user's input, a check or a replay runs it alone.
#pragma once

#include <QString>
#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "game/rules.h"
#include "level/replay.h"
#include "toolkit/scene.h"
#include "toolkit/services.h"
#include "toolkit/timer.h"

namespace zelk {

class Playfield : public tk::Scene, public tk::MouseSink {
public:
    // Sounds, the data folder and the random numbers come from `services`.
    explicit Playfield(tk::Services& services);
    ~Playfield() override = default;

    tk::Services& services() const { return services_; }

    // Places the frogs and resets the counters for the options and platforms
    // as they are now; runs before the level is first shown.
    void setup();
    bool over() const { return over_; }  // the level was won or lost

    // The game timer's tick: the procedures below, in this order.
    void tick();
    void pcemouv();   // grows a charging jump's power; walks the player towards the mouse
    void pg();        // ends the level, won or lost
    void evie();      // costs energy for each enemy touched; a stomp kills it and bounces
    void chars();     // redraws the two gauges; drops a charge not used in time
    void fiolee();    // the vial kills the first frog that walks into it
    void com();       // keeps the player between the screen's walls
    void saut();      // lands, rises, pauses at the top or drops the player
    void mechant();   // grey frogs fall, land, walk towards the player, push apart
    void mechant2();  // green frogs keep to their platform, walk towards the player
    void mechant3();  // the bird chases the player

    // The spawn timer (every 4 s): the bird's return, then grey frogs created
    // under the clouds or revived.
    void spawn();
    void oiseau();
    // The counters' refresh.
    void counters();
    // Drops a vial at the player's feet when he stands on a platform.
    void dropVial();

    // The player alone, run headless for the level's reachability check:
    // standing at `left` on the top of Shape1(from), he jumps with the power
    // `power` as the right button starts a jump (or only walks, for a negative
    // power) with the mouse at `mouse` and `attente` ticks of pause at the top;
    // the tick's own procedures for him (`pcemouv`, `com`, `saut`; no enemy,
    // no end of level) run until he stands again. Returns the Shape1 index he
    // stands on then (`from` when he never left it), or 0 once he falls with
    // his feet at `deepest` or lower: a fall only goes down, so nothing above
    // can catch him any more.
    int flight(float left, int from, int16_t power, float mouse, int16_t pause, float deepest);

    // The buttons and the mouse as the game hears them.
    void press(int button);
    void release(int button);
    // Escape: pauses the level, or resumes it.
    void togglePause();
    // The keys and a pad's buttons as key codes (game/keys.cpp): the arrows,
    // the space bar and the pad stand for the mouse; a key press (Escape,
    // Enter) keeps its own way.
    void keyDown(int keyCode);
    void keyUp(int keyCode);
    void keyPress(int ascii);
    void sceneMouseDown(int button, int shift, float x, float y) override;
    void sceneMouseUp(int button, int shift, float x, float y) override;
    void sceneMouseMove(int button, int shift, float x, float y) override;

    // The options, read from whoever runs the field at each use and never
    // kept here: a change made on an option screen while a level runs counts
    // at once.
    virtual level::GameOptions gameOptions() const = 0;
    // Each option by its game name: the enemy options (frmopt) ois (1 when
    // the level has a bird), vitois (the bird's speed, twips per tick and
    // axis), nb (green frogs), nbg (grey frogs to kill), nbf (vials, as
    // text); the game options (frmaut) vie (the starting energy in
    // hundreds) and maxgb (the most grey frogs on screen).
    int birdOption() const { return gameOptions().bird; }
    int birdSpeed() const { return gameOptions().birdSpeed; }
    int greenOption() const { return gameOptions().green; }
    int greyToKill() const { return gameOptions().greyToKill; }
    QString vialsOption() const { return gameOptions().vials; }
    int lifeOption() const { return gameOptions().life; }
    int greyOnScreen() const { return gameOptions().greyOnScreen; }

    // The level was won or lost: the result is shown.
    virtual void levelOver(const QString& picture, const QString& standIn, bool won) = 0;

    // State shared by the procedures.
    int16_t basesaut = 0;      // the player's top when he last stood or landed
    int16_t etat = 0;          // the jump's state: jump::Standing, Rising, Falling, Pausing
    int16_t attente = 0;       // ticks left in the pause at the top of a jump
    int16_t puiss = 0;         // charged power: the jump height, twips
    double delai = 0;          // ticks left before the charged power is dropped
    int16_t plateau = 0;       // platform last landed on, 0 before the first landing
    int16_t retouroiseau = 0;  // spawn-timer ticks before a vanished bird returns
    float sourisx = 0;         // the mouse's last horizontal position, twips
    int16_t charge = 0;        // 1 while the left button is held
    int16_t tuesgris = 0;      // grey frogs killed
    double energie = 0;        // life points
    int16_t nbvertes = 0;      // green frogs placed in this level
    int16_t nbgris = 0;        // highest index of the grey frogs created
    int32_t pasgris = 0;       // grey frogs' walking step, twips

    // Elements, in drawing order.
    tk::ElementArray<tk::Picture> nuage1;
    tk::ElementArray<tk::Shape> Shape1;
    tk::Picture fiole;
    tk::ElementArray<tk::Picture> mech2;
    tk::ElementArray<tk::Picture> mech1;
    tk::Picture mech3;
    tk::Picture tem;
    tk::Shape joueur;
    tk::Shape hsauts, div1, vie, div2;
    tk::Label nbf, Label2, Label1, Label3, pause, pause2;
    // A shown replay's speed and progress, in the strip under the ground;
    // hidden at all other times.
    tk::Label rejeu;
    tk::Timer Timer1, Timer2, Timer3;
    // The loop counter the landing and the grey frogs share.
    int16_t cpt = 0;

private:
    enum class Intent { None, WalkLeft, WalkRight, Charge, Jump, Vial, Pause };
    static Intent intentOf(int keyCode);
    bool holding(Intent intent) const;
    // The player sent past the left (-1) or right (1) wall, or stopped (0).
    void walkTo(int way);
    void buildLayout();
    void placeUnderCloud(tk::Picture& frog);
    void showResult(const char* picture, const char* standIn, bool won);
    // Grey frogs and platforms gathered for one run of `mechant`, with each
    // frog's platform number kept beside its tag (0 for an empty tag).
    void gatherGreyFrogs();
    // The platform whose number a frog's tag holds; 0 for the empty tag.
    static int16_t platformOfTag(const QString& tag);

    tk::Services& services_;
    std::bitset<256> held_;  // keys and pad buttons down: a repeat is no new press
    int walk_ = 0;           // where the walk keys send the player: -1, 1, or 0 for nowhere
    bool over_ = false;      // the level was won or lost
    std::vector<tk::Picture*> grey_;
    std::vector<int16_t> greyPlatform_;
    std::array<tk::Shape*, kShapeCount + 1> platforms_{};
    std::array<QString, kShapeCount + 1>
        platformTags_;  // "1" to "7", made once: landing never allocates
};

}  // namespace zelk
