#include "game/reach.h"

#include <QFileInfo>
#include <QTextStream>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "game/platforms.h"
#include "game/playfield.h"
#include "game/rules.h"

namespace zelk {

namespace {

// The player's left edge moves by whole tens of twips (walking, flying and
// the walls alike), so these are all the places he can stand at.
constexpr int kPositionStep = 10;

// Every power the right button can find charged: the charge itself, run
// from nothing by the game's own procedure until it repeats. Of the powers
// that take him to the same top of the jump, which move him alike all the
// way, one is kept: each is tried from the ground with the platforms out of
// the way, and the top he falls from tells them apart.
// The field with no options and no end: only the player moves in it.
class Walker : public Playfield {
public:
    using Playfield::Playfield;
    level::GameOptions gameOptions() const override { return {}; }
    void levelOver(const QString&, const QString&, bool) override {}
};

std::vector<int16_t> distinctPowers(Playfield& game) {
    std::vector<int16_t> charged{0};
    game.puiss = 0;
    game.charge = 1;
    for (;;) {
        game.pcemouv();
        if (std::find(charged.begin(), charged.end(), game.puiss) != charged.end()) break;
        charged.push_back(game.puiss);
    }
    game.charge = 0;

    for (int k = kGround + 1; k <= kShapeCount; ++k)
        game.Shape1(k).setRect(-level::kPlayfieldWidth, 0, 0, 0);
    const float x = game.joueur.Left;
    std::vector<int16_t> powers;
    std::vector<float> tops;
    for (const int16_t p : charged) {
        game.flight(x, kGround, p, x + game.joueur.Width / 2, 0,
                    -std::numeric_limits<float>::infinity());
        if (std::find(tops.begin(), tops.end(), game.joueur.Top) != tops.end()) continue;
        tops.push_back(game.joueur.Top);
        powers.push_back(p);
    }
    return powers;
}

}  // namespace

std::vector<int> unreachablePlatforms(tk::Services& services, const level::Level& lev) {
    Walker game(services);
    const std::vector<int16_t> powers = distinctPowers(game);
    applyPlatforms(game.Shape1, lev);
    const float width = game.joueur.Width;

    std::array<bool, kShapeCount + 1> reached{};
    reached[kGround] = true;
    int left = level::kPlatformCount;
    // The first jump of a level pauses longer at the top: from the ground only.
    std::vector<std::pair<int, int16_t>> starts{{kGround, kFirstPause}, {kGround, 0}};
    // A platform not reached yet catches a falling player whose feet are above
    // its top plus the landing depth: a fall past the lowest of those is over.
    auto deepestCatch = [&] {
        float d = -std::numeric_limits<float>::infinity();
        for (int k = kGround + 1; k <= kShapeCount; ++k)
            if (!reached[static_cast<size_t>(k)])
                d = std::max(d, game.Shape1(k).Top + kLandingDepth);
        return d;
    };
    float deepest = deepestCatch();
    for (size_t next = 0; next < starts.size() && left > 0; ++next) {
        const auto [from, pause] = starts[next];
        const tk::Shape& p = game.Shape1(from);
        // Standing on it: his centre over it, between the walls.
        const float lowest =
            std::max(0.f, std::ceil((p.Left - width / 2) / kPositionStep) * kPositionStep);
        const float highest = std::min(kRightEdge, p.Left + p.Width - width / 2);
        for (float x = lowest; x <= highest && left > 0; x += kPositionStep) {
            for (const float mouse : {0.f, level::kPlayfieldWidth}) {
                for (int i = -1; i < static_cast<int>(powers.size()) && left > 0; ++i) {
                    const int k = game.flight(x, from, i < 0 ? -1 : powers[static_cast<size_t>(i)],
                                              mouse, pause, deepest);
                    if (k == 0 || reached[static_cast<size_t>(k)]) continue;
                    reached[static_cast<size_t>(k)] = true;
                    --left;
                    starts.emplace_back(k, 0);
                    deepest = deepestCatch();
                }
            }
        }
    }
    std::vector<int> out;
    for (int k = kGround + 1; k <= kShapeCount; ++k)
        if (!reached[static_cast<size_t>(k)]) out.push_back(k - 1);
    return out;
}

QString reachSentence(const std::vector<int>& unreachable) {
    if (unreachable.empty()) return QStringLiteral("Toutes les plates-formes sont accessibles.");
    QStringList numbers;
    for (int k : unreachable)
        numbers << QString::number(k);
    return QStringLiteral("Plates-formes hors d'atteinte : %1.").arg(numbers.join(u", "));
}

int verifyLevelFile(tk::Services& services, const QString& path, QTextStream& out,
                    QTextStream& err) {
    const QString name = QFileInfo(path).fileName();
    level::Record record;
    level::Error why;
    level::Level lev;
    if (!level::read(path, record, why) || !level::decodeForGame(record, name, lev, why)) {
        err << why.message() << '\n';
        return 2;
    }
    const std::vector<int> unreachable = unreachablePlatforms(services, lev);
    out << reachSentence(unreachable) << '\n';
    return unreachable.empty() ? 0 : 1;
}

}  // namespace zelk
