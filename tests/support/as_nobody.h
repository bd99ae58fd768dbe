#pragma once

#ifndef _WIN32

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace zurcfg::testing {

// Runs `check` in a child process as the unprivileged user "nobody" (or as the user running the
// tests, when that is not root) and answers whether it held. Root passes any file mode; a
// read-only file or folder only stops an ordinary user.
inline bool HoldsAsNobody(const std::function<bool()>& check) {
    constexpr uid_t kNobody = 65534;
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = geteuid() != 0 || (setgid(kNobody) == 0 && setuid(kNobody) == 0);
        _exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

}  // namespace zurcfg::testing

#endif
