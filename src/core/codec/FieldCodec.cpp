#include "core/codec/FieldCodec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/common/Error.h"

namespace trovique {
namespace {

constexpr std::uint8_t kCR = 13;
constexpr std::uint8_t kLF = 10;
constexpr std::uint8_t kComplement = 0xFF;

bool IsLoneBreak(std::string_view text, std::size_t i) {
    const auto c = static_cast<std::uint8_t>(text[i]);
    if (c == kCR) {
        return i + 1 == text.size() || static_cast<std::uint8_t>(text[i + 1]) != kLF;
    }
    return c == kLF && (i == 0 || static_cast<std::uint8_t>(text[i - 1]) != kCR);
}

// The writer counts a line break as two positions and one byte, and the reader counts an LF as
// two positions. A lone CR or LF would break that balance and shift every later field of the
// record, so each becomes a whole CR LF first.
std::string WithWholeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsLoneBreak(text, i)) {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

bool HasLoneBreak(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsLoneBreak(text, i)) {
            return true;
        }
    }
    return false;
}

// A character whose stored byte would be 0 would end the field on reading.
std::uint8_t StoredByte(std::uint8_t c, bool complemented) {
    if (c == 0 || (complemented && c == kComplement)) {
        c = '?';
    }
    return complemented ? static_cast<std::uint8_t>(c ^ kComplement) : c;
}

// Hands out the bytes of one field, reading ahead in small blocks so that a field costs a few
// file calls rather than one per byte, and never asking for more than the field can occupy or
// the file holds.
class FieldSource {
public:
    FieldSource(CBinaryFile& file, std::size_t budget)
        : file_(file), start_(file.Position()), budget_(budget) {}

    std::uint8_t Next() {
        if (next_ == filled_) {
            Refill();
        }
        ++consumed_;
        return block_[next_++];
    }

    // Leaves the file just after the bytes handed out.
    void Finish() { file_.Seek(start_ + consumed_); }
    void Rewind() { file_.Seek(start_); }

private:
    void Refill() {
        const std::uint64_t wanted =
            std::min<std::uint64_t>({block_.size(), budget_ - consumed_, file_.Remaining()});
        // With nothing left the one-byte read raises the file's end-of-file error.
        const std::size_t count = static_cast<std::size_t>(std::max<std::uint64_t>(wanted, 1));
        file_.Read(std::span<std::uint8_t>(block_.data(), count));
        filled_ = count;
        next_ = 0;
    }

    CBinaryFile& file_;
    std::uint64_t start_;
    std::uint64_t budget_;
    std::uint64_t consumed_ = 0;
    std::array<std::uint8_t, 256> block_{};
    std::size_t filled_ = 0;
    std::size_t next_ = 0;
};

}  // namespace

void WriteFieldString(CBinaryFile& file, std::string_view text, std::size_t maximum, bool fixed,
                      bool complemented, bool reserve) {
    std::string whole;
    if (HasLoneBreak(text)) {
        whole = WithWholeLineBreaks(text);
        text = whole;
    }
    const std::size_t limit = reserve ? (maximum > 0 ? maximum - 1 : 0) : maximum;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(fixed ? maximum : std::min(text.size(), limit) + 1);

    std::size_t i = 0;
    for (; i < limit && i < text.size(); ++i) {
        const auto c = static_cast<std::uint8_t>(text[i]);
        if (c == kCR) {
            // A CR takes a position but no byte. When its LF no longer fits the break is left
            // out whole; a CR without its LF would leave the reader one position behind.
            if (i + 1 >= limit) {
                break;
            }
            continue;
        }
        bytes.push_back(StoredByte(c, complemented));
    }
    if (!fixed) {
        bytes.push_back(0);
    } else {
        for (; i < maximum; ++i) {
            bytes.push_back(0);
        }
    }
    file.Write(bytes);
}

std::string ReadFieldString(CBinaryFile& file, std::size_t maximum, bool fixed, bool complemented) {
    const std::size_t budget = fixed ? maximum : maximum + 1;  // room for the terminator
    FieldSource source(file, budget);
    std::string result;
    // Bytes are gathered here and added to the text in pieces, so that a short text is
    // allocated once, at its size, instead of growing a byte at a time.
    std::array<char, 256> pending;
    std::size_t pendingSize = 0;
    const auto put = [&](std::uint8_t byte) {
        if (pendingSize == pending.size()) {
            result.append(pending.data(), pendingSize);
            pendingSize = 0;
        }
        pending[pendingSize++] = static_cast<char>(byte);
    };
    try {
        bool previousWasCR = false;
        std::size_t i = 0;
        while (i < budget) {
            std::uint8_t byte = source.Next();
            if (complemented && byte != 0) {
                byte ^= kComplement;
            }
            if (byte == kLF && !previousWasCR) {
                put(kCR);
                ++i;
            }
            previousWasCR = byte == kCR;
            ++i;
            if (byte == 0) {
                break;
            }
            put(byte);
        }
        result.append(pending.data(), pendingSize);
        source.Finish();
        if (fixed && i < budget) {
            file.Skip(budget - i);
        }
    } catch (const CError&) {
        source.Rewind();
        throw;
    }
    return result;
}

}  // namespace trovique
