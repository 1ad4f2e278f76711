#pragma once

namespace trovique::gui {

class MainWindow;

// For scripts/screenshots only, off unless TROVIQUE_SHOT asks: once the frame shows, opens one
// of its menus ("menu:mnuFile", the screen is saved as TROVIQUE_GRAB_DIR/mnuFile.png), issues a
// command ("command:1") or answers the Save As dialog of a new slide show with an existing file
// ("replace:/folder/file.sdb"), shows the handheld preview of a slide show's first picture
// ("preview:2:/folder/file.sdb", at 2x), opens a slide show and shows the Print dialog
// ("print:/folder/file.sdb") or the print preview ("printpreview:/folder/file.sdb"), validates
// a new slide show with findings ("validate:"), imports a text file through its options dialog
// ("unstructured:/folder/file.txt", and with "Build Delimiter" opened from it:
// "delimiter:/folder/file.txt") or a presentation into a new slide show
// ("presentation:/folder/deck.pptx"), or shows the panes of a sample slide show on their own
// ("pane:qaf", PaneShots.h) or one of their dialogs ("dialog:prefs"), so that the windows they
// lead to can be pictured.
void InstallMainWindowShots(MainWindow& main);

}  // namespace trovique::gui
