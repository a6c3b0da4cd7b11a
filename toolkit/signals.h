// The system's requests to stop (SIGTERM, SIGINT, SIGHUP) turned into an
// ordinary event: the handler only writes a byte to a pipe, and the event
// loop runs `onSignal`, which ends the program through its normal end, so
// that the event loop returns and everything is destroyed in order.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace tk {

class StopSignals : public QObject {
    Q_OBJECT
public:
    // One object at a time: it owns the handlers until it is destroyed.
    explicit StopSignals(std::function<void()> onSignal);
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    void received();

    std::function<void()> onSignal_;
    int fds_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tk
