#pragma once

#include <cstddef>
#include <filesystem>

namespace trovique {

class CDocument;

// Writes the working file and makes it the document's file: afterwards the document is named
// after path and no longer dirty. Leaves without pictures are kept in a record of their own
// kind, so that the file reads back as the same slide show.
bool Save(CDocument& document, const std::filesystem::path& path);

// Writes the file for the handheld in exactly the layout its viewer reads. The document's file
// name and dirty flag stay as they were. Leaves without pictures leave only their hidden text
// records, which the viewer does not show (see LeavesLeftOutOfExport).
bool Export(CDocument& document, const std::filesystem::path& path);

// The writer behind both: builds the whole file in a private temporary file and then replaces
// path with it in one step, so path is either the old file or the complete new one. Returns
// true when path was replaced; every failure (and a cancel in the progress window) is reported
// to the user and leaves path untouched.
bool SaveIt(CDocument& document, const std::filesystem::path& path, bool exportSwitch);

// The number of leaves of the tree that have neither a colour nor a monochrome picture: an
// export file has no slide for them.
std::size_t LeavesLeftOutOfExport(const CDocument& document);

}  // namespace trovique
