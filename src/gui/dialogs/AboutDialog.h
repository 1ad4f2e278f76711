#pragma once

#include <QDialog>

namespace trovique::gui {

// frmAbout: the program's name, version and legal notice, with OK. Shown modeless by the
// /SHOWABOUT run; deletes itself when closed.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kObjectName = "frmAbout";

    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace trovique::gui
