#include "cli/command_table.h"

#include "cli/check_command.h"
#include "cli/format_command.h"
#include "cli/new_command.h"
#include "cli/set_command.h"
#include "cli/show_command.h"

namespace zurcfg {

std::vector<std::unique_ptr<Command>> MakeCommands() {
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<CheckCommand>());
    commands.push_back(std::make_unique<FormatCommand>());
    commands.push_back(std::make_unique<ShowCommand>());
    commands.push_back(std::make_unique<SetCommand>());
    commands.push_back(std::make_unique<NewCommand>());
    return commands;
}

}  // namespace zurcfg
