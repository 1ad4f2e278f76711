// The pictures of a slide (colour and monochrome) and the splash picture of the slide show:
// reading them from .bmp files, re-indexing them against the handheld's palettes, the size and
// kind checks, generated grey companions and the running size.

#include "core/editor/ContentEdit.h"
#include "core/editor/Document.h"
#include "core/imaging/Palette.h"
#include "core/imaging/PicturePreparation.h"
#include "core/services/FileDialog.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"
#include "core/services/SettingNames.h"

namespace trovique {
namespace {

// A leaf record holds at most 65535 bytes; a picture above this leaves little room for the rest.
constexpr std::int64_t kBigBitmapBytes = 60000;
constexpr std::int32_t kMinLeafWidth = 160;
constexpr std::int32_t kMinLeafHeight = 120;
constexpr std::int32_t kSplashWidth = 128;
constexpr std::int32_t kSplashHeight = 60;
constexpr const char* kCrLf = "\r\n";

// Reads a .bmp file; null after the read error was shown.
std::shared_ptr<CBitmap> ReadPicture(CDocument& document, const std::filesystem::path& file) {
    auto bitmap = std::make_shared<CBitmap>();
    IUserInterface& ui = document.Services().ui;
    const auto report = [&ui](const std::string& text) {
        ReportFailure(ui, text, kStyleInformation);
    };
    if (!bitmap->ReadFile(file, document.Palettes().color256, report)) {
        return nullptr;
    }
    return bitmap;
}

// The four-level grey companion of a colour picture.
std::shared_ptr<CBitmap> GrayVersion(const CBitmap& color, const PalmPalettes& palettes) {
    return std::make_shared<CBitmap>(GrayCompanion(color, palettes));
}

std::shared_ptr<CPalmBitmap> PalmForm(const CBitmap& bitmap) {
    auto palm = std::make_shared<CPalmBitmap>();
    palm->ReadFromCBitmap(bitmap);  // raises for a picture the handheld layout cannot hold
    return palm;
}

std::string BigBitmapQuestion() {
    return "You have selected a bitmap whose size is greater than " +
           std::to_string(kBigBitmapBytes) +
           " bytes.  This bitmap will likely cause this leaf to exceed its maximum size of 65535 "
           "bytes, making it invalid.  We suggest using a smaller bitmap." +
           kCrLf + kCrLf + "Are you sure you want to use this bitmap?";
}

// Asks whether a picture of the other kind should be used as that kind instead.
bool OfferOtherKind(IUserInterface& ui, bool chosenAsColor) {
    const std::string text =
        chosenAsColor
            ? std::string(
                  "The bitmap you have selected is monochrome and can not be selected as "
                  "your color bitmap.") +
                  kCrLf + "Would you like to use this bitmap as your monochrome bitmap instead?"
            : std::string(
                  "The bitmap you have selected is not monochrome and can not be "
                  "selected as your monochrome bitmap.") +
                  kCrLf + "Would you like to use this bitmap as your color bitmap instead?";
    return ReportMessage(ui, text, kStyleYesNo) == MessageAnswer::Yes;
}

// Changes a leaf's pictures and moves the running size by what the change adds to the leaf's
// estimate (only a BITMAP leaf's pictures reach the handheld).
template <class Change>
void ChangePictures(CDocument& document, int item, Change&& change) {
    const CGenElemInfo& entry = document.Tree().Entry(item);
    const std::int64_t before = CSlideShowTree::SizeContribution(entry);
    change(*entry.Leaf);
    document.Tree().AddToDBSize(CSlideShowTree::SizeContribution(entry) - before);
    document.ForceDirty(true);
    document.Tree().NotifyItemChanged(item, ItemAspect::Content);
}

// How the monochrome companion of a colour splash picture comes about, in the order of the
// question's choices.
enum SplashCompanion : std::size_t { kGenerateCompanion = 0, kChooseCompanion = 1, kNoCompanion };

ChoiceQuestion SplashQuestion() {
    return {"Add Monochrome Image (required)",
            "You have chosen to add a 256 color bitmap to the Splash Screen.  Older versions of "
            "the Palm will require a monochrome version of this bitmap in order to display it.",
            {"Auto Generate From Color", "Add Monochrome Image...", "Do Not Add Images"}};
}

}  // namespace

// ---- Leaf pictures ----

bool CDocument::LeafPictureAction(int item, PictureAction action,
                                  const std::filesystem::path& file) {
    switch (action) {
        case PictureAction::SetColor:
            return SetLeafPicture(item, true, file);
        case PictureAction::ClearColor:
            return ClearLeafPicture(item, true);
        case PictureAction::SetMonochrome:
            return SetLeafPicture(item, false, file);
        case PictureAction::ClearMonochrome:
            return ClearLeafPicture(item, false);
        case PictureAction::FromColor:
            return MonochromeFromColor(item);
        default:
            ReportMessage(services_.ui,
                          "Invalid Action: " + std::to_string(static_cast<int>(action)),
                          kStyleInformation);
            return false;
    }
}

namespace {

// The bitmap file the author picks for a picture button; empty when cancelled.
std::filesystem::path ChoosePictureFile(const CServices& services, FileDialogKind kind) {
    const std::string chosen = GetFileName(services, DescribeFileDialog(kind, {}));
    return std::filesystem::path(std::u8string(chosen.begin(), chosen.end()));
}

}  // namespace

bool CDocument::PressLeafPictureButton(int item, PictureAction action) {
    if (action != PictureAction::SetColor && action != PictureAction::SetMonochrome) {
        return LeafPictureAction(item, action);
    }
    if (IsLeafLocked(item)) {
        ReportMessage(services_.ui, kLockedLeafNotice, kStyleInformation);
        return false;
    }
    const std::filesystem::path file = ChoosePictureFile(
        services_, action == PictureAction::SetColor ? FileDialogKind::ColorBitmap
                                                     : FileDialogKind::MonochromeBitmap);
    return !file.empty() && LeafPictureAction(item, action, file);
}

bool CDocument::SetLeafPicture(int item, bool color, const std::filesystem::path& file) {
    if (file.empty()) {
        return false;
    }
    return content::Trapped(services_.ui, [&] {
        CLeaf* leaf = content::LeafForEdit(*this, item);
        if (leaf == nullptr) {
            return false;
        }
        std::shared_ptr<CBitmap> bitmap = ReadPicture(*this, file);
        if (!bitmap) {
            return false;
        }
        ReindexForKind(*bitmap, palettes_);
        if (PalmForm(*bitmap)->EstFileSize() > kBigBitmapBytes &&
            !ConfirmOnce(services_, BigBitmapQuestion(), {}, settings::kUseBigBitmap)) {
            return false;
        }
        if (bitmap->Width() < kMinLeafWidth || bitmap->Height() < kMinLeafHeight) {
            ReportMessage(services_.ui, "Leaf bitmaps must be at least 160x120.",
                          kStyleExclamation);
            return false;
        }
        bool asColor = color;
        if (color == IsMonochromePicture(*bitmap)) {
            if (!OfferOtherKind(services_.ui, color)) {
                return false;
            }
            asColor = !color;
        }
        // A colour picture needs a monochrome one for the handheld's older screens.
        std::shared_ptr<CBitmap> gray;
        if (asColor && !leaf->MonochromeBitmap()) {
            gray = GrayVersion(*bitmap, palettes_);
        }
        ChangePictures(*this, item, [&](CLeaf& changed) {
            if (asColor) {
                changed.SetColorBitmap(bitmap);
            } else {
                changed.SetMonochromeBitmap(bitmap);
            }
            if (gray) {
                changed.SetMonochromeBitmap(gray);
            }
        });
        return true;
    });
}

bool CDocument::ClearLeafPicture(int item, bool color) {
    return content::Trapped(services_.ui, [&] {
        CLeaf* leaf = content::LeafForEdit(*this, item);
        if (leaf == nullptr) {
            return false;
        }
        if (!(color ? leaf->ColorBitmap() : leaf->MonochromeBitmap())) {
            return true;
        }
        ChangePictures(*this, item, [color](CLeaf& changed) {
            if (color) {
                changed.SetColorBitmap(nullptr);
            } else {
                changed.SetMonochromeBitmap(nullptr);
            }
        });
        return true;
    });
}

bool CDocument::MonochromeFromColor(int item) {
    return content::Trapped(services_.ui, [&] {
        CLeaf* leaf = content::LeafForEdit(*this, item);
        if (leaf == nullptr) {
            return false;
        }
        if (!leaf->ColorBitmap()) {
            ReportMessage(services_.ui, "Color bitmap not set.  Can not convert to monochrome.",
                          kStyleExclamation);
            return false;
        }
        std::shared_ptr<CBitmap> gray = GrayVersion(*leaf->ColorBitmap(), palettes_);
        ChangePictures(*this, item, [&](CLeaf& changed) { changed.SetMonochromeBitmap(gray); });
        return true;
    });
}

// ---- Splash picture ----

namespace {

// Places a 128 x 60 picture as the monochrome (grey or two colours) or the colour splash
// picture; false after the size message for any other size.
bool PlaceSplash(CDocument& document, const std::shared_ptr<CBitmap>& bitmap) {
    if (bitmap->Width() != kSplashWidth || bitmap->Height() != kSplashHeight) {
        ReportMessage(document.Services().ui, "Splash Screen Image must be 128x60.",
                      kStyleExclamation);
        return false;
    }
    ReindexForKind(*bitmap, document.Palettes());
    const bool monochrome = bitmap->GrayScaleExpanded() || IsMonochromePicture(*bitmap);
    CDocument::SplashPicture& slot =
        monochrome ? document.Properties().MonochromeSplash() : document.Properties().ColorSplash();
    CDocument::SplashPicture placed{PalmForm(*bitmap), bitmap};
    const std::int64_t delta = placed.Size() - slot.Size();
    slot = std::move(placed);
    document.Tree().AddToDBSize(delta);
    document.ForceDirty(true);
    document.Tree().NotifyItemChanged(document.Tree().GetNodeInfoIndexOfRoot(),
                                      ItemAspect::Content);
    return true;
}

// The file of a monochrome companion, asked in the colour picture's folder; empty when none.
std::filesystem::path ChooseCompanion(CDocument& document, const std::filesystem::path& colorFile) {
    const std::u8string folder = colorFile.parent_path().u8string();
    std::string initial(folder.begin(), folder.end());
    if (!initial.empty()) {
        initial += static_cast<char>(std::filesystem::path::preferred_separator);
    }
    const std::string chosen = GetFileName(
        document.Services(), DescribeFileDialog(FileDialogKind::MonochromeBitmap, initial));
    return std::filesystem::path(std::u8string(chosen.begin(), chosen.end()));
}

// The monochrome companion of a colour splash picture, as the author chooses.
void AddSplashCompanion(CDocument& document, const CBitmap& color,
                        const std::filesystem::path& colorFile) {
    IUserInterface& ui = document.Services().ui;
    const std::size_t answer = AskChoice(ui, SplashQuestion()).value_or(kNoCompanion);
    switch (answer) {
        case kGenerateCompanion:
            PlaceSplash(document, GrayVersion(color, document.Palettes()));
            break;
        case kChooseCompanion: {
            const std::filesystem::path file = ChooseCompanion(document, colorFile);
            if (file.empty()) {
                break;
            }
            std::shared_ptr<CBitmap> monochrome = ReadPicture(document, file);
            if (!monochrome) {
                break;
            }
            if (!IsMonochromePicture(*monochrome)) {
                ReportMessage(ui, "The file selected was not a Monochrome Bitmap.",
                              kStyleExclamation);
                break;
            }
            PlaceSplash(document, monochrome);
            break;
        }
        case kNoCompanion:
            break;
        default:
            ReportMessage(ui, "Invalid action: " + std::to_string(answer), kStyleInformation);
            break;
    }
}

}  // namespace

bool CDocument::SetSplashPicture(const std::filesystem::path& file) {
    if (file.empty()) {
        return false;
    }
    return content::Trapped(services_.ui, [&] {
        std::shared_ptr<CBitmap> bitmap = ReadPicture(*this, file);
        if (!bitmap || !PlaceSplash(*this, bitmap)) {
            return false;
        }
        if (!IsMonochromePicture(*bitmap)) {
            AddSplashCompanion(*this, *bitmap, file);
        }
        return true;
    });
}

bool CDocument::ChooseSplashPicture() {
    const std::filesystem::path file = ChoosePictureFile(services_, FileDialogKind::Bitmap);
    return !file.empty() && SetSplashPicture(file);
}

bool CDocument::ClearSplashPictures() {
    const std::int64_t removed = properties_.SplashSize();
    const bool had = !properties_.MonochromeSplash().Empty() || !properties_.ColorSplash().Empty();
    properties_.ClearSplash();
    if (had) {
        tree_.AddToDBSize(-removed);
        ForceDirty(true);
        tree_.NotifyItemChanged(tree_.GetNodeInfoIndexOfRoot(), ItemAspect::Content);
    }
    return true;
}

}  // namespace trovique
