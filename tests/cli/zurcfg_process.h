#pragma once

// Runs the built zurcfg as a process, as scripts and CI run it: arguments quoted for the shell,
// input from nowhere, both output streams caught. POSIX only.

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace zurcfg::testing {

struct Outcome {
    int status;  // the exit status; -1 when the program did not exit
    std::string out;
    std::string err;
};

inline std::string Quoted(const std::string& argument) {
    std::string quoted = "'";
    for (char c : argument) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// The command line that runs zurcfg with the arguments, after the environment settings given.
inline std::string ZurcfgCommand(const std::vector<std::string>& arguments,
                                 const std::string& environment = "") {
    std::string command = environment + " " + Quoted(ZURCFG_PROGRAM);
    for (const std::string& argument : arguments) {
        command += " " + Quoted(argument);
    }
    return command;
}

// Runs a shell command line with input from nowhere; its output streams go through files in dir.
inline Outcome RunCommand(const TempDir& dir, std::string command) {
    const std::string out = dir.File("stdout.txt");
    const std::string err = dir.File("stderr.txt");
    command += " </dev/null >" + Quoted(out) + " 2>" + Quoted(err);
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(out), ReadBytes(err)};
}

inline Outcome Zurcfg(const TempDir& dir, const std::vector<std::string>& arguments,
                      const std::string& environment = "") {
    return RunCommand(dir, ZurcfgCommand(arguments, environment));
}

// A copy of zurcfg in dir that any user may run, for a run as "nobody", who may not reach the
// build folder (it may lie in a home folder closed to others).
inline std::string ProgramCopyForEveryone(const TempDir& dir) {
    namespace fs = std::filesystem;
    const fs::path copy = dir.Path() / "zurcfg";
    fs::copy_file(ZURCFG_PROGRAM, copy, fs::copy_options::overwrite_existing);
    fs::permissions(copy, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(dir.Path(), fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add);
    return copy.string();
}

}  // namespace zurcfg::testing
