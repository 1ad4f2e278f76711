// Saving and exporting: the whole slide show goes into a private temporary file, record by
// record, and only a complete file then takes the target's place.

#include "core/slideshowfile/SlideShowWriter.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "core/codec/UnsignedInt.h"
#include "core/common/DiskFile.h"
#include "core/common/Error.h"
#include "core/common/FileReplace.h"
#include "core/common/MemoryFile.h"
#include "core/common/TempFile.h"
#include "core/editor/Document.h"
#include "core/palmdb/RecordListData.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"
#include "core/slideshowfile/LeafRecordGroup.h"
#include "core/slideshowfile/LeafRecordPlan.h"
#include "core/slideshowfile/RootFlags.h"

namespace trovique {
namespace {

constexpr const char* kTemporaryPrefix = "~TM";

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A splash picture as the record stores it: the desktop form of its Palm bitmap.
std::shared_ptr<CBitmap> SplashBitmap(const CDocument::SplashPicture& picture) {
    if (picture.palm) {
        auto bitmap = std::make_shared<CBitmap>();
        bitmap->ReadFromCPalmBitmap(*picture.palm);
        return bitmap;
    }
    return picture.bitmap;
}

bool HasSplash(const CDocument::SplashPicture& picture) {
    return picture.palm != nullptr || picture.bitmap != nullptr;
}

class CSlideShowWriter {
public:
    CSlideShowWriter(CDocument& document, bool exportSwitch)
        : document_(document), exportSwitch_(exportSwitch) {}

    // The counting run: hands out every SaveID in the order the writing run writes, and counts
    // the records.
    void AssignKeys();
    std::size_t NumRecords() const { return numRecords_; }
    std::size_t NumTreeItems() const { return 1 + nodes_.size() + leaves_.size(); }

    // The writing run: header, record list, every record, then the root's final flags and
    // keys. False when the user cancelled in the progress window.
    bool Write(CBinaryFile& file);

private:
    std::int64_t SaveIDOf(int index) const { return document_.Tree().Entry(index).SaveID; }
    std::int64_t NextKey() { return nextKey_++; }

    void WriteHeader(CBinaryFile& file);
    void WriteRecordList(CBinaryFile& file);
    void FillRecordList(CBinaryFile& file);
    template <class Record>
    void WriteRecord(CBinaryFile& file, Record& record);
    void WriteRoot(CBinaryFile& file);
    void WriteSplash(CBinaryFile& file);
    void WriteNode(CBinaryFile& file, int index);
    void WriteLeafGroup(CBinaryFile& file, int index);
    void FixUpRoot(CBinaryFile& file);
    std::unique_ptr<CNode> NodeRecord(int index) const;
    bool Advance();

    CDocument& document_;
    bool exportSwitch_;
    int root_ = 0;
    std::vector<int> nodes_;   // every node but the root, in tree order
    std::vector<int> leaves_;  // every leaf, in tree order
    std::int64_t nextKey_ = 1;
    std::size_t numRecords_ = 0;

    std::uint64_t rootOffset_ = 0;
    std::uint64_t listStart_ = 0;
    std::vector<std::uint64_t> recordOffsets_;
    std::size_t recordsWritten_ = 0;
    // The save counters: what the root learns once every record is written.
    std::int64_t firstLeafKey_ = 0;
    std::int64_t splashKey_ = 0;
    std::size_t textRecords_ = 0;
    std::size_t pictureLeaves_ = 0;
};

void CSlideShowWriter::AssignKeys() {
    root_ = document_.Tree().GetNodeInfoIndexOfRoot();
    if (root_ == 0) {
        throw CError(kErrInvalidValue, "SaveIt", "The slide show has no root.");
    }
    for (const int index : document_.Tree().Preorder(root_)) {
        const CGenElemInfo& entry = document_.Tree().Entry(index);
        if (index == root_) {
            continue;
        }
        (entry.IsLeaf() ? leaves_ : nodes_).push_back(index);
    }

    // Pass 0, the root.
    document_.Tree().Entry(root_).SaveID = NextKey();
    numRecords_ = 1;
    // Pass 1, the splash picture, kept only with its monochrome form.
    if (HasSplash(document_.Properties().MonochromeSplash())) {
        splashKey_ = NextKey();
        ++numRecords_;
    }
    // Pass 3, the nodes.
    for (const int index : nodes_) {
        document_.Tree().Entry(index).SaveID = NextKey();
        ++numRecords_;
    }
    // Pass 4, each leaf with the extra records of its group right after its own key.
    for (const int index : leaves_) {
        CGenElemInfo& entry = document_.Tree().Entry(index);
        entry.SaveID = NextKey();
        const LeafRecordPlan plan = PlanLeafRecords(*entry.Leaf, exportSwitch_);
        nextKey_ += static_cast<std::int64_t>(plan.ExtraRecords());
        numRecords_ += plan.Records();
        if (entry.Leaf->LPI() == 1) {
            firstLeafKey_ = entry.SaveID;
        }
    }
}

bool CSlideShowWriter::Write(CBinaryFile& file) {
    WriteHeader(file);
    WriteRecordList(file);
    WriteRoot(file);
    if (!Advance()) {
        return false;
    }
    WriteSplash(file);
    for (const int index : nodes_) {
        WriteNode(file, index);
        if (!Advance()) {
            return false;
        }
    }
    for (const int index : leaves_) {
        WriteLeafGroup(file, index);
        if (!Advance()) {
            return false;
        }
    }
    if (recordsWritten_ != numRecords_) {
        // The two runs disagree: the list would hold empty entries. Never hand out such a file.
        throw CError(kErrInvalidValue, "SaveIt",
                     "Invalid value. " + std::to_string(recordsWritten_) + " records written for " +
                         std::to_string(numRecords_) + " counted.");
    }
    FillRecordList(file);
    FixUpRoot(file);
    return true;
}

void CSlideShowWriter::WriteHeader(CBinaryFile& file) {
    CDBHeader& header = document_.Properties().Header();
    header.SetNumRecords(static_cast<std::int64_t>(numRecords_));
    const std::string& title = document_.Tree().Entry(root_).Title();
    header.SetDBName(TrimBlanks(title.substr(0, CDBHeader::kNameSize)));
    file.Seek(0);
    header.WriteToFile(file);
}

void CSlideShowWriter::WriteRecordList(CBinaryFile& file) {
    listStart_ = file.Position();
    // Zeros first; the entries are filled in once every record has been written.
    const std::vector<std::uint8_t> zeros(numRecords_ * CRecordListData::kSize + kRecordListGap, 0);
    file.Write(zeros);
    recordOffsets_.reserve(numRecords_);
}

// Records follow one another to the end of the file; their offsets are kept for the list, so
// that writing needs no seek per record.
template <class Record>
void CSlideShowWriter::WriteRecord(CBinaryFile& file, Record& record) {
    const std::uint64_t offset = file.Size();
    file.Seek(offset);
    record.WriteToFile(file);
    recordOffsets_.push_back(offset);
    ++recordsWritten_;
}

void CSlideShowWriter::FillRecordList(CBinaryFile& file) {
    CMemoryFile entries;
    const std::array<std::uint8_t, CRecordListData::kSize - 4> attributes{};
    for (const std::uint64_t offset : recordOffsets_) {
        CUnsignedLong(static_cast<std::int64_t>(offset)).WriteToFile(entries);
        entries.Write(attributes);
    }
    file.Seek(listStart_);
    file.Write(entries.Data());
}

std::unique_ptr<CNode> CSlideShowWriter::NodeRecord(int index) const {
    const CGenElemInfo& entry = document_.Tree().Entry(index);
    auto record = entry.Node->Clone();
    const bool isRoot = index == root_;
    record->SetKey(entry.SaveID);
    record->SetRecordType(isRoot ? kRecordTypeRoot : kRecordTypeNode);
    record->SetExpanded(document_.Tree().IsExpanded(index));
    record->SetParentKey(isRoot ? 0 : SaveIDOf(entry.Parent));
    record->ClearLinks();
    const auto& children = entry.Children;
    for (const int child : children) {
        std::int64_t data = 0;
        if (isRoot) {
            // The first page below the child, so the handheld can jump straight to it.
            const CGenElemInfo& childEntry = document_.Tree().Entry(child);
            int lowestPage = 0;
            document_.Tree().GetChildLeafCount(child, lowestPage);
            data = childEntry.IsLeaf() ? childEntry.Leaf->LPI() : lowestPage;
        }
        record->AddLink(SaveIDOf(child), data);
    }
    record->SetIsEndNode(!isRoot && !children.empty() &&
                         document_.Tree().Entry(children.front()).IsLeaf());
    return record;
}

void CSlideShowWriter::WriteRoot(CBinaryFile& file) {
    auto root = NodeRecord(root_);
    root->SetUnstructured(!document_.Properties().Structured());
    root->SetFlagHi(0);
    unsigned flagLo = root->FlagLo() & ~unsigned{kRootFlagLoSwitches | kRootFlagLoStructured};
    for (int bit = 0; bit < 3; ++bit) {
        flagLo |= document_.Properties().Switch(bit) ? 1u << bit : 0u;
    }
    root->SetFlagLo(static_cast<std::uint8_t>(flagLo));
    root->SetPassword(document_.Properties().Password());
    rootOffset_ = file.Size();
    WriteRecord(file, *root);
}

void CSlideShowWriter::WriteSplash(CBinaryFile& file) {
    if (splashKey_ == 0) {
        return;
    }
    CLeaf splash;
    splash.SetKey(splashKey_);
    splash.SetBITMAPOnly(true);
    splash.SetMonochromeBitmap(SplashBitmap(document_.Properties().MonochromeSplash()));
    splash.SetColorBitmap(SplashBitmap(document_.Properties().ColorSplash()));
    WriteRecord(file, splash);
}

void CSlideShowWriter::WriteNode(CBinaryFile& file, int index) {
    auto node = NodeRecord(index);
    WriteRecord(file, *node);
}

void CSlideShowWriter::WriteLeafGroup(CBinaryFile& file, int index) {
    const CGenElemInfo& entry = document_.Tree().Entry(index);
    const CLeaf& leaf = *entry.Leaf;
    const LeafRecordPlan plan = PlanLeafRecords(leaf, exportSwitch_);
    for (LeafGroupRecord& record : BuildLeafRecordGroup(leaf, plan, plan.Keys(entry.SaveID),
                                                        SaveIDOf(entry.Parent), exportSwitch_)) {
        WriteRecord(file, record.record);
        switch (record.role) {
            case LeafRecordRole::Slide:
                // A working file keeps a BITMAP leaf without pictures in a slide record too.
                if (leaf.ColorBitmap() || leaf.MonochromeBitmap()) {
                    ++pictureLeaves_;
                }
                break;
            case LeafRecordRole::OwnKind:
            case LeafRecordRole::AuxText:
            case LeafRecordRole::Fact:
                ++textRecords_;
                break;
            case LeafRecordRole::SecondPictures:
                break;
        }
    }
}

// The root was written before its first leaf and its splash key were known for certain; it is
// read back and written again in place with the final values (its length does not change).
void CSlideShowWriter::FixUpRoot(CBinaryFile& file) {
    file.Seek(rootOffset_);
    CNode root;
    root.ReadFromFile(file);
    root.SetFirstLeafKey(firstLeafKey_);
    root.SetTitleBitmapKey(splashKey_);
    unsigned flagHi = root.FlagHi() &
                      ~unsigned{kRootFlagHiReserved | kRootFlagHiHasTexts | kRootFlagHiHasPictures};
    flagHi |= kRootFlagHiWrittenByUs;
    flagHi |= textRecords_ > 0 ? kRootFlagHiHasTexts : 0u;
    flagHi |= pictureLeaves_ > 0 ? kRootFlagHiHasPictures : 0u;
    root.SetFlagHi(static_cast<std::uint8_t>(flagHi));
    unsigned flagLo = root.FlagLo() & ~unsigned{kRootFlagLoStructured};
    flagLo |= document_.Properties().Structured() ? kRootFlagLoStructured : 0u;
    root.SetFlagLo(static_cast<std::uint8_t>(flagLo));
    file.Seek(rootOffset_);
    root.WriteToFile(file);
}

bool CSlideShowWriter::Advance() {
    CProgress& progress = document_.Services().ui.Progress();
    progress.IncNumItemsComplete();
    return !progress.UserCancel();
}

void ReportSaveError(IUserInterface& ui, const std::exception& error) {
    const auto* ours = dynamic_cast<const CError*>(&error);
    ReportFailure(ui,
                  "An error has occurred saving data: " + DescribeError(error) +
                      "\r\nSource: " + (ours != nullptr ? ours->Source() : std::string()),
                  kStyleInformation);
}

// Builds the file in the temporary file; false when cancelled.
bool BuildFile(CDocument& document, const std::filesystem::path& temporary, bool exportSwitch) {
    CSlideShowWriter writer(document, exportSwitch);
    writer.AssignKeys();
    CProgress& progress = document.Services().ui.Progress();
    progress.SetNumItems(static_cast<std::int32_t>(writer.NumTreeItems()));
    CDiskFile file(temporary, CDiskFile::Mode::Create);
    if (!writer.Write(file)) {
        return false;
    }
    file.Close();
    return true;
}

}  // namespace

bool SaveIt(CDocument& document, const std::filesystem::path& path, bool exportSwitch) {
    IUserInterface& ui = document.Services().ui;
    if (path.empty()) {
        return false;
    }
    const std::string text = "Writing " + path.string();
    CBusyScope busy(ui, text);
    CProgressScope progress(ui.Progress(), text, 0);
    try {
        CheckReplaceable(path);
        std::optional<CTemporaryFile> temporary;
        try {
            temporary.emplace(TemporaryDirectory(), kTemporaryPrefix);
        } catch (const CError&) {
            ReportFailure(ui, "Could not create temporary file needed to save data.",
                          kStyleInformation);
            return false;
        }
        if (!BuildFile(document, temporary->Path(), exportSwitch)) {
            return false;
        }
        ReplaceFileWithCopyOf(temporary->Path(), path);
    } catch (const std::exception& error) {
        ReportSaveError(ui, error);
        return false;
    }
    if (!exportSwitch) {
        document.SetFileName(path.string());
        document.ForceDirty(false);
    }
    return true;
}

bool Save(CDocument& document, const std::filesystem::path& path) {
    return SaveIt(document, path, false);
}

bool Export(CDocument& document, const std::filesystem::path& path) {
    IUserInterface& ui = document.Services().ui;
    const MousePointer pointer = ui.Pointer();
    ui.SetPointer(MousePointer::Hourglass);
    bool saved = false;
    try {
        saved = SaveIt(document, path, true);
    } catch (const std::exception& error) {
        ReportFailure(ui, TrappedErrorText("Export error: ", error), kStyleInformation);
    }
    ui.SetPointer(pointer);
    return saved;
}

std::size_t LeavesLeftOutOfExport(const CDocument& document) {
    std::size_t count = 0;
    for (const int index : document.Tree().Preorder(document.Tree().GetNodeInfoIndexOfRoot())) {
        const CGenElemInfo& entry = document.Tree().Entry(index);
        if (entry.IsLeaf() && entry.Leaf && !PlanLeafRecords(*entry.Leaf, true).slide) {
            ++count;
        }
    }
    return count;
}

}  // namespace trovique
