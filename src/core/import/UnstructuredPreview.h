#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/import/UnstructuredSettings.h"

namespace trovique {

// One leaf the delimited-text import would make, as the options dialog previews it.
struct PreviewPiece {
    std::size_t number = 0;  // 1 for the file's first piece
    // The title the leaf would get, on one line like the fact; empty when it keeps its default
    // name.
    std::string title;
    // The start of the leaf's fact, its line breaks shown as " | " so that it fits one line.
    std::string fact;
    std::size_t factLength = 0;  // the whole piece's length
};

struct UnstructuredPreview {
    std::vector<PreviewPiece> pieces;
    // More pieces follow than the preview shows, or the file is longer than the part read.
    bool more = false;
    // Why the file could not be read; empty when it was.
    std::string error;
};

// What the preview shows for a leaf that keeps its default name.
inline constexpr const char* kPreviewDefaultName = "(default name)";
// The line under the preview when more pieces follow.
inline constexpr const char* kPreviewMore = "More pieces follow.";

// The most of a file the preview reads.
inline constexpr std::size_t kPreviewBytes = 64 * 1024;
// The most characters of a piece's fact the preview shows.
inline constexpr std::size_t kPreviewFactChars = 120;

// The first pieces and titles that settings cut from text (the bytes of a text file, or its
// first part), through the same splitter, line-break handling and title rule as the import
// itself (Windows-1252 results).
UnstructuredPreview PreviewUnstructuredText(std::string_view bytes,
                                            const UnstructuredSettings& settings,
                                            std::size_t mostPieces);
// The same for the first kPreviewBytes of a file; a file that cannot be read gives its error.
UnstructuredPreview PreviewUnstructuredFile(const std::filesystem::path& file,
                                            const UnstructuredSettings& settings,
                                            std::size_t mostPieces);

}  // namespace trovique
