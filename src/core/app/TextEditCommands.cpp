#include "core/app/TextEditCommands.h"

#include "core/codec/Windows1252.h"
#include "core/import/TextFileDecoding.h"

namespace trovique {

TextEditItems EnableTextEditItems(const FocusedTextControl& control) {
    if (!control.isTextBox) {
        return {};
    }
    const bool writable = !control.locked;
    const bool selected = control.selectionLength > 0;
    return {.undo = writable && control.canUndo,
            .cut = writable && selected,
            .copy = selected,
            .paste = writable && control.clipboardHasText,
            .remove = writable && selected,
            .selectAll = control.textLength > 0 && control.selectionLength != control.textLength,
            .importFromFile = writable && control.isFactBox};
}

std::string ImportedTextTruncatedText(std::size_t maxLength) {
    return "The imported text is longer than the " + std::to_string(maxLength) +
           " characters allowed and has been truncated.";
}

ImportedFieldText TextForField(std::string_view fileBytes, std::size_t maxLength) {
    std::string stored = WithCrLfLineBreaks(DecodeTextFile(fileBytes).text);
    ImportedFieldText result;
    if (maxLength > 0 && stored.size() > maxLength) {
        stored.resize(maxLength);
        // A line break cut in two would leave a lone CR.
        if (stored.back() == '\r') {
            stored.pop_back();
        }
        result.truncated = true;
    }
    std::string lf;
    lf.reserve(stored.size());
    for (const char c : stored) {
        if (c != '\r') {
            lf += c;
        }
    }
    result.text = Windows1252ToUtf8(lf);
    return result;
}

std::size_t BytesToReadForField(std::size_t maxLength) {
    constexpr std::size_t kWholeFile = std::size_t{64} << 20;
    return maxLength == 0 ? kWholeFile : maxLength * 4 + 4;
}

}  // namespace trovique
