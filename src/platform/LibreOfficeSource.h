#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/common/Error.h"
#include "core/common/ProcessRunner.h"
#include "core/import/PresentationSource.h"
#include "platform/PptxReader.h"

namespace trovique {

class COfficeRun;
class CPdfSlideRenderer;
class CTempFolder;

// Reads presentations through LibreOffice. Open copies the presentation under a fixed name into
// a private temporary folder and runs LibreOffice once, headless, with a fresh user profile of
// its own in that folder (so it never meets an office the user has open; it starts as a copy of
// one kept from an earlier import when there is one, see COfficeProfileCache) and a time limit
// (see COfficeRun). The office writes the presentation as a PDF with hidden slides included
// (PDF page i is slide i) and, unless its texts can be read directly (a .pptx with CPptxReader,
// an .odp or .fodp with COdfReader), as a .pptx that gives the slides' texts, bullets and notes
// (CPptxReader); the PDF gives their pictures (CPdfSlideRenderer). Close, a failed Open and the
// destructor remove the folder. A source made by CLibreOfficeBatch reads instead what one office
// run shared by several presentations made.
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
    std::size_t SlideCount() const override { return slideCount_; }
    SlideContent Slide(std::size_t number) override;
    std::optional<RenderedSlide> Render(std::size_t number, int width, int height) override;
    void Close() override;

    // The private folder of the open presentation; empty when none is open.
    std::filesystem::path WorkFolder() const;

    // Checks that file is a presentation Open can read and copies it into folder as "input"
    // with its extension, lower case; returns the copy. Raises CError fit for the user.
    static std::filesystem::path PrepareInput(const std::filesystem::path& file,
                                              const std::filesystem::path& folder);
    // True for the presentations whose texts are read here (.pptx, .odp, .fodp) rather than
    // from a .pptx the office writes.
    static bool ReadsTextsDirectly(const std::filesystem::path& file);
    // Removes the temporary folders of conversions that were killed before they could clean up.
    static void RemoveAbandonedFolders() noexcept;
    // The office program's full path; raises CError naming the package when it is missing.
    static std::string OfficeProgram(const std::string& name);

private:
    friend class CLibreOfficeBatch;
    // A source for job number job of a batch's office run, or one that fails with failure.
    CLibreOfficeSource(IProcessRunner& runner, COfficeRun* batch, std::size_t job,
                       std::filesystem::path jobFolder, std::optional<CError> failure);

    void OpenFromBatch(const std::filesystem::path& file);
    void ReadFromRun(const std::filesystem::path& file, COfficeRun& run, std::size_t job,
                     const std::filesystem::path& folder,
                     std::optional<std::vector<SlideContent>> slides);
    void CheckSlideCount(std::size_t pictures, std::size_t slides) const;
    void ReadPendingTexts();
    void ThrowIfCancelled() const;

    IProcessRunner& runner_;
    std::chrono::seconds timeLimit_;
    std::string officeProgram_;
    std::filesystem::path profileCache_;
    std::unique_ptr<CTempFolder> folder_;
    std::unique_ptr<COfficeRun> ownRun_;
    bool bound_ = false;  // made by a batch
    bool batchOpened_ = false;
    COfficeRun* batch_ = nullptr;
    std::size_t batchJob_ = 0;
    std::filesystem::path batchFolder_;
    std::optional<CError> batchFailure_;
    std::unique_ptr<CPdfSlideRenderer> renderer_;
    std::vector<SlideContent> slides_;
    std::size_t slideCount_ = 0;
    std::string name_;  // the presentation's file name, for messages
    // The texts come from a .pptx the office writes before the pictures.
    bool pendingTexts_ = false;
    COfficeRun* run_ = nullptr;
    std::size_t job_ = 0;
    std::filesystem::path textsFolder_;
};

}  // namespace trovique
