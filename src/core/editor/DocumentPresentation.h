#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/document/ElementClipboard.h"
#include "core/document/SlideShowTree.h"

namespace trovique {

class CDocument;

// What the windows show of a document, computed here so that every face shows the same: the
// pictures of the tree items, the size label, the Undo item of the Node menu, which node menu
// items are enabled and the numbering and caps of the panes' text boxes. Qt-free.

// ---- Tree pictures (indices into the window's image list) ----
int GetRootImage(bool valid, bool expanded);
int GetNodeImage(const CNodeFields& node, bool expanded);
int GetLeafImage(const CLeaf& leaf);
// The item's picture, normal (expanded false) or expanded.
int ItemImage(const CSlideShowTree& tree, int index, bool expanded);

// "<1K" below 1024 bytes, else whole kilobytes followed by "K".
std::string SizeLabel(std::int64_t size);

// ---- The Undo item of the Node menu ----
// Its caption, its tag ("7" offers undo, "8" redo) and whether it is enabled.
struct UndoMenuState {
    std::string caption = "&Undo ";
    int tag = kOpUndo;
    bool enabled = false;
    bool operator==(const UndoMenuState&) const = default;
};
// The item for the recorded operation (kOpNone when nothing is recorded), offering redo when mode
// is kOpRedo and undo otherwise.
UndoMenuState DescribeUndoMenu(int lastOperation, int mode);

// ---- The Node menu ----
// Which items of the Node menu (and their toolbar buttons) the selection allows.
struct NodeMenuState {
    bool add = false;             // mnuSlideAdd, button 19: never
    bool deleteAndGoTo = false;   // mnuNodeDelete, mnuNodeGoToParent, mnuNodeGoToRoot, button 20
    bool cut = false;             // mnuNodeCut, button 7
    bool copy = false;            // mnuNodeCopy, button 8
    bool paste = false;           // mnuNodePaste, mnuNodeClearClipboard, button 9
    bool moveUp = false;          // mnuNodeMove 0 and 2: up and to the top
    bool moveDown = false;        // mnuNodeMove 1 and 3: down and to the bottom
    bool expandCollapse = false;  // mnuNodeCollapse, mnuNodeExpand
    bool convertLeaf = false;     // mnuNodeConvertLeafTo: a leaf is selected
    bool isLeaf = false;          // captions naming the kind read "Leaf", else "Node"
    bool operator==(const NodeMenuState&) const = default;
};
// SetNodeMenuSelections for the tree's selected item and the application's node clipboard.
NodeMenuState SetNodeMenuSelections(const CSlideShowTree& tree,
                                    const CElementClipboard& nodeClipboard);
// A caption that names the kind: cut after its last space, then "Leaf" or "Node".
std::string RelabelForKind(std::string_view caption, bool isLeaf);

// ---- Text boxes of the panes (the window's Text1 array) ----
enum class TextField {
    SlideShowTitle = 0,
    NodeTitle = 1,
    LeafTitle = 2,
    Question = 3,
    Answer1 = 4,
    Answer2 = 5,
    Answer3 = 6,
    Answer4 = 7,
    Fact = 8,
    CreatorID = 9,
    PageNumber = 10,  // shown only
    ProgramIconName = 11,
    SplashComments = 12,
    AboutComments = 13,
};
// The characters the text box holds.
std::size_t TextFieldLimit(TextField field);
// The text a box shows for item (the node or leaf for the node and leaf boxes; the root's and
// the header's values for the slide show boxes). Empty when item has no such field.
std::string FieldText(const CDocument& document, int item, TextField field);

}  // namespace trovique
