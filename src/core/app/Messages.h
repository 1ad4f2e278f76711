#pragma once

#include <string>

#include "core/app/Services.h"

namespace trovique {

// The one way every message box of the program is shown: with the normal pointer, in front of
// the top-most windows, titled with the application title when title is empty. Returns the
// pressed button (kAnswerYes, kAnswerNo, kAnswerCancel, kAnswerOk).
int ReportMessage(IUserInterface& ui, const std::string& text, int style,
                  const std::string& title = {});

// ReportMessage for the message that ends an operation with failure, such as a trapped error
// "Read error: ...": shown the same way, and known to the face as a failure.
int ReportFailure(IUserInterface& ui, const std::string& text, int style,
                  const std::string& title = {});

// Asks a Yes/No question that the user may silence. A question silenced before (a value that
// reads as a non-zero number under "NoShowAgain"/memoryKey, keys in SettingNames.h) answers
// true without asking. When the user ticks the box
// the silence is remembered, whatever the answer. An empty memoryKey never consults or stores
// the memory. Returns true for Yes.
bool ConfirmOnce(const CServices& services, const std::string& text, const std::string& title,
                 const std::string& memoryKey);

// Shows a long text (an import report, say) in the long-message window.
void ShowLongMessage(IUserInterface& ui, const std::string& caption, const std::string& header,
                     const std::string& text);

// The title a message gets: the given one, or the application title when it is empty.
std::string MessageTitle(const std::string& title);

}  // namespace trovique
