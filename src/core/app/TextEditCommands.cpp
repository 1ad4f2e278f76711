#include "core/app/TextEditCommands.h"

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

}  // namespace trovique
