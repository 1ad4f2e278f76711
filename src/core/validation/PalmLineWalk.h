#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/validation/PalmDevice.h"

namespace trovique {

// Wraps text the way the viewer does and tells onBreak(start) where every new line begins (the
// index in text of its first character); returns the number of lines. The line counter and the
// preview's layout both walk with this, so the lines an author sees are the lines validation
// counts.
//
// The viewer wraps at the last space of a line: the characters typed after it move to the next
// line. It remembers their width in wordWidth, which only grows after a space on the current
// line and is not cleared by a wrap or a line feed, so a later wrap on a line without a space
// carries the width left from before. The character that did not fit is not counted on the new
// line, a carriage return takes no room, and a line exactly as wide as the screen still fits.
template <class OnBreak>
std::int64_t WalkPalmLines(std::string_view text, const CPalmDevice& device, OnBreak&& onBreak) {
    constexpr char kCR = 13;
    constexpr char kLF = 10;
    if (text.empty()) {
        return 0;
    }
    const std::int64_t screenWidth = device.ScreenWidth();
    std::int64_t lines = 1;
    std::int64_t lineWidth = 0;
    std::int64_t wordWidth = 0;
    bool afterSpace = false;
    std::size_t lastSpace = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char ch = text[at];
        const int width = device.CharPixelWidth(static_cast<unsigned char>(ch));
        if (ch == kCR) {
            // no width, no break: the line feed that follows breaks the line
        } else if (ch == kLF) {
            ++lines;
            lineWidth = 0;
            afterSpace = false;
            onBreak(at + 1);
        } else if (lineWidth + width > screenWidth) {
            lineWidth = wordWidth <= screenWidth ? wordWidth : width;
            ++lines;
            // The word after the line's last space moves down; without one the line breaks
            // right before the character that did not fit.
            onBreak(afterSpace ? lastSpace + 1 : at);
            afterSpace = false;
        } else {
            lineWidth += width;
        }
        if (ch == ' ') {
            afterSpace = true;
            lastSpace = at;
            wordWidth = 0;
        } else if (afterSpace) {
            wordWidth += width;
        }
    }
    return lines;
}

}  // namespace trovique
