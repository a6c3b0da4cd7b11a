// Which of a level's platforms the player can reach from the ground, found by
// running the playing field's own procedures for the player, headless.
#pragma once

#include <QString>
#include <vector>

#include "level/levelfile.h"

class QTextStream;

namespace tk {
class Services;
}

namespace zelk {

// The platforms (1 to 6) that no chain of walks and jumps from the ground
// lands on, in order. Every start on the ground and on each platform reached
// (each position the player can stand at: his moves are whole tens of
// twips), every power a charge can hold, the mouse to the left, to the right
// and at his centre, and the level's first jump with its longer pause. The
// enemies are left out: a bounce off a frog is not counted on.
std::vector<int> unreachablePlatforms(tk::Services& services, const level::Level& lev);

// "Toutes les plates-formes sont accessibles." or the numbers of the others.
QString reachSentence(const std::vector<int>& unreachable);

// Reads a level file with the game's reader and prints the sentence: 0 when
// every platform can be reached, 1 when not, 2 when the file cannot be read.
int verifyLevelFile(tk::Services& services, const QString& path, QTextStream& out, QTextStream& err);

}  // namespace zelk
