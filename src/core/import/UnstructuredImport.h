#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/import/TextFileDecoding.h"

namespace trovique {

class CDocument;

// What a piece longer than a leaf's fact can hold does.
enum class LongPieces {
    Stop,   // the import ends with an error naming the piece; the leaves before it stay
    Split,  // the piece becomes several leaves in a row, each within the limit
};

struct UnstructuredImportOptions {
    // The delimiters' characters (Windows-1252), as CDelim::DelimString gives them.
    std::vector<std::string> delimiters;
    // Above 0: the title is the piece's first titleChars characters (at most 255).
    int titleChars = 0;
    // When titleChars is 0 and this is not empty: the title is the text before it.
    std::string titleDelimiter;
    LongPieces longPieces = LongPieces::Stop;
};

// A piece that was cut into several leaves.
struct SplitPiece {
    std::size_t piece = 0;  // 1 for the file's first piece
    std::size_t line = 0;   // the line the piece starts on, 1 for the first
    std::size_t length = 0;
    std::size_t leaves = 0;
};

struct UnstructuredImportResult {
    bool ok = false;
    std::size_t leavesAdded = 0;
    TextFileEncoding encoding = TextFileEncoding::Windows1252;
    std::vector<SplitPiece> splitPieces;
};

// The most leaves one node can hold (the link capacity of a node record).
inline constexpr std::size_t kMostLeavesUnderOneNode = 15500;
// The largest text file the import reads: more than a slide show can hold in any case.
inline constexpr std::uint64_t kLargestTextFile = 256ull * 1024 * 1024;

// Reads a text file into leaves under the document's root: the text is cut into pieces at the
// delimiters (see CPieceSplitter) and every piece becomes a FACT leaf whose fact is the piece
// and whose title comes from the title options or is left to the default naming. The slide
// show becomes an unstructured one (its leaves sit directly under the root).
//
// The file's text is decoded by DecodeTextFile: UTF-8 and UTF-16 files are converted to
// Windows-1252 and every line break becomes CR LF. The delimiters and the title delimiter are
// given the same line breaks, so that the stored "13,10,13,10" finds the empty lines of a file
// written on Unix too.
//
// Any failure (the file cannot be read, a piece over the fact limit with LongPieces::Stop, more
// leaves than the root or the file's 16-bit keys can hold) is reported as "Read Unstructured
// error: " and the description, and ends the import; the leaves added until then stay.
UnstructuredImportResult ReadUnstructured(CDocument& document,
                                          const std::filesystem::path& fileName,
                                          const UnstructuredImportOptions& options);

// The same with the arguments of the import command of the windows: true when the whole file
// was read.
bool ReadUnstructured(CDocument& document, const std::filesystem::path& fileName,
                      const std::vector<std::string>& delimiters, int titleChars,
                      const std::string& titleDelimiter);

// The title a piece gets, empty for none: with titleChars above 0 its first titleChars
// characters (at most 255); otherwise, with a title delimiter, the text before the delimiter's
// first occurrence (at most 255 characters), none when it does not occur or starts the piece.
// Line breaks at either end of those characters are left out of the title, which is none when
// nothing else remains; a title never ends between the CR and the LF of a line break.
std::string PieceTitle(std::string_view piece, int titleChars, std::string_view titleDelimiter);

// Where a piece longer than maximum is cut: at most maximum characters, after the last line
// break that fits, else after the last blank, else at maximum itself (never between a CR and
// its LF). Returns the length of the first part.
std::size_t SplitPoint(std::string_view piece, std::size_t maximum);

}  // namespace trovique
