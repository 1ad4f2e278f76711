#include "core/app/HandOver.h"

namespace trovique {
namespace {

void PutUint32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t GetUint32(std::string_view bytes) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes[static_cast<std::size_t>(i)]);
    }
    return value;
}

}  // namespace

std::vector<std::uint8_t> EncodeHandOver(std::string_view windows1252FileName,
                                         std::uint32_t identifier) {
    std::vector<std::uint8_t> frame;
    frame.reserve(kHandOverHeaderSize + windows1252FileName.size() + 1);
    PutUint32(frame, identifier);
    PutUint32(frame, static_cast<std::uint32_t>(windows1252FileName.size() + 1));
    frame.insert(frame.end(), windows1252FileName.begin(), windows1252FileName.end());
    frame.push_back(0);
    return frame;
}

CHandOverReader::State CHandOverReader::Append(std::string_view bytes) {
    if (state_ != State::Incomplete) {
        return state_;
    }
    buffer_.append(bytes);
    if (!haveHeader_ && buffer_.size() >= kHandOverHeaderSize) {
        identifier_ = GetUint32(buffer_);
        length_ = GetUint32(std::string_view(buffer_).substr(4));
        haveHeader_ = true;
        buffer_.erase(0, kHandOverHeaderSize);
        if (length_ > kMaxHandOverPayload) {
            state_ = State::Invalid;
            buffer_.clear();
            return state_;
        }
    }
    if (haveHeader_) {
        if (buffer_.size() > length_) {
            state_ = State::Invalid;  // more than the frame announced: not our sender
            buffer_.clear();
        } else if (buffer_.size() == length_) {
            state_ = State::Complete;
        }
    }
    return state_;
}

std::optional<std::string> CHandOverReader::FileName() const {
    if (state_ != State::Complete || identifier_ != kHandOverIdentifier || buffer_.empty() ||
        buffer_.back() != '\0' || buffer_.find('\0') != buffer_.size() - 1) {
        return std::nullopt;
    }
    return buffer_.substr(0, buffer_.size() - 1);
}

}  // namespace trovique
