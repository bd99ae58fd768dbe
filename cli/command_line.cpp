#include "cli/command_line.h"

#include "cli/command_table.h"

namespace zurcfg {

namespace {

constexpr char kDescription[] =
    "zurcfg checks, normalises and changes a ZUR kernel's ZURcfg.h without a window, with the "
    "reader, writer and defaults of the window program ZURcfg_Tool.";

constexpr char kFooter[] =
    "An existing FILE is the header whatever its name; any other path that does not name a\n"
    "ZURcfg.h is a folder holding one. check and show read standard input for -.\n"
    "Headers are written as the window writes them, in their own line ends; the previous one\n"
    "is kept as ZURcfg.bak.\n"
    "Defaults for 'new' come from the window's settings file: ZURcfg_Tool.ini beside\n"
    "ZURcfg_Tool.exe on Windows; file.ini in $XDG_CONFIG_HOME/ZURcfg_Tool, else\n"
    "~/.config/ZURcfg_Tool, on Linux. zurcfg never writes it.\n"
    "Exit status: 0 clean (warnings alone too, unless --warnings-as-errors), 1 an error\n"
    "found, a header not in the canonical layout or one left unchanged for its findings,\n"
    "2 usage or file error. Messages go to standard error; only - waits for input.";

}  // namespace

ExitCode RunCommandLine(const std::vector<std::string>& arguments, Console& console) {
    CLI::App program(kDescription, "zurcfg");
    program.set_version_flag("--version", "zurcfg " ZURCFG_VERSION);
    program.footer(kFooter);
    program.require_subcommand(1);

    const std::vector<std::unique_ptr<Command>> commands = MakeCommands();
    for (const auto& command : commands) {
        command->AddOptions(*program.add_subcommand(command->Name(), command->Summary()));
    }

    std::vector<const char*> argv;
    argv.reserve(arguments.size());
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    try {
        program.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& error) {
        return program.exit(error, console.out, console.err) == 0 ? ExitCode::Clean
                                                                  : ExitCode::UsageOrFileError;
    }
    for (const auto& command : commands) {
        if (program.got_subcommand(command->Name())) {
            return command->Run(console);
        }
    }
    return ExitCode::UsageOrFileError;
}

}  // namespace zurcfg
