#include "core/import/TextFileDecoding.h"

#include <cstdint>

#include "core/codec/Windows1252.h"

namespace trovique {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEBom = "\xFF\xFE";
constexpr std::string_view kUtf16BEBom = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;  // Utf8ToWindows1252 turns it into "?"

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// UTF-16 code units (without the byte-order mark) as UTF-8. An unpaired surrogate and a final
// odd byte become the replacement character, so that damage shows as "?" and nothing shifts.
std::string Utf16ToUtf8(std::string_view bytes, bool littleEndian) {
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<std::uint8_t>(bytes[i]);
        const auto second = static_cast<std::uint8_t>(bytes[i + 1]);
        return static_cast<char16_t>(littleEndian ? first | (second << 8) : (first << 8) | second);
    };
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            const char16_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
        AppendUtf8(out, surrogate ? kReplacement : char32_t{unit});
    }
    if (i < bytes.size()) {
        AppendUtf8(out, kReplacement);
    }
    return out;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

DecodedText DecodeTextFile(std::string_view bytes) {
    DecodedText decoded;
    std::string windows1252;
    if (StartsWith(bytes, kUtf8Bom)) {
        decoded.encoding = TextFileEncoding::Utf8;
        windows1252 = Utf8ToWindows1252(bytes.substr(kUtf8Bom.size()));
    } else if (StartsWith(bytes, kUtf16LEBom) || StartsWith(bytes, kUtf16BEBom)) {
        const bool little = StartsWith(bytes, kUtf16LEBom);
        decoded.encoding = little ? TextFileEncoding::Utf16LE : TextFileEncoding::Utf16BE;
        windows1252 = Utf8ToWindows1252(Utf16ToUtf8(bytes.substr(2), little));
    } else if (LooksLikeUtf8(bytes)) {
        decoded.encoding = TextFileEncoding::Utf8;
        windows1252 = Utf8ToWindows1252(bytes);
    } else {
        decoded.text = WithCrLfLineBreaks(bytes);
        return decoded;
    }
    decoded.text = WithCrLfLineBreaks(windows1252);
    return decoded;
}

std::string WithCrLfLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace trovique
