#include "scriptedservices.h"

#include <QDir>
#include <QTextStream>
#include <utility>

namespace tk {

QString quoted(const QString& s) {
    QString out;
    out.reserve(s.size() + 2);
    out += u'"';
    for (QChar c : s) {
        switch (c.unicode()) {
            case '"':
                out += QLatin1String("\\\"");
                break;
            case '\\':
                out += QLatin1String("\\\\");
                break;
            case '\r':
                out += QLatin1String("\\r");
                break;
            case '\n':
                out += QLatin1String("\\n");
                break;
            default:
                out += c;
        }
    }
    out += u'"';
    return out;
}

ScriptedServices::ScriptedServices(const QString& folder, QTextStream* out) : out_(out) {
    setFolder(folder);
}

void ScriptedServices::print(const QString& line) {
    log_ << line;
    if (out_) {
        *out_ << line << '\n';
        out_->flush();
    }
}

void ScriptedServices::stopIfAsked(const QString& line) {
    if (!std::exchange(stopAtDialog_, false)) return;
    print(line + QStringLiteral(" -> stop"));
    if (interrupt_) interrupt_();
    throw ProgramEnded();
}

int ScriptedServices::msgBox(const QString& text, int style, const QString& title) {
    stopIfAsked(QStringLiteral("msgbox %1 %2 %3").arg(quoted(title), quoted(text)).arg(style));
    int answer = mb::Ok;
    if (!msgAnswers_.empty()) {
        answer = msgAnswers_.front();
        msgAnswers_.pop_front();
    }
    print(QStringLiteral("msgbox %1 %2 %3 -> %4")
              .arg(quoted(title), quoted(text))
              .arg(style)
              .arg(answer));
    return answer;
}

QString ScriptedServices::inputBox(const QString& prompt, const QString& title, const QString&) {
    stopIfAsked(QStringLiteral("inputbox %1 %2").arg(quoted(title), quoted(prompt)));
    QString answer;
    if (!inputAnswers_.empty()) {
        answer = inputAnswers_.front();
        inputAnswers_.pop_front();
    }
    print(
        QStringLiteral("inputbox %1 %2 -> %3").arg(quoted(title), quoted(prompt), quoted(answer)));
    return answer;
}

// Paths inside the data folder are printed relative to it, so that output
// does not depend on where the folder is.
static QString shown(const QString& folder, const QString& path) {
    const QString rel = QDir(folder).relativeFilePath(path);
    return rel.startsWith(QLatin1String("..")) ? path : rel;
}

void ScriptedServices::playSound(const QString& path) {
    print(QStringLiteral("sound %1").arg(quoted(shown(dataFolder(), path))));
}

bool ScriptedServices::launchViewer(const QString& path) {
    print(QStringLiteral("launch %1").arg(quoted(shown(dataFolder(), path))));
    return true;
}

Services::DisplayChange ScriptedServices::requestDisplayMode(int width, int height) {
    print(QStringLiteral("display %1").arg(quoted(QStringLiteral("%1x%2").arg(width).arg(height))));
    return displayAnswer_;
}

void ScriptedServices::end() {
    print(QStringLiteral("end"));
    throw ProgramEnded();
}

void ScriptedServices::screenShown(const QString& name) {
    print(QStringLiteral("show ") + name);
}

void ScriptedServices::screenUnloaded(const QString& name) {
    print(QStringLiteral("unload ") + name);
}

}  // namespace tk
