#pragma once

#include <QString>

namespace trovique::gui {

class MainWindow;

// For scripts/screenshots only: fills a new slide show with sample slides and shows either the
// panes on their own for one item ("root", "node", "qaf", "fact", "bitmap", "locked"), in a
// window named frmPanes ("question": the QAF slide's question tab), or one of the panes' dialogs
// ("prefs", "password", "term", "splash").
void ShowPaneShot(MainWindow& main, const QString& which);
void ShowPaneDialogShot(MainWindow& main, const QString& which);

}  // namespace trovique::gui
