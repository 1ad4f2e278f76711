#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/ElementClipboard.h"
#include "core/document/SlideShowProperties.h"
#include "core/document/SlideShowTree.h"
#include "core/editor/DocumentPresentation.h"
#include "core/imaging/PalmBitmap.h"
#include "core/services/Services.h"

namespace trovique {

// One open slide show and the author's commands on it. It owns the tree (CSlideShowTree: items,
// pages, counts, size) and the slide show's properties (CSlideShowProperties: header, switches,
// password, splash pictures), the dirty flag, the file name and the clipboards, and runs the
// editing commands: adding, the structural edits with undo and redo, the content edits of the
// panes and the leaf conversions. Commands ask and report through the services. What the windows
// show of it is computed in DocumentPresentation.h.
class CDocument {
public:
    // A new, untitled slide show holding only its root, as a new window shows it.
    CDocument(CServices& services, PalmPalettes palettes);
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    CServices& Services() const { return services_; }
    const PalmPalettes& Palettes() const { return palettes_; }

    // The tree with its pages, counts and size estimate; views observe it.
    CSlideShowTree& Tree() { return tree_; }
    const CSlideShowTree& Tree() const { return tree_; }
    // The header, switches, password and splash pictures of the slide show.
    CSlideShowProperties& Properties() { return properties_; }
    const CSlideShowProperties& Properties() const { return properties_; }

    // ---- Adding ----
    // The one way an item enters the tree. kind: root, node or leaf (Unset adds nothing and 0 is
    // returned). record: an existing CNode/CLeaf, or null to create one. peer and relationship
    // place the item. Returns the new item's element index, 0 when nothing was added (reported).
    int AddGenNode(ElementKind kind, const std::string& title, std::shared_ptr<IElement> record,
                   int peer, Relationship relationship, AddOptions options);
    // The author's add commands: a node or a FACT leaf under the selected item.
    int AddNode();
    int AddQAF();

    // Empties the tree, every table, the splash pictures and the undo record, as before a file is
    // read.
    void ClearTree();
    // The size estimate recomputed from the live tree and the splash pictures.
    std::int64_t ComputeDBSize() const;

    // ---- Flags, file and caption ----
    bool Dirty() const { return dirty_; }
    void ForceDirty(bool dirty);
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string fileName);
    void InitialCaption(std::string caption);
    // The file name part of FileName when there is one, else the stored caption.
    std::string WindowTitle() const;

    // Selects a live element chosen from outside (the validation list). An index outside the
    // table or of a deleted element shows "The node has been deleted." and returns false.
    bool DisplayItem(int elementIndex);

    // ---- Structural edits ----
    // The node clipboard of cut, copy and paste is the application's, shared by every open
    // document; until one is given the document uses a clipboard of its own.
    void SetNodeClipboard(CElementClipboard* clipboard);
    CElementClipboard& NodeClipboard() const { return *nodeClipboard_; }
    const CElementClipboard& UndoClipboard() const { return undoClipboard_; }

    // Each takes the selected item when item is 0, asks and reports through the services, and
    // returns true when the tree changed (Copy: when the clipboard was filled).
    bool Delete(int item = 0);
    bool CutNode(int item = 0);
    bool CopyNode(int item = 0);
    bool PasteNode(int target = 0);
    bool MoveNode(MoveDirection direction);
    // Pushes the selected item or all its children one level down under a new node. Not recorded
    // for undo.
    bool Indent(IndentScope scope);
    bool IsIndentOK(int item, IndentScope scope, bool showMessage) const;
    // Whether the clipboard's branch may go under target; the node clipboard by default.
    bool IsPasteNodeValid(int target, bool showMessage,
                          const CElementClipboard* clipboard = nullptr) const;
    // Inserts fresh copies of a clipboard branch (new element indices and pages); returns the new
    // top item.
    int AddPasteNode(const CElementClipboard& clipboard, int clipboardItem, int destination,
                     Relationship relationship);
    // Asks whether the item's branch may go; on yes fills keys with the element indices of its
    // descendants, depth first, then the item itself.
    bool DeleteOK(int item, std::vector<int>& keys, int operation);
    bool Undo();
    bool Redo();
    // Refreshes the Undo item of the Node menu (DescribeUndoMenu): mode 7 offers undo, 8 redo, a
    // negative mode keeps the mode shown last.
    const UndoMenuState& UpdateEditMenu(int mode);
    const UndoMenuState& UndoMenu() const { return undoMenu_; }

    // ======== Content of the panes, leaf kinds and copy marking ========
    // (DocumentContent*.cpp, DocumentConvert.cpp.) Each call is one change the author makes in
    // the right-hand pane or through a menu: it asks and reports through the services, reports a
    // failure as "An error has occurred: " and the error text, leaves the records as they were,
    // and marks the document dirty when something changed. Item arguments are element indices.

    // Converts the selected leaf; false when no leaf is selected.
    bool ConvertSelectedLeaf(LeafKind newLeafType);
    // Converts every live leaf; "There are no leaves to convert." when there is none.
    bool ConvertAllLeaves(LeafKind newLeafType);
    // Sets the kind of each listed leaf and keeps DBSize in step. Texts and pictures stay in the
    // records, so converting back restores them; towards BITMAP Copyable is cleared.
    bool ConvertLeaves(const std::vector<int>& leaves, LeafKind newLeafType);
    // Sets Copyable of every leaf but the BITMAP leaves.
    bool MarkLeavesCopyEnabled(bool copyEnable);

    // Writes a text into its field: item is the node or leaf for NodeTitle and the leaf fields,
    // and is not used for the fields of the slide show. Titles also relabel the tree item (and a
    // leaf's entry among the See-Also choices).
    bool SetFieldText(int item, TextField field, const std::string& text);
    // The same for a text as a text box holds it (UTF-8), cut to what the field holds
    // (FitToField) and stored in the records' code page: what a text box's change gives.
    bool EditFieldText(int item, TextField field, const std::string& text);
    bool SetLeafTitle(int item, const std::string& title) {
        return SetFieldText(item, TextField::LeafTitle, title);
    }

    // The check boxes of the leaf pane.
    enum class LeafSwitch { Copyable = 0, Highlight = 1, PasswordProtect = 2, ReEdit = 3 };
    // Sets one switch of a leaf. Protection needs a slide show password: without one the author
    // is told so and the preferences dialog (EditPrefs) gets a chance to set it; when there is
    // still none nothing changes and false is returned, so the box is cleared again.
    bool SetLeafSwitch(int item, LeafSwitch which, bool on);
    // Difficulty 1 to 5, as the difficulty list offers it.
    bool SetLeafDifficulty(int item, int difficulty);
    // See-Also link slot (1..3) := target, a leaf among SeeAlsoChoices, or 0 for none.
    bool SetLeafSeeAlso(int item, int slot, int target);

    // The picture buttons of the leaf pane.
    enum class PictureAction {
        SetColor = 0,
        ClearColor = 1,
        SetMonochrome = 2,
        ClearMonochrome = 3,
        FromColor = 4
    };
    // Runs picture button action (file: the bitmap the author picked, for the Set buttons).
    bool LeafPictureAction(int item, PictureAction action, const std::filesystem::path& file = {});
    // The picture button as the author presses it: the Set buttons first ask for the bitmap file
    // (a cancelled dialog changes nothing).
    bool PressLeafPictureButton(int item, PictureAction action);
    // Reads a .bmp file and makes it the leaf's colour (color) or monochrome picture, with the
    // size warning, the 160 x 120 minimum, the offer to use it as the other kind, and a generated
    // grey picture for a colour picture on a leaf without a monochrome one. An empty file name
    // does nothing.
    bool SetLeafPicture(int item, bool color, const std::filesystem::path& file);
    bool ClearLeafPicture(int item, bool color);
    // Replaces the monochrome picture by a grey version of the colour picture.
    bool MonochromeFromColor(int item);

    using SplashPicture = CSlideShowProperties::SplashPicture;
    // Reads a 128 x 60 .bmp file into the splash picture. A colour picture asks how its
    // monochrome companion comes about: generated (Yes), another file (No: the monochrome bitmap
    // dialog asks for it, opened in the colour picture's folder) or none (Cancel).
    bool SetSplashPicture(const std::filesystem::path& file);
    bool ClearSplashPictures();
    // The splash "Set..." button: asks for the bitmap file, then SetSplashPicture.
    bool ChooseSplashPicture();

    // The preferences dialog ("Settings for Dictionary"): the password typed twice and the two
    // switches; the password is UTF-8, as the user interface has it.
    using Preferences = SlideShowPreferences;
    Preferences CurrentPreferences() const;
    // Takes over every value that differs; false (and nothing changes) when the two passwords
    // differ. While the slide show is locked the password is kept whatever was typed.
    bool SetPrefs(const Preferences& values);
    // False, after "The passwords entered must be the same.", for two different passwords that
    // SetPrefs would take; the preferences dialog stays open then.
    bool ArePrefsAcceptable(const Preferences& values) const;
    // The preferences command: shows the dialog filled with CurrentPreferences and takes over
    // what OK returns; two different passwords show the dialog again with what was typed.
    // False when cancelled or refused.
    bool EditPrefs();
    bool LockDB();
    // Unlocks when password (UTF-8) is the slide show's; an empty password asks for it
    // ("Enter Password"), and a cancelled question unlocks nothing.
    bool UnlockDB(const std::string& password = {});
    // A password-protected leaf of a locked slide show: its pane shows only kLockedLeafNotice and
    // its content cannot be changed.
    bool IsLeafLocked(int item) const;
    static constexpr const char* kLockedLeafNotice =
        "Unlock this leaf by selecting Unlock from the File menu and typing the correct password.";

    // The term dialog: "Add New Term" or "Rename Term".
    static std::string TermDialogCaption(bool rename);
    // Asks for a term in the term dialog, opened with current (Windows-1252, as the record has
    // it); a blank entry is refused and the dialog stays open. The term as the record holds it, or
    // an empty text when the author cancelled.
    std::string AskTerm(bool rename, const std::string& current = {}) const;
    // False, after "Term can not be blank.", for an empty term.
    bool IsTermAcceptable(const std::string& term) const;
    // A new FACT leaf titled term under the selected item; 0 when refused.
    int AddTerm(const std::string& term);
    bool RenameTerm(int item, const std::string& term);

private:
    int RunEditEngine(int operation, int item, int destination, Relationship relationship);
    int RemoveBranch(int item, int operation, bool cut);
    int MoveBranch(int item, int destination, Relationship relationship);
    int RecordedDestination(const CElementClipboard& record, Relationship& relationship) const;
    int UndoOrRedo(bool redo);
    void ReportRefusal(const std::string& text, MessageStyle style, bool showMessage) const;
    int AddPastedItem(const CElementClipboard& clipboard, int clipboardItem, int destination,
                      Relationship relationship, int& top);

    CServices& services_;
    PalmPalettes palettes_;
    CSlideShowTree tree_;
    CSlideShowProperties properties_;

    bool dirty_ = false;
    std::string fileName_;
    std::string caption_;

    CElementClipboard ownNodeClipboard_;
    CElementClipboard* nodeClipboard_ = &ownNodeClipboard_;
    CElementClipboard undoClipboard_;
    UndoMenuState undoMenu_;
    int lastMenuMode_ = kOpUndo;
};

}  // namespace trovique
