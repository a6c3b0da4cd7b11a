// The game screen at a chosen load, for the benchmarks: grey frogs alive and
// walking on the platforms, seven green frogs, the bird, a vial on the field and
// the player in the middle of a jump. The scene can be put back as it was, so
// that every measured tick and frame sees the same load.
#pragma once

#include <QTemporaryDir>
#include <memory>

#include "app/program.h"
#include "game/frmsaut.h"
#include "toolkit/scriptedservices.h"

namespace bench {

class GameScene {
public:
    // greyFrogs: 1 to 15, the "most grey frogs on screen" option.
    explicit GameScene(int greyFrogs);
    ~GameScene();

    zelk::frmsaut& game() { return *game_; }
    // Back to the state the scene was built in.
    void restore();
    int greyFrogsAlive() const;

private:
    struct Saved;
    void save();

    QTemporaryDir folder_;
    tk::ScriptedServices services_;
    zelk::ZelkProgram program_;
    zelk::frmsaut* game_ = nullptr;
    std::unique_ptr<Saved> saved_;
};

}  // namespace bench
