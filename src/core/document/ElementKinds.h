#pragma once

namespace trovique {

// What an element of the tree is. A fresh table entry is Unset until it is filled; a selection
// of nothing counts as Unset too.
enum class ElementKind { Root = 0, Node = 1, Leaf = 3, Unset = 6 };

// How AddGenNode enters an item: Refresh selects and shows it (the author's add commands);
// ReAdd treats a given record as new, with a fresh element index and page (pasted copies).
enum class AddOptions : unsigned { None = 0, Refresh = 1, ReAdd = 2 };
constexpr AddOptions operator|(AddOptions a, AddOptions b) {
    return static_cast<AddOptions>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool Has(AddOptions options, AddOptions option) {
    return (static_cast<unsigned>(options) & static_cast<unsigned>(option)) != 0;
}

// Where MoveNode moves the selected item: before its previous sibling, after its next sibling,
// before the first or after the last sibling.
enum class MoveDirection { Up = 0, Down = 1, First = 2, Last = 3 };

// Indent pushes the selected item, or all its children, one level down.
enum class IndentScope { Item, Children };

// Pseudo-level for leaves when the count labels are refreshed.
inline constexpr int kLevelLeaves = 16;

// Where a new tree item goes relative to its peer item.
enum class Relationship { First = 0, Last = 1, Next = 2, Previous = 3, Child = 4 };

// Indices of the tree pictures: nodes valid/invalid, expanded or not, and the leaf states.
inline constexpr int kImageNodeValid = 6;
inline constexpr int kImageNodeValidExpanded = 14;
inline constexpr int kImageNodeInvalid = 13;
inline constexpr int kImageNodeInvalidExpanded = 15;
inline constexpr int kImageLeaf = 7;
inline constexpr int kImageLeafHighlight = 8;
inline constexpr int kImageLeafInvalid = 9;
inline constexpr int kImageLeafReEdit = 10;
inline constexpr int kImageLeafProtected = 11;

}  // namespace trovique
