#pragma once

#include <cstddef>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "core/services/MessageStyle.h"

namespace trovique {

// The switches the program is started with.
inline constexpr std::string_view kSwitchShowUI = "/SHOWUI";
inline constexpr std::string_view kSwitchShowAbout = "/SHOWABOUT";
inline constexpr std::string_view kSwitchAutoPdb = "/AUTOPDB";

// What the command line asks for. Switch names are matched without regard to case; any other
// token names the start file, the last one winning.
struct StartupOptions {
    std::size_t tokenCount = 0;  // items on the command line, empty ones not counted
    bool showUI = false;
    bool showAbout = false;
    std::string autoPdbFile;  // the presentation of the automatic run
    std::string startFile;    // the slide show the interactive run opens

    bool operator==(const StartupOptions&) const = default;
};

// Reads a whole command-line text with the name/value tokenizer (blank between tokens, "="
// between a name and its value, both kinds of quote grouping).
StartupOptions ReadCommandLine(std::string_view commandLine);

// Reads arguments the system has already split and unquoted, one token each. Only a switch is
// split at its "="; any other argument is a file name whole, so that blanks and "=" in file
// names survive.
StartupOptions ReadArguments(const std::vector<std::string>& arguments);

// Files one (name, value) token into the options.
void ClassifyToken(const std::string& name, const std::string& value, StartupOptions& options);

// Whether another copy of the program runs, as far as start-up can tell.
enum class OtherInstance {
    None,
    Found,        // running, and its main window was found and brought to the front
    Unreachable,  // running, but its main window could not be found
};

enum class StartupRun {
    Message,      // nothing on the command line: tell the user how to start the program
    SilentEnd,    // nothing to do, or a non-interactive launch beside a running copy
    About,        // the About window alone
    HandOver,     // give the start file to the running copy and end
    Automatic,    // convert autoPdbFile without windows
    Interactive,  // splash, then the main window with the start file
};

struct StartupDecision {
    StartupRun run = StartupRun::SilentEnd;
    std::string text;    // the message, the file handed over, the presentation or the start file
    MessageStyle style;  // message style of the Message run

    bool operator==(const StartupDecision&) const = default;
};

// Chooses the run. /SHOWABOUT comes before everything else, /AUTOPDB before /SHOWUI; an
// interactive launch hands its start file to a running copy it can reach; a launch without
// /SHOWUI does nothing while another copy runs.
StartupDecision ChooseStartupRun(const StartupOptions& options, OtherInstance other);

// The text start-up reports, with the critical style, before it ends the process on an error.
std::string StartupErrorText(const std::exception& error);

}  // namespace trovique
