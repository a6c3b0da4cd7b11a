// The level the editor edits and the file it belongs to, with what the
// history records of it: the steps with their file names, the one last saved
// or opened, the recovery copy of unsaved changes, the writes into the level
// folder and the recent levels. Every edit is one of the operations here;
// messages and questions go through the services. No widget here: the
// editor's screen shows the level and turns keys, the mouse and its menus
// into these operations.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "editor/drag.h"
#include "editor/history.h"
#include "level/levelfile.h"
#include "level/options.h"

namespace tk {
class Services;
}

namespace zelk {

// Platform k (0 to 5) of a level as a rectangle, and a level with it placed
// elsewhere.
Rect platformOf(const level::Level& l, int k);
level::Level withPlatform(level::Level l, int k, const Rect& r);
// The keys' limits pass over every platform (`right` the right-hand limit).
level::Level withinLimits(level::Level l, float right);

class Document {
public:
    // Name of a new level.
    static constexpr const char* kNewLevel = "sansnom.lev";
    // The level folder's copy of a level with unsaved changes, kept for a
    // run that ends without saving them (a kill, a crash).
    static constexpr const char* kRecoveryFile = ".recuperation.lev";
    // Recent levels kept.
    static constexpr int kRecentCount = 4;

    explicit Document(tk::Services& services) : services_(services) {}

    // ---- The level being edited and the file "Sauvegarder" writes it to.
    const level::Level& level() const { return step_.level; }
    const QString& name() const { return step_.name; }
    const History::Step& step() const { return step_; }
    Rect platform(int k) const { return platformOf(step_.level, k); }

    // The edits. None is a step of the history until it is committed.
    void place(int k, const Rect& r) { step_.level = withPlatform(step_.level, k, r); }
    void keepWithinLimits(float right) { step_.level = withinLimits(step_.level, right); }
    void chooseOptions(const level::EnemyOptions& e) { e.into(step_.level); }
    void rename(const QString& name) { step_.name = name; }
    // Another level, or another file, in its place (opened, new, a recovery
    // copy taken back).
    void replace(const History::Step& now) { step_ = now; }

    // ---- The history.
    const History& history() const { return history_; }

    // Starts afresh on the level being edited, which counts as saved.
    void start() { history_.reset(step_); }
    void start(const History::Step& now);
    // Takes the level being edited as a step (see History::record).
    void commit(const History::Run& run = {});
    void commit(const History::Step& now, const History::Run& run = {});
    void endRun() { history_.endRun(); }
    // The level replaced by one opened (or a new one): one step, and saved.
    void opened();
    void opened(const History::Step& now);
    // The current step is the one last saved.
    void markSaved() { history_.markSaved(history_.current()); }

    // A key's limits pass is not a step: the level it left is remembered so
    // that undo and redo pass over it instead of cutting the redo list.
    void passedLimits() { unrecorded_ = step_.level; }
    // The level being edited differs from the current step and from what a
    // limits pass left.
    bool pending() const;
    // The level being edited is what a limits pass left.
    bool unrecorded() const { return unrecorded_ && step_.level == *unrecorded_; }
    // Undo (back) or redo: the step is the level being edited again.
    const History::Step& travel(bool back);

    // The current step with what a limits pass changed since, under the name
    // the level belongs to now.
    History::Step standing() const;
    // Unsaved changes: the level as it stands, or its file, differs from the
    // one last opened or saved.
    bool modified() const { return !(standing() == history_.saved()); }

    // The recovery copy, for the level as it stands: written while there are
    // unsaved changes, removed once there are none.
    void keepOrDropRecovery();
    // Removes the copy, whatever the changes; false, with the reason, when
    // it is there and could not be removed.
    bool dropRecovery(QString& why);
    void dropRecovery();
    // At the first load: a copy found is offered back; the step to show
    // when the author takes it.
    std::optional<History::Step> offerRecovery();
    // The system asked the program to stop: no question from then on.
    void stopping() { stopping_ = true; }
    // The end, without a question: the copy is written once more (another
    // program on the folder may have removed it).
    void keepForNextRun();
    QString recoveryPath() const;

    // "Le niveau ... a été modifié": the answer.
    int askToSave(const QString& fileName);
    // Writes the current step into a file of the level folder; when it
    // fails, says so and why. True when it was written.
    bool write(const QString& fileName);
    void sayWritten();
    // Asks for the name "Sauvegerder sous..." writes; the file name, or none
    // when cancelled, refused or not to replace an existing level.
    std::optional<QString> askNewName();
    // Whether a name typed for "Sauvegerder sous..." can be a level file name;
    // when not, `why` says what is wrong, in French.
    static bool acceptableName(const QString& name, QString& why);

    // The recent levels, most recent first, kept in the level folder.
    const QStringList& recentLevels() const { return recent_; }
    void loadRecents();
    // A level opened or saved heads them.
    void addRecent(const QString& name);
    // A level that went away leaves them.
    void forgetRecent(const QString& name);

private:
    void keepRecovery();
    void keepRecents();

    tk::Services& services_;
    History::Step step_{{}, QString::fromLatin1(kNewLevel)};  // the level being edited
    History history_;
    // The level as a key's limits pass left it without a step of its own.
    std::optional<level::Level> unrecorded_;
    QByteArray recovery_;          // what the recovery copy holds, empty when there is none
    bool recoveryWarned_ = false;  // the author was told that no copy can be written
    bool stopping_ = false;        // the system asked the program to stop
    QStringList recent_;           // the names of the recent levels, most recent first
};

}  // namespace zelk
