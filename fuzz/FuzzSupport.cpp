#include "FuzzSupport.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

#include "core/services/MessageStyle.h"
#include "core/imaging/PalmPaletteFiles.h"

namespace trovique::fuzz {
namespace {

class CQuietProgressView final : public IProgressView {
public:
    void Update(const ProgressDisplay&) override {}
    void Show() override { visible_ = true; }
    void Hide() override { visible_ = false; }
    bool Visible() const override { return visible_; }
    int Top() const override { return top_; }
    void SetTop(int top) override { top_ = top; }
    bool UserCancel() override { return false; }
    void Reset() override {}

private:
    bool visible_ = false;
    int top_ = 0;
};

// Removes the private folder at exit; libFuzzer leaves through exit() after its runs.
class CPrivateFolder {
public:
    CPrivateFolder() {
        const std::filesystem::path shm = "/dev/shm";
        std::error_code error;
        const auto base = std::filesystem::is_directory(shm, error)
                              ? shm
                              : std::filesystem::temp_directory_path();
        std::string pattern = (base / "trovique-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder in " + base.string());
        }
        path_ = pattern;
    }
    ~CPrivateFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace

CQuietUserInterface::CQuietUserInterface()
    : progress_(std::make_unique<CProgress>(std::make_unique<CQuietProgressView>())) {}

CQuietUserInterface::~CQuietUserInterface() = default;

MessageAnswer CQuietUserInterface::ShowMessage(const std::string&, MessageStyle style,
                                               const std::string&) {
    return SafeAnswer(style);
}

ConfirmAnswer CQuietUserInterface::AskConfirm(const std::string&, const std::string&) {
    return {};
}

void CQuietUserInterface::ShowLongMessage(const std::string&, const std::string&,
                                          const std::string&) {}

std::filesystem::path PaletteFile(std::string_view name) {
    return std::filesystem::path(TROVIQUE_BIN_DIR) / name;
}

const PalmPalettes& Palettes() {
    static const PalmPaletteFiles files(TROVIQUE_BIN_DIR);
    static const PalmPalettes palettes = files.Set();
    return palettes;
}

std::filesystem::path WritePrivateFile(std::string_view name, std::span<const std::uint8_t> data) {
    static const CPrivateFolder folder;
    const auto path = folder.Path() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) {
        std::abort();  // a full temporary folder would otherwise pass for a reader's finding
    }
    return path;
}

}  // namespace trovique::fuzz
