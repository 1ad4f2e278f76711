#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/Services.h"
#include "core/editor/DocumentObserver.h"
#include "core/editor/ElementClipboard.h"
#include "core/editor/ElementKinds.h"
#include "core/editor/GenElemInfo.h"
#include "core/imaging/Bitmap.h"
#include "core/imaging/PalmBitmap.h"
#include "core/storage/DBHeader.h"

namespace trovique {

// One open slide show: its records, the element table that ties every record to its item in the
// tree, the page order of the leaves, the running counts and size estimate, the dirty flag and
// the file name. Views show it through IDocumentObserver and never keep state of their own.
//
// Items are named by element index. Element indices are handed out once and never reused while
// the document is open; entries of removed items stay, marked Deleted, for undo.
class CDocument {
public:
    static constexpr std::size_t kTableGrowth = 100;
    // Estimated bytes each element adds to the exported file.
    static constexpr std::int64_t kRootSize = 290;
    static constexpr std::int64_t kNodeSize = 56;
    static constexpr std::int64_t kBitmapLeafBaseSize = 18;
    static constexpr std::int64_t kFactLeafSize = 100;
    static constexpr std::int64_t kQAFLeafSize = 250;

    // A new, untitled slide show holding only its root, as a new window shows it.
    CDocument(CServices& services, PalmPalettes palettes);
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    CServices& Services() const { return services_; }
    const PalmPalettes& Palettes() const { return palettes_; }

    void AddObserver(IDocumentObserver* observer);
    void RemoveObserver(IDocumentObserver* observer);

    // ---- Element table ----
    std::size_t Capacity() const { return capacity_; }
    int NextFreeIndex() const { return nextFreeIndex_; }
    // True when the table has an entry at index (used or not).
    bool IsNodeIDValid(int index) const;
    // The entry at index; raises 0x80040003 outside the table.
    CGenElemInfo& Entry(int index);
    const CGenElemInfo& Entry(int index) const;
    // A live entry: used, in the tree and not deleted.
    bool IsLive(int index) const;

    // ---- Tree ----
    // The root's element index (the first tree item), 0 for an empty tree.
    int GetNodeInfoIndexOfRoot() const { return root_; }
    int Parent(int index) const;
    const std::vector<int>& Children(int index) const;
    int FirstChild(int index) const;
    int LastChild(int index) const;
    int NextSibling(int index) const;
    int PreviousSibling(int index) const;
    std::size_t Row(int index) const;
    // Tree item keys are the element index followed by "a".
    static std::string ItemKey(int index);
    // The element index of a live item key, 0 when the key names no item.
    int IndexOfItemKey(std::string_view key) const;
    // The level of a node item, 11 for the root; 0 for leaves.
    int Level(int index) const;
    bool IsExpanded(int index) const;
    // Expanding or collapsing an item writes the state back into a node's record.
    void SetExpanded(int index, bool expanded);
    // Every item in depth-first order, children in tree order, starting at index.
    std::vector<int> Preorder(int index) const;

    int Selected() const { return selected_; }
    void Select(int index);
    void GoToRoot();
    void GoToParent();

    // Empties the tree and every table, as before a file is read into the document.
    void ClearTree();

    // ---- Adding ----
    // The one way an item enters the tree. kind: 0 root, 1 node, 3 leaf (else nothing happens and
    // 0 is returned). record: an existing CNode/CLeaf, or null to create one. peer and
    // relationship place the item; reAdd treats a given record as new (fresh index and page).
    // Returns the new item's element index, 0 when nothing was added (reported).
    int AddGenNode(int kind, const std::string& title, std::shared_ptr<IElement> record, int peer,
                   Relationship relationship, bool refresh, bool reAdd);
    // The author's add commands: a node or a FACT leaf under the selected item.
    int AddNode();
    int AddQAF();

    // ---- Pages ----
    // The leaf count that the page table and validation use.
    std::size_t LeafCount() const { return leafCount_; }
    // The element index of the leaf on page (1-based), 0 outside.
    int LeafOnPage(std::size_t page) const;
    std::size_t PageTableCapacity() const { return pageCapacity_; }
    // The page a leaf appended under parent gets: after the last leaf at or before the end of the
    // parent's branch in tree order.
    int GetNextLPIForParent(int parent) const;
    void AdjustLPIForInsert(int lpi, int elementIndex);
    void AdjustLPIForDelete(int lpi);
    // Numbers the leaves 1..n in tree order (after reading a file whose pages disagree).
    void RenumberPages();

    // ---- Counters ----
    // Live nodes of a level (11 to 15), and leaves (level 16).
    int LevelCount(int level) const;
    int NodeTitleCounter() const { return nodeTitleCounter_; }
    int LeafTitleCounter() const { return leafTitleCounter_; }
    int ElementsAdded() const { return elementsAdded_; }
    int NodesAdded() const { return nodesAdded_; }
    // Rebuilds the level counters and the leaf count from the tree.
    void RecountNodesAndLeaves();

    // ---- Size estimate ----
    std::int64_t DBSize() const { return dbSize_; }
    void SetDBSize(std::int64_t size);
    // "<1K" below 1024 bytes, else whole kilobytes followed by "K".
    static std::string SizeLabel(std::int64_t size);
    std::string DBSizeLabel() const { return SizeLabel(dbSize_); }
    // What an element adds to the size estimate by its kind.
    static std::int64_t SizeContribution(const CGenElemInfo& entry);
    // The estimate recomputed from the live tree.
    std::int64_t ComputeDBSize() const;

    // ---- Flags, file and caption ----
    bool Dirty() const { return dirty_; }
    void ForceDirty(bool dirty);
    bool Reading() const { return reading_; }
    void SetReading(bool reading) { reading_ = reading; }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string fileName);
    void InitialCaption(std::string caption);
    // The file name part of FileName when there is one, else the stored caption.
    std::string WindowTitle() const;

    // ---- Document switches and password ----
    // Switch 0 and 1 (the root's FlagLo bits 0 and 1; bit 1 allows beaming), switch 2 (bit 2:
    // copying allowed, new leaves are Copyable).
    bool Switch(int number) const;
    void SetSwitch(int number, bool on);
    bool Beamable() const { return Switch(1); }
    bool Copyable() const { return Switch(2); }
    const std::string& Password() const { return password_; }
    void SetPassword(std::string password);
    bool Locked() const { return locked_; }
    void SetLocked(bool locked);
    // A structured slide show keeps its leaves under categories; the text import can make an
    // unstructured one.
    bool Structured() const { return structured_; }
    void SetStructured(bool structured);

    CDBHeader& Header() { return header_; }
    const CDBHeader& Header() const { return header_; }

    // The splash picture of the root pane: a monochrome and a colour picture, each kept as
    // a Palm bitmap and as the bitmap it shows.
    struct SplashPicture {
        std::shared_ptr<CPalmBitmap> palm;
        std::shared_ptr<CBitmap> bitmap;
    };
    SplashPicture& MonochromeSplash() { return monochromeSplash_; }
    SplashPicture& ColorSplash() { return colorSplash_; }
    const SplashPicture& MonochromeSplash() const { return monochromeSplash_; }
    const SplashPicture& ColorSplash() const { return colorSplash_; }

    // Leaves offered as See-Also targets, in the order they entered the document.
    const std::vector<int>& SeeAlsoChoices() const { return seeAlsoChoices_; }

    // ---- Counting and navigation ----
    int GetNumChildren(int kind, int item) const;
    int GetNumNodeChildren(int item) const { return GetNumChildren(kKindNode, item); }
    int GetNumLeafChildren(int item) const { return GetNumChildren(kKindLeaf, item); }
    // Depth-first walk of item's branch: counts[level] for nodes, leafCount for leaves. reset
    // zeroes both first. Returns the number of items visited.
    using LevelCounts = std::array<int, 16>;
    int GetChildCounts(int item, LevelCounts& counts, int& leafCount, bool reset) const;
    int GetChildNodeTypeCount(int item, int level) const;
    // All descendants of item.
    int GetChildCount(int item) const;
    // Leaf descendants of item, and the lowest page among them (0 when none).
    int GetChildLeafCount(int item, int& lowestPage) const;
    // Titles of the item's ancestors from the root down joined by "\"; includeSelf appends
    // "\" and the item's own title.
    std::string GetNodePath(int item, bool includeSelf) const;

    static int GetRootImage(bool valid, bool expanded);
    static int GetNodeImage(const CNodeFields& node, bool expanded);
    static int GetLeafImage(const CLeaf& leaf);
    // The item's picture, normal and expanded.
    int ItemImage(int index, bool expanded) const;

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
    // 0: before the previous sibling, 1: after the next, 2: before the first, 3: after the last.
    bool MoveNode(int direction);
    // Pushes the selected item (children false) or all its children (true) one level down under a
    // new node. Not recorded for undo.
    bool Indent(bool children);
    bool IsIndentOK(int item, bool children, bool showMessage) const;
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
    // Takes the listed elements out of the counts, pages and size, marks them Deleted and removes
    // the item's branch from the tree. The entries and records stay for undo.
    void PurgeNodes(int item, const std::vector<int>& keys);

    bool Undo();
    bool Redo();
    // The Undo item of the Node menu: its caption, its tag ("7" offers undo, "8" redo) and state.
    struct UndoMenuState {
        std::string caption = "&Undo ";
        int tag = kOpUndo;
        bool enabled = false;
    };
    // mode 7 offers undo, 8 redo, a negative mode keeps the mode shown last.
    const UndoMenuState& UpdateEditMenu(int mode);
    const UndoMenuState& UndoMenu() const { return undoMenu_; }

    // ======== Content of the panes, leaf kinds and copy marking ========
    // (DocumentContent*.cpp, DocumentConvert.cpp.) Each call is one change the author makes in
    // the right-hand pane or through a menu: it asks and reports through the services, reports a
    // failure as "An error has occurred: " and the error text, leaves the records as they were,
    // and marks the document dirty when something changed. Item arguments are element indices.

    // Leaf kinds as the conversion commands name them.
    static constexpr int kLeafKindQAF = 3;
    static constexpr int kLeafKindBitmap = 4;
    static constexpr int kLeafKindFact = 5;
    // Converts the selected leaf; false when no leaf is selected.
    bool ConvertSelectedLeaf(int newLeafType);
    // Converts every live leaf; "There are no leaves to convert." when there is none.
    bool ConvertAllLeaves(int newLeafType);
    // Sets the kind of each listed leaf and keeps DBSize in step. Texts and pictures stay in the
    // records, so converting back restores them; towards BITMAP Copyable is cleared.
    bool ConvertLeaves(const std::vector<int>& leaves, int newLeafType);
    // Sets Copyable of every leaf but the BITMAP leaves.
    bool MarkLeavesCopyEnabled(bool copyEnable);

    // The text boxes of the panes, numbered as the window numbers them.
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
        ProgramIconName = 11,
        SplashComments = 12,
        AboutComments = 13,
    };
    // Writes a text into its field: item is the node or leaf for NodeTitle and the leaf fields,
    // and is not used for the fields of the slide show. Titles also relabel the tree item (and a
    // leaf's entry among the See-Also choices).
    bool SetFieldText(int item, TextField field, const std::string& text);
    bool SetLeafTitle(int item, const std::string& title) {
        return SetFieldText(item, TextField::LeafTitle, title);
    }

    // The check boxes of the leaf pane.
    enum class LeafSwitch { Copyable = 0, Highlight = 1, PasswordProtect = 2, ReEdit = 3 };
    // Sets one switch of a leaf. Protection needs a slide show password: without one the author
    // is told so and openPreferences (the preferences dialog) gets a chance to set it; when there
    // is still none nothing changes and false is returned, so the box is cleared again.
    bool SetLeafSwitch(int item, LeafSwitch which, bool on,
                       const std::function<void()>& openPreferences = {});
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
    bool LeafPictureAction(int item, int action, const std::filesystem::path& file = {});
    // Reads a .bmp file and makes it the leaf's colour (color) or monochrome picture, with the
    // size warning, the 160 x 120 minimum, the offer to use it as the other kind, and a generated
    // grey picture for a colour picture on a leaf without a monochrome one. An empty file name
    // does nothing.
    bool SetLeafPicture(int item, bool color, const std::filesystem::path& file);
    bool ClearLeafPicture(int item, bool color);
    // Replaces the monochrome picture by a grey version of the colour picture.
    bool MonochromeFromColor(int item);

    // Picks a second file for the splash picture; an empty path when the author gave none.
    using FileChooser = std::function<std::filesystem::path()>;
    // Reads a 128 x 60 .bmp file into the splash picture. A colour picture asks how its
    // monochrome companion comes about: generated (Yes), another file (No: chooseMonochrome is
    // asked for it) or none (Cancel).
    bool SetSplashPicture(const std::filesystem::path& file, const FileChooser& chooseMonochrome);
    bool ClearSplashPictures();

    // The preferences dialog ("Settings for Dictionary"): the password typed twice and the two
    // switches.
    struct Preferences {
        std::string password;
        std::string passwordAgain;
        bool beamable = false;
        bool copyable = false;
    };
    Preferences CurrentPreferences() const;
    // Takes over every value that differs; false (and nothing changes) when the two passwords
    // differ. While the slide show is locked the password is kept whatever was typed.
    bool SetPrefs(const Preferences& values);
    bool LockDB();
    // Unlocks when password is the slide show's.
    bool UnlockDB(const std::string& password);
    // A password-protected leaf of a locked slide show: its pane shows only kLockedLeafNotice and
    // its content cannot be changed.
    bool IsLeafLocked(int item) const;
    static constexpr const char* kLockedLeafNotice =
        "Unlock this leaf by selecting Unlock from the File menu and typing the correct password.";

    // The term dialog: "Add New Term" or "Rename Term".
    static std::string TermDialogCaption(bool rename);
    // False, after "Term can not be blank.", for an empty term.
    bool IsTermAcceptable(const std::string& term) const;
    // A new FACT leaf titled term under the selected item; 0 when refused.
    int AddTerm(const std::string& term);
    bool RenameTerm(int item, const std::string& term);

    // Observers are told an item changed (its title, images or content).
    void NotifyItemChanged(int index);
    void NotifyDocumentChanged();

private:
    struct Placement {
        int parent = 0;
        std::size_t row = 0;
    };

    void EnsureCapacity(std::size_t index);
    void EnsurePageCapacity(std::size_t pages);
    Placement PlaceFor(int peer, Relationship relationship, int parent) const;
    int FindParentFor(int peer, Relationship relationship) const;
    void InsertItem(int index, Placement placement);
    int AddRoot(std::shared_ptr<CNode> record, int index);
    std::int64_t AddNodeEntry(int index, int parent, std::shared_ptr<CNode> record, bool isNew);
    std::int64_t AddLeafEntry(int index, std::shared_ptr<CLeaf> record, const std::string& title,
                              bool keepPage, Placement placement);
    // The page a leaf inserted at placement takes: after every leaf before it in tree order.
    int PageAt(Placement placement) const;
    int LastLeafUpTo(int index) const;

    int RunEditEngine(int operation, int item, int destination, Relationship relationship);
    int RemoveBranch(int item, int operation, bool cut);
    int MoveBranch(int item, int destination, Relationship relationship);
    int RecordedDestination(const CElementClipboard& record, Relationship& relationship) const;
    int UndoOrRedo(bool redo);
    int ReinsertBranch(const CElementClipboard& clipboard, int clipboardItem, int destination,
                       Relationship relationship);
    void ReenterElement(int index, int parent, Placement placement, bool expanded);
    void DetachBranch(int item);
    void MoveUnder(int item, int newParent);
    void ShiftBranchLevels(int item, int delta);
    void ReportRefusal(const std::string& text, MessageStyle style, bool showMessage) const;
    int LastLeafInBranch(int index) const;

    // ---- Pages of whole branches (DocumentPages.cpp) ----
    // A branch going in gets its pages in one pass once all of it is in the tree, and a branch
    // going out gives its pages back in one pass, instead of shifting every later page once per
    // leaf.
    int InsertBranch(const std::function<int(int& top)>& insert);
    void EnterBranchPages(int top);
    void RemovePages(const std::vector<int>& leaves);
    int AddPastedItem(const CElementClipboard& clipboard, int clipboardItem, int destination,
                      Relationship relationship, int& top);
    int ReinsertItem(const CElementClipboard& clipboard, int clipboardItem, int destination,
                     Relationship relationship, int& top);

    CServices& services_;
    PalmPalettes palettes_;
    std::vector<IDocumentObserver*> observers_;

    std::vector<CGenElemInfo> elements_;  // index 0 unused
    std::size_t capacity_ = 0;
    int nextFreeIndex_ = 1;
    int root_ = 0;
    int selected_ = 0;

    std::vector<int> pages_;  // index 0 unused
    std::size_t pageCapacity_ = 0;
    std::size_t leafCount_ = 0;

    std::array<int, 5> levelCounts_{};
    int leafCounter_ = 0;
    int nodeTitleCounter_ = 0;
    int leafTitleCounter_ = 0;
    int elementsAdded_ = 0;
    int nodesAdded_ = 0;

    std::int64_t dbSize_ = 0;
    bool dirty_ = false;
    bool reading_ = false;
    std::string fileName_;
    std::string caption_;

    std::array<bool, 3> switches_{};
    std::string password_;
    bool locked_ = false;
    bool structured_ = true;

    CDBHeader header_;
    SplashPicture monochromeSplash_;
    SplashPicture colorSplash_;
    std::vector<int> seeAlsoChoices_;

    CElementClipboard ownNodeClipboard_;
    CElementClipboard* nodeClipboard_ = &ownNodeClipboard_;
    CElementClipboard undoClipboard_;
    UndoMenuState undoMenu_;
    int lastMenuMode_ = kOpUndo;
    bool deferPages_ = false;  // while InsertBranch runs
};

}  // namespace trovique
