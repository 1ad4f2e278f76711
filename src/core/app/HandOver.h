#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trovique {

// A second interactive launch hands its start file to the running copy as one message: a data
// identifier and the file name as Windows-1252 bytes followed by one NUL, the same payload a
// copy-data window message carries. On a stream the message is framed as the identifier and the
// payload's length (both 32-bit little-endian) and then the payload.
inline constexpr std::uint32_t kHandOverIdentifier = 17;
// A file name never comes near this; a longer frame is refused before anything is buffered.
inline constexpr std::uint32_t kMaxHandOverPayload = 32 * 1024;
inline constexpr std::size_t kHandOverHeaderSize = 8;
// What the running copy answers once it has taken a message, so that the sender may end.
inline constexpr std::uint8_t kHandOverAccepted = 1;

// The frame for a Windows-1252 file name (which must hold no NUL of its own).
std::vector<std::uint8_t> EncodeHandOver(std::string_view windows1252FileName,
                                         std::uint32_t identifier = kHandOverIdentifier);

// Reads frames from a stream that arrives in pieces.
class CHandOverReader {
public:
    enum class State { Incomplete, Complete, Invalid };

    // Takes the next bytes; once Complete or Invalid, further bytes are ignored.
    State Append(std::string_view bytes);
    State Current() const { return state_; }
    // The file name of a complete frame that the receiver accepts: identifier 17 and a payload
    // with exactly one NUL, at its end. Anything else gives nothing.
    std::optional<std::string> FileName() const;

private:
    std::string buffer_;
    std::uint32_t identifier_ = 0;
    std::uint32_t length_ = 0;
    bool haveHeader_ = false;
    State state_ = State::Incomplete;
};

}  // namespace trovique
