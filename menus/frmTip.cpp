#include "menus/frmTip.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <cmath>

#include "level/tips.h"
#include "toolkit/program.h"

namespace zelk {

namespace {

// The white panel that holds the tip, with its small icon in the corner.
QImage panel(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, 0, w - 1, 0);
    p.drawLine(0, 0, 0, h - 1);
    p.setPen(QColor(224, 224, 224));
    p.drawLine(w - 1, 1, w - 1, h - 1);
    p.drawLine(1, h - 1, w - 1, h - 1);
    const QImage icon(QStringLiteral(":/art/tip_small.png"));
    if (!icon.isNull()) p.drawImage(QRect(6, 6, 24, 24), icon);
    return img;
}

}  // namespace

frmTip::frmTip(tk::Program& program)
    : tk::Screen(program, kName, 5895, 3285),
      cmdOK(*this, "cmdOK", {4080, 120, 1335, 375}, QStringLiteral("OK")),
      cmdNextTip(*this, "cmdNextTip", {4080, 600, 1335, 375}, QStringLiteral("Astuce &suivante")) {
    setCaption(QStringLiteral("Conseils"));
    setLeft(2370);
    setTop(2400);
    Picture1.setRect(120, 120, 3735, 2715);
    Picture1.setImage(panel(249, 181), QString());
    add(Picture1, "Picture1");
    // Label positions inside the panel.
    Label1.setRect(120 + 540, 120 + 180, 2655, 255);
    Label1.Caption = QStringLiteral("Le saviez vous?");
    Label1.FontBold = true;
    Label1.FontSize = 9.75f;
    Label1.BackStyle = tk::Opaque;
    Label1.BackColor = Qt::white;
    add(Label1, "Label1");
    lblTipText.setRect(120 + 180, 120 + 840, 3255, 1635);
    lblTipText.BackStyle = tk::Opaque;
    lblTipText.BackColor = Qt::white;
    add(lblTipText, "lblTipText");
    Image1.setRect(3960, 1200, 1440, 1440);
    Image1.setImage(QImage(QStringLiteral(":/art/tip.png")), QStringLiteral("tip.png"));
    add(Image1, "Image1");
    cmdOK.Default = true;
    cmdOK.Cancel = true;

    cmdOK.Click = [this] { this->program().unload<frmTip>(); };
    cmdNextTip.Click = [this] { PickTip(); };
}

void frmTip::Form_Load() {
    tk::Services& s = program().services();
    s.rng().reseedFromClock(s.clockSeconds());
    if (!LoadTips(QDir(s.dataFolder()).filePath(QString::fromLatin1(kTipsFile))))
        lblTipText.Caption = missingMessage();
}

bool frmTip::LoadTips(const QString& fileName) {
    if (fileName.isEmpty()) return false;
    if (!QFileInfo(fileName).exists()) return false;
    // One byte past the bound tells whether the file goes on.
    QByteArray bytes;
    QString why;
    if (!program().services().files().read(fileName, kMaxBytes + 1, bytes, why)) {
        lblTipText.Caption = QStringLiteral("Le fichier %1 existe mais ne peut pas être lu : %2")
                                 .arg(QString::fromLatin1(kTipsFile), why);
        return true;
    }
    // A file that goes on past the bound keeps its whole lines only: the cut
    // may fall inside a character.
    if (bytes.size() > kMaxBytes) bytes.truncate(bytes.lastIndexOf('\n', kMaxBytes - 1) + 1);
    TipLines = level::parseTips(bytes);
    PickTip();
    return true;
}

void frmTip::PickTip() {
    const double r = program().services().rng().next();
    TipIndex = static_cast<qint32>(std::floor(r * TipLines.size() + 1));
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip() {
    if (!TipLines.isEmpty()) lblTipText.Caption = TipLines.value(TipIndex - 1);
}

QString frmTip::missingMessage() {
    const QString name = QString::fromLatin1(kTipsFile);
    return QStringLiteral("Le fichier ") + name + QStringLiteral(" n'a pas été trouvé? ") +
           QStringLiteral("\r\n\r\n") + QStringLiteral("Créez un fichier texte nommé ") + name +
           QStringLiteral(" en utilisant le Bloc-notes avec une astuce par ligne. ") +
           QStringLiteral("Puis placez le dans le même dossier que l'application.");
}

}  // namespace zelk
