// Grey frogs: arriving under the clouds at each firing of the spawn timer,
// falling from them, landing, walking towards the player on
// their platform, pushing each other apart.
#include "game/playfield.h"
#include "game/rules.h"

namespace zelk {

int16_t Playfield::platformOfTag(const QString& tag) {
    if (tag.isEmpty()) return 0;
    // The tags the game writes are one digit; anything else is read as a number.
    if (tag.size() == 1 && tag[0] >= u'0' && tag[0] <= u'9')
        return static_cast<int16_t>(tag[0].unicode() - u'0');
    return level::cint(level::val(tag));
}

void Playfield::gatherGreyFrogs() {
    const size_t n = static_cast<size_t>(nbgris) + 1;
    grey_.resize(n);
    greyPlatform_.resize(n);
    for (size_t i = 0; i < n; ++i) {
        grey_[i] = &mech1(static_cast<int>(i));
        const int16_t k = platformOfTag(grey_[i]->Tag);
        if (k != 0) Shape1(k);  // a tag naming no platform is an error here already
        greyPlatform_[i] = k;
    }
    for (int k = 1; k <= kShapeCount; ++k)
        platforms_[static_cast<size_t>(k)] = &Shape1(k);
}

void Playfield::mechant() {
    gatherGreyFrogs();
    const int n = nbgris;
    const float pc = joueur.Left + joueur.Width / 2;  // the player does not move here
    // Every test reads the positions as the steps before it left them; the
    // tag's number is kept beside the tag so that the body never parses text.
    for (int i = 0; i <= n; ++i) {
        tk::Picture& f = *grey_[static_cast<size_t>(i)];
        int16_t& tag = greyPlatform_[static_cast<size_t>(i)];
        for (int j = 0; j <= n; ++j) {
            const tk::Picture& g = *grey_[static_cast<size_t>(j)];
            for (cpt = 1; cpt <= kShapeCount; ++cpt) {
                const tk::Shape& p = *platforms_[static_cast<size_t>(cpt)];
                if (tag == 0) f.Top += kGreyFall;
                if (f.Visible && g.Visible) {
                    if (f.Left + f.Width > g.Left && f.Left < g.Left && f.Top == g.Top)
                        f.Left -= kGreyPush;
                    if (g.Left + g.Width > f.Left && g.Left + g.Width < f.Left + f.Width &&
                        f.Top == g.Top)
                        f.Left += kGreyPush;
                }
                if (f.Left < kLeftEdge) f.Left = kLeftEdge;
                if (f.Left > kRightEdge) f.Left = kRightEdge;
                const float bottom = f.Top + f.Height;
                const float fc = f.Left + f.Width / 2;
                if (bottom >= p.Top && p.Top + kGreyLandingDepth > bottom && fc > p.Left &&
                    p.Left + p.Width > fc) {
                    if (tag != cpt) {
                        tag = cpt;
                        f.Tag = platformTags_[static_cast<size_t>(cpt)];
                    }
                    f.Top = p.Top - f.Height;
                }
                if (tag != 0) {
                    const tk::Shape& q = *platforms_[static_cast<size_t>(tag)];
                    if (fc < q.Left || q.Left + q.Width < fc) f.Top += kGreyFall;
                    pasgris = kGreyStep;
                    if (pc >= fc && q.Top - f.Height == f.Top) f.Left += pasgris;
                    if (pc < f.Left + f.Width / 2 && q.Top - f.Height == f.Top) f.Left -= pasgris;
                }
            }
        }
    }
}

void Playfield::placeUnderCloud(tk::Picture& frog) {
    // r in [0, 3): the first cloud unless r passes 1, the third past 2.
    const float r = services_.rng().next() * 3;
    int k = 1;
    if (r > 1) k = 2;
    if (r > 2) k = 3;
    const tk::Picture& c = nuage1(k);
    frog.Top = c.Top + c.Height / 2 - frog.Height / 2 - kCloudRise;
    frog.Left = c.Left + c.Width / 2 - frog.Width / 2;
}

void Playfield::spawn() {
    oiseau();
    const int16_t nbg = level::cint(greyToKill());
    const int16_t most = level::add16(greyOnScreen(), -1);
    const int16_t lim = nbg >= most ? most : nbg;
    if (lim != nbgris) {
        nbgris = level::add16(nbgris, 1);
        tk::Picture& f = mech1.load(nbgris);
        placeUnderCloud(f);
        f.Visible = true;
        f.Tag.clear();
    }
    // Dead grey frogs come back only while the screen holds its full number.
    if (nbgris == most && tuesgris != nbg) {
        for (int i = 0; i <= nbgris; ++i) {
            tk::Picture& f = mech1(i);
            if (f.Visible) continue;
            placeUnderCloud(f);
            f.Visible = true;
            f.Tag.clear();
        }
    }
}

}  // namespace zelk
