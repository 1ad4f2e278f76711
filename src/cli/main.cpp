// trovique-cli: converts presentations and slide shows into Palm databases from scripts.

#include <iostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#if defined(TROVIQUE_CLI_LAUNCHER)
#include "cli/PlatformProgram.h"
#endif

namespace {

void PrintHelp(std::ostream& out) {
    out << "Usage: trovique-cli COMMAND [ARGS...]\n"
           "       trovique-cli --help | --version\n\n"
           "Turns presentations and hand-edited slide shows into Palm databases for the\n"
           "Trovique handheld viewer.\n\n"
           "Commands:\n";
    for (const auto& command : trovique::cli::Commands()) {
        out << "  " << command.synopsis << "\n      " << command.summary << "\n";
    }
    out << "\nOptions:\n"
           "  --help     show this help and exit\n"
           "  --version  show the version and exit\n";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace trovique::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintHelp(std::cerr);
        return kExitUsage;
    }
    const std::string& first = args.front();
#if defined(TROVIQUE_CLI_LAUNCHER)
    if (first != "--version" && FindCommand(first) == nullptr) {
        return RunPlatformProgram(argv);
    }
#endif
    if (first == "--help" || first == "-h" || first == "help") {
        PrintHelp(std::cout);
        return kExitOk;
    }
    if (first == "--version") {
        std::cout << "trovique-cli " << TROVIQUE_VERSION << "\n";
        return kExitOk;
    }
    const Command* command = FindCommand(first);
    if (command == nullptr) {
        std::cerr << "trovique-cli: unknown command '" << first
                  << "'; 'trovique-cli --help' lists the commands\n";
        return kExitUsage;
    }
    try {
        return command->run(std::vector<std::string>(args.begin() + 1, args.end()));
    } catch (const std::exception& error) {
        std::cerr << "error: " << error.what() << "\n";
        return kExitFailure;
    }
}
