#pragma once

#include <string>

namespace trovique {

// What a file dropped on the main window leads to, by its extension (case ignored).
enum class DropAction { Open, Import, Refuse };
DropAction ClassifyDroppedFile(const std::string& file);

// The exclamation message for a dropped file of another kind.
std::string UnrecognizedFileTypeText(const std::string& file);
// The exclamation message for a drop that carries no files.
inline constexpr const char* kUnsupportedDropTarget = "Unsupported drop target.";

}  // namespace trovique
