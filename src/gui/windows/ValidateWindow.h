#pragma once

#include <QWidget>
#include <functional>

#include "core/validation/ValidationLimit.h"

class QLabel;
class QPushButton;
class QTreeView;

namespace trovique {
class CDocument;
class CValidationResults;
class ISettingsStore;
}  // namespace trovique

namespace trovique::gui {

class IDocumentWindow;
class ValidationResultsModel;

// What the validation window needs from the rest of the program.
struct ValidateWindowLinks {
    // The slide show window that shows a document; null when it is not open.
    std::function<IDocumentWindow*(const CDocument*)> windowOf;
    // Opens the options dialog modally (Go To on the stop entry).
    std::function<void()> options;
    // The error limit of a Revalidate run.
    std::function<CValidationLimit()> limit;
};

// frmValidate: the one modeless list of the last validation run's findings. It shows core's
// CValidationResults and keeps nothing of its own; it is created hidden with the main window,
// shown and hidden by the results, and closing it only hides it. Its placement is kept under
// "Validate".
class ValidateWindow : public QWidget {
    Q_OBJECT
public:
    ValidateWindow(CValidationResults& results, ISettingsStore& store, ValidateWindowLinks links,
                   QWidget* parent = nullptr);
    ~ValidateWindow() override;

    QTreeView& Tree() { return *tree_; }
    ValidationResultsModel& Model() { return *model_; }
    // The action dispatcher behind the buttons (0 Go To, 1 Close, 2 Revalidate), the
    // double-click (101) and loading (100).
    void DoAction(int action);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Refill();
    void ShowSelection();
    void FollowVisibility(bool visible, bool bringToFront);
    void RestorePlacement();
    void SavePlacement();

    CValidationResults& results_;
    ISettingsStore& store_;
    ValidateWindowLinks links_;
    ValidationResultsModel* model_;
    QTreeView* tree_;
    QPushButton* goTo_;
    QPushButton* close_;
    QPushButton* revalidate_;
    QLabel* info_;
    bool following_ = false;
    bool expandPending_ = false;
};

}  // namespace trovique::gui
