// Tip of the day, drawn at random from TIPOFDAY.TXT.
#pragma once

#include <QStringList>

#include "toolkit/screen.h"

namespace zelk {

class frmTip : public tk::Screen {
    Q_OBJECT
    Q_PROPERTY(QStringList TipLines MEMBER TipLines)
    Q_PROPERTY(qint32 TipIndex MEMBER TipIndex)
public:
    static constexpr const char* kName = "frmTip";
    static constexpr const char* kTipsFile = "TIPOFDAY.TXT";
    // Most bytes read of a tips file.
    static constexpr qint64 kMaxBytes = 1024 * 1024;

    explicit frmTip(tk::Program& program);
    void Form_Load() override;

    // Reads the tips and shows one; false when there is no such file.
    bool LoadTips(const QString& fileName);
    void PickTip();
    void DisplayCurrentTip();
    static QString missingMessage();

    QStringList TipLines;
    qint32 TipIndex = 0;

    tk::Picture Picture1;
    tk::Label Label1, lblTipText;
    tk::CommandButton cmdOK, cmdNextTip;
    tk::Picture Image1;
};

}  // namespace zelk
