#include "core/validation/PalmDevice.h"

#include <algorithm>
#include <limits>

#include "core/common/Error.h"
#include "core/model/LeafFields.h"
#include "core/validation/PalmLineWalk.h"

namespace trovique {
namespace {

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

std::int16_t GetLineCount(std::string_view text, const CPalmDevice& device) {
    return Saturated(WalkPalmLines(text, device, [](std::size_t) {}));
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
