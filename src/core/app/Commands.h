#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/model/LeafKind.h"

namespace trovique {

// The numbers of the main window's command dispatcher (DoCmd), and the rules that do not depend
// on any window: which commands need an active slide show window.
namespace cmd {
inline constexpr int kNew = 0;
inline constexpr int kOpen = 1;
inline constexpr int kClose = 2;
inline constexpr int kSave = 3;
inline constexpr int kSaveAs = 4;
inline constexpr int kExport = 5;
inline constexpr int kValidate = 6;
inline constexpr int kGoToRoot = 7;
inline constexpr int kGoToParent = 8;
inline constexpr int kAddNode = 9;
inline constexpr int kAddLeaf = 10;
inline constexpr int kDelete = 11;
inline constexpr int kRename = 12;
inline constexpr int kNodeMenuOpening = 13;
inline constexpr int kCut = 14;
inline constexpr int kCopy = 15;
inline constexpr int kPaste = 16;
inline constexpr int kClearClipboard = 17;
inline constexpr int kImport = 18;
inline constexpr int kImportUnstructured = 19;
inline constexpr int kImportPowerPoint = 20;
inline constexpr int kMainWindowLoad = 21;
inline constexpr int kRecentFile = 22;
inline constexpr int kBranchCollapse = 23;
inline constexpr int kBranchExpand = 24;
inline constexpr int kLock = 25;
inline constexpr int kUnlock = 26;
inline constexpr int kPrintDirect = 27;
inline constexpr int kPrint = 28;
inline constexpr int kMove = 29;
inline constexpr int kUndoRedo = 30;
inline constexpr int kRedo = 31;
inline constexpr int kTextCut = 32;
inline constexpr int kTextCopy = 33;
inline constexpr int kTextPaste = 34;
inline constexpr int kTextDelete = 35;
inline constexpr int kTextSelectAll = 36;
inline constexpr int kTextUndo = 37;
inline constexpr int kTextImportFromFile = 38;
inline constexpr int kEditMenuOpening = 39;
inline constexpr int kContextMenuOpening = 40;
inline constexpr int kHelpContents = 41;
inline constexpr int kConvertAllLeaves = 42;
inline constexpr int kConvertLeaf = 43;
inline constexpr int kIndent = 44;
inline constexpr int kIndentChildren = 45;
inline constexpr int kNothing = 46;
inline constexpr int kOptions = 47;
inline constexpr int kMarkCopyEnabled = 48;
inline constexpr int kTermAdd = 51;
inline constexpr int kTermEdit = 52;
inline constexpr int kTermDelete = 53;
// Menu items whose handler is the frame's own, not the dispatcher's.
inline constexpr int kFrameHandler = -1;
}  // namespace cmd

// Every command but New, Open, the two imports that make their own window, the frame's load,
// the recent files and the options window acts on the active slide show window, and does
// nothing without one.
bool CommandNeedsSlideShow(int command);

// The leaf kind an add-leaf command's parameter names ("QAF", "FACT", "BITMAP"; case ignored);
// none for any other text.
std::optional<LeafKind> LeafKindOfParameter(std::string_view parameter);

// Reported on a run-time error inside a command, before the error's description.
inline constexpr const char* kCommandErrorPrefix = "An error has occurred: ";

// Shown when the help pages are missing.
inline constexpr const char* kNoHelpText =
    "Unable to display Help Contents. There is no Help associated with this project.";

// The caption of a new slide show window: "New Slide Show " and the counter.
std::string NewSlideShowCaption(int counter);

}  // namespace trovique
