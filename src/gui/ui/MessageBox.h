#pragma once

#include <QMessageBox>

#include "core/services/MessageStyle.h"

namespace trovique::gui {

// The message box of a core message style: its buttons, icon and default, with the answer that
// loses nothing (core's SafeAnswer) on Escape and on the close box.
void DressMessageBox(QMessageBox& box, MessageStyle style);
// The core answer for the button that closed the box.
MessageAnswer AnswerOf(QMessageBox::StandardButton button);

// Shows text with the style and title, modal, and returns the core answer.
MessageAnswer ShowMessageBox(const QString& text, MessageStyle style, const QString& title);

}  // namespace trovique::gui
