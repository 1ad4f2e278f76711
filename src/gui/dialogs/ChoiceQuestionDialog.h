#pragma once

#include <QDialog>
#include <optional>

#include "core/services/ChoiceQuestion.h"

namespace trovique::gui {

// A question with a button per choice, such as "Add Monochrome Image (required)". The buttons
// are cmdChoice_0, cmdChoice_1 ... in the question's order; closing the window chooses nothing.
class ChoiceQuestionDialog : public QDialog {
    Q_OBJECT
public:
    explicit ChoiceQuestionDialog(const ChoiceQuestion& question, QWidget* parent = nullptr);

    std::optional<std::size_t> Choice() const { return choice_; }

private:
    std::optional<std::size_t> choice_;
};

}  // namespace trovique::gui
