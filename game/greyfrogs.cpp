// Grey frogs: falling from the clouds, landing, walking towards the player on
// their platform, pushing each other apart.
#include <array>

#include "game/frmsaut.h"

namespace zelk {

namespace {

// Movement per run of the loop body (which runs (frogs x 7) times a frog per
// tick), twips.
constexpr float kGreyFall = 2;
constexpr float kGreyPush = 100;
// Screen edges for a grey frog's left, twips.
constexpr float kGreyLeftEdge = 30;
constexpr float kGreyRightEdge = 14740;
// A frog whose bottom is less than this below a platform's top lands on it, twips.
constexpr float kGreyLandingDepth = 60;
// The walking step: two thirds of a twip, made a whole number.
constexpr int32_t kGreyStep = 1;

}  // namespace

int16_t frmsaut::platformOfTag(const QString& tag) {
    if (tag.isEmpty()) return 0;
    // The tags the game writes are one digit; anything else is read as a number.
    if (tag.size() == 1 && tag[0] >= u'0' && tag[0] <= u'9')
        return static_cast<int16_t>(tag[0].unicode() - u'0');
    return tk::cint(tk::val(tag));
}

void frmsaut::gatherGreyFrogs() {
    grey_.resize(static_cast<size_t>(nbgris) + 1);
    for (size_t i = 0; i < grey_.size(); ++i) {
        tk::Picture& f = mech1(static_cast<int>(i));
        const int16_t k = platformOfTag(f.Tag);
        if (k != 0) Shape1(k);  // a tag naming no platform is an error here already
        grey_[i] = GreyFrog{&f, f.Left, f.Top, f.Width, f.Height, f.Visible, k};
    }
    for (int k = 1; k <= 7; ++k) {
        const tk::Shape& p = Shape1(k);
        platforms_[static_cast<size_t>(k)] =
            PlatformBox{p.Top, p.Top + kGreyLandingDepth, p.Left, p.Left + p.Width};
    }
}

void frmsaut::mechant() {
    gatherGreyFrogs();
    const size_t n = grey_.size();
    const float pc = joueur.Left + joueur.Width / 2;  // the player does not move here
    bool walked = false;
    // Every test reads the positions as the steps before it left them: frog i
    // moves alone in its loops, and the frogs after it see where it ended.
    for (size_t i = 0; i < n; ++i) {
        GreyFrog& f = grey_[i];
        float left = f.left, top = f.top;
        const float width = f.width, half = f.width / 2;
        int16_t tag = f.platform;
        bool retagged = false;
        // Where the frog's top is when it stands on platform k.
        std::array<float, 8> standing;
        for (size_t k = 1; k <= 7; ++k)
            standing[k] = platforms_[k].top - f.height;
        for (size_t j = 0; j < n; ++j) {
            const GreyFrog& g = grey_[j];
            // A frog never pushes itself: both tests are false for j == i.
            const bool pushes = j != i && f.visible && g.visible;
            const float gLeft = g.left, gTop = g.top, gRight = g.left + g.width;
            for (size_t k = 1; k <= 7; ++k) {
                const PlatformBox& p = platforms_[k];
                if (tag == 0) top += kGreyFall;
                if (pushes) {
                    if (left + width > gLeft && left < gLeft && top == gTop) left -= kGreyPush;
                    if (gRight > left && gRight < left + width && top == gTop) left += kGreyPush;
                }
                if (left < kGreyLeftEdge) left = kGreyLeftEdge;
                if (left > kGreyRightEdge) left = kGreyRightEdge;
                const float bottom = top + f.height;
                const float fc = left + half;
                if (bottom >= p.top && p.landing > bottom && fc > p.left && p.right > fc) {
                    if (tag != static_cast<int16_t>(k)) {
                        tag = static_cast<int16_t>(k);
                        retagged = true;
                    }
                    top = standing[k];
                }
                if (tag != 0) {
                    const PlatformBox& q = platforms_[static_cast<size_t>(tag)];
                    const float onIt = standing[static_cast<size_t>(tag)];
                    if (fc < q.left || q.right < fc) top += kGreyFall;
                    walked = true;
                    if (pc >= fc && onIt == top) left += kGreyStep;
                    if (pc < left + half && onIt == top) left -= kGreyStep;
                }
            }
        }
        f.left = left;
        f.top = top;
        f.platform = tag;
        f.picture->Left = left;
        f.picture->Top = top;
        if (retagged) f.picture->Tag = platformTags_[static_cast<size_t>(tag)];
    }
    if (n > 0) cpt = 8;  // where the platform loops leave the shared counter
    if (walked) pasgris = kGreyStep;
}

}  // namespace zelk
