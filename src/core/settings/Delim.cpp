#include "core/settings/Delim.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "core/common/Error.h"

namespace trovique {
namespace {

constexpr int kHighestCode = 255;

bool InRange(int code) {
    return code >= 0 && code <= kHighestCode;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// The codes of a definition, or false when it is not one.
bool ParseCodes(std::string_view text, std::vector<std::uint8_t>& codes) {
    codes.clear();
    if (text.empty()) {
        return true;
    }
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view part = TrimBlanks(text.substr(0, comma));
        int code = -1;
        const auto result = std::from_chars(part.data(), part.data() + part.size(), code);
        if (part.empty() || result.ec != std::errc{} || result.ptr != part.data() + part.size() ||
            !InRange(code)) {
            return false;
        }
        codes.push_back(static_cast<std::uint8_t>(code));
        if (comma == std::string_view::npos) {
            return true;
        }
        text.remove_prefix(comma + 1);
    }
}

// The six codes that print as nothing or as something easily mistaken get words.
std::string_view SpecialName(int code) {
    switch (code) {
        case 0:
            return "NULL";
        case 9:
            return "TAB";
        case 10:
            return "LINE FEED";
        case 13:
            return "CARRIAGE RETURN";
        case 32:
            return "SPACE";
        case 46:
            return "PERIOD";
        default:
            return {};
    }
}

const std::array<std::string, 256>& NameTable() {
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> names;
        for (int code = 33; code <= 126; ++code) {
            names[code] = std::string(1, static_cast<char>(code));
        }
        for (int code = 0; code <= kHighestCode; ++code) {
            if (const auto name = SpecialName(code); !name.empty()) {
                names[code] = std::string(name);
            }
        }
        return names;
    }();
    return table;
}

}  // namespace

CDelim::CDelim(std::string dataString) {
    SetDataString(std::move(dataString));
}

void CDelim::SetDataString(std::string dataString) {
    std::vector<std::uint8_t> codes;
    if (!ParseCodes(dataString, codes)) {
        throw CError::Object(kErrInvalidValue, "CDelim:DataString");
    }
    dataString_ = std::move(dataString);
}

void CDelim::Append(int code) {
    if (!InRange(code)) {
        throw CError::Object(kErrValueOutOfRange, "CDelim:Append");
    }
    if (!dataString_.empty()) {
        dataString_ += ',';
    }
    dataString_ += std::to_string(code);
}

std::string CDelim::CharName(int code) {
    return InRange(code) ? NameTable()[code] : std::string();
}

std::string CDelim::CharPrint(int code) {
    if (!InRange(code) || code == 0 || code == 9) {
        return {};
    }
    return std::string(1, static_cast<char>(code));
}

std::vector<std::uint8_t> CDelim::Codes() const {
    std::vector<std::uint8_t> codes;
    ParseCodes(dataString_, codes);  // always valid: the setter checked it
    return codes;
}

std::string CDelim::DelimString() const {
    const auto codes = Codes();
    return std::string(codes.begin(), codes.end());
}

std::string CDelim::DisplayString() const {
    std::string display;
    for (const std::uint8_t code : Codes()) {
        if (!display.empty()) {
            display += " AND ";
        }
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", code);
        display += hex;
        if (const std::string& name = NameTable()[code]; !name.empty()) {
            display += " (" + name + ")";
        }
    }
    return display;
}

}  // namespace trovique
