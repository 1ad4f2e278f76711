#include "core/model/NodeLevel.h"

#include <array>

namespace trovique {

std::string_view NodeLevelName(int level) {
    static constexpr std::array<std::string_view, 5> kNames = {
        "Slide Show", "Major Category", "Sub Category", "Major Topic", "Sub Topic"};
    if (level < kLevelSlideShow || level > kLevelSubTopic) {
        return {};
    }
    return kNames[static_cast<std::size_t>(level - kLevelSlideShow)];
}

std::string NodeLevelNameInBrackets(int level) {
    const std::string_view name = NodeLevelName(level);
    if (name.empty()) {
        return {};
    }
    std::string text = "<";
    text += name;
    text += '>';
    return text;
}

}  // namespace trovique
