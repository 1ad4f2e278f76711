#include "core/common/TextEscaping.h"

#include <cstdio>

namespace trovique {
namespace {

bool IsControl(unsigned char code) {
    return code < 0x20 || code == 0x7F;
}

void AppendCode(std::string& out, const char* format, unsigned char code) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, format, code);
    out += escaped;
}

}  // namespace

std::string JsonString(std::string_view utf8) {
    std::string json = "\"";
    for (const char c : utf8) {
        const auto code = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                json += "\\\"";
                break;
            case '\\':
                json += "\\\\";
                break;
            case '\n':
                json += "\\n";
                break;
            case '\r':
                json += "\\r";
                break;
            case '\t':
                json += "\\t";
                break;
            default:
                if (IsControl(code)) {
                    AppendCode(json, "\\u%04X", code);
                } else {
                    json += c;
                }
        }
    }
    json += '"';
    return json;
}

std::string OneLineText(std::string_view utf8, LineBreaks breaks) {
    std::string shown;
    for (const char c : utf8) {
        const auto code = static_cast<unsigned char>(c);
        if (breaks == LineBreaks::kAsNewline && c == '\r') {
            continue;
        }
        if (breaks == LineBreaks::kAsNewline && c == '\n') {
            shown += "\\n";
        } else if (IsControl(code)) {
            AppendCode(shown, "\\x%02X", code);
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace trovique
