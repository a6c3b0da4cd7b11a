// Everything a screen asks of the outside world goes through this interface:
// the shipped program uses the Qt implementation, tests a scripted one.
#pragma once

#include <QDir>
#include <QString>
#include <exception>

#include "level/files.h"
#include "level/runtime.h"

namespace tk {

// Message box styles and answers, with the platform's values.
namespace mb {
// Buttons
constexpr int OkOnly = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4,
              RetryCancel = 5;
// Icons
constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
// Answers
constexpr int Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;
}  // namespace mb

// Thrown out of a dialog that the end of the program closed, or that was
// asked for after it: a box the end closed has no answer, so nothing acts on
// one; the event that asked stops there (Program::dispatch). The scripted
// services throw it from end() too, up to the driver.
struct ProgramEnded : std::exception {
    const char* what() const noexcept override { return "program ended"; }
};

class Services {
public:
    virtual ~Services() = default;

    // Modal message box; returns the button pressed. Throws ProgramEnded
    // when the program ends while it is shown (or has ended).
    virtual int msgBox(const QString& text, int style, const QString& title) = 0;
    // Modal input box; returns the text typed, empty on cancel. Throws as
    // msgBox does.
    virtual QString inputBox(const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;
    // Starts playing a ".wav" file without waiting; a missing file is silence.
    virtual void playSound(const QString& path) = 0;
    // Opens a text file in the system's viewer; false when none could be started.
    virtual bool launchViewer(const QString& path) = 0;
    // What became of a request for a display mode.
    enum class DisplayChange {
        Switched,     // the display now has the mode
        Already,      // it had it before
        NoSuchMode,   // the display has no mode of that size
        Unsupported,  // the windowing system lets no program change the mode
        Refused       // the display has the mode but refused the change
    };
    // Enumerates the current display's modes, then requests width x height with
    // no colour depth and nothing saved.
    virtual DisplayChange requestDisplayMode(int width, int height) = 0;
    // Ends the program.
    virtual void end() = 0;
    // Seconds since midnight, for reseeding the random numbers.
    virtual double clockSeconds() const = 0;

    // Notifications for observers (the scripted driver prints them).
    virtual void screenShown(const QString& /*name*/) {}
    virtual void screenUnloaded(const QString& /*name*/) {}

    level::Rng& rng() { return rng_; }

    // The program folder, split in two: the data folder holds the pictures,
    // sounds, texts and the sample levels as shipped; the level folder the
    // levels that the menu lists and the editor saves. Run from the build
    // tree both are the executable's folder (folders.h).
    const QString& dataFolder() const { return data_; }
    const QString& levelFolder() const { return levels_; }
    void setFolders(const QString& data, const QString& levels) {
        data_ = data;
        levels_ = levels;
    }
    // The file that keeps the game options from one run to the next: the
    // one set (installed: in the user's settings folder), else ".options" in
    // the level folder, so that a program run on a folder of its own (the
    // build tree, a test) keeps them there.
    QString settingsFile() const {
        if (!settings_.isEmpty() || levels_.isEmpty()) return settings_;
        return QDir(levels_).filePath(QStringLiteral(".options"));
    }
    void setSettingsFile(const QString& path) { settings_ = path; }

    // File operations on the program folder.
    level::Files& files() { return *files_; }
    // Puts another file layer in front (tests: one that fails on purpose).
    void setFiles(level::Files& files) { files_ = &files; }

private:
    level::Rng rng_;
    QString data_, levels_, settings_;
    level::Files ownFiles_;
    level::Files* files_ = &ownFiles_;
};

}  // namespace tk
