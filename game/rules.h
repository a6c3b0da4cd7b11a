// The game's rules in numbers: the player's states, the limits and every speed
// the game screen's procedures share, with their units. Positions and sizes
// are twips (15 to a pixel); speeds are twips per tick of the game timer.
#pragma once

#include <cstdint>

#include "level/levelfile.h"
#include "level/settings.h"

namespace zelk {

// The player's jump: the values of `etat`, a 16-bit number as the game and
// the driver show it.
namespace jump {
constexpr int16_t Standing = 0;
constexpr int16_t Rising = 1;  // starts at the next tick
constexpr int16_t Falling = 2;
constexpr int16_t Pausing = 3;  // at the top, for `attente` ticks
}  // namespace jump

// `delai`, ticks before a charged power is dropped: after the left button is
// released the player has kChargeWindow ticks to jump; a jump sets
// kChargeKept, which never runs out during one.
constexpr double kChargeWindow = 200;
constexpr double kChargeKept = 55555;

// Jump power, twips of height: gained per tick while the left button is held,
// up to the limit (also the jump gauge's full scale).
constexpr int16_t kPowerStep = 170;
constexpr int16_t kPowerMax = 4500;
// Height of the bounce after a stomp, twips.
constexpr int16_t kBounce = 1450;
// Ticks of the pause at the top of the level's first jump.
constexpr int16_t kFirstPause = 5;

// Shape1: element 1 is the ground, 2 to 7 the level's six platforms. There is
// one green frog (mech2) for each.
constexpr int kGround = 1;
constexpr int kShapeCount = level::kPlatformCount + 1;

// The screen's walls, twips. A player past the left wall is put back at
// kPlayerLeftReset; frogs are kept between the two edges.
constexpr float kLeftEdge = 30;
constexpr float kRightEdge = 14740;
constexpr float kPlayerLeftReset = 10;

// The player, twips per tick.
constexpr float kWalkSpeed = 90;  // standing
constexpr float kAirSpeed = 70;   // in the air
constexpr float kRise = 275;
constexpr float kFall = 150;
// A falling player this far below a platform's top is still caught, twips.
constexpr float kLandingDepth = 200;
// A walk key held sends the player towards a point this far past the
// screen's edge, twips, as the mouse at the edge does.
constexpr float kWalkPastWall = 1;

// Grey frogs. Their loop body runs (frogs x 7) times a frog per tick, so these
// are twips per run of the body, not per tick.
constexpr float kGreyFall = 2;
constexpr float kGreyPush = 100;
// A frog whose bottom is less than this below a platform's top lands on it.
constexpr float kGreyLandingDepth = 60;
// The walking step: two thirds of a twip, made a whole number.
constexpr int32_t kGreyStep = 1;
// A frog appears this much above the centre of its cloud, twips.
constexpr float kCloudRise = 70;

// Green frogs: pushes, twips; walking step, the platform's width divided by
// kGreenWidthPerStep, twips per tick; the start, this far right of the
// platform's left end, twips.
constexpr float kGreenPush = 100;
constexpr float kGreenWidthPerStep = 300;
constexpr float kGreenInset = 200;

// Energy lost per tick of contact, and the energy of a level's start:
// `vie` hundreds.
constexpr double kGreyTouch = 40;
constexpr double kGreenTouch = 55;
constexpr double kBirdTouch = 35;
constexpr double kEnergyPerVie = 100;
// The game options' start value of `vie` (the difficulty).
constexpr int kStartVie = level::GameSettings::kVie.start;

// Hit margins, twips. Touching: the player's right edge must pass an enemy's
// left edge by kOverlapLeft, and a green frog's right edge is narrowed by
// kNarrowedEdge on both bodies. Stomping: the player's feet no more than
// kStompAbove above the enemy's top, and for a frog within kStompSide of
// either side. A vial: the frog's sides inside it by kNarrowedEdge and
// kOverlapLeft, its top kVialDepth above the vial's bottom.
constexpr float kOverlapLeft = 50;
constexpr float kNarrowedEdge = 20;
constexpr float kStompAbove = 20;
constexpr float kStompSide = 40;
constexpr float kVialDepth = 100;

// Spawn-timer firings before a vanished bird comes back.
constexpr int16_t kBirdReturn = 5;

// Timers, milliseconds: the tick (the game options' start value; the tick in
// lag simulation is level::kLagTickMs), the grey frogs' spawn and the
// counters' refresh.
constexpr int kTickMs = level::GameSettings::kDep.start;
constexpr int kSpawnMs = 4000;
constexpr int kCountersMs = 30;
// A game pad is read this often while one is there, and looked for this
// often while none is, milliseconds.
constexpr int kPadReadMs = 10;
constexpr int kPadLookMs = 250;

}  // namespace zelk
