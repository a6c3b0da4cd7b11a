// Services for the scripted driver and the tests: dialogs answered from a
// queue, every call printed as a line, time frozen.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "services.h"

class QTextStream;

namespace tk {

// Text as the driver prints it: in double quotes, with \" \\ \r \n escaped.
QString quoted(const QString& s);

class ScriptedServices : public Services {
public:
    ScriptedServices(const QString& folder, QTextStream* out);

    int msgBox(const QString& text, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    void playSound(const QString& path) override;
    bool launchViewer(const QString& path) override;
    DisplayChange requestDisplayMode(int width, int height) override;
    void end() override;
    double clockSeconds() const override { return 0.0; }  // time is frozen
    void screenShown(const QString& name) override;
    void screenUnloaded(const QString& name) override;

    void queueMsgBoxAnswer(int answer) { msgAnswers_.push_back(answer); }
    // What the next display mode requests give (Switched unless told).
    void setDisplayAnswer(DisplayChange answer) { displayAnswer_ = answer; }
    void queueInputAnswer(const QString& answer) { inputAnswers_.push_back(answer); }
    // The system asks the program to stop while the next dialog is shown:
    // `interrupt` runs then (the driver's program's), and the dialog closes
    // without an answer.
    void stopAtNextDialog() { stopAtDialog_ = true; }
    void setInterrupt(std::function<void()> interrupt) { interrupt_ = std::move(interrupt); }
    // One folder for the data and the levels.
    void setFolder(const QString& f) { setFolders(f, f); }
    // Everything printed so far (also when there is no output stream).
    const QStringList& log() const { return log_; }
    void clearLog() { log_.clear(); }

private:
    void print(const QString& line);
    void stopIfAsked(const QString& line);
    QTextStream* out_;
    std::deque<int> msgAnswers_;
    std::deque<QString> inputAnswers_;
    DisplayChange displayAnswer_ = DisplayChange::Switched;
    bool stopAtDialog_ = false;
    std::function<void()> interrupt_;
    QStringList log_;
};

}  // namespace tk
