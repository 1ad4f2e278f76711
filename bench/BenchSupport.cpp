#include "BenchSupport.h"

#include <filesystem>
#include <memory>

#include "core/app/MessageStyle.h"
#include "core/imaging/Palette.h"

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

std::unique_ptr<CPalette> LoadPalette(const char* file, std::uint16_t colours) {
    auto palette = std::make_unique<CPalette>();
    palette->SetNumColors(colours);
    palette->CreatePaletteFromFile(std::filesystem::path(TROVIQUE_BIN_DIR) / file);
    return palette;
}

}  // namespace

CQuietUserInterface::CQuietUserInterface(bool answerYes)
    : answerYes_(answerYes),
      progress_(std::make_unique<CProgress>(std::make_unique<CNoProgressView>())) {}

CQuietUserInterface::~CQuietUserInterface() = default;

int CQuietUserInterface::ShowMessage(const std::string& text, int style, const std::string&) {
    lastMessage = text;
    return answerYes_ && ButtonSetOf(style) != kButtonsOk ? kAnswerYes : SafeAnswer(style);
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
    static const auto color = LoadPalette("Palm256Color.pal", 256);
    static const auto mono = LoadPalette("PalmMonochrome.pal", 2);
    static const auto gray = LoadPalette("Palm4Color.pal", 4);
    static const PalmPalettes palettes{*color, *mono, *gray};
    return palettes;
}

}  // namespace trovique::bench
