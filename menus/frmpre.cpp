#include "menus/frmpre.h"

#include "game/frmsaut.h"
#include "game/rules.h"
#include "level/levelfile.h"
#include "menus/frmmenu.h"
#include "toolkit/program.h"

namespace zelk {

frmpre::frmpre(tk::Program& program)
    : tk::Screen(program, kName, 11115, 8130), Shape1(*this, "Shape1"), nuage(*this, "nuage") {
    setCaption(QStringLiteral("Previsualisation"));
    setBackColor(QColor(128, 128, 255));
    for (int k = kGround; k <= kShapeCount; ++k) {
        tk::Shape& s = Shape1.add(k);
        s.ShapeKind = tk::RoundedRectangle;
        s.BackColor = QColor(255, 255, 0);
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
    frmsaut& game = p.get<frmsaut>();
    Shape1(1).Height = 375.0f / 2;
    Shape1(1).Top = game.Shape1(1).Top / 2;
    // The ground keeps its full-size left and width.
    Shape1(1).Left = game.Shape1(1).Left;
    Shape1(1).Width = game.Shape1(1).Width;
    const QString name = p.get<frmmenu>().File1.fileName();
    setCaption(QStringLiteral("Prévisualisation    <") + name + u'>');
    for (int k = 0; k < 3; ++k) {
        const tk::Picture& c = game.nuage1(k + 1);
        nuage(k).Top = c.Top / 2;
        nuage(k).Left = c.Left / 2;
        nuage(k).Height = c.Height / 2;
        nuage(k).Width = c.Width / 2;
    }
    setHeight(height() + Shape1(1).Height);

    level::Record rec;
    level::Error err;
    std::array<double, 4 * level::kPlatformCount> half{};
    if (!level::read(p.get<frmmenu>().selectedPath(), p.services().files(), rec, err) ||
        !level::decodePreview(rec, name, half, err)) {
        p.services().msgBox(err.message(), tk::mb::OkOnly | tk::mb::Critical,
                            QStringLiteral("Niveau illisible"));
        return;
    }
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
