#include "cli/command_line.h"

#include "cli/command_table.h"

namespace zurcfg {

namespace {

constexpr char kDescription[] =
    "zurcfg checks, normalises and changes a ZUR kernel's ZURcfg.h without a window, with the "
    "reader, writer and defaults of the window program ZURcfg_Tool.";

constexpr char kFooter[] =
    "A FILE|FOLDER that does not name a ZURcfg.h is a folder holding one.\n"
    "Headers are written as the window writes them; the previous one is kept as ZURcfg.bak.\n"
    "Defaults for 'new' come from the window's settings file: ZURcfg_Tool.ini beside\n"
    "ZURcfg_Tool.exe on Windows; file.ini in $XDG_CONFIG_HOME/ZURcfg_Tool, else\n"
    "~/.config/ZURcfg_Tool, on Linux. zurcfg never writes it.\n"
    "Exit status: 0 clean, 1 findings (or a header not in the canonical layout),\n"
    "2 usage or file error. Messages go to standard error; nothing waits for input.";

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
