#include "menus/frmpre.h"

#include "game/rules.h"
#include "game/sky.h"
#include "level/levelfile.h"
#include "map/screenmap.h"
#include "toolkit/colours.h"

namespace zelk {

frmpre::frmpre(tk::Program& program)
    : tk::Screen(program, kName, 11115, 8130), Shape1(*this, "Shape1"), nuage(*this, "nuage") {
    setCaption(QStringLiteral("Previsualisation"));
    setBackColor(kDaySky);
    for (int k = kGround; k <= kShapeCount; ++k) {
        tk::Shape& s = Shape1.add(k);
        s.ShapeKind = tk::RoundedRectangle;
        s.BackColor = tk::kYellow;
        s.BackStyle = tk::Opaque;
        s.FillColor = QColor(192, 64, 0);
        s.FillStyle = tk::FillDownwardDiagonal;
    }
    for (int k = 0; k < 3; ++k) {
        tk::Label& l = nuage.add(k);
        l.BackStyle = tk::Opaque;
        l.BackColor = QColor(255, 255, 255);
        l.Alignment = tk::AlignCenter;
        l.Caption = QStringLiteral("NUAGE");
        l.FontSize = 13.5f;
    }
}

void frmpre::Form_Load() {
    tk::Program& p = program();
    setWidth(kGameWidth / 2);
    setHeight(kGameHeight / 2);
    ScreenMap& zelk = ScreenMap::of(p);
    const QRectF ground = zelk.gameGround();
    Shape1(1).Height = 375.0f / 2;
    Shape1(1).Top = static_cast<float>(ground.top()) / 2;
    // The ground keeps its full-size left and width.
    Shape1(1).Left = static_cast<float>(ground.left());
    Shape1(1).Width = static_cast<float>(ground.width());
    const QString name = zelk.selectedLevelName();
    setCaption(QStringLiteral("Prévisualisation    <") + name + u'>');
    for (int k = 0; k < 3; ++k) {
        const QRectF c = zelk.gameCloud(k + 1);
        nuage(k).Top = static_cast<float>(c.top()) / 2;
        nuage(k).Left = static_cast<float>(c.left()) / 2;
        nuage(k).Height = static_cast<float>(c.height()) / 2;
        nuage(k).Width = static_cast<float>(c.width()) / 2;
    }
    setHeight(height() + Shape1(1).Height);

    std::array<double, 4 * level::kPlatformCount> half{};
    if (!zelk.readLevel(zelk.selectedLevelPath(), name, level::decodePreview, half)) return;
    for (int k = 0; k < level::kPlatformCount; ++k) {
        tk::Shape& s = Shape1(k + 2);
        s.Top = static_cast<float>(half[4 * k]);
        s.Left = static_cast<float>(half[4 * k + 1]);
        s.Height = static_cast<float>(half[4 * k + 2]);
        s.Width = static_cast<float>(half[4 * k + 3]);
    }
    built_ = true;
}

}  // namespace zelk
