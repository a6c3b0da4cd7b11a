// A digest of the whole state of a playing field: what decides the game from
// here on, as values only, so that two games that will play on alike have the
// same digest whatever their objects' addresses or drawing order.
#pragma once

#include <cstdint>

namespace zelk {

class Playfield;

// FNV-1a, 64 bits, over little-endian bytes, fed in this order:
// - the state variables basesaut, etat, attente, puiss, delai, plateau,
//   retouroiseau, sourisx, charge, tuesgris, energie, nbvertes, nbgris,
//   pasgris (each at its own width: 16-bit, 32-bit, float or double), then
//   whether the level is over (one byte), then the vials left (the caption of
//   `nbf`, which holds them);
// - every element by name, in the order of the names' UTF-16 code units (an
//   array's items by index, ascending): its name, its index for an array's
//   item, Left, Top, Width, Height (the floats' bits), Visible (one byte) and
//   Tag; a timer's name, Enabled (one byte) and Interval (32-bit). The line a
//   shown replay keeps under the ground (`rejeu`) is not the game's and is
//   left out, and so are the labels' captions the counters write;
// - the random generator's state (32-bit).
// A text goes in as its UTF-8 bytes after their count (32-bit).
uint64_t stateDigest(const Playfield& game);

}  // namespace zelk
