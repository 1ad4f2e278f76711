#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trovique {

// One piece of a delimited text: text[offset, offset + length), and the delimiter that ended it.
struct TextPiece {
    std::size_t offset = 0;
    std::size_t length = 0;
    // Index in the delimiter list of the delimiter that followed the piece; npos for the last
    // piece when no delimiter ended it.
    std::size_t delimiter = std::string::npos;
    std::size_t delimiterLength = 0;
};

// Cuts a text into pieces at a set of delimiters. From the current position the nearest
// delimiter occurrence ends the piece; of delimiters found at the same place the longest wins,
// and of equally long ones the first listed. A delimiter at the very end of the text makes no
// empty last piece; two adjacent delimiters make an empty piece between them. An empty text has
// no pieces. Empty delimiters are ignored, since they would match everywhere without moving on.
//
// The scan is linear in the text: each delimiter remembers its next occurrence and is searched
// again only once the position has passed it, rather than every delimiter being searched from
// every position.
class CPieceSplitter {
public:
    // text must outlive the splitter.
    CPieceSplitter(std::string_view text, std::vector<std::string> delimiters);

    // The next piece; false when the text is used up.
    bool Next(TextPiece& piece);
    // Where the next piece starts (the text's size once done).
    std::size_t Position() const { return position_; }

private:
    std::string_view text_;
    std::vector<std::string> delimiters_;
    std::vector<std::size_t> next_;  // next occurrence at or after the last search; npos: none
    std::size_t position_ = 0;
    bool done_ = false;
};

}  // namespace trovique
