#pragma once

#include <functional>
#include <string>
#include <vector>

namespace trovique::cli {

// One subcommand of trovique-cli. Each lives in a file of its own and registers itself with a
// static CommandRegistration, so adding a command needs no edit elsewhere.
struct Command {
    std::string name;
    std::string synopsis;  // "NAME ARGS...", shown by --help
    std::string summary;   // one line, shown by --help
    // Runs with the arguments after the command name; returns the process exit status.
    std::function<int(const std::vector<std::string>& args)> run;
};

const std::vector<Command>& Commands();
const Command* FindCommand(const std::string& name);

struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

}  // namespace trovique::cli
