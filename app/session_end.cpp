#include "app/session_end.h"

#include <utility>

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#endif

namespace zurcfg {

#ifdef Q_OS_UNIX

namespace {

constexpr std::array<int, 3> kEndingSignals = {SIGTERM, SIGHUP, SIGINT};

// The socket pair: the handler writes to [1], the notifier watches [0].
int endSockets[2] = {-1, -1};
std::array<struct sigaction, kEndingSignals.size()> previousActions;

// Only async-signal-safe calls here. A full socket already holds a request, so the byte may be
// lost without harm, and the write never blocks.
void OnEndingSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(endSockets[1], &byte, 1);
    errno = savedErrno;
}

bool MakeSockets() {
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, endSockets) != 0) {
        return false;
    }
    for (int socket : endSockets) {
        fcntl(socket, F_SETFD, FD_CLOEXEC);
        fcntl(socket, F_SETFL, fcntl(socket, F_GETFL) | O_NONBLOCK);
    }
    return true;
}

void CloseSockets() {
    for (int& socket : endSockets) {
        close(socket);
        socket = -1;
    }
}

}  // namespace

SessionEnd::SessionEnd(std::function<void()> ending) : ending_(std::move(ending)) {
    if (!MakeSockets()) {
        return;  // the signals keep ending the process at once
    }
    notifier_ = std::make_unique<QSocketNotifier>(endSockets[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        char bytes[16];
        while (read(endSockets[0], bytes, sizeof bytes) > 0) {
        }
        if (ending_) {
            std::exchange(ending_, nullptr)();
        }
    });
    struct sigaction action = {};
    action.sa_handler = OnEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
        sigaction(kEndingSignals[i], &action, &previousActions[i]);
    }
}

SessionEnd::~SessionEnd() {
    if (!notifier_) {
        return;
    }
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
        sigaction(kEndingSignals[i], &previousActions[i], nullptr);
    }
    notifier_.reset();
    CloseSockets();
}

#else

SessionEnd::SessionEnd(std::function<void()> ending) : ending_(std::move(ending)) {}

SessionEnd::~SessionEnd() = default;

#endif

}  // namespace zurcfg
