#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string_view>

#include "core/services/MemorySettingsStore.h"
#include "core/services/Services.h"
#include "core/services/UserInterface.h"
#include "core/imaging/PalmBitmap.h"

namespace trovique::fuzz {

// A user who is never there: messages are dropped, questions get the answer that loses
// nothing, and the progress window is never cancelled.
class CQuietUserInterface final : public IUserInterface {
public:
    CQuietUserInterface();
    ~CQuietUserInterface() override;

    MessageAnswer ShowMessage(const std::string& text, MessageStyle style,
                              const std::string& title) override;
    ConfirmAnswer AskConfirm(const std::string& text, const std::string& title) override;
    void ShowLongMessage(const std::string& caption, const std::string& header,
                         const std::string& text) override;
    CStatusBar& StatusBar() override { return statusBar_; }
    CProgress& Progress() override { return *progress_; }

private:
    CStatusBar statusBar_;
    std::unique_ptr<CProgress> progress_;
};

// Settings in memory and the quiet user, for operations that take CServices.
class CQuietServices {
public:
    CQuietServices() : services_{settings_, ui_} {}
    CServices& Services() { return services_; }

private:
    MemorySettingsStore settings_;
    CQuietUserInterface ui_;
    CServices services_;
};

// The three handheld palettes, loaded once from the files beside the built programs.
const PalmPalettes& Palettes();
std::filesystem::path PaletteFile(std::string_view name);

// Writes data to a file of the given name in this process's private temporary folder (in
// memory under /dev/shm when there is one) and returns its path. The folder goes away when the
// process ends normally.
std::filesystem::path WritePrivateFile(std::string_view name, std::span<const std::uint8_t> data);

}  // namespace trovique::fuzz
