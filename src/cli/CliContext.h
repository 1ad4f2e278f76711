#pragma once

#include <memory>

#include "cli/TerminalUserInterface.h"
#include "core/editor/Document.h"
#include "core/services/Services.h"
#include "core/settings/Application.h"
#include "platform/NativeSettingsStore.h"

namespace trovique::cli {

// What a command that works on slide shows runs with, built the way the program builds it: the
// user's own settings, the terminal as the user interface (messages and progress on stderr) and
// the application with the palettes beside the program. Raises CError when a palette is
// missing.
class CCliContext {
public:
    explicit CCliContext(AnswerPolicy answers = AnswerPolicy::Ask);
    CCliContext(const CCliContext&) = delete;
    CCliContext& operator=(const CCliContext&) = delete;

    CServices& Services() { return services_; }
    CTerminalUserInterface& Ui() { return ui_; }
    const CApplication& Application() const { return application_; }
    PalmPalettes Palettes() const;
    // A new, untitled slide show.
    std::unique_ptr<CDocument> NewDocument();

private:
    NativeSettingsStore store_;
    CTerminalUserInterface ui_;
    CServices services_;
    CApplication application_;
};

}  // namespace trovique::cli
