#include "game/digest.h"

#include <algorithm>
#include <bit>
#include <type_traits>

#include "game/playfield.h"
#include "toolkit/services.h"

namespace zelk {

namespace {

// FNV-1a 64, fed little-endian whatever the machine.
class Fnv {
public:
    template <class T>
    void add(T value) {
        using Bits = std::conditional_t<sizeof(T) == 8, uint64_t,
                                        std::conditional_t<sizeof(T) == 4, uint32_t, uint16_t>>;
        static_assert(sizeof(T) == sizeof(Bits));
        const auto bits = std::bit_cast<Bits>(value);
        for (size_t i = 0; i < sizeof(Bits); ++i)
            byte(static_cast<uint8_t>(bits >> (8 * i)));
    }
    void add(bool value) { byte(value ? 1 : 0); }
    void add(const QString& text) {
        // An ASCII text's UTF-8 bytes are its code units: fed as they are,
        // unless a unit past ASCII comes.
        const uint64_t before = hash_;
        add(static_cast<uint32_t>(text.size()));
        for (QChar c : text) {
            if (c.unicode() >= 0x80) {
                hash_ = before;
                const QByteArray utf8 = text.toUtf8();
                add(static_cast<uint32_t>(utf8.size()));
                for (char u : utf8)
                    byte(static_cast<uint8_t>(u));
                return;
            }
            byte(static_cast<uint8_t>(c.unicode()));
        }
    }
    uint64_t value() const { return hash_; }

private:
    static constexpr uint64_t kOffset = 0xcbf29ce484222325, kPrime = 0x100000001b3;
    void byte(uint8_t b) { hash_ = (hash_ ^ b) * kPrime; }
    uint64_t hash_ = kOffset;
};

void addElement(Fnv& h, const tk::Element& e) {
    h.add(e.Left);
    h.add(e.Top);
    h.add(e.Width);
    h.add(e.Height);
    h.add(e.Visible);
    h.add(e.Tag);
}

}  // namespace

uint64_t stateDigest(const Playfield& game) {
    Fnv h;
    for (auto v : {game.basesaut, game.etat, game.attente, game.puiss})
        h.add(v);
    h.add(game.delai);
    for (auto v : {game.plateau, game.retouroiseau})
        h.add(v);
    h.add(game.sourisx);
    for (auto v : {game.charge, game.tuesgris})
        h.add(v);
    h.add(game.energie);
    for (auto v : {game.nbvertes, game.nbgris})
        h.add(v);
    h.add(game.pasgris);
    h.add(game.over());
    h.add(game.nbf.Caption);

    // By name, not by the screen's lists: their order is the drawing's.
    for (const tk::Scene::ByName& n : game.byName()) {
        if (n.name == u"rejeu") continue;
        if (n.array) {
            for (int i = n.array->lbound(), last = n.array->ubound(); i <= last; ++i)
                if (const tk::Element* e = n.array->find(i)) {
                    h.add(n.name);
                    h.add(static_cast<int32_t>(i));
                    addElement(h, *e);
                }
        } else if (n.element) {
            h.add(n.name);
            addElement(h, *n.element);
        } else if (const auto* t = qobject_cast<const tk::Timer*>(n.control)) {
            h.add(n.name);
            h.add(t->enabled());
            h.add(static_cast<int32_t>(t->interval()));
        }
    }
    h.add(game.services().rng().state());
    return h.value();
}

}  // namespace zelk
