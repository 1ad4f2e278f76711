#include "core/app/MainMenu.h"

#include <functional>

#include "core/app/Commands.h"

namespace trovique {
namespace {

MenuEntry Item(std::string name, std::string caption, int command, std::string parameter = {},
               std::string shortcut = {}) {
    return {std::move(name),
            std::move(caption),
            command,
            std::move(parameter),
            std::move(shortcut),
            false,
            {}};
}

MenuEntry Frame(std::string name, std::string caption, std::string shortcut = {}) {
    return Item(std::move(name), std::move(caption), cmd::kFrameHandler, {}, std::move(shortcut));
}

MenuEntry Sep(std::string name = {}) {
    MenuEntry entry;
    entry.name = std::move(name);
    entry.separator = true;
    return entry;
}

MenuEntry Menu(std::string name, std::string caption, std::vector<MenuEntry> children,
               int command = cmd::kFrameHandler) {
    MenuEntry entry = Item(std::move(name), std::move(caption), command);
    entry.children = std::move(children);
    return entry;
}

// A control array: name_i for each caption, issuing command with parameter(i).
void AddArray(std::vector<MenuEntry>& into, const std::string& name, int first,
              const std::vector<std::string>& captions, int command,
              const std::function<std::string(int)>& parameter) {
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const int index = first + static_cast<int>(i);
        into.push_back(
            Item(name + "_" + std::to_string(index), captions[i], command, parameter(index)));
    }
}

std::string Index(int i) {
    return std::to_string(i);
}
// The copy-marking arrays: item 0 marks ("1"), item 1 removes ("0").
std::string Marking(int i) {
    return i == 0 ? "1" : "0";
}

MenuEntry FileMenu() {
    std::vector<MenuEntry> items{
        Item("mnuFileNew", "&New", cmd::kNew, {}, "Ctrl+N"),
        Item("mnuFileOpen", "&Open...", cmd::kOpen, {}, "Ctrl+O"),
        Item("mnuFileClose", "&Close", cmd::kClose),
        Sep(),
        Item("mnuFileSave", "&Save", cmd::kSave, {}, "Ctrl+S"),
        Item("mnuFileSaveAs", "Save &As...", cmd::kSaveAs, {}, "Ctrl+Shift+S"),
        Frame("mnuFileSaveAll", "Save A&ll"),
        Sep(),
        Frame("mnuFilePageSetup", "Page Set&up..."),
        Frame("mnuFilePrintPreview", "Print Pre&view"),
        Item("mnuFilePrint", "&Print...", cmd::kPrint, {}, "Ctrl+P"),
        Sep(),
        Frame("mnuFileProperties", "Propert&ies"),
        Item("mnuFileValidate", "&Validate", cmd::kValidate),
        Item("mnuFileImport", "&Import...", cmd::kImport),
        Item("mnuFileImportUnstructured", "Import Unstructured...", cmd::kImportUnstructured),
        Item("mnuFileImportFromPowerPoint", "Import Into Current Slide Show From PowerPoint...",
             cmd::kImportPowerPoint),
        Item("mnuFileExport", "&Export To Palm Format...", cmd::kExport),
        Sep(),
        Item("mnuFileLock", "&Lock", cmd::kLock),
        Item("mnuFileUnlock", "&Unlock...", cmd::kUnlock),
        Sep(),
        Frame("mnuFileSend", "Sen&d..."),
        Sep("mnuFileMRUSep"),
    };
    AddArray(items, "mnuFileMRU", 1, {"", "", "", "", ""}, cmd::kRecentFile, Index);
    items.push_back(Sep());
    items.push_back(Frame("mnuFileExit", "E&xit", "Ctrl+Q"));
    return Menu("mnuFile", "&File", std::move(items));
}

MenuEntry EditMenu() {
    return Menu(
        "mnuEdit", "&Edit",
        {Item("mnuEditUndoText", "&Undo Text", cmd::kTextUndo, {}, "Ctrl+Z"),
         Item("mnuEditUndoOld", "&Undo", cmd::kUndoRedo),
         Item("mnuEditRedo", "&Redo", cmd::kRedo, {}, "Ctrl+Y"), Sep(),
         Item("mnuEditCut", "Cu&t", cmd::kTextCut, {}, "Ctrl+X"),
         Item("mnuEditCopy", "&Copy", cmd::kTextCopy, {}, "Ctrl+C"),
         Item("mnuEditPaste", "&Paste", cmd::kTextPaste, {}, "Ctrl+V"),
         Item("mnuEditDelete", "&Delete", cmd::kTextDelete), Sep(),
         Item("mnuEditSelectAll", "Select &All", cmd::kTextSelectAll, {}, "Ctrl+A"), Sep(),
         Item("mnuEditImportFromFile", "Import From Text File...", cmd::kTextImportFromFile)},
        cmd::kEditMenuOpening);
}

MenuEntry ViewMenu() {
    return Menu("mnuView", "&View",
                {Frame("mnuViewToolbar", "&Toolbar"), Frame("mnuViewStatusBar", "Status &Bar"),
                 Sep(), Frame("mnuViewGotoValidation", "Go To &Validation Window", "F2"), Sep(),
                 Item("mnuViewOptions", "Application &Options...", cmd::kOptions),
                 Frame("mnuViewRefresh", "&Refresh", "F5")});
}

MenuEntry TermMenu() {
    std::vector<MenuEntry> items{Item("mnuTermUndo", "&Undo", cmd::kUndoRedo),
                                 Sep(),
                                 Item("mnuTermAdd", "&Add Term...", cmd::kTermAdd),
                                 Item("mnuTermEdit", "&Rename Term...", cmd::kTermEdit),
                                 Item("mnuTermDelete", "&Delete Term...", cmd::kTermDelete),
                                 Sep(),
                                 Item("mnuTermCollapse", "Collapse", cmd::kBranchCollapse),
                                 Item("mnuTermExpand", "Expand", cmd::kBranchExpand),
                                 Sep()};
    AddArray(items, "mnuTermMarkAllTermsCopyEnabled", 0,
             {"Mark All Terms Copy-Enabled", "Remove Copy-Enable From All Terms"},
             cmd::kMarkCopyEnabled, Marking);
    return Menu("mnuTerm", "&Term", std::move(items));
}

MenuEntry NodeMenu() {
    std::vector<MenuEntry> items{
        Item("mnuNodeUndo", "&Undo", cmd::kUndoRedo),
        Sep(),
        Item("mnuNodeAddNode", "A&dd Node", cmd::kAddNode),
        Frame("mnuSlideAdd", "Add &Slide"),
        Menu("mnuNodeAddLeaf", "Add &Leaf",
             {Item("mnuNodeAddQAF", "Add &QAF", cmd::kAddLeaf, "QAF"),
              Item("mnuNodeAddFact", "Add &FACT", cmd::kAddLeaf, "FACT"),
              Item("mnuNodeAddBitmap", "Add &BITMAP", cmd::kAddLeaf, "BITMAP")}),
        Item("mnuNodeDelete", "Delete Slide...", cmd::kDelete),
        Item("mnuNodeRename", "Re&name Slide", cmd::kRename),
        Sep(),
        Item("mnuNodeCut", "Cu&t Slide...", cmd::kCut),
        Item("mnuNodeCopy", "&Copy Slide", cmd::kCopy),
        Item("mnuNodePaste", "&Paste At Slide", cmd::kPaste),
        Item("mnuNodeClearClipboard", "Clear Slide Clipboard", cmd::kClearClipboard),
        Sep(),
    };
    AddArray(items, "mnuNodeMove", 0, {"Move Up", "Move Down", "Move First", "Move Last"},
             cmd::kMove, Index);
    items.push_back(Sep());
    items.push_back(Item("mnuNodeIndent", "Indent", cmd::kIndent));
    items.push_back(Item("mnuNodeIndentChildren", "Indent All Children", cmd::kIndentChildren));
    items.push_back(Sep());
    items.push_back(Item("mnuNodeCollapse", "Collapse", cmd::kBranchCollapse));
    items.push_back(Item("mnuNodeExpand", "Expand", cmd::kBranchExpand));
    items.push_back(Sep());
    items.push_back(Item("mnuNodeGoToParent", "&Go To Parent", cmd::kGoToParent));
    items.push_back(Item("mnuNodeGoToRoot", "Go To &Root", cmd::kGoToRoot));
    items.push_back(Sep());
    std::vector<MenuEntry> convertOne;
    AddArray(convertOne, "mnuNodeConvertLeafTo", 0, {"To QAF", "To FACT", "To BITMAP"},
             cmd::kConvertLeaf, Index);
    items.push_back(Menu("mnuNodeConvertLeaf", "Convert Leaf", std::move(convertOne)));
    std::vector<MenuEntry> convertAll;
    AddArray(convertAll, "mnuNodeConvertAllLeavesTo", 0,
             {"To QAF...", "To FACT...", "To BITMAP..."}, cmd::kConvertAllLeaves, Index);
    items.push_back(Menu("mnuNodeConvertAllLeaves", "Convert All Leaves", std::move(convertAll)));
    items.push_back(Sep());
    AddArray(items, "mnuNodeMarkAllLeavesCopyEnabled", 0,
             {"Mark All Leaves Copy-Enabled", "Remove Copy-Enable From All Leaves"},
             cmd::kMarkCopyEnabled, Marking);
    return Menu("mnuNode", "&Slide", std::move(items), cmd::kNodeMenuOpening);
}

MenuEntry WindowMenu() {
    return Menu("mnuWindow", "&Window",
                {Frame("mnuWindowCascade", "&Cascade"),
                 Frame("mnuWindowTileHorizontal", "Tile &Horizontal"),
                 Frame("mnuWindowTileVertical", "Tile &Vertical"),
                 Frame("mnuWindowArrangeIcons", "&Arrange Icons")});
}

MenuEntry HelpMenu() {
    return Menu("mnuHelp", "&Help",
                {Item("mnuHelpContents", "&Help for Pellomar", cmd::kHelpContents, {}, "F1"),
                 Frame("mnuHelpSearch", "&Search For Help On..."), Sep(),
                 Frame("mnuHelpAbout", "&About...")});
}

const MenuEntry* Find(const std::vector<MenuEntry>& entries, const std::string& name) {
    for (const MenuEntry& entry : entries) {
        if (entry.name == name) {
            return &entry;
        }
        if (const MenuEntry* found = Find(entry.children, name)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

const std::vector<MenuEntry>& MainMenuBar() {
    static const std::vector<MenuEntry> bar{FileMenu(), EditMenu(),   ViewMenu(), TermMenu(),
                                            NodeMenu(), WindowMenu(), HelpMenu()};
    return bar;
}

const MenuEntry& TextBoxContextMenu() {
    // The Cut item carries the same caption as the Edit menu's counterpart without its key.
    static const MenuEntry menu =
        Menu("mnuContextTextBox", "TextBox Context Menu",
             {Item("mnuContextTextUndo", "Undo", cmd::kTextUndo), Sep(),
              Item("mnuContextTextCut", "Cut", cmd::kTextCut),
              Item("mnuContextTextCopy", "Copy", cmd::kTextCopy),
              Item("mnuContextTextPaste", "Paste", cmd::kTextPaste),
              Item("mnuContextTextDelete", "Delete", cmd::kTextDelete), Sep(),
              Item("mnuContextTextSelectAll", "Select All", cmd::kTextSelectAll), Sep(),
              Item("mnuContextTextImportFromFile", "Import From Text File...",
                   cmd::kTextImportFromFile)},
             cmd::kContextMenuOpening);
    return menu;
}

const MenuEntry* FindMenuEntry(const std::string& name) {
    if (const MenuEntry* found = Find(MainMenuBar(), name)) {
        return found;
    }
    if (name == TextBoxContextMenu().name) {
        return &TextBoxContextMenu();
    }
    return Find(TextBoxContextMenu().children, name);
}

std::string RecentFileCaption(int slot, const std::string& file) {
    return "&" + std::to_string(slot) + " " + file;
}

const std::vector<std::string>& DocumentDependentMenuItems() {
    static const std::vector<std::string> items{
        "mnuEdit", "mnuNode", "mnuTerm", "mnuWindow", "mnuFileClose", "mnuFileSave",
        "mnuFileSaveAs", "mnuFilePrint", "mnuFileValidate", "mnuFileExport",
        "mnuFileImportFromPowerPoint", "mnuFileLock", "mnuFileUnlock",
        // Beyond the group the frame was first described with: both act on open slide shows.
        "mnuFileSaveAll", "mnuFileProperties", "mnuFilePrintPreview"};
    return items;
}

const std::vector<ToolbarButton>& ToolbarButtons() {
    static const std::vector<ToolbarButton> buttons{
        {1, "New", "New", 1, "mnuFileNew", cmd::kNew, ""},
        {2, "Open", "Open", 2, "mnuFileOpen", cmd::kOpen, ""},
        {3, "Save", "Save", 3, "mnuFileSave", cmd::kSave, ""},
        {5, "Print", "Print", 4, "", cmd::kPrint, ""},
        {7, "Cut", "Cut Slide", 5, "mnuNodeCut", cmd::kCut, ""},
        {8, "Copy", "Copy Slide", 6, "mnuNodeCopy", cmd::kCopy, ""},
        {9, "Paste", "Paste Slide", 7, "mnuNodePaste", cmd::kPaste, ""},
        {19, "AddTerm", "Add Slide", 14, "mnuTermAdd", cmd::kTermAdd, ""},
        {20, "Delete", "Delete Slide", 18, "", cmd::kDelete, ""},
        {22, "Validate", "Validate", 15, "mnuFileValidate", cmd::kValidate, ""},
        {24, "Import", "Import", 16, "mnuFileImport", cmd::kImport, ""},
        {25, "Export", "Export", 17, "mnuFileExport", cmd::kExport, ""},
    };
    return buttons;
}

bool ToolbarButtonNeedsSlideShow(int position) {
    return position >= 3 && position != kToolbarImport;
}

std::string TooltipOfCaption(const std::string& caption) {
    std::string tooltip;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            tooltip += caption[++i];  // "&&" is a literal ampersand
            continue;
        }
        tooltip += caption[i];
    }
    return tooltip;
}

}  // namespace trovique
