#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/editor/DocumentPresentation.h"
#include "core/model/LeafKind.h"

namespace trovique {

class CDocument;

// What the right-hand panes of a slide show window show for an item (DisplayData) and which of
// their controls may be used (UpdateForm). Texts are UTF-8, as the windows show them; fields
// that a text box shows come from FieldDisplayText. Qt-free.

// Which pane shows: the root pane, the node pane, the leaf pane, or only the locked notice in
// place of a password-protected leaf of a locked slide show.
enum class PaneKind { None, Root, Node, Leaf, LockedLeaf };

struct PaneContent {
    PaneKind kind = PaneKind::None;
    std::string size;  // "Size of Slide Show On Palm:", SizeLabel of the running size

    // Root and node panes: every slide of the slide show ("Number of Slides:" of the root pane,
    // "Total Number of Slides:" of the node pane)
    std::string numberOfSlides;

    // Root pane
    bool hasMonochromeSplash = false;
    bool hasColorSplash = false;

    // Node pane (the path without the node) and leaf pane (the path with the leaf)
    std::string path;
    std::string slidesBelow;  // "Number of Slides:" below the node
    std::string percentage;   // of all slides, "0.0"
    std::string firstPage;    // "Page Number of first Term under this branch:", empty for none

    // Leaf pane
    LeafKind leafKind = LeafKind::QAF;
    bool difficultyEnabled = false;  // QAF leaves only
    bool questionEnabled = false;    // the question and the answers: QAF leaves only
    int difficulty = 0;              // 1..5, 0 when the list shows no entry
    std::array<int, 3> seeAlso{};    // element index of each link, 0 for "<None>"
    std::array<bool, 4> switches{};  // Check1: Copyable, Highlight, PasswordProtect, ReEdit
    bool hasColorPicture = false;
    bool hasMonochromePicture = false;
};

// DisplayData and UpdateForm for item (0 or an item that is gone: PaneKind::None).
PaneContent DescribePane(const CDocument& document, int item);

// True the first time a node or a leaf (not locked) is displayed, when its title box takes the
// focus; marks the item Visited.
bool TakeFirstDisplay(CDocument& document, int item);

// "0.0": part of whole in percent with one decimal; "0" when whole is 0.
std::string PercentageText(std::int64_t part, std::int64_t whole);

// The text a box shows for item, as UTF-8.
std::string FieldDisplayText(const CDocument& document, int item, TextField field);

// The characters text (UTF-8) takes once stored in the records' code page; a line break the
// windows show as one character is stored as two (CR LF).
std::size_t StoredLength(std::string_view text);
// text cut to the field's limit counted as stored, never inside a character or a line break.
std::string FitToField(TextField field, std::string_view text);

// The entries of the See-Also lists: "<None>" (0) first, then every leaf that may be linked, in
// the order they entered the tree, labelled with its title.
struct SeeAlsoEntry {
    int target = 0;
    std::string label;
    bool operator==(const SeeAlsoEntry&) const = default;
};
inline constexpr const char* kSeeAlsoNone = "<None>";
std::size_t SeeAlsoEntryCount(const CDocument& document);
SeeAlsoEntry SeeAlsoEntryAt(const CDocument& document, std::size_t row);

// The difficulty list's entries, each its own number.
inline constexpr int kMinDifficulty = 1;
inline constexpr int kMaxDifficulty = 5;

// What "View Image" shows in place of a splash picture: "No Color Bitmap Available" when there
// is none (present false), else "Could Not Show Color Bitmap" for one that cannot be drawn; the
// same for the monochrome picture.
std::string SplashViewNote(bool color, bool present);

// The fact box's tool tip.
inline constexpr const char* kFactToolTip =
    "This Definition will display approximately 250 lines of text on the Palm.";

}  // namespace trovique
