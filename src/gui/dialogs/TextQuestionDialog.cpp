#include "gui/dialogs/TextQuestionDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <limits>

#include "gui/ui/GuiText.h"

namespace trovique::gui {

TextQuestionDialog::TextQuestionDialog(QWidget* parent)
    : QDialog(parent), prompt_(new QLabel(this)), entry_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("frmTextQuestion"));
    prompt_->setObjectName(QStringLiteral("lblPrompt"));
    entry_->setObjectName(QStringLiteral("txtEntry"));
    prompt_->setWordWrap(true);
    prompt_->setBuddy(entry_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt_);
    layout->addWidget(entry_);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

void TextQuestionDialog::SetQuestion(const TextQuestion& question) {
    question_ = question;
    setWindowTitle(FromCore(question.title));
    prompt_->setText(FromCore(question.prompt));
    entry_->setEchoMode(question.secret ? QLineEdit::Password : QLineEdit::Normal);
    const std::size_t limit = question.maxLength == 0
                                  ? static_cast<std::size_t>(std::numeric_limits<int>::max())
                                  : question.maxLength;
    entry_->setMaxLength(static_cast<int>(
        std::min(limit, static_cast<std::size_t>(std::numeric_limits<int>::max()))));
    entry_->setText(FromCore(question.initial));
    entry_->selectAll();
}

void TextQuestionDialog::accept() {
    if (question_.accept && !question_.accept(Answer())) {
        entry_->setFocus();
        entry_->selectAll();
        return;
    }
    QDialog::accept();
}

std::string TextQuestionDialog::Answer() const {
    return ToCore(entry_->text());
}

}  // namespace trovique::gui
