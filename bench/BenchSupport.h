#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "core/imaging/Bitmap.h"
#include "core/imaging/PalmBitmap.h"
#include "core/services/MemorySettingsStore.h"
#include "core/services/Services.h"
#include "core/services/UserInterface.h"

namespace trovique::bench {

// A user interface nobody looks at: it keeps the last message, answers every question with Yes
// or with the answer that loses nothing, and runs the status bar and progress without a view.
class CQuietUserInterface final : public IUserInterface {
public:
    explicit CQuietUserInterface(bool answerYes = false);
    ~CQuietUserInterface() override;

    MessageAnswer ShowMessage(const std::string& text, MessageStyle style,
                              const std::string& title) override;
    ConfirmAnswer AskConfirm(const std::string& text, const std::string& title) override;
    void ShowLongMessage(const std::string&, const std::string&, const std::string&) override {}
    CStatusBar& StatusBar() override { return statusBar_; }
    CProgress& Progress() override { return *progress_; }

    std::string lastMessage;

private:
    bool answerYes_;
    CStatusBar statusBar_;
    std::unique_ptr<CProgress> progress_;
};

// The handheld palettes beside the built programs, loaded once.
const PalmPalettes& Palettes();

// A slide-like picture: a light page, a dark title band and rows of coloured "text".
std::shared_ptr<CBitmap> SlidePicture(std::int32_t width, std::int32_t height);

// What a benchmarked document needs around it: in-memory settings and a quiet user.
struct BenchServices {
    explicit BenchServices(bool answerYes = false) : ui(answerYes) {}
    MemorySettingsStore settings;
    CQuietUserInterface ui;
    CServices services{settings, ui};
};

// A folder of its own under the temporary folder, removed again with the object.
class CBenchFolder {
public:
    explicit CBenchFolder(const std::string& name);
    ~CBenchFolder();
    CBenchFolder(const CBenchFolder&) = delete;
    CBenchFolder& operator=(const CBenchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace trovique::bench
