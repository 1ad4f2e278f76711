#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/BinaryFile.h"

// Small pieces shared by the readers and writers of every record version.
namespace trovique::record {

// One 16-bit big-endian number of a record.
std::uint16_t ReadWord(CBinaryFile& file);
void WriteWord(CBinaryFile& file, std::uint16_t value);

// A value for a 16-bit field; raises the CUnsignedInt error outside 0..65535.
std::uint16_t CheckedWord(std::int64_t value);

// Raises "Data too long to fit." with the given source when text exceeds limit characters.
void CheckLength(std::string_view text, std::size_t limit, const char* source);

// A text of at most maximum characters followed by one NUL, complemented unless told otherwise.
std::string ReadVarText(CBinaryFile& file, std::size_t maximum, bool complemented = true);
void WriteVarText(CBinaryFile& file, std::string_view text, std::size_t maximum,
                  bool complemented = true);

// The number at the start of text the way a user typed it into a key box: leading blanks, an
// optional sign and decimal digits; 0 when the text does not start with a number.
std::int64_t LeadingNumber(std::string_view text);

// Four upper-case hexadecimal digits, zero-padded.
void AppendHexWord(std::string& text, std::uint16_t value);
// Parses exactly four hexadecimal digits; false for anything else.
bool ParseHexWord(std::string_view digits, std::uint16_t& value);

}  // namespace trovique::record
