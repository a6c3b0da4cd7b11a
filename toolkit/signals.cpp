#include "signals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>

namespace tk {

namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};

// A signal handler can reach nothing but what is static: the pipe's writing
// end, set while a StopSignals lives.
volatile sig_atomic_t writeEnd = -1;

void onStopSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a request: nothing is lost.
    if (writeEnd >= 0 && ::write(writeEnd, &byte, 1) < 0) errno = saved;
    errno = saved;
}

}  // namespace

StopSignals::StopSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds_) != 0) return;
    writeEnd = fds_[0];
    notifier_ = new QSocketNotifier(fds_[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &StopSignals::received);
    struct sigaction sa {};
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : kSignals)
        ::sigaction(sig, &sa, nullptr);
}

StopSignals::~StopSignals() {
    for (int sig : kSignals)
        ::signal(sig, SIG_DFL);
    writeEnd = -1;
    for (int fd : fds_)
        if (fd >= 0) ::close(fd);
}

void StopSignals::received() {
    char bytes[16];
    while (::read(fds_[1], bytes, sizeof bytes) > 0) {
    }
    if (onSignal_) onSignal_();
}

}  // namespace tk
