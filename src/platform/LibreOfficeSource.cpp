#include "platform/LibreOfficeSource.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string_view>
#include <system_error>
#include <thread>

#include "core/common/Error.h"
#include "platform/CancelSignals.h"
#include "platform/OdfReader.h"
#include "platform/OfficePdfParts.h"
#include "platform/OfficeProfileCache.h"
#include "platform/OfficeRun.h"
#include "platform/PdfSlideRenderer.h"
#include "platform/PptxReader.h"
#include "platform/ProcessRunner.h"
#include "platform/TempFolder.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSource = "CLibreOfficeSource";
constexpr const char* kFolderPrefix = "trovique-office-";

CError Failure(std::uint32_t number, const std::string& description) {
    return CError(number, kSource, description);
}

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Checks the file before any office is started; returns its lower-case extension.
std::string CheckPresentationFile(const fs::path& file) {
    const std::string name = file.filename().string();
    std::error_code error;
    const auto status = fs::status(file, error);
    if (error || !fs::exists(status)) {
        throw Failure(kErrFileNotFound, "The presentation " + file.string() + " was not found.");
    }
    if (!fs::is_regular_file(status)) {
        throw Failure(kErrPathFileAccess, "The presentation " + file.string() + " is not a file.");
    }
    const std::string extension = LowerCase(file.extension().string());
    const auto& readable = CLibreOfficeSource::ReadableExtensions();
    if (std::find(readable.begin(), readable.end(), extension) == readable.end()) {
        std::string list;
        for (const auto& known : readable) {
            list += (list.empty() ? "" : ", ") + known;
        }
        throw Failure(
            kErrInvalidValue,
            "The file " + name + " is not a presentation this program can read (" + list + ").");
    }
    if (fs::file_size(file, error) == 0 && !error) {
        throw Failure(kErrPathFileAccess, "The presentation " + name + " is empty.");
    }
    return extension;
}

// The number the office wrote into a file of its own. The file appears before its content, so
// an empty one is read again for a little while.
std::size_t ReadCount(const fs::path& file) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        std::ifstream in(file);
        long long count = -1;
        in >> count;
        if (in && count >= 0 && count <= 100000) {
            return static_cast<std::size_t>(count);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    throw Failure(kErrPathFileAccess, "LibreOffice did not say how many slides it found.");
}

void CheckHasSlides(const std::vector<SlideContent>& slides, const fs::path& file) {
    if (slides.empty()) {
        throw Failure(kErrInvalidValue,
                      "The presentation " + file.filename().string() + " has no slides.");
    }
}

// The slides' texts of input (the copy of file), read before the office starts so that a
// damaged presentation fails at once; nothing when the office must turn it into a .pptx first.
std::optional<std::vector<SlideContent>> ReadTextsDirectly(const fs::path& input,
                                                           const fs::path& file) {
    if (!CLibreOfficeSource::ReadsTextsDirectly(input)) {
        return std::nullopt;
    }
    auto slides = LowerCase(input.extension().string()) == ".pptx" ? CPptxReader(input).Slides()
                                                                   : COdfReader(input).Slides();
    CheckHasSlides(slides, file);
    return slides;
}

}  // namespace

bool CLibreOfficeSource::ReadsTextsDirectly(const fs::path& file) {
    const std::string extension = LowerCase(file.extension().string());
    return extension == ".pptx" || extension == ".odp" || extension == ".fodp";
}

CLibreOfficeSource::CLibreOfficeSource(IProcessRunner& runner, std::chrono::seconds timeLimit,
                                       std::string officeProgram)
    : runner_(runner),
      timeLimit_(timeLimit),
      officeProgram_(std::move(officeProgram)),
      profileCache_(COfficeProfileCache::DefaultFolder()) {}

void CLibreOfficeSource::SetProfileCache(fs::path folder) {
    profileCache_ = std::move(folder);
}

CLibreOfficeSource::~CLibreOfficeSource() {
    Close();
}

const std::vector<std::string>& CLibreOfficeSource::ReadableExtensions() {
    static const std::vector<std::string> extensions = {".ppt", ".pps",  ".pptx",
                                                        ".odp", ".fodp", ".key"};
    return extensions;
}

fs::path CLibreOfficeSource::PrepareInput(const fs::path& file, const fs::path& folder) {
    const std::string extension = CheckPresentationFile(file);
    // The office sees only a fixed, harmless name: nothing in the user's file name can be
    // taken for an option or break the routine's arguments.
    const fs::path input = folder / ("input" + extension);
    std::error_code error;
    fs::create_directories(folder, error);
    fs::copy_file(file, input, error);
    if (error) {
        throw Failure(kErrPathFileAccess, "The presentation " + file.filename().string() +
                                              " could not be read: " + error.message() + ".");
    }
    return input;
}

void CLibreOfficeSource::RemoveAbandonedFolders() noexcept {
    CTempFolder::RemoveAbandoned(kFolderPrefix);
}

std::string CLibreOfficeSource::OfficeProgram(const std::string& name) {
    const std::string program = FindProgramOnPath(name);
    if (program.empty()) {
        throw Failure(kErrFileNotFound, "LibreOffice (" + name +
                                            ") was not found; install the package " + kPackage +
                                            " to import presentations.");
    }
    return program;
}

void CLibreOfficeSource::Open(const fs::path& file) {
    Close();
    try {
        if (bound_) {
            batchOpened_ = true;
            OpenFromBatch(file);
            return;
        }
        // Folders of runs that were killed before they could clean up go first.
        RemoveAbandonedFolders();
        CheckPresentationFile(file);
        folder_ = std::make_unique<CTempFolder>(kFolderPrefix);
        const fs::path input = PrepareInput(file, folder_->Path());
        auto slides = ReadTextsDirectly(input, file);
        ownRun_ = std::make_unique<COfficeRun>(runner_, timeLimit_, OfficeProgram(officeProgram_),
                                               profileCache_);
        ownRun_->Start(folder_->Path(), {{folder_->Path(), input.filename().string(), !slides}});
        ReadFromRun(file, *ownRun_, 0, folder_->Path(), std::move(slides));
    } catch (...) {
        Close();
        throw;
    }
}

void CLibreOfficeSource::OpenFromBatch(const fs::path& file) {
    if (batchFailure_) {
        throw *batchFailure_;
    }
    auto slides =
        ReadTextsDirectly(batchFolder_ / ("input" + LowerCase(file.extension().string())), file);
    ReadFromRun(file, *batch_, batchJob_, batchFolder_, std::move(slides));
}

// The office says how many slides it found as soon as it has loaded the presentation, then
// writes the .pptx when one is wanted (the import needs a slide's texts before its pictures),
// then the PDF in parts: the import starts on the first slides while the office is still
// drawing the later ones. (An office that writes one PDF at the end, without the count, is
// read once it has finished.)
void CLibreOfficeSource::ReadFromRun(const fs::path& file, COfficeRun& run, std::size_t job,
                                     const fs::path& folder,
                                     std::optional<std::vector<SlideContent>> slides) {
    // Every slide has a small picture; which large size it takes is known only once the first
    // slide has asked, and a large picture drawn in vain costs more than one drawn late.
    const std::vector<std::pair<int, int>> sizes{{160, 120}};
    name_ = file.filename().string();
    if (!run.WaitForFile(job, "loaded.txt", true)) {
        run.WaitFor(job);
        if (!slides) {
            slides = CPptxReader(folder / "slides.pptx").Slides();
            CheckHasSlides(*slides, file);
        }
        renderer_ = std::make_unique<CPdfSlideRenderer>(folder / "slides.pdf", true, sizes);
        CheckSlideCount(renderer_->PageCount(), slides->size());
        slides_ = std::move(*slides);
        slideCount_ = slides_.size();
        return;
    }
    slideCount_ = ReadCount(folder / "loaded.txt");
    if (slides) {
        CheckSlideCount(slideCount_, slides->size());
        slides_ = std::move(*slides);
    }
    const auto parts = std::make_shared<COfficePdfParts>(run, job, folder, slideCount_);
    const auto locate = [parts](std::size_t page, bool wait) { return parts->Locate(page, wait); };
    renderer_ = std::make_unique<CPdfSlideRenderer>(slideCount_, locate, true, sizes);
    pendingTexts_ = !slides;
    run_ = &run;
    job_ = job;
    textsFolder_ = folder;
}

void CLibreOfficeSource::CheckSlideCount(std::size_t pictures, std::size_t slides) const {
    if (pictures != slides) {
        throw Failure(kErrInvalidValue, "LibreOffice drew " + std::to_string(pictures) +
                                            " slide pictures for the " + std::to_string(slides) +
                                            " slides of " + name_ + ".");
    }
}

// The slides' texts of a presentation the office turns into a .pptx. When they do not fit
// the slides, what the office says once it is done with the presentation comes first.
void CLibreOfficeSource::ReadPendingTexts() {
    if (!run_->WaitForFile(job_, "texts.txt", true)) {
        run_->WaitFor(job_);
    }
    std::optional<CPptxReader> reader;
    try {
        reader.emplace(textsFolder_ / "slides.pptx");
    } catch (const CError&) {
        run_->WaitFor(job_);
        throw;
    }
    if (reader->Slides().size() != slideCount_) {
        run_->WaitFor(job_);
    }
    CheckSlideCount(slideCount_, reader->Slides().size());
    slides_ = reader->Slides();
    pendingTexts_ = false;
}

SlideContent CLibreOfficeSource::Slide(std::size_t number) {
    ThrowIfCancelled();
    if (number < 1 || number > slideCount_) {
        throw Failure(kErrValueOutOfRange, "There is no slide " + std::to_string(number) + ".");
    }
    if (pendingTexts_) {
        ReadPendingTexts();
    }
    if (number > slides_.size()) {
        throw Failure(kErrValueOutOfRange, "There is no slide " + std::to_string(number) + ".");
    }
    return slides_[number - 1];
}

std::optional<RenderedSlide> CLibreOfficeSource::Render(std::size_t number, int width, int height) {
    if (!renderer_) {
        return std::nullopt;
    }
    ThrowIfCancelled();
    return renderer_->Render(number, width, height);
}

void CLibreOfficeSource::ThrowIfCancelled() const {
    if (CancelRequested()) {
        throw Failure(kErrPathFileAccess, "The conversion was cancelled.");
    }
}

void CLibreOfficeSource::Close() {
    renderer_.reset();
    slides_.clear();
    slideCount_ = 0;
    pendingTexts_ = false;
    run_ = nullptr;
    if (ownRun_) {
        ownRun_->Stop();
        ownRun_.reset();
    }
    folder_.reset();
    if (batchOpened_) {
        // What the office made for this presentation goes as soon as the office is done with
        // it, not when the batch ends.
        if (batch_ != nullptr && !batchFailure_) {
            batch_->Release(batchJob_);
        } else {
            std::error_code ignored;
            fs::remove_all(batchFolder_, ignored);
        }
    }
}

fs::path CLibreOfficeSource::WorkFolder() const {
    if (bound_) {
        return fs::exists(batchFolder_) ? batchFolder_ : fs::path();
    }
    return folder_ ? folder_->Path() : fs::path();
}

CLibreOfficeSource::CLibreOfficeSource(IProcessRunner& runner, COfficeRun* batch, std::size_t job,
                                       fs::path jobFolder, std::optional<CError> failure)
    : runner_(runner),
      timeLimit_(kDefaultTimeLimit),
      bound_(true),
      batch_(batch),
      batchJob_(job),
      batchFolder_(std::move(jobFolder)),
      batchFailure_(std::move(failure)) {}

}  // namespace trovique
