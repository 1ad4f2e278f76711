#include "core/app/Commands.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace trovique {

bool CommandNeedsSlideShow(int command) {
    static constexpr std::array kWithoutSlideShow{cmd::kNew,
                                                  cmd::kOpen,
                                                  cmd::kImport,
                                                  cmd::kImportUnstructured,
                                                  cmd::kMainWindowLoad,
                                                  cmd::kRecentFile,
                                                  cmd::kOptions};
    return std::find(kWithoutSlideShow.begin(), kWithoutSlideShow.end(), command) ==
           kWithoutSlideShow.end();
}

std::optional<LeafKind> LeafKindOfParameter(std::string_view parameter) {
    std::string upper(parameter);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper == "QAF") {
        return LeafKind::QAF;
    }
    if (upper == "FACT") {
        return LeafKind::Fact;
    }
    if (upper == "BITMAP") {
        return LeafKind::Bitmap;
    }
    return std::nullopt;
}

std::string NewSlideShowCaption(int counter) {
    return "New Slide Show " + std::to_string(counter);
}

}  // namespace trovique
