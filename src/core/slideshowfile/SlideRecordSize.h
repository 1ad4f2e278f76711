#pragma once

#include <cstdint>

namespace trovique {

class CLeaf;

// The bytes of the visible slide record that export writes for leaf: its fixed part, its stored
// title and its pictures in their Palm form, measured by writing the record as export does.
// 0 when export writes no slide record (a leaf without pictures). Raises when a picture cannot
// be stored at all.
std::int64_t ExportedSlideRecordBytes(const CLeaf& leaf);

}  // namespace trovique
