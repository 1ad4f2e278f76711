#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/services/MessageStyle.h"

namespace trovique {

// A question answered by picking one of two or three choices, each a button of its own where
// the face has a dialog for it ("Add Monochrome Image (required)"). Texts are UTF-8.
struct ChoiceQuestion {
    std::string title;
    std::string text;
    std::vector<std::string> choices;

    // The same question as a message box: the text, a blank line and one line per choice naming
    // the button that takes it ("Yes: ...", "No: ...", "Cancel: ...").
    std::string MessageText() const;
    // Yes/No for two choices, Yes/No/Cancel for three.
    MessageStyle Style() const;
    // The choice a message box answer stands for; nothing for an answer the box did not offer.
    std::optional<std::size_t> ChoiceOf(MessageAnswer answer) const;
};

}  // namespace trovique
