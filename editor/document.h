// The level the editor edits, as its history records it: the steps with
// their file names, the one last saved or opened, the recovery copy of
// unsaved changes, the writes into the level folder and the recent levels.
// Messages and questions go through the services; no widget here, the
// editor's screen shows the level and reports what it stands as.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "editor/history.h"
#include "level/levelfile.h"

namespace tk {
class Services;
}

namespace zelk {

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

    const History& history() const { return history_; }

    // Starts afresh on the level shown, which counts as saved.
    void start(const History::Step& shown) { history_.reset(shown); }
    // Takes the level as it stands as a step (see History::record).
    void commit(const History::Step& now, const History::Run& run = {});
    void endRun() { history_.endRun(); }
    // The level replaced by one opened (or a new one): one step, and saved.
    void opened(const History::Step& now);
    // The current step is the one last saved.
    void markSaved() { history_.markSaved(history_.current()); }

    // A key's limits pass is not a step: the level it left is remembered so
    // that undo and redo pass over it instead of cutting the redo list.
    void passedLimits(const level::Level& now) { unrecorded_ = now; }
    // The level shown differs from the current step and from what a limits
    // pass left.
    bool pending(const level::Level& now) const;
    // The level shown is what a limits pass left.
    bool unrecorded(const level::Level& now) const { return unrecorded_ && now == *unrecorded_; }
    // Undo (back) or redo: the step to show.
    const History::Step& travel(bool back);

    // The current step with what a limits pass changed since, under the name
    // the level belongs to now.
    History::Step standing(const QString& name) const;
    // Unsaved changes: the level as it stands, or its file, differs from the
    // one last opened or saved.
    bool modified(const QString& name) const { return !(standing(name) == history_.saved()); }

    // The recovery copy, for the level as it stands: written while there are
    // unsaved changes, removed once there are none.
    void keepOrDropRecovery(const QString& name);
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
    void keepForNextRun(const QString& name);
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
    void keepRecovery(const QString& name);
    void keepRecents();

    tk::Services& services_;
    History history_;
    // The level as a key's limits pass left it without a step of its own.
    std::optional<level::Level> unrecorded_;
    QByteArray recovery_;          // what the recovery copy holds, empty when there is none
    bool recoveryWarned_ = false;  // the author was told that no copy can be written
    bool stopping_ = false;        // the system asked the program to stop
    QStringList recent_;           // the names of the recent levels, most recent first
};

}  // namespace zelk
