#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>

namespace trovique {

// Raises CError 75 when target exists but could not be replaced by this program: a folder, or
// a file that cannot be opened for writing. Changes nothing.
void CheckReplaceable(const std::filesystem::path& target);

// Hands bytes to the replacement file; raises CError 75 when the system refuses them (a full
// disk, a quota).
using WriteBytes = std::function<void(std::span<const std::uint8_t>)>;

// Gives target new content so that at every moment it is either the old file or the complete
// new one: produce writes the content into a new file beside target, which is flushed to disk
// and then renamed over target. A file that replaces an existing one keeps its permissions.
// When anything fails (produce raising included) the new file is removed, target is untouched
// and the error is raised again.
void ReplaceFile(const std::filesystem::path& target,
                 const std::function<void(const WriteBytes& write)>& produce);

// ReplaceFile with the content of source.
void ReplaceFileWithCopyOf(const std::filesystem::path& source,
                           const std::filesystem::path& target);

}  // namespace trovique
