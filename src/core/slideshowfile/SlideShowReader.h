#pragma once

#include <filesystem>

namespace trovique {

class CDocument;

// Opens a working file (.sdb) or an export file (.pdb) into document: the header, the root
// with its preferences and splash picture, every node and every leaf with the texts and second
// pictures kept in its extra records. The document is emptied first.
//
// asNew opens the file as an untitled slide show: the document does not take path as its file.
//
// Returns true when every record was read. A damaged file, a file this program did not write
// and a cancel in the progress window are reported to the user and return false; the items
// read until then stay in the tree. Either way the document ends up not dirty, with its pages,
// counters and size estimate matching its tree.
bool Read(CDocument& document, const std::filesystem::path& path, bool asNew);

}  // namespace trovique
