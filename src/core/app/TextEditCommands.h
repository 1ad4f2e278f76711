#pragma once

#include <cstddef>
#include <string>

namespace trovique {

// What the edit items need to know of the focused control.
struct FocusedTextControl {
    bool isTextBox = false;
    bool locked = false;
    bool canUndo = false;
    bool clipboardHasText = false;
    bool isFactBox = false;  // the fact text box of a slide show window
    std::size_t selectionLength = 0;
    std::size_t textLength = 0;
};

// The enabled state of the seven edit items (of the Edit menu or the text-box pop-up).
struct TextEditItems {
    bool undo = false;
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool remove = false;
    bool selectAll = false;
    bool importFromFile = false;
    bool operator==(const TextEditItems&) const = default;
};
TextEditItems EnableTextEditItems(const FocusedTextControl& control);

// Told when a text imported into a field was cut to the field's limit.
std::string ImportedTextTruncatedText(std::size_t maxLength);

}  // namespace trovique
