#pragma once

#include <string>
#include <string_view>

namespace trovique {

// Levels of the slide show tree: the root and up to four levels of nodes below it.
inline constexpr int kLevelSlideShow = 11;
inline constexpr int kLevelMajorCategory = 12;
inline constexpr int kLevelSubCategory = 13;
inline constexpr int kLevelMajorTopic = 14;
inline constexpr int kLevelSubTopic = 15;

// "Slide Show", "Major Category", ... for levels 11 to 15; empty for any other number.
std::string_view NodeLevelName(int level);

// The level name between "<" and ">" (how a new node is titled); empty when the level has no
// name.
std::string NodeLevelNameInBrackets(int level);

}  // namespace trovique
