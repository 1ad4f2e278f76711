#pragma once

#include <string>
#include <string_view>

namespace trovique {

// How the bytes of a text file were taken.
enum class TextFileEncoding {
    Windows1252,  // one byte, one character: the single-byte code page
    Utf8,         // UTF-8, with or without a byte-order mark
    Utf16LE,      // UTF-16 with its byte-order mark, as Windows editors save "Unicode" text
    Utf16BE,
};

struct DecodedText {
    std::string text;  // Windows-1252, line breaks CR LF
    TextFileEncoding encoding = TextFileEncoding::Windows1252;
};

// Turns the bytes of a text file into the program's text: Windows-1252, one byte per character,
// with every line break as CR LF, as the records keep text.
//
// A file that starts with a UTF-8 byte-order mark, or is valid UTF-8 with at least one
// multi-byte sequence, is taken as UTF-8; a UTF-16 byte-order mark selects UTF-16. Anything
// else is Windows-1252 already. Byte-order marks are dropped and characters the code page
// cannot hold become "?".
DecodedText DecodeTextFile(std::string_view bytes);

// Makes every lone CR and every lone LF a CR LF pair. Files written on Unix end their lines in
// LF alone, old Macintosh files in CR alone; in memory a line break is always CR LF, and the
// record writer would otherwise make the pair itself, lengthening the text behind the limits'
// back.
std::string WithCrLfLineBreaks(std::string_view text);

}  // namespace trovique
