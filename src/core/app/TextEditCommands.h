#pragma once

#include <cstddef>
#include <string>
#include <string_view>

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

// A text file made ready for a text box that holds maxLength characters as stored (0: no
// limit): decoded like every text file the program reads, cut to the limit counted in stored
// characters (a line break is two), and given back as UTF-8 with LF line breaks for the box.
struct ImportedFieldText {
    std::string text;
    bool truncated = false;
};
ImportedFieldText TextForField(std::string_view fileBytes, std::size_t maxLength);
// How many bytes of a file TextForField can need for maxLength characters: a UTF-16 character
// takes two bytes, a UTF-8 one up to four, and a byte-order mark leads.
std::size_t BytesToReadForField(std::size_t maxLength);

}  // namespace trovique
