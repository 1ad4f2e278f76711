#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/common/ProcessRunner.h"
#include "core/import/PresentationSource.h"

namespace trovique {

class CPdfSlideRenderer;
class CTempFolder;

// Reads presentations through LibreOffice. Open copies the presentation under a fixed name into
// a private temporary folder and runs LibreOffice once, headless, with a fresh user profile of
// its own in that folder (so it never meets an office the user has open; it starts as a copy of
// one kept from an earlier import when there is one, see COfficeProfileCache) and a time limit. A
// small Basic routine placed in that profile loads the presentation once and writes it as a PDF
// with hidden slides included (PDF page i is slide i) and, unless it already is one, as a .pptx.
// The .pptx gives the slides' texts, bullets and notes (CPptxReader); the PDF gives their
// pictures (CPdfSlideRenderer). Close, a failed Open and the destructor remove the folder.
class CLibreOfficeSource : public IPresentationSource {
public:
    static constexpr std::chrono::seconds kDefaultTimeLimit{300};
    static constexpr const char* kPackage = "libreoffice-impress-nogui";

    // officeProgram is looked up on PATH unless it holds a slash.
    explicit CLibreOfficeSource(IProcessRunner& runner,
                                std::chrono::seconds timeLimit = kDefaultTimeLimit,
                                std::string officeProgram = "soffice");
    ~CLibreOfficeSource() override;
    CLibreOfficeSource(const CLibreOfficeSource&) = delete;
    CLibreOfficeSource& operator=(const CLibreOfficeSource&) = delete;

    // Where a profile that has been through the office's first start is kept for later imports
    // (see COfficeProfileCache); by default in the user's cache folder, empty for none.
    void SetProfileCache(std::filesystem::path folder);

    // The file name extensions Open accepts, lower case with their dot.
    static const std::vector<std::string>& ReadableExtensions();

    void Open(const std::filesystem::path& file) override;
    std::size_t SlideCount() const override { return slides_.size(); }
    SlideContent Slide(std::size_t number) override;
    std::optional<RenderedSlide> Render(std::size_t number, int width, int height) override;
    void Close() override;

    // The private folder of the open presentation; empty when none is open.
    std::filesystem::path WorkFolder() const;

private:
    void Convert(const std::filesystem::path& input, bool wantPptx);

    IProcessRunner& runner_;
    std::chrono::seconds timeLimit_;
    std::string officeProgram_;
    std::filesystem::path profileCache_;
    std::unique_ptr<CTempFolder> folder_;
    std::unique_ptr<CPdfSlideRenderer> renderer_;
    std::vector<SlideContent> slides_;
};

}  // namespace trovique
