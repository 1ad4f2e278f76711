#pragma once

#include <QDialog>
#include <string>

#include "core/services/TextQuestion.h"

class QLabel;
class QLineEdit;

namespace trovique::gui {

// A line of text asked for with OK and Cancel: a password (typed unseen), a term.
class TextQuestionDialog : public QDialog {
    Q_OBJECT
public:
    explicit TextQuestionDialog(QWidget* parent = nullptr);

    void SetQuestion(const TextQuestion& question);
    std::string Answer() const;
    // OK closes the dialog once the question's check takes the entry; a refused entry stays
    // with the focus in it.
    void accept() override;

private:
    TextQuestion question_;
    QLabel* prompt_;
    QLineEdit* entry_;
};

}  // namespace trovique::gui
