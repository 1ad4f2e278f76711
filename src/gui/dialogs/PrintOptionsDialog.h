#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace trovique {
class CPrintOptions;
}

namespace trovique::gui {

// frmPrintOptions, "Print": shows a CPrintOptions and hands every click to it. Closes when
// DoAction says so (OK with something to print, or Cancel).
class PrintOptionsDialog : public QDialog {
    Q_OBJECT
public:
    PrintOptionsDialog(CPrintOptions& options, QWidget* parent = nullptr);

    // Shows the dialog modally over options.
    static void Show(CPrintOptions& options, QWidget* parent);

protected:
    void reject() override;

private:
    void Act(int index);
    void ShowState();

    CPrintOptions& options_;
    QCheckBox* header_;
    QCheckBox* toFile_;
    QLabel* printer_;
    QListWidget* list_;
    std::array<QPushButton*, 4> buttons_{};
    bool showing_ = false;
};

}  // namespace trovique::gui
