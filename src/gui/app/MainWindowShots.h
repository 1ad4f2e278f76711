#pragma once

namespace trovique::gui {

class MainWindow;

// For scripts/screenshots only, off unless TROVIQUE_SHOT asks: once the frame shows, opens one
// of its menus ("menu:mnuFile", the screen is saved as TROVIQUE_GRAB_DIR/mnuFile.png), issues a
// command ("command:1") or answers the Save As dialog of a new slide show with an existing file
// ("replace:/folder/file.sdb") or shows the handheld preview of a slide show's first picture
// ("preview:2:/folder/file.sdb", at 2x), so that the windows they lead to can be pictured.
void InstallMainWindowShots(MainWindow& main);

}  // namespace trovique::gui
