#pragma once

#include <string>
#include <vector>

namespace trovique {

// One entry of the main window's menus: a menu (with children), an item or a separator. Names
// are the windows' object names; members of a control array are named "mnuNodeMove_2".
struct MenuEntry {
    std::string name;       // empty for an unnamed separator
    std::string caption;    // "&" marks the access key; empty for separators and unused slots
    int command = -1;       // the dispatcher's command (cmd::kFrameHandler: the frame's own)
    std::string parameter;  // handed to the command
    std::string shortcut;   // portable key text ("Ctrl+N"), empty for none
    bool separator = false;
    std::vector<MenuEntry> children;
};

// The menu bar, its menus in order.
const std::vector<MenuEntry>& MainMenuBar();
// The pop-up menu of the text fields, mnuContextTextBox.
const MenuEntry& TextBoxContextMenu();
// The entry named name anywhere in the menus, or null.
const MenuEntry* FindMenuEntry(const std::string& name);

// The caption of recent-file item i: "&" + i + " " + file.
std::string RecentFileCaption(int slot, const std::string& file);

// Items the main window enables and disables as a group: with no slide show window open they
// are disabled, so that New, Open and Import stay the only ways in.
const std::vector<std::string>& DocumentDependentMenuItems();

// One button of the toolbar, at its position (1-based, gaps are separators).
struct ToolbarButton {
    int position;
    const char* key;
    const char* tooltip;
    int image;             // in both image lists
    const char* menuItem;  // the menu item it acts as; empty when it issues command directly
    int command;
    const char* parameter;
};
const std::vector<ToolbarButton>& ToolbarButtons();
// Buttons from position 3 on, but Import, follow the document-dependent group.
bool ToolbarButtonNeedsSlideShow(int position);
// The buttons whose tooltips follow a menu caption the slide show window renames (TBUpdateText).
inline constexpr int kToolbarCut = 7;
inline constexpr int kToolbarCopy = 8;
inline constexpr int kToolbarPaste = 9;
inline constexpr int kToolbarImport = 24;
// A menu caption as a tooltip: access-key marks removed ("Cu&t Slide..." -> "Cut Slide...").
std::string TooltipOfCaption(const std::string& caption);

}  // namespace trovique
