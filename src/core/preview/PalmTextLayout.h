#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trovique {

class CPalmDevice;

// A text as the handheld breaks it into screen lines. lines holds one entry per line the line
// counter counts (so lines.size() is validation's count), each without its line break and the
// blanks it ends in.
struct PalmTextLines {
    std::vector<std::string> lines;
};

PalmTextLines LayOutPalmText(std::string_view text, const CPalmDevice& device);

}  // namespace trovique
