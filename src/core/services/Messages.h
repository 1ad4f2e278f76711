#pragma once

#include <optional>
#include <string>

#include "core/services/Services.h"

namespace trovique {

// The one way every message box of the program is shown: with the normal pointer, in front of
// the top-most windows, titled with the application title when title is empty. Texts are
// UTF-8. Returns the pressed button.
MessageAnswer ReportMessage(IUserInterface& ui, const std::string& text, MessageStyle style,
                            const std::string& title = {});

// ReportMessage for the message that ends an operation with failure, such as a trapped error
// "Read error: ...": shown the same way, and known to the face as a failure.
MessageAnswer ReportFailure(IUserInterface& ui, const std::string& text, MessageStyle style,
                            const std::string& title = {});

// Asks a Yes/No question that the user may silence. A question silenced before (a value that
// reads as a non-zero number under "NoShowAgain"/memoryKey, keys in SettingNames.h) answers
// true without asking. A ticked box is remembered only with the answer Yes: remembering a No
// would answer every later question Yes without asking, the opposite of what the user chose.
// An empty memoryKey never consults or stores the memory. Returns true for Yes.
bool ConfirmOnce(const CServices& services, const std::string& text, const std::string& title,
                 const std::string& memoryKey);

// Shows a long text (an import report, say) in the long-message window.
void ShowLongMessage(IUserInterface& ui, const std::string& caption, const std::string& header,
                     const std::string& text);

// Asks a text question in front of the top-most windows; an answer longer than the question's
// maxLength is cut to that many characters, and one the question's check refuses is asked for
// again. Nothing when the user cancels.
std::optional<std::string> AskText(IUserInterface& ui, const TextQuestion& question);

// Shows the preferences dialog in front of the top-most windows, again with what was typed for
// values that current's check refuses.
std::optional<SlideShowPreferences> EditPreferences(IUserInterface& ui,
                                                    const SlideShowPreferences& current);

// Asks which of a question's choices the user takes, in front of the top-most windows.
std::optional<std::size_t> AskChoice(IUserInterface& ui, const ChoiceQuestion& question);

// The title a message gets: the given one, or the application title when it is empty.
std::string MessageTitle(const std::string& title);

// Lets the top-most windows down and sets the normal pointer for the life of a modal window,
// and puts both back on every way out.
class CModalScope {
public:
    explicit CModalScope(IUserInterface& ui);
    ~CModalScope();
    CModalScope(const CModalScope&) = delete;
    CModalScope& operator=(const CModalScope&) = delete;

private:
    IUserInterface& ui_;
    MousePointer pointer_;
    int flags_ = 0;
};

}  // namespace trovique
