#pragma once

#include <string_view>

#include "core/model/LeafKind.h"
#include "core/services/Services.h"

namespace trovique {

class CDocument;

// The main window's commands that change the kind or the copy permission of leaves.
inline constexpr int kCmdConvertAllLeaves = 42;
inline constexpr int kCmdConvertLeaf = 43;
inline constexpr int kCmdMarkLeavesCopyEnabled = 48;

// The leaf kind a menu item's argument names: "0" QAF, "1" FACT, anything else BITMAP.
LeafKind LeafKindFromArgument(std::string_view argument);

// The questions asked before converting: every leaf (a plain Yes/No message box) or the
// selected one (a question the author may silence, remembered as "ConvertSelectedLeaf").
bool ConfirmConvertAllLeaves(IUserInterface& ui);
bool ConfirmConvertSelectedLeaf(const CServices& services);

// Runs command 42, 43 or 48 with its argument on the document, confirmations included. False
// when the author declined, the operation failed or the command is none of the three.
bool RunLeafCommand(CDocument& document, int command, std::string_view argument);

}  // namespace trovique
