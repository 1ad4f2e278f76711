#pragma once

#include <QDialog>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace trovique {
class CApplication;
class CValidationOptions;
class IUserInterface;
}  // namespace trovique

namespace trovique::gui {

// frmOptions, "Application Options": whether validation stops listing findings and after how
// many. The box and its labels follow the check box; OK asks core's CValidationOptions, which
// checks the count and stores both settings at once.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(CApplication& application, IUserInterface& ui, QWidget* parent = nullptr);
    ~OptionsDialog() override;

    // The buttons by number: 0 OK, 1 Cancel.
    void DoAction(int action);

private:
    void ApplyEnabling();

    std::unique_ptr<CValidationOptions> options_;
    IUserInterface& ui_;
    QCheckBox* limit_;
    QLabel* showFirst_;
    QLineEdit* count_;
    QLabel* errors_;
};

}  // namespace trovique::gui
