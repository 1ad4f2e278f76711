#include "core/preview/PalmTextLayout.h"

#include "core/validation/PalmLineWalk.h"

namespace trovique {
namespace {

std::string LineText(std::string_view text, std::size_t begin, std::size_t end) {
    std::string_view line = text.substr(begin, end - begin);
    const auto last = line.find_last_not_of("\r\n ");
    return last == std::string_view::npos ? std::string() : std::string(line.substr(0, last + 1));
}

}  // namespace

PalmTextLines LayOutPalmText(std::string_view text, const CPalmDevice& device) {
    PalmTextLines layout;
    std::size_t begin = 0;
    WalkPalmLines(text, device, [&](std::size_t start) {
        // Breaks come in text order; the guard keeps a line from ever running backwards.
        const std::size_t end = start < begin ? begin : start;
        layout.lines.push_back(LineText(text, begin, end));
        begin = end;
    });
    if (!text.empty()) {
        layout.lines.push_back(LineText(text, begin, text.size()));
    }
    return layout;
}

}  // namespace trovique
