#include "gui/ui/MessageBox.h"

#include <QAbstractButton>

namespace trovique::gui {
namespace {

struct AnswerButton {
    MessageAnswer answer;
    QMessageBox::StandardButton button;
};

constexpr AnswerButton kAnswerButtons[] = {
    {MessageAnswer::Ok, QMessageBox::Ok},
    {MessageAnswer::Cancel, QMessageBox::Cancel},
    {MessageAnswer::Yes, QMessageBox::Yes},
    {MessageAnswer::No, QMessageBox::No},
};

QMessageBox::StandardButton ButtonOf(MessageAnswer answer) {
    for (const auto& entry : kAnswerButtons) {
        if (entry.answer == answer) {
            return entry.button;
        }
    }
    return QMessageBox::NoButton;
}

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void DressMessageBox(QMessageBox& box, MessageStyle style) {
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setIcon(IconOf(style.icon));
    const QMessageBox::StandardButtons buttons = ButtonsOf(style.buttons);
    box.setStandardButtons(buttons);
    // Windows gives the first button the focus; Escape and the close box give the answer that
    // loses nothing.
    box.setDefaultButton(buttons.testFlag(QMessageBox::Ok)    ? QMessageBox::Ok
                         : buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes
                                                              : QMessageBox::Cancel);
    box.setEscapeButton(box.button(ButtonOf(SafeAnswer(style))));
}

MessageAnswer AnswerOf(QMessageBox::StandardButton button) {
    for (const auto& entry : kAnswerButtons) {
        if (entry.button == button) {
            return entry.answer;
        }
    }
    return MessageAnswer::Cancel;
}

MessageAnswer ShowMessageBox(const QString& text, MessageStyle style, const QString& title) {
    QMessageBox box;
    box.setWindowTitle(title);
    box.setText(text);
    DressMessageBox(box, style);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    return clicked ? AnswerOf(box.standardButton(clicked)) : SafeAnswer(style);
}

}  // namespace trovique::gui
