#pragma once

namespace trovique {

// What an element of the tree is. A fresh table entry holds kKindUnset until it is filled.
inline constexpr int kKindRoot = 0;
inline constexpr int kKindNode = 1;
inline constexpr int kKindLeaf = 3;
inline constexpr int kKindUnset = 6;

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
