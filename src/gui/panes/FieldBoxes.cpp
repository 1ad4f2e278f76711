#include "gui/panes/FieldBoxes.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "core/editor/Document.h"
#include "core/editor/PaneContent.h"
#include "gui/ui/GuiText.h"

namespace trovique::gui {

FieldBoxes::FieldBoxes(CDocument& document, std::function<int()> currentItem, QObject* parent)
    : QObject(parent), document_(document), currentItem_(std::move(currentItem)) {}

QLineEdit* FieldBoxes::AddLine(TextField field, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    // The page number is shown only, and may have more digits than the box lets one type.
    if (field != TextField::PageNumber) {
        box->setMaxLength(static_cast<int>(TextFieldLimit(field)));
    }
    Register(field, box);
    connect(box, &QLineEdit::textChanged, this, [this, field] { Changed(field); });
    return box;
}

QPlainTextEdit* FieldBoxes::AddLines(TextField field, QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setTabChangesFocus(true);
    Register(field, box);
    connect(box, &QPlainTextEdit::textChanged, this, [this, field] { Changed(field); });
    return box;
}

QTextEdit* FieldBoxes::AddRich(TextField field, QWidget* parent) {
    auto* box = new QTextEdit(parent);
    box->setAcceptRichText(false);
    box->setTabChangesFocus(true);
    Register(field, box);
    connect(box, &QTextEdit::textChanged, this, [this, field] { Changed(field); });
    return box;
}

void FieldBoxes::Register(TextField field, QWidget* box) {
    box->setObjectName(QStringLiteral("Text1_%1").arg(static_cast<int>(field)));
    boxes_[Slot(field)] = box;
}

void FieldBoxes::Fill(std::initializer_list<TextField> fields) {
    const int item = currentItem_();
    filling_ = true;
    for (const TextField field : fields) {
        Show(field, FromCore(FieldDisplayText(document_, item, field)));
    }
    filling_ = false;
}

QString FieldBoxes::TextOf(TextField field) const {
    QWidget* box = Box(field);
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        return line->text();
    }
    if (auto* lines = qobject_cast<QPlainTextEdit*>(box)) {
        return lines->toPlainText();
    }
    if (auto* rich = qobject_cast<QTextEdit*>(box)) {
        return rich->toPlainText();
    }
    return {};
}

void FieldBoxes::Show(TextField field, const QString& text) {
    QWidget* box = Box(field);
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->setText(text);
    } else if (auto* lines = qobject_cast<QPlainTextEdit*>(box)) {
        lines->setPlainText(text);
        lines->moveCursor(QTextCursor::End);
    } else if (auto* rich = qobject_cast<QTextEdit*>(box)) {
        rich->setPlainText(text);
        rich->moveCursor(QTextCursor::End);
    }
}

void FieldBoxes::Changed(TextField field) {
    if (filling_ || field == TextField::PageNumber) {
        return;
    }
    const std::string typed = ToCore(TextOf(field));
    const std::string fitted = FitToField(field, typed);
    if (fitted != typed) {
        // More than the field stores: the box keeps what fits.
        filling_ = true;
        Show(field, FromCore(fitted));
        filling_ = false;
    }
    forwarding_ = true;
    const bool taken = document_.EditFieldText(currentItem_(), field, fitted);
    forwarding_ = false;
    if (!taken) {
        Fill({field});
    }
}

}  // namespace trovique::gui
