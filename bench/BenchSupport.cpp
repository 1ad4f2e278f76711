#include "BenchSupport.h"

#include <filesystem>
#include <memory>

#include "core/services/MessageStyle.h"
#include "core/imaging/PalmPaletteFiles.h"

namespace trovique::bench {
namespace {

class CNoProgressView final : public IProgressView {
public:
    void Update(const ProgressDisplay&) override {}
    void Show() override {}
    void Hide() override {}
    bool Visible() const override { return false; }
    int Top() const override { return 0; }
    void SetTop(int) override {}
    bool UserCancel() override { return false; }
    void Reset() override {}
};

}  // namespace

CQuietUserInterface::CQuietUserInterface(bool answerYes)
    : answerYes_(answerYes),
      progress_(std::make_unique<CProgress>(std::make_unique<CNoProgressView>())) {}

CQuietUserInterface::~CQuietUserInterface() = default;

MessageAnswer CQuietUserInterface::ShowMessage(const std::string& text, MessageStyle style,
                                               const std::string&) {
    lastMessage = text;
    return answerYes_ && Offers(style, MessageAnswer::Yes) ? MessageAnswer::Yes : SafeAnswer(style);
}

ConfirmAnswer CQuietUserInterface::AskConfirm(const std::string&, const std::string&) {
    return {answerYes_, false};
}

CBenchFolder::CBenchFolder(const std::string& name)
    : path_(std::filesystem::temp_directory_path() / name) {
    std::filesystem::create_directories(path_);
}

CBenchFolder::~CBenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

const PalmPalettes& Palettes() {
    static const PalmPaletteFiles files(TROVIQUE_BIN_DIR);
    static const PalmPalettes palettes = files.Set();
    return palettes;
}

}  // namespace trovique::bench
