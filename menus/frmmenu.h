// The main menu: the level list, the selected level's summary and the
// buttons that lead everywhere else.
#pragma once

#include "toolkit/screen.h"

namespace zelk {

class frmmenu : public tk::Screen {
    Q_OBJECT
    Q_PROPERTY(qint16 champ1 MEMBER champ1)
    Q_PROPERTY(qint16 champ2 MEMBER champ2)
    Q_PROPERTY(qint16 champ3 MEMBER champ3)
    Q_PROPERTY(qint16 champ4 MEMBER champ4)
public:
    static constexpr const char* kName = "frmmenu";
    explicit frmmenu(tk::Program& program);
    void Form_Load() override;
    bool Form_QueryClose() override;
    // Levels dropped on the window join the list, as from the command line.
    void Form_OLEDragDrop(const QStringList& paths) override;

    // The level file selected in the list, with the level folder's path.
    QString selectedPath() const;
    // The player's record of the selected level, under its summary, and its
    // "SOLUTION" when a winning replay of it is shipped.
    void showRecord();

    // Fields 1 to 4 of the last level read (the summary and the game start).
    qint16 champ1 = 0, champ2 = 0, champ3 = 0, champ4 = 0;

    tk::Shape Shape1;
    tk::ElementArray<tk::Picture> Image1, Image3;
    tk::Picture Image2, Image4;
    tk::Label Label4, un, deux, trois, quatre, cinq, record;
    tk::CommandButton Command1, Command3, Command6, Command5, Command7, Command4, Command8,
        Command2, Solution;
    tk::FileListBox File1;

private:
    void buildBanner();
    void showSummary();
    void deleteLevel();
    void preview();
    QString solution_;  // the replay "SOLUTION" shows
};

}  // namespace zelk
