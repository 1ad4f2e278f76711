// Opening a slide show: the records of a working or export file become the tree again, each
// item under its parent, with every slide's texts and second pictures merged back from the
// hidden records that follow it.
//
// Files come from anywhere, so nothing in them is trusted: the record list must fit the file,
// records must follow one another without overlapping, every record is read from its own
// bounded span, and every key and parent key is checked before an item enters the tree.

#include "core/slideshowfile/SlideShowReader.h"

#include <memory>
#include <string>
#include <vector>

#include "core/common/DiskFile.h"
#include "core/common/Error.h"
#include "core/common/MemoryFile.h"
#include "core/editor/Document.h"
#include "core/model/Leaf22.h"
#include "core/model/Node22.h"
#include "core/model/RecordFields.h"
#include "core/palmdb/RecordListData.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"
#include "core/slideshowfile/RootFlags.h"

namespace trovique {
namespace {

constexpr const char* kSource = "frmDocument:Read";
// An old-style splash record starts with FixedRegionSize, record type and key before the
// bitmap, and its next-depth offset counts from the bitmap.
constexpr std::uint64_t kOldSplashPrefix = 6;
constexpr std::uint64_t kWordBytes = 4;

[[noreturn]] void ThrowDamaged(const std::string& what) {
    throw CError(kErrInvalidValue, kSource, "The file is damaged: " + what);
}

std::string RecordName(std::size_t number) {
    return "record " + std::to_string(number);
}

bool IsMonochromeKind(const CBitmap& bitmap) {
    return bitmap.NumColors() <= 2 || bitmap.GrayScaleExpanded();
}

// Undoes the reading flag on every way out.
class CReadingScope {
public:
    explicit CReadingScope(CDocument& document) : document_(document) {
        document_.Tree().SetReading(true);
    }
    ~CReadingScope() { document_.Tree().SetReading(false); }
    CReadingScope(const CReadingScope&) = delete;
    CReadingScope& operator=(const CReadingScope&) = delete;

private:
    CDocument& document_;
};

class CSlideShowReader {
public:
    CSlideShowReader(CDocument& document, CBinaryFile& file)
        : document_(document), file_(file), progress_(document.Services().ui.Progress()) {}

    // Reads the header and every record. False when the file was refused or the user
    // cancelled (both already told); raises when the file is damaged.
    bool ReadAll();

private:
    void ReadRecordList();
    CMemoryFile LoadRecord(std::size_t number);
    bool ReadRecord(CMemoryFile& record, std::size_t number);
    bool ReadRoot(CMemoryFile& record);
    void ReadNode(CMemoryFile& record, std::size_t number);
    void ReadTextRecord(CMemoryFile& record, std::size_t number);
    void TakeFullTitle(const CLeaf& textRecord);
    void ReadBitmapRecord(CMemoryFile& record, std::size_t number);
    void ReadOldSplash(CMemoryFile& record);
    void TakeSplash(const std::shared_ptr<CBitmap>& bitmap, bool monochrome);
    void AddLeaf(std::shared_ptr<CLeaf> leaf, std::size_t number);
    int CheckedParent(std::uint16_t parentKey, std::size_t number) const;
    void CheckNewKey(std::uint16_t key, std::size_t number) const;

    CDocument& document_;
    CBinaryFile& file_;
    CProgress& progress_;
    std::vector<std::uint32_t> offsets_;

    bool rootRead_ = false;
    std::uint16_t fileVersion_ = 0;
    std::uint16_t splashKey_ = 0;
    // The slide added last, and the keys of the hidden records that carry its texts.
    std::shared_ptr<CLeaf> pending_;
    std::uint16_t auxTextKey_ = 0;
    std::uint16_t factKey_ = 0;
    bool secondPicturesExpected_ = false;
};

bool CSlideShowReader::ReadAll() {
    file_.Seek(0);
    document_.Properties().Header().ReadFromFile(file_);
    ReadRecordList();
    progress_.SetNumItems(static_cast<std::int32_t>(offsets_.size()));
    for (std::size_t number = 1; number <= offsets_.size(); ++number) {
        CMemoryFile record = LoadRecord(number);
        if (!ReadRecord(record, number)) {
            return false;
        }
        progress_.IncNumItemsComplete();
        if (progress_.UserCancel()) {
            return false;
        }
    }
    return true;
}

// The whole list is checked against the file's size before anything is allocated for it, so a
// count far beyond what the file holds costs nothing.
void CSlideShowReader::ReadRecordList() {
    const std::size_t count = document_.Properties().Header().NumRecords();
    if (CDBHeader::kSize + CRecordListData::kSize * std::uint64_t{count} > file_.Size()) {
        ThrowDamaged("its list of " + std::to_string(count) +
                     " records runs past the end of the file.");
    }
    offsets_.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        CRecordListData entry;
        entry.ReadFromFile(file_);
        offsets_.push_back(entry.RecordDataOffset());
    }
}

// A record reaches from its offset to the next record's, or to the end of the file after the
// last one; reading past that raises instead of wandering into the next record.
CMemoryFile CSlideShowReader::LoadRecord(std::size_t number) {
    const std::uint64_t listEnd = CDBHeader::kSize + CRecordListData::kSize * offsets_.size();
    const std::uint64_t start = offsets_[number - 1];
    if (start < listEnd || start >= file_.Size()) {
        ThrowDamaged(RecordName(number) + " lies outside the file.");
    }
    if (number > 1 && start <= offsets_[number - 2]) {
        ThrowDamaged(RecordName(number) + " overlaps the record before it.");
    }
    std::uint64_t end = file_.Size();
    if (number < offsets_.size() && offsets_[number] > start && offsets_[number] < end) {
        end = offsets_[number];
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(end - start));
    file_.Seek(start);
    file_.Read(bytes);
    return CMemoryFile(std::move(bytes));
}

bool CSlideShowReader::ReadRecord(CMemoryFile& record, std::size_t number) {
    record::ReadWord(record);  // FixedRegionSize
    const std::uint16_t type = record::ReadWord(record);
    record.Seek(0);
    if (type > kRecordTypeFact) {
        return true;  // a kind of record this program does not know: skipped
    }
    if (type == kRecordTypeRoot) {
        return ReadRoot(record);
    }
    if (!rootRead_) {
        ThrowDamaged(RecordName(number) + " comes before the slide show's root.");
    }
    switch (type) {
        case kRecordTypeNode:
        case kRecordTypeEndNode:
            ReadNode(record, number);
            break;
        case kRecordTypeQAF:
        case kRecordTypeFact:
            ReadTextRecord(record, number);
            break;
        default:
            ReadBitmapRecord(record, number);
            break;
    }
    return true;
}

bool CSlideShowReader::ReadRoot(CMemoryFile& record) {
    if (rootRead_) {
        ThrowDamaged("it holds a second root.");
    }
    auto root = std::make_shared<CNode>();
    root->ReadFromFile(record);
    root->SetRecordType(kRecordTypeRoot);
    if ((root->FlagHi() & kRootFlagHiWrittenByUs) == 0) {
        ReportMessage(document_.Services().ui,
                      "This file was not created by " + std::string(kApplicationTitle) +
                          " and can not be opened.",
                      kStyleCritical);
        return false;
    }
    fileVersion_ = root->Version();
    splashKey_ = root->TitleBitmapKey();
    const int index =
        document_.AddGenNode(ElementKind::Root, {}, root, 0, Relationship::Child, AddOptions::None);
    if (index == 0) {
        return false;  // told by AddGenNode
    }
    rootRead_ = true;
    if (fileVersion_ >= kCurrentFileVersion) {
        document_.Properties().SetStructured((root->FlagLo() & kRootFlagLoStructured) != 0);
    }
    document_.Tree().NotifyItemChanged(index, ItemAspect::Content);
    return true;
}

void CSlideShowReader::ReadNode(CMemoryFile& record, std::size_t number) {
    auto node = std::make_shared<CNode>();
    if (fileVersion_ > kFileVersion22) {
        node->SetVersion(fileVersion_);
        node->ReadFromFile(record);
    } else {
        CNode22 old;
        old.SetVersion(fileVersion_);
        old.ReadFromFile(record);
        node->Clone22(old);
    }
    if (node->IsRoot()) {
        ThrowDamaged(RecordName(number) + " is a node that calls itself a root.");
    }
    CheckNewKey(node->Key(), number);
    const int parent = CheckedParent(node->ParentKey(), number);
    if (document_.AddGenNode(ElementKind::Node, {}, node, parent, Relationship::Child,
                             AddOptions::None) == 0) {
        ThrowDamaged(RecordName(number) + " could not be added.");
    }
}

void CSlideShowReader::ReadTextRecord(CMemoryFile& record, std::size_t number) {
    auto leaf = std::make_shared<CLeaf>();
    if (fileVersion_ <= kFileVersion22) {
        // Leaves of old files are visible records of their own kind, in the old layout.
        CLeaf22 old;
        old.ReadFromFile(record);
        leaf->Clone22(old);
        AddLeaf(std::move(leaf), number);
        return;
    }
    leaf->ReadFromFile(record, document_.Palettes());
    const std::uint16_t key = leaf->Key();
    if (pending_ && key != 0 && key == auxTextKey_) {
        pending_->SetAuxText(leaf->Fact());
        TakeFullTitle(*leaf);
    } else if (pending_ && key != 0 && key == factKey_) {
        pending_->SetFact(leaf->Fact());
        pending_->SetCopyable(leaf->Copyable());
        TakeFullTitle(*leaf);
    } else if (!leaf->Hidden()) {
        // A working file keeps a leaf without pictures as a visible record of its kind.
        AddLeaf(std::move(leaf), number);
    }
}

// A slide record's title field holds only the first characters of a long title; the slide's
// text records carry it whole. A title that is not a continuation of the slide's own is left.
void CSlideShowReader::TakeFullTitle(const CLeaf& textRecord) {
    const std::string& full = textRecord.Title();
    const std::string& cut = pending_->Title();
    if (full.size() > cut.size() && full.compare(0, cut.size(), cut) == 0) {
        pending_->SetTitle(full);
    }
}

void CSlideShowReader::ReadBitmapRecord(CMemoryFile& record, std::size_t number) {
    if (fileVersion_ <= kFileVersion22) {
        ReadOldSplash(record);
        return;
    }
    auto leaf = std::make_shared<CLeaf>();
    leaf->ReadFromFile(record, document_.Palettes());
    if (splashKey_ != 0 && leaf->Key() == splashKey_) {
        TakeSplash(leaf->MonochromeBitmap(), true);
        TakeSplash(leaf->ColorBitmap(), false);
        return;
    }
    if (leaf->Hidden()) {
        // A slide record is never hidden: this is the second pair of pictures of the slide
        // before it, or, with no slide waiting for it, a stray record that is skipped.
        if (pending_ && secondPicturesExpected_) {
            pending_->SetAuxColorBitmap(leaf->ColorBitmap());
            pending_->SetAuxMonochromeBitmap(leaf->MonochromeBitmap());
            secondPicturesExpected_ = false;
        }
        return;
    }
    AddLeaf(std::move(leaf), number);
}

void CSlideShowReader::ReadOldSplash(CMemoryFile& record) {
    const std::uint64_t start = record.Position();
    CPalmBitmap first;
    first.ReadFromFile(record, false, document_.Palettes());
    auto bitmap = std::make_shared<CBitmap>();
    bitmap->ReadFromCPalmBitmap(first);
    TakeSplash(bitmap, IsMonochromeKind(*bitmap));
    if (first.NextDepthOffset() > 0) {
        record.Seek(start + kOldSplashPrefix + kWordBytes * first.NextDepthOffset());
        CPalmBitmap second;
        second.ReadFromFile(record, true, document_.Palettes());
        bitmap = std::make_shared<CBitmap>();
        bitmap->ReadFromCPalmBitmap(second);
        TakeSplash(bitmap, IsMonochromeKind(*bitmap));
    }
}

void CSlideShowReader::TakeSplash(const std::shared_ptr<CBitmap>& bitmap, bool monochrome) {
    if (!bitmap) {
        return;
    }
    auto palm = std::make_shared<CPalmBitmap>();
    palm->ReadFromCBitmap(*bitmap);
    auto& slot = monochrome ? document_.Properties().MonochromeSplash()
                            : document_.Properties().ColorSplash();
    slot.palm = std::move(palm);
    slot.bitmap = bitmap;
}

void CSlideShowReader::AddLeaf(std::shared_ptr<CLeaf> leaf, std::size_t number) {
    CheckNewKey(leaf->Key(), number);
    const int parent = CheckedParent(leaf->ParentKey(), number);
    // Appended in file order; pages are put into tree order once the whole file is read.
    leaf->SetLPI(static_cast<std::int64_t>(document_.Tree().LeafCount() + 1));
    const std::uint16_t auxTextKey = leaf->SeeAlso(1);
    const std::uint16_t factKey = leaf->SeeAlso(2);
    for (int slot = 1; slot <= CLeaf::kNumSeeAlso; ++slot) {
        leaf->SetSeeAlso(slot, 0);
    }
    if (document_.AddGenNode(ElementKind::Leaf, {}, leaf, parent, Relationship::Child,
                             AddOptions::None) == 0) {
        ThrowDamaged(RecordName(number) + " could not be added.");
    }
    pending_ = std::move(leaf);
    auxTextKey_ = auxTextKey;
    factKey_ = factKey;
    secondPicturesExpected_ = true;
}

// Items hang only under the root or a node that is already in the tree.
int CSlideShowReader::CheckedParent(std::uint16_t parentKey, std::size_t number) const {
    if (!document_.Tree().IsLive(parentKey) || document_.Tree().Entry(parentKey).IsLeaf()) {
        ThrowDamaged(RecordName(number) + " names a parent (key " + std::to_string(parentKey) +
                     ") that is not a node before it.");
    }
    return parentKey;
}

void CSlideShowReader::CheckNewKey(std::uint16_t key, std::size_t number) const {
    if (key == 0) {
        ThrowDamaged(RecordName(number) + " has no key.");
    }
    if (document_.Tree().IsNodeIDValid(key) && document_.Tree().Entry(key).Used()) {
        ThrowDamaged(RecordName(number) + " reuses the key " + std::to_string(key) + ".");
    }
}

// Whatever happened, the document's pages, counters and size follow the tree it now holds.
void SettleDocument(CDocument& document) {
    const int root = document.Tree().GetNodeInfoIndexOfRoot();
    std::size_t page = 0;
    bool inTreeOrder = true;
    for (const int index : document.Tree().Preorder(root)) {
        const CGenElemInfo& entry = document.Tree().Entry(index);
        if (entry.IsLeaf()) {
            ++page;
            inTreeOrder = inTreeOrder && entry.Leaf->LPI() == page &&
                          document.Tree().LeafOnPage(page) == index;
        }
    }
    if (!inTreeOrder || page != document.Tree().LeafCount()) {
        document.Tree().RenumberPages();
    }
    document.Tree().RecountNodesAndLeaves();
    // Additions leave the estimate alone while a file is read; an opened file's estimate must
    // reflect what it holds.
    document.Tree().SetDBSize(document.ComputeDBSize());
    document.ForceDirty(false);
}

void CheckIsFile(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        // A folder, a pipe or a device would never end or block the reader.
        throw CError(kErrPathFileAccess, kSource,
                     "Path/File access error: " + path.string() + " (not a regular file)");
    }
}

}  // namespace

bool Read(CDocument& document, const std::filesystem::path& path, bool asNew) {
    IUserInterface& ui = document.Services().ui;
    // Views see the tree replaced once, not every item of the file coming in.
    CSlideShowTree::ResetScope reset(document.Tree());
    CReadingScope reading(document);
    const std::string text = "Reading " + path.string();
    CBusyScope busy(ui, text);
    CProgressScope progress(ui.Progress(), text, 0);
    document.ClearTree();
    bool complete = false;
    try {
        CheckIsFile(path);
        CDiskFile file(path, CDiskFile::Mode::Read);
        CSlideShowReader reader(document, file);
        complete = reader.ReadAll();
    } catch (const std::exception& error) {
        ReportFailure(ui, TrappedErrorText("Read error: ", error), kStyleInformation);
    }
    SettleDocument(document);
    if (complete && !asNew) {
        document.SetFileName(path.string());
    }
    document.Tree().NotifyDocumentChanged();
    return complete;
}

}  // namespace trovique
