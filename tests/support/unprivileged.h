#pragma once

// Runs a test's action as a user whom file permission bits bind, even when the tests run as
// root. POSIX only: Windows has no such bits, only a read-only attribute that binds everyone.

#ifndef _WIN32

#include <grp.h>
#include <pwd.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace zurcfg::testing {

// Runs action as a user whom permission bits bind: in a child process as "nobody" when this
// process is root, whom no permission bit stops, else right here. True when action returned
// true. The action runs without the test framework, so it only acts; the caller checks.
inline bool RunUnprivileged(const std::function<bool()>& action) {
    if (geteuid() != 0) {
        return action();
    }
    const passwd* nobody = getpwnam("nobody");
    const uid_t user = nobody != nullptr ? nobody->pw_uid : 65534;
    const gid_t group = nobody != nullptr ? nobody->pw_gid : 65534;
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = setgroups(0, nullptr) == 0 && setgid(group) == 0 && setuid(user) == 0;
        _exit(dropped && action() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

}  // namespace zurcfg::testing

#endif
