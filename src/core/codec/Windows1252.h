#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace trovique {

// Records keep text as Windows-1252 bytes, one byte per character. These convert at the edges
// of the program (windows, terminal, imports). Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D, which the
// code page leaves undefined, map to the C1 controls of the same value so that every byte
// survives a round trip.
std::string Windows1252ToUtf8(std::string_view text);

// A character the code page cannot hold, and every malformed UTF-8 sequence, becomes "?".
std::string Utf8ToWindows1252(std::string_view text);

// Decodes the UTF-8 sequence at text[pos] into cp and returns its length, or 0 when it is
// malformed (cut short, overlong, a surrogate or past U+10FFFF).
std::size_t DecodeUtf8(std::string_view text, std::size_t pos, char32_t& cp);

// True when text is well-formed UTF-8 that holds at least one multi-byte sequence: such a file
// was written as UTF-8 rather than in a single-byte code page.
bool LooksLikeUtf8(std::string_view text);

}  // namespace trovique
