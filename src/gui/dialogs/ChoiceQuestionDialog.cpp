#include "gui/dialogs/ChoiceQuestionDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/ui/GuiText.h"

namespace trovique::gui {

ChoiceQuestionDialog::ChoiceQuestionDialog(const ChoiceQuestion& question, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmChoiceQuestion"));
    setWindowTitle(FromCore(question.title));
    auto* text = new QLabel(FromCore(question.text), this);
    text->setObjectName(QStringLiteral("lblText"));
    text->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(8);
    for (std::size_t choice = 0; choice < question.choices.size(); ++choice) {
        auto* button = new QPushButton(FromCore(question.choices[choice]), this);
        button->setObjectName(QStringLiteral("cmdChoice_%1").arg(choice));
        button->setAutoDefault(choice == 0);
        button->setDefault(choice == 0);
        connect(button, &QPushButton::clicked, this, [this, choice] {
            choice_ = choice;
            accept();
        });
        layout->addWidget(button);
    }
    setMinimumWidth(420);
}

}  // namespace trovique::gui
