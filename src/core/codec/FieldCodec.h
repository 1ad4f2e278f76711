#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/common/BinaryFile.h"

namespace trovique {

// Every text of a record goes through these two. In memory a line break is CR LF; in the file
// it is a single LF. A fixed field takes maximum bytes padded with NULs, any other field is the
// characters and one NUL. Complemented fields store each character byte XOR 0xFF. With reserve
// set one position of maximum is kept for the terminator.
//
// A CR counts against the maximum although it takes no byte; the reader counts the CR it puts
// back before each LF the same way, which is what keeps a fixed field's reader and writer in
// step (a fixed field of maximum m takes m bytes less one per line break).
//
// In a complemented field the character 0xFF would be stored as 0 and end the field early, so
// it is written as "?" there.
void WriteFieldString(CBinaryFile& file, std::string_view text, std::size_t maximum, bool fixed,
                      bool complemented, bool reserve);

// Reads a field written by WriteFieldString at the file's position. Never reads past the data:
// a field cut off by the end of the file raises error 62 and leaves the position where it was.
std::string ReadFieldString(CBinaryFile& file, std::size_t maximum, bool fixed, bool complemented);

}  // namespace trovique
