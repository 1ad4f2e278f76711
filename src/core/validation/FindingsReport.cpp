#include "core/validation/FindingsReport.h"

#include <string_view>

#include "core/codec/Windows1252.h"
#include "core/common/TextEscaping.h"
#include "core/document/ElementKinds.h"
#include "core/validation/ValidationResults.h"

namespace trovique {
namespace {

std::string_view KindName(ElementKind kind) {
    switch (kind) {
        case ElementKind::Root:
            return "root";
        case ElementKind::Node:
            return "node";
        case ElementKind::Leaf:
            return "leaf";
        default:
            return "other";
    }
}

// A JSON string of a record's Windows-1252 text.
std::string RecordJson(std::string_view text) {
    return JsonString(Windows1252ToUtf8(text));
}

// Keeps a finding on its own line: line breaks in a title or path show as spaces.
std::string OneLine(std::string_view text) {
    std::string line = Windows1252ToUtf8(text);
    for (char& c : line) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return line;
}

bool IsStopEntry(const CValidationResults::ItemEntry& entry) {
    return entry.kind == kKindStopEntry;
}

}  // namespace

std::string FormatFindings(const CValidationResults& results) {
    std::string text;
    for (const auto& entry : results.Entries()) {
        if (IsStopEntry(entry)) {
            text += OneLine(entry.text) + "\n";
            continue;
        }
        text += std::to_string(entry.elementIndex) + ":" + OneLine(entry.text) + "\n";
        for (const auto& message : entry.messages) {
            text += message.warning ? "  warning: " : "  ";
            text += OneLine(message.text) + "\n";
        }
    }
    return text;
}

std::string FindingsJson(const CValidationResults& results, bool valid) {
    std::size_t errors = 0;
    std::size_t warnings = 0;
    std::string items;
    std::string stopMessage;
    for (const auto& entry : results.Entries()) {
        if (IsStopEntry(entry)) {
            stopMessage = entry.text;
            continue;
        }
        std::string findings;
        for (const auto& message : entry.messages) {
            (message.warning ? warnings : errors) += 1;
            findings += findings.empty() ? "" : ", ";
            findings += "{\"message\": " + RecordJson(message.text) +
                        ", \"warning\": " + (message.warning ? "true" : "false") +
                        ", \"field\": " + RecordJson(DocumentControlName(message.control)) + "}";
        }
        items += items.empty() ? "\n  " : ",\n  ";
        items += "{\"index\": " + std::to_string(entry.elementIndex) +
                 ", \"path\": " + RecordJson(entry.text) + ", \"kind\": \"" +
                 std::string(KindName(entry.kind)) + "\", \"findings\": [" + findings + "]}";
    }
    std::string json = "{\"valid\": ";
    json += valid ? "true" : "false";
    json += ", \"errors\": " + std::to_string(errors);
    json += ", \"warnings\": " + std::to_string(warnings);
    json += ", \"stopped\": ";
    json += stopMessage.empty() ? "false" : "true";
    json += ", \"items\": [" + items + (items.empty() ? "]" : "\n]");
    if (!stopMessage.empty()) {
        json += ", \"stopMessage\": " + RecordJson(stopMessage);
    }
    json += "}\n";
    return json;
}

}  // namespace trovique
