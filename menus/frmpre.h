// The level preview: the selected level at half size, with the game screen's
// clouds and ground.
#pragma once

#include "level/levelfile.h"
#include "toolkit/screen.h"

namespace zelk {

class frmpre : public tk::Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmpre";
    // The game screen's design size, twips (1024 x 768 pixels): its client
    // area, the playfield, and the window's frame.
    static constexpr float kGameWidth = level::kPlayfieldWidth + tk::kFrameWidth;
    static constexpr float kGameHeight = level::kPlayfieldHeight + tk::kFrameHeight;

    explicit frmpre(tk::Program& program);
    void Form_Load() override;
    // False when the level could not be read (the reason was shown).
    bool built() const { return built_; }

    tk::ElementArray<tk::Shape> Shape1;
    tk::ElementArray<tk::Label> nuage;

private:
    bool built_ = false;
};

}  // namespace zelk
