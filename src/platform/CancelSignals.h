#pragma once

namespace trovique {

// A command-line run ended from outside (SIGTERM from a script or `timeout`, SIGHUP at logout,
// SIGINT from Ctrl-C) must not leave an office running or temporary folders behind. With the
// handlers installed, such a signal only raises a flag that the waits for the office, the
// slide pictures and the install tool look at, and that counts as Cancel: the work stops, cleans
// up and the run ends with a failure. A second signal of the same kind ends the program at
// once, as it would have without the handlers.
void InstallCancelSignals();

// True once one of those signals has arrived.
bool CancelRequested();

}  // namespace trovique
