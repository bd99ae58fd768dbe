#pragma once

// Turns the signals by which a desktop session, a service manager or a terminal ends a program
// (SIGTERM, SIGHUP, SIGINT) into a call on the window's thread, so that the program can end as it
// does when the user closes it, keeping unsaved work, instead of vanishing. The signal handler
// only writes a byte to a socket pair; a notifier on the other end makes the call once the event
// loop runs, whichever loop it is. While one exists these signals no longer end the process at
// once; only one may exist at a time. Windows has no such signals: there the desktop's end of
// the session reaches the program through the application's commitDataRequest and aboutToQuit.

#include <functional>
#include <memory>

class QSocketNotifier;

namespace zurcfg {

class SessionEnd {
public:
    // `ending` runs once, at the first of the signals.
    explicit SessionEnd(std::function<void()> ending);
    // The signals end the process at once again.
    ~SessionEnd();
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

private:
    std::function<void()> ending_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace zurcfg
