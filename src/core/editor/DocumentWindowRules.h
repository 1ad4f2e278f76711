#pragma once

#include <functional>
#include <string>

#include "core/editor/DocumentPresentation.h"

namespace trovique {

class CDocument;

// What a slide show window decides beyond the panes: the tree's tool tips, the closing question
// and the Redo item of the Edit menu. Qt-free, so that every face asks the same.

// "Slide " and the page number for a leaf; empty for the root, nodes and dead items.
std::string ItemToolTip(const CSlideShowTree& tree, int index);

// "Data has changed for:", the caption and "Save it now?".
std::string CloseQuestionText(const std::string& caption);

// The closing step of a slide show window. An unchanged slide show may close. A changed one asks
// CloseQuestionText (Yes, No, Cancel): Cancel keeps it open; No lets it close unsaved; Yes runs
// save (which asks for a file name when the slide show has none) and lets it close only when that
// saved it, so a cancelled name or a failed save keeps the window.
bool QueryCloseDocument(CDocument& document, const std::function<bool()>& save);

// Whether the Edit menu's Redo item has something to repeat: the Undo item offers redo.
bool RedoOffered(const UndoMenuState& undo);

}  // namespace trovique
