#include "gui/ui/MessageBox.h"

#include <QPushButton>

#include "core/app/MessageStyle.h"

namespace trovique::gui {
namespace {

struct AnswerButton {
    int answer;
    QMessageBox::StandardButton button;
};

constexpr AnswerButton kAnswerButtons[] = {
    {kAnswerOk, QMessageBox::Ok},
    {kAnswerCancel, QMessageBox::Cancel},
    {kAnswerYes, QMessageBox::Yes},
    {kAnswerNo, QMessageBox::No},
};

QMessageBox::StandardButton ButtonOf(int answer) {
    for (const auto& entry : kAnswerButtons) {
        if (entry.answer == answer) {
            return entry.button;
        }
    }
    return QMessageBox::NoButton;
}

QMessageBox::StandardButtons ButtonsOf(int style) {
    switch (ButtonSetOf(style)) {
        case kButtonsOkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case kButtonsYesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case kButtonsYesNo:
            return QMessageBox::Yes | QMessageBox::No;
        default:
            return QMessageBox::Ok;
    }
}

QMessageBox::Icon IconOfStyle(int style) {
    switch (IconOf(style)) {
        case kIconCritical:
            return QMessageBox::Critical;
        case kIconQuestion:
            return QMessageBox::Question;
        case kIconExclamation:
            return QMessageBox::Warning;
        case kIconInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

void DressMessageBox(QMessageBox& box, int style) {
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setIcon(IconOfStyle(style));
    box.setStandardButtons(ButtonsOf(style));
    // Windows gives the first button the focus; Escape and the close box give the answer that
    // loses nothing.
    const QMessageBox::StandardButtons buttons = ButtonsOf(style);
    box.setDefaultButton(buttons.testFlag(QMessageBox::Ok)    ? QMessageBox::Ok
                         : buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes
                                                              : QMessageBox::Cancel);
    box.setEscapeButton(box.button(ButtonOf(SafeAnswer(style))));
}

int AnswerOf(QMessageBox::StandardButton button) {
    for (const auto& entry : kAnswerButtons) {
        if (entry.button == button) {
            return entry.answer;
        }
    }
    return kAnswerCancel;
}

int ShowMessageBox(const QString& text, int style, const QString& title) {
    QMessageBox box;
    box.setWindowTitle(title);
    box.setText(text);
    DressMessageBox(box, style);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    return clicked ? AnswerOf(box.standardButton(clicked)) : SafeAnswer(style);
}

}  // namespace trovique::gui
