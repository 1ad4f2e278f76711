#include "core/import/PieceSplitter.h"

namespace trovique {

CPieceSplitter::CPieceSplitter(std::string_view text, std::vector<std::string> delimiters)
    : text_(text), delimiters_(std::move(delimiters)), done_(text.empty()) {
    next_.reserve(delimiters_.size());
    for (const auto& delimiter : delimiters_) {
        next_.push_back(delimiter.empty() ? std::string::npos : text_.find(delimiter));
    }
}

bool CPieceSplitter::Next(TextPiece& piece) {
    if (done_) {
        return false;
    }
    constexpr std::size_t kNone = std::string::npos;
    std::size_t best = kNone;
    for (std::size_t i = 0; i < delimiters_.size(); ++i) {
        if (next_[i] != kNone && next_[i] < position_) {
            next_[i] = text_.find(delimiters_[i], position_);
        }
        if (next_[i] == kNone) {
            continue;
        }
        // Strictly better only, so that the first listed keeps a full tie.
        if (best == kNone || next_[i] < next_[best] ||
            (next_[i] == next_[best] && delimiters_[i].size() > delimiters_[best].size())) {
            best = i;
        }
    }
    piece.offset = position_;
    if (best == kNone) {
        piece.length = text_.size() - position_;
        piece.delimiter = kNone;
        piece.delimiterLength = 0;
        position_ = text_.size();
        done_ = true;
        return true;
    }
    piece.length = next_[best] - position_;
    piece.delimiter = best;
    piece.delimiterLength = delimiters_[best].size();
    position_ = next_[best] + delimiters_[best].size();
    done_ = position_ >= text_.size();
    return true;
}

}  // namespace trovique
