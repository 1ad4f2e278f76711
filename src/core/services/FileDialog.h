#pragma once

#include <string>

#include "core/services/FileDialogSpec.h"
#include "core/services/Services.h"

namespace trovique {

// The common file dialog of every kind: asks ui.ChooseFile(spec) in front of the top-most
// windows, appends the default extension when the chosen name lacks it (WithDefaultExtension),
// and for the dialogs that ask before replacing, an existing file asks "Replace existing file?"
// (No shows the dialog again, opened at that file). A bitmap dialog without an initial folder
// opens in the last graphics folder ("Settings"/"LastGraphicsPath"), and the folder of a file
// chosen in one becomes it. Returns the chosen file, UTF-8,
// or an empty text when the user cancelled.
std::string GetFileName(const CServices& services, const FileDialogSpec& spec);

// The replace question for an existing file, as GetFileName asks it.
std::string ReplaceQuestion(const std::string& file);

}  // namespace trovique
