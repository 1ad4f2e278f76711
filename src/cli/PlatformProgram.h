#pragma once

namespace trovique::cli {

// trovique-cli itself holds only the commands that need nothing beyond core (palm-bitmap), so
// that they start without loading Qt and the office libraries. Every other command, and the
// help that lists them all, is run by this program beside it, which replaces the running one.
inline constexpr const char* kPlatformProgram = "trovique-cli-platform";

// Hands the whole command line over to the platform program; returns only when it could not
// be started, with the exit status of a failure after saying why.
int RunPlatformProgram(char** argv);

}  // namespace trovique::cli
