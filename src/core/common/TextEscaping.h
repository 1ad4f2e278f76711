#pragma once

#include <string>
#include <string_view>

namespace trovique {

// A JSON string literal, quotes included, of UTF-8 text: quotes, backslashes and control
// characters are escaped.
std::string JsonString(std::string_view utf8);

enum class LineBreaks {
    kAsBytes,    // CR and LF are shown as \x0D and \x0A like any other control character
    kAsNewline,  // LF is shown as \n and CR is dropped, so CR LF and LF both read \n
};

// UTF-8 text kept on one line of a terminal: control characters are shown as \xNN, so a value
// cannot break a listing or steer the terminal.
std::string OneLineText(std::string_view utf8, LineBreaks breaks);

}  // namespace trovique
