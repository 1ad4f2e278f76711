#pragma once

#include <QMessageBox>

namespace trovique::gui {

// The message box of a core message style (a button set plus an icon): its buttons, icon and
// default, with the answer that loses nothing on Escape and on the close box.
void DressMessageBox(QMessageBox& box, int style);
// The core answer (1 OK, 2 Cancel, 6 Yes, 7 No) for the button that closed the box.
int AnswerOf(QMessageBox::StandardButton button);

// Shows text with the style and title, modal, and returns the core answer.
int ShowMessageBox(const QString& text, int style, const QString& title);

}  // namespace trovique::gui
