#include "core/validation/PalmDevice.h"

#include <algorithm>
#include <limits>

#include "core/common/Error.h"
#include "core/model/LeafFields.h"

namespace trovique {
namespace {

constexpr char kCR = 13;
constexpr char kLF = 10;
constexpr int kDefaultWidth = 2;

struct WidthGroup {
    int width;
    std::string_view characters;
};

// The viewer's font. Characters not listed (the apostrophe, the question mark, everything above
// code 127 among them) are 2 pixels wide.
constexpr std::array<WidthGroup, 6> kWidthGroups = {{
    {3, "j[],;`"},
    {4, "EFJcfrstz(){}-_\""},
    {5, "ABCLPRSabdeghknopquv0123456789\\/"},
    {6, "DGHKNTUVXYZwxy$^*+=<>"},
    {7, "OQ&~"},
    {8, "MWm@#%"},
}};

std::int16_t Saturated(std::int64_t count) {
    return static_cast<std::int16_t>(
        std::min<std::int64_t>(count, std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

CPalmDevice::CPalmDevice() : factLines_(11), name_("Palm"), screenWidth_(150) {
    widths_.fill(kDefaultWidth);
    for (const WidthGroup& group : kWidthGroups) {
        for (const char c : group.characters) {
            widths_[static_cast<unsigned char>(c)] = static_cast<std::uint8_t>(group.width);
        }
    }
}

int CPalmDevice::CharPixelWidth(std::string_view ch) const {
    if (ch.empty()) {
        throw CError::Object(kErrInvalidValue, "CPalmDevice:CharPixelWidth");
    }
    return CharPixelWidth(static_cast<unsigned char>(ch.front()));
}

// The viewer wraps at the last space of a line: the characters typed after it move to the next
// line. It remembers their width in wordWidth, which only grows after a space on the current
// line and is not cleared by a wrap or a line feed, so a later wrap on a line without a space
// carries the width left from before. The character that did not fit is not counted on the new
// line, a carriage return takes no room, and a line exactly as wide as the screen still fits.
std::int16_t GetLineCount(std::string_view text, const CPalmDevice& device) {
    if (text.empty()) {
        return 0;
    }
    const std::int64_t screenWidth = device.ScreenWidth();
    std::int64_t lines = 1;
    std::int64_t lineWidth = 0;
    std::int64_t wordWidth = 0;
    bool afterSpace = false;
    for (const char ch : text) {
        const int width = device.CharPixelWidth(static_cast<unsigned char>(ch));
        if (ch == kCR) {
            // no width, no break: the line feed that follows breaks the line
        } else if (ch == kLF) {
            ++lines;
            lineWidth = 0;
            afterSpace = false;
        } else if (lineWidth + width > screenWidth) {
            lineWidth = wordWidth <= screenWidth ? wordWidth : width;
            ++lines;
            afterSpace = false;
        } else {
            lineWidth += width;
        }
        if (ch == ' ') {
            afterSpace = true;
            wordWidth = 0;
        } else if (afterSpace) {
            wordWidth += width;
        }
    }
    return Saturated(lines);
}

std::int16_t GetQAFLineCount(const CLeafFields& leaf, const CPalmDevice& device) {
    std::int64_t lines = GetLineCount(leaf.Question(), device);
    for (int answer = 1; answer <= CLeafFields::kNumAnswers; ++answer) {
        lines += GetLineCount(leaf.GetAnswer(answer), device);
    }
    return Saturated(lines);
}

const CPalmDevice& DefaultPalmDevice() {
    static const CPalmDevice device;
    return device;
}

}  // namespace trovique
