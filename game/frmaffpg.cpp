#include "game/frmaffpg.h"

#include <QLinearGradient>
#include <QPainter>
#include <tuple>

#include "level/replay.h"
#include "map/screenmap.h"
#include "toolkit/paint.h"

namespace zelk {

namespace {

// A picture of the client area's size that says the outcome, for a missing file.
QImage standIn(const QString& text, bool won, QSizeF clientTwips) {
    const QSize size(qRound(clientTwips.width() / tk::kTwipsPerPixel),
                     qRound(clientTwips.height() / tk::kTwipsPerPixel));
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, won ? QColor(120, 200, 255) : QColor(40, 20, 60));
    sky.setColorAt(1, won ? QColor(60, 170, 80) : QColor(120, 20, 20));
    p.fillRect(img.rect(), sky);
    QFont f = tk::layoutFont(QStringLiteral("Times New Roman"), 60, true, 1.0f);
    p.setFont(f);
    const QRect box = img.rect().adjusted(0, 0, 0, -size.height() / 5);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(box.translated(4, 4), Qt::AlignCenter, text);
    p.setPen(won ? QColor(255, 240, 80) : QColor(255, 80, 60));
    p.drawText(box, Qt::AlignCenter, text);
    return img;
}

}  // namespace

frmaffpg::frmaffpg(tk::Program& program)
    : tk::Screen(program, kName, 10950, 8250),
      menu(*this, "menu", {8760, 7560, 1935, 615}, QStringLiteral("Menu")),
      revoir(*this, "revoir", {4680, 7560, 1935, 615}, QStringLiteral("Revoir")),
      enregistrer(*this, "enregistrer", {6720, 7560, 1935, 615}, QStringLiteral("Enregistrer")),
      // A row above, on the ground of the pictures, over Enregistrer and Menu.
      rejouer(*this, "rejouer", {6720, 6870, 1935, 615}, QStringLiteral("Rejouer")),
      suivant(*this, "suivant", {8760, 6870, 1935, 615}, QStringLiteral("Niveau suivant")) {
    setCaption(QStringLiteral("PG"));
    // In the bottom left-hand corner, clear of the buttons.
    record.setRect(240, 7560, 4320, 615);
    record.Caption = QStringLiteral("Nouveau record !");
    record.FontSize = 24;
    record.FontBold = true;
    record.ForeColor = QColor(255, 255, 0);
    record.BackStyle = tk::Opaque;
    record.BackColor = QColor(0, 0, 128);
    record.Alignment = tk::AlignCenter;
    record.Visible = false;
    add(record, "record");
    // The game's figures, on the left of the new row.
    for (auto [l, name, left, width] :
         {std::tuple{&temps, "temps", 240, 2880}, std::tuple{&energie, "energie", 3120, 3480}}) {
        l->setRect(left, 6990, width, 375);
        l->FontSize = 12;
        l->FontBold = true;
        l->ForeColor = QColor(255, 255, 255);
        add(*l, name);
    }
    ScreenMap& zelk = ScreenMap::of(program);
    menu.Click = [&zelk] { zelk.leaveResult(); };
    revoir.Click = [&zelk] { zelk.watchReplay(); };
    enregistrer.Click = [&zelk] { zelk.keepReplay(); };
    rejouer.Click = [&zelk] { zelk.replayLevel(); };
    suivant.Click = [&zelk] { zelk.nextLevel(); };
}

void frmaffpg::showOutcome(bool won, qint64 gameMs, int energyPercent, bool next) {
    temps.Caption = QStringLiteral("Temps : ") + level::gameTime(gameMs);
    energie.Caption = QStringLiteral("Énergie restante : %1 %").arg(energyPercent);
    suivant.setEnabled(next);
    suivant.Default = won;
    rejouer.Default = !won;
}

void frmaffpg::Form_KeyDown(int keyCode, int shift) {
    if (keyCode == 'R' && (shift & (tk::CtrlKey | tk::AltKey)) == 0) rejouer.click();
}

void frmaffpg::showRecord(bool beaten) {
    record.Visible = beaten;
}

void frmaffpg::showPicture(const QString& fileName, const QString& standInText, bool won) {
    QImage img = programPicture(fileName);
    if (img.isNull()) img = standIn(standInText, won, QSizeF(scaleWidth(), scaleHeight()));
    setPicture(img, fileName, standInText);
}

}  // namespace zelk
