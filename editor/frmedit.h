// The level editor's screen: the six platforms of one level, moved and
// resized with the arrow keys or the mouse, and the file commands that save,
// open and try levels. The document holds the level and its file name, the
// history of the changes, the saved mark, the recovery copy and the writes;
// the screen shows the document's level and turns what the author does into
// its operations.
#pragma once

#include <QStringList>
#include <optional>

#include "editor/document.h"
#include "editor/drag.h"
#include "editor/history.h"
#include "level/levelfile.h"
#include "toolkit/screen.h"

namespace zelk {

class ScreenMap;

class frmedit : public tk::Screen {
    Q_OBJECT
    // The file "Sauvegarder" writes to.
    Q_PROPERTY(QString nomfichier MEMBER nomfichier)
    // The level differs from the one last opened or saved.
    Q_PROPERTY(bool modifie READ modified)
    // First, for the members below that show it.
    Document doc_;

public:
    static constexpr const char* kName = "frmedit";
    static constexpr const char* kNewLevel = Document::kNewLevel;
    static constexpr const char* kRecoveryFile = Document::kRecoveryFile;

    explicit frmedit(tk::Program& program);
    void Form_Load() override;
    void Form_KeyDown(int keyCode, int shift) override;
    void Form_MouseDown(int button, int shift, float x, float y) override;
    void Form_MouseUp(int button, int shift, float x, float y) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    bool Form_QueryUnload() override;
    // Ending without a question: the recovery copy keeps the changes.
    void Form_Interrupted() override;

    // Unchecks the six platform items.
    void tot();
    // The platform the arrows act on: Shape1(k + 1) for item k.
    int selected() const;
    // Keeps the platforms within the editor's bounds.
    void limits();
    // The level as it would be saved now.
    const level::Level& currentLevel() const { return doc_.level(); }
    // For tests and tools that set the geometry of Shape1's elements
    // directly: the platforms shown become the level's, an edit like a
    // key's, not yet a step. Nothing else reads the platforms back.
    void takeShownPlatforms();
    // Writes the level to a file of the level folder and says how it went;
    // true when it was written. `becomesCurrent`: the file is from then on the
    // one "Sauvegarder" writes ("Sauvegerder sous...").
    bool writeLevel(const QString& fileName, bool becomesCurrent = false);

    // Unsaved changes: the level as it stands, or the file it is saved to,
    // differs from the one last opened or saved.
    bool modified() const;
    // Before the level is set aside (quitting, opening another): when it has
    // unsaved changes, asks whether to save them. False when the author goes
    // back to the editor, which is then shown.
    bool mayLeave();
    // Takes the level as it stands as a step of the history, with the enemy
    // options the options screen holds.
    void commit(const History::Run& run = {});
    // The enemy options' OK: their changes are one step.
    void optionsChosen();
    // The enemy options screen was unloaded: the start values it comes back
    // with are a change of the level like any other.
    void optionsClosed();
    // After the open dialog replaced the level: one step, and saved.
    void opened();
    // Opens a level of the level folder into the editor (the open dialog and
    // the recent levels); false, after a message saying why, when it cannot
    // be read: nothing then changes.
    bool openLevel(const QString& name);
    // Which platforms the player can reach, from the game's own moves: the
    // sentence is shown in the status line until the platforms change. True
    // when every platform can be reached.
    bool checkReach();
    QString reachAnswer() const { return reach_; }
    // The recent levels' names, most recent first.
    const QStringList& recentLevels() const { return doc_.recentLevels(); }
    const History& history() const { return doc_.history(); }

    // The file "Sauvegarder" writes to: the document's.
    // Empty until the first tick names the new level; the document's name
    // follows it.
    QString nomfichier;

    tk::ElementArray<tk::Shape> Shape1;
    tk::ElementArray<tk::Label> Label1;
    tk::Line Line1, Line2;
    // Where the game's playfield ends on the right: what lies beyond is cut off.
    tk::Line playfieldEnd;
    // The selected platform's frame, with handles in the resize mode
    // (corners 1 to 4, then the middles of the sides 5 to 8).
    tk::Shape frame;
    tk::ElementArray<tk::Shape> handles;
    // The status line below the ground: the file "Sauvegarder" writes, the
    // selected platform, the mode, its place and size, the last check.
    tk::Label status;
    // Never shown: it holds the file name, and a name typed into it (by a
    // script) is the level's from the next tick on.
    tk::TextBox Text1;
    tk::Timer Timer1;
    // The check after a save runs once the save is done and said, so that it
    // never holds the save up.
    tk::Timer checkTimer;
    // The items of the layout keep their places; "Vérifier", "Nouveau" and
    // the last levels opened or saved (most recent first, in "recents") come
    // after "Essayer", before "Quitter tout le jeu".
    tk::MenuItem fich, menu, ouv, ssave, save, essayer, verifier, nouveau, recents, recent1,
        recent2, recent3, recent4, quit;
    tk::MenuItem optmech;
    tk::MenuItem cs, un, deux, trois, quatre, cinq, six;
    tk::MenuItem mode, lh, posi;
    tk::MenuItem edition, annuler, retablir;

private:
    ScreenMap& zelk();
    // A platform being dragged with the mouse.
    struct Drag {
        int platform;  // 0 to 5
        Grab grab;
    };

    void buildLayout();
    void wireMenus();
    // The frame, the handles and the status line, for the level as it stands.
    void showSelection();
    // A level opened or saved heads the recent levels.
    void addRecent(const QString& name);
    void showRecents();
    void newLevel();
    void saveAs();
    void centreLabels();
    QString fileName() const;
    // The name the level belongs to as a step sees it: what the next tick
    // makes the current file name.
    QString stepName() const;
    // The options screen changes the program's enemy options as its controls
    // change, OK or not, and a script may type a name into the hidden box:
    // the level takes both before it is recorded or tried.
    void takeOptions();
    // The document's level wherever it is shown: the platforms, the options
    // screen, the file name.
    void showLevel();
    // The menu items, the mark and the recovery copy, for the level as it stands.
    void showHistory();
    // Another level, or another file, in the editor: shown, its numbers too.
    void restore(const History::Step& step);
    void travel(bool back);
    // The selected platform, 0 to 5.
    int selectedPlatform() const;
    // The topmost platform under a point (its Shape1 index), 0 for none.
    int platformAt(float x, float y) const;
    // Mouse events of the screen and of the number labels; a label is the
    // handle of its platform (`shape`) and moves it.
    void mouseDown(int button, float x, float y, int shape, bool handle);
    void mouseMove(int buttons, float x, float y, int shape, bool handle);
    void follow(float x, float y);
    void release();
    void cancelDrag();

    std::optional<Drag> drag_;
    bool optionsShown_ = false;  // the enemy options were shown and not closed with OK
    // The last check of the reachability and the platforms it was made on.
    QString reach_;
    std::optional<level::Level> reachChecked_;
};

}  // namespace zelk
