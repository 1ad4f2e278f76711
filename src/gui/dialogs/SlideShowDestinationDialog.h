#pragma once

#include <QDialog>

#include "core/services/UserInterface.h"

class QLabel;
class QPushButton;

namespace trovique::gui {

// frmSlideShowDest: where the automatic conversion sends the slide show. The buttons form the
// control array cmdAction: 0 HotSync, 1 Save, 2 Cancel; each closes the window. Closing it any
// other way is Cancel. Loading it closes an open About window.
class SlideShowDestinationDialog : public QDialog {
    Q_OBJECT
public:
    explicit SlideShowDestinationDialog(QWidget* parent = nullptr);

    bool ToFile() const { return choice_ == SlideShowDestination::Save; }
    bool HotSync() const { return choice_ == SlideShowDestination::HotSync; }
    SlideShowDestination Choice() const { return choice_; }

private:
    void OnAction(int index);

    QLabel* explanation_;
    SlideShowDestination choice_ = SlideShowDestination::Cancel;
};

}  // namespace trovique::gui
