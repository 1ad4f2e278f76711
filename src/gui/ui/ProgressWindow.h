#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <optional>

#include "core/services/Progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace trovique::gui {

// frmProgress: the modeless progress window CProgress drives. Its Cancel button sets
// UserCancel; closing it (close box, Escape) is refused and counts as Cancel. Update and
// UserCancel let pending events run, so that the window repaints and a click is seen while a
// long operation holds the one thread.
class ProgressWindow : public QDialog, public IProgressView {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    void Update(const ProgressDisplay& display) override;
    void Show() override;
    void Hide() override { hide(); }
    bool Visible() const override { return isVisible(); }
    int Top() const override { return frameGeometry().top(); }
    void SetTop(int top) override;
    bool UserCancel() override;
    void Reset() override { userCancel_ = false; }

    // Whether the last update asked to stay above the program's windows.
    bool WantsOnTop() const { return onTop_; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void LetEventsRun();

    QLabel* label_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    bool userCancel_ = false;
    bool onTop_ = true;
    std::optional<ProgressDisplay> shown_;
    QElapsedTimer sinceEvents_;
};

}  // namespace trovique::gui
