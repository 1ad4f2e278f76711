#include "core/model/RecordFields.h"

#include <charconv>

#include "core/codec/FieldCodec.h"
#include "core/codec/UnsignedInt.h"
#include "core/common/Error.h"

namespace trovique::record {

std::uint16_t ReadWord(CBinaryFile& file) {
    CUnsignedInt number;
    number.ReadFromFile(file);
    return number.Value();
}

void WriteWord(CBinaryFile& file, std::uint16_t value) {
    CUnsignedInt(value).WriteToFile(file);
}

std::uint16_t CheckedWord(std::int64_t value) {
    return CUnsignedInt(value).Value();
}

void CheckLength(std::string_view text, std::size_t limit, const char* source) {
    if (text.size() > limit) {
        throw CError::Object(kErrDataTooLong, source);
    }
}

std::string ReadVarText(CBinaryFile& file, std::size_t maximum, bool complemented) {
    return ReadFieldString(file, maximum, false, complemented);
}

void WriteVarText(CBinaryFile& file, std::string_view text, std::size_t maximum,
                  bool complemented) {
    WriteFieldString(file, text, maximum, false, complemented, false);
}

std::int64_t LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    // A number this long is far outside every key range already; it stops growing here so that
    // the range check, not an overflow, decides.
    constexpr std::int64_t kCeiling = 100'000'000'000'000'000LL;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < kCeiling) {
            value = value * 10 + (text[i] - '0');
        }
    }
    return negative ? -value : value;
}

void AppendHexWord(std::string& text, std::uint16_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4) {
        text += kDigits[(value >> shift) & 0xF];
    }
}

bool ParseHexWord(std::string_view digits, std::uint16_t& value) {
    if (digits.size() != 4) {
        return false;
    }
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value, 16);
    return error == std::errc() && stop == end;
}

}  // namespace trovique::record
