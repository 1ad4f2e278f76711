#include "core/app/Commands.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "core/editor/Document.h"

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

int LeafKindOfParameter(std::string_view parameter) {
    std::string upper(parameter);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper == "QAF") {
        return CDocument::kLeafKindQAF;
    }
    if (upper == "FACT") {
        return CDocument::kLeafKindFact;
    }
    if (upper == "BITMAP") {
        return CDocument::kLeafKindBitmap;
    }
    return 0;
}

int LeafKindOfArrayIndex(int index) {
    switch (index) {
        case 1:
            return CDocument::kLeafKindFact;
        case 2:
            return CDocument::kLeafKindBitmap;
        default:
            return CDocument::kLeafKindQAF;
    }
}

std::string NewSlideShowCaption(int counter) {
    return "New Slide Show " + std::to_string(counter);
}

}  // namespace trovique
