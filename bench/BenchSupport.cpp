#include "BenchSupport.h"

#include <filesystem>
#include <memory>

#include "core/imaging/PalmPaletteFiles.h"
#include "core/services/MessageStyle.h"

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

std::shared_ptr<CBitmap> SlidePicture(std::int32_t width, std::int32_t height) {
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width) * height * 3, 250);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint8_t* pixel = &bgr[(static_cast<std::size_t>(y) * width + x) * 3];
            if (y < height / 4) {
                pixel[0] = 200, pixel[1] = 90, pixel[2] = 40;
            } else if ((y / 6) % 2 == 0 && ((x * 7 + y * 3) % 11) < 6) {
                pixel[0] = static_cast<std::uint8_t>(x), pixel[1] = 30, pixel[2] = 60;
            }
        }
    }
    return std::make_shared<CBitmap>(width, height, bgr, static_cast<std::size_t>(width) * 3,
                                     Palettes().color256);
}

}  // namespace trovique::bench
