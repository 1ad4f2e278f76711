#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/delivery/AutoImportExportInstall.h"
#include "core/settings/Application.h"
#include "support/DocumentFixture.h"
#include "support/ScriptedPresentationSource.h"
#include "support/TestPaths.h"

namespace trovique::test {

// What the automatic conversion runs beside in a test: a program folder with the palettes and
// a viewer application in its DATA folder, a temporary folder of its own, a presentation file
// "Talk.ppt" played by a scripted source with two slides, and an in-memory settings store in
// which a Palm Desktop folder can be registered.
class DeliveryFixture : public DocumentFixture {
public:
    DeliveryFixture();

    CApplication& Application() { return *application_; }
    ScriptedPresentationSource& Source() { return source_; }
    std::filesystem::path ViewerPath() const;
    const std::filesystem::path& TempFolder() const { return temp_.Path(); }
    const std::filesystem::path& FilesFolder() const { return files_.Path(); }
    std::string Presentation() const { return (files_ / "Talk.ppt").string(); }
    // The bytes of the viewer application, so that a copy can be recognised.
    static const std::vector<unsigned char>& ViewerBytes();

    // Registers folder as the Palm Desktop's installation folder.
    void RegisterPalmDesktop(const std::filesystem::path& folder);
    void SetWaitSeconds(const std::string& value);
    DeliveryContext Context(IProcessRunner& runner);

private:
    ScratchDir program_;
    ScratchDir temp_;
    ScratchDir files_;
    std::unique_ptr<CApplication> application_;
    ScriptedPresentationSource source_;
};

// The names in a folder, sorted.
std::vector<std::string> FileNamesIn(const std::filesystem::path& folder);

}  // namespace trovique::test
