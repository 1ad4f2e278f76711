#include "core/import/PowerPointImport.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <memory>
#include <system_error>

#include "core/codec/PalmTime.h"
#include "core/codec/Windows1252.h"
#include "core/common/Error.h"
#include "core/editor/Document.h"
#include "core/import/SlidePictures.h"
#include "core/import/SlideText.h"
#include "core/model/Leaf.h"
#include "core/model/LeafPictures.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"

namespace trovique {
namespace {

constexpr std::string_view kErrorPrefix = "ImportFromPowerPoint error: ";
constexpr const char* kWarningsCaption = "Trovique Warnings";
constexpr int kImportedDifficulty = 3;

std::string SizeText(PictureSize size) {
    return std::to_string(size.width) + " x " + std::to_string(size.height);
}

// Cuts text to at most limit characters without splitting a CR LF pair, which would leave a
// line break that the file codec has to widen past the limit again.
void CutTo(std::string& text, std::size_t limit) {
    std::size_t length = limit;
    if (length > 0 && length < text.size() && text[length - 1] == '\r' && text[length] == '\n') {
        --length;
    }
    text.resize(length);
}

std::string NotRenderedWarning(PictureSize size) {
    return "Rejecting slide: Invalid bitmap: the slide could not be rendered at " + SizeText(size);
}

// Seconds from 1904 to the file's local modification time, or nothing when the header cannot
// hold them.
std::optional<std::uint32_t> FileSecondsSince1904(const std::filesystem::path& file,
                                                  const std::string& name) {
    std::error_code error;
    const auto modified = std::filesystem::last_write_time(file, error);
    if (error) {
        throw CError(kErrFileNotFound, "ImportFromPowerPoint", "File not found: " + name);
    }
    const auto system = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
        std::chrono::file_clock::to_sys(modified));
    const std::int64_t seconds =
        SecondsSince1904(LocalDateTimeOf(std::chrono::system_clock::to_time_t(system)));
    if (seconds < 0 || seconds > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(seconds);
}

class CPowerPointImport {
public:
    CPowerPointImport(CDocument& document, IPresentationSource& source,
                      const std::filesystem::path& file)
        : document_(document),
          source_(source),
          file_(file),
          ui_(document.Services().ui),
          name_(file.string()),
          bulletChar_(BulletCharSetting(document.Services().settings)) {}

    PowerPointImportResult Run();

private:
    void ImportSlides();
    void SetHeaderAndTitle();
    void ImportSlide(std::size_t number);
    bool TakeLargePictures(CLeaf& leaf, std::size_t number, const std::string& label,
                           std::int64_t smallColorSize);
    bool TakeSmallPictures(CLeaf& leaf, const std::optional<SlidePicturePair>& small,
                           const std::string& label);
    void SetLimitedTexts(CLeaf& leaf, SlideTexts texts, std::string notes, const std::string& label,
                         bool rejected);
    void Warn(const std::string& label, const std::string& warning);
    void Advance();
    void Report(const std::string& text) { ReportFailure(ui_, text, kStyleInformation); }

    CDocument& document_;
    IPresentationSource& source_;
    const std::filesystem::path& file_;
    IUserInterface& ui_;
    const std::string name_;  // UTF-8, as the user sees it
    const char bulletChar_;
    PowerPointImportResult result_;
};

PowerPointImportResult CPowerPointImport::Run() {
    const std::string opening = "Opening file " + name_;
    CBusyScope busy(ui_, opening);
    CSlideShowTree::BatchScope batch(document_.Tree());
    CProgressScope progress(ui_.Progress(), opening, 0);
    const auto report = [this](const std::string& text) { Report(text); };

    result_.succeeded = TrapErrors(
        kErrorPrefix,
        [this](const std::string& text) {
            result_.error = text;
            Report(text);
        },
        [this] { ImportSlides(); });
    if (!result_.warnings.empty()) {
        ShowLongMessage(ui_, kWarningsCaption,
                        "The following warnings were issued for file " + name_ + ":",
                        Windows1252ToUtf8(result_.warnings));
    }
    // The source is closed on every way out, after a failure too, so that nothing it made
    // for the import outlives it.
    ui_.StatusBar().SetText("Closing file " + name_);
    if (!TrapErrors(kErrorPrefix, report, [this] { source_.Close(); })) {
        result_.succeeded = false;
    }
    ui_.StatusBar().ClearPercentage();
    document_.Tree().NotifyDocumentChanged();
    return result_;
}

void CPowerPointImport::ImportSlides() {
    SetHeaderAndTitle();
    source_.Open(file_);
    const std::size_t count = source_.SlideCount();
    // Two steps a slide (its pictures, then the rest) and one for opening.
    const auto steps = static_cast<std::int32_t>(
        std::min<std::size_t>(2 * count + 1, std::numeric_limits<std::int32_t>::max()));
    ui_.Progress().SetNumItems(steps);
    ui_.StatusBar().SetNumItems(steps);
    Advance();
    // A cancel stops the import before the next slide, or before the first when it came while
    // the presentation was being opened.
    for (std::size_t number = 1; number <= count; ++number) {
        if (ui_.Progress().UserCancel()) {
            result_.cancelled = true;
            break;
        }
        ImportSlide(number);
    }
}

void CPowerPointImport::SetHeaderAndTitle() {
    if (const auto seconds = FileSecondsSince1904(file_, name_)) {
        document_.Properties().Header().SetCreateSecs(*seconds);
        document_.Properties().Header().SetModifySecs(*seconds);
    }
    const int root = document_.Tree().GetNodeInfoIndexOfRoot();
    document_.Tree().Entry(root).SetTitle(
        SlideShowTitleFromFileName(Utf8ToWindows1252(file_.filename().string())));
    document_.Tree().NotifyItemChanged(root, ItemAspect::Title);
}

void CPowerPointImport::ImportSlide(std::size_t number) {
    const std::string reading = "Reading Slide " + std::to_string(number);
    ui_.StatusBar().SetText(reading);
    ui_.Progress().SetText(reading);

    auto leaf = std::make_shared<CLeaf>();
    leaf->SetBITMAPOnly(true);
    SlideContent content = source_.Slide(number);
    SlideTexts texts = ReadSlideTexts(content, bulletChar_);
    const std::string label = SlideLabel(number, texts.title);

    // The small pictures come first: how heavy they are tells which large size to draw first.
    std::optional<SlidePicturePair> small;
    if (const auto drawn =
            source_.Render(number, kSmallPictureSize.width, kSmallPictureSize.height);
        drawn && IsWholeRendering(*drawn, kSmallPictureSize)) {
        small = MakeSlidePictures(*drawn, document_.Palettes());
    }
    bool rejected = !TakeLargePictures(*leaf, number, label,
                                       small ? record::EstPalmSize(small->color.get()) : 0);
    Advance();
    leaf->SetDifficulty(kImportedDifficulty);
    leaf->SetCopyable(document_.Properties().Copyable());
    leaf->SetFACTOnly(true);
    SetLimitedTexts(*leaf, std::move(texts), std::move(content.notes), label, rejected);
    rejected = rejected || !TakeSmallPictures(*leaf, small, label);

    if (rejected) {
        ++result_.slidesRejected;
    } else if (document_.AddGenNode(ElementKind::Leaf, leaf->Title(), leaf,
                                    document_.Tree().GetNodeInfoIndexOfRoot(), Relationship::Child,
                                    AddOptions::Refresh | AddOptions::ReAdd) != 0) {
        ++result_.slidesAdded;
    }
    Advance();
}

// The large pictures of a slide; false, after a warning, when the slide has none that fit.
bool CPowerPointImport::TakeLargePictures(CLeaf& leaf, std::size_t number, const std::string& label,
                                          std::int64_t smallColorSize) {
    const LargePictureChoice large = ChooseLargePictures(
        leaf, kLargePictureSizes,
        [&](PictureSize size) { return source_.Render(number, size.width, size.height); },
        document_.Palettes(), smallColorSize);
    switch (large.outcome) {
        case LargePictureOutcome::Taken:
            return true;
        case LargePictureOutcome::TooLarge:
            Warn(label, "Rejecting slide: Could not find appropriate bitmap size less than 64K");
            return false;
        case LargePictureOutcome::NotRendered:
            Warn(label, NotRenderedWarning(large.size));
            return false;
    }
    return false;
}

// The small pictures of a slide; false, after a warning, when the slide could not be rendered.
bool CPowerPointImport::TakeSmallPictures(CLeaf& leaf, const std::optional<SlidePicturePair>& small,
                                          const std::string& label) {
    if (!small) {
        Warn(label, NotRenderedWarning(kSmallPictureSize));
        return false;
    }
    leaf.SetColorBitmap(small->color);
    leaf.SetMonochromeBitmap(small->monochrome);
    return true;
}

void CPowerPointImport::SetLimitedTexts(CLeaf& leaf, SlideTexts texts, std::string notes,
                                        const std::string& label, bool rejected) {
    if (texts.title.size() > CLeaf::kMaxTitle) {
        CutTo(texts.title, CLeaf::kMaxTitle);
        Warn(label, "Title length exceeds " + std::to_string(CLeaf::kMaxTitle) + " characters");
    }
    if (notes.size() > CLeaf::kMaxFact) {
        CutTo(notes, CLeaf::kMaxFact);
        Warn(label, "Notes (" + notes + ") length exceeds " + std::to_string(CLeaf::kMaxFact) +
                        " characters");
    }
    // The slide's text is stored as a fact of its own when the slide show is written, so it
    // keeps to the same limit; longer, it could not be written at all.
    if (texts.text.size() > CLeaf::kMaxFact) {
        CutTo(texts.text, CLeaf::kMaxFact);
        Warn(label, "Text length exceeds " + std::to_string(CLeaf::kMaxFact) + " characters");
    }
    if (!rejected) {
        leaf.SetTitle(std::move(texts.title));
        leaf.SetFact(std::move(notes));
    }
    leaf.SetAuxText(std::move(texts.text));
}

void CPowerPointImport::Warn(const std::string& label, const std::string& warning) {
    AddWarning(result_.warnings, label + warning);
}

void CPowerPointImport::Advance() {
    ui_.StatusBar().IncNumItemsComplete();
    ui_.Progress().IncNumItemsComplete();
}

}  // namespace

PowerPointImportResult ImportFromPowerPoint(CDocument& document, IPresentationSource& source,
                                            const std::filesystem::path& file) {
    return CPowerPointImport(document, source, file).Run();
}

}  // namespace trovique
