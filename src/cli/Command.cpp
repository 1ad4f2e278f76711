#include "cli/Command.h"

#include <algorithm>

namespace trovique::cli {
namespace {

std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}

}  // namespace

const std::vector<Command>& Commands() {
    auto& commands = Registry();
    std::sort(commands.begin(), commands.end(),
              [](const Command& a, const Command& b) { return a.name < b.name; });
    return commands;
}

const Command* FindCommand(const std::string& name) {
    for (const auto& command : Registry()) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

CommandRegistration::CommandRegistration(Command command) {
    Registry().push_back(std::move(command));
}

}  // namespace trovique::cli
