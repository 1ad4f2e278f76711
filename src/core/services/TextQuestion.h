#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace trovique {

// A question answered with a line of text: a password, a term. Texts are UTF-8.
struct TextQuestion {
    std::string title;
    std::string prompt;
    std::string initial;        // the text the entry starts with
    bool secret = false;        // typed without being shown, as a password
    std::size_t maxLength = 0;  // characters the entry takes; 0 = no limit
    // Checks an entry before the question closes; a refusal has been reported, and the question
    // stays open (or is asked again) with what was typed. Empty: every entry is taken.
    std::function<bool(const std::string& answer)> accept = nullptr;
};

}  // namespace trovique
