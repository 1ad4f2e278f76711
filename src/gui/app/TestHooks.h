#pragma once

#include <memory>
#include <optional>

#include "core/app/SplashWait.h"

class QApplication;

namespace trovique::gui {

class MainWindow;

// Hidden switches for the process tests and scripts/screenshots, read from the environment.
// None of them changes what the program does; they watch it, answer for the user or stand in
// for the clock:
//   TROVIQUE_TRACE=1         prints "shown <objectName>" when a window shows and
//                            "command <n>: <parameter>" when the main window issues a command
//   TROVIQUE_GRAB_DIR=dir    saves each window, once it has painted, as dir/<objectName>.png
//   TROVIQUE_AUTOCLOSE=ms    closes each dialog and the main window that long after it shows
//                            (a dialog as Escape would: its answer that loses nothing)
//   TROVIQUE_FAKE_CLOCK=1    the start-up clock moves only when slept on: no real splash wait
//   TROVIQUE_SHOW_WINDOW=frmMsgYN|frmProgress|frmMultiMsg shows that window with sample
//                            content instead of starting, and ends when it closes
void InstallTestHooks(QApplication& app);
void TraceCommands(MainWindow& main);
std::unique_ptr<IStartupClock> MakeStartupClock();
// The exit code when TROVIQUE_SHOW_WINDOW names a window; nothing otherwise.
std::optional<int> RunSampleWindow(QApplication& app);

}  // namespace trovique::gui
