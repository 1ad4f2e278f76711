#include <algorithm>

#include "core/common/MemoryFile.h"
#include "core/imaging/PalmBitmap.h"
#include "core/model/NodeLevel.h"
#include "core/services/MessageStyle.h"
#include "core/slideshowfile/SlideShowFixture.h"

namespace trovique {
namespace {

using test::ByteVector;
using test::LeafKind;

// Progress updates before the first record: the window is cleared, given its count and text,
// and then told how many records the file holds.
constexpr std::size_t kProgressSetupUpdates = 4;

std::shared_ptr<CNode> NodeRecord(std::uint16_t key, std::uint16_t parent,
                                  const std::string& title) {
    auto node = std::make_shared<CNode>();
    node->SetKey(key);
    node->SetParentKey(parent);
    node->SetTitle(title);
    return node;
}

CLeaf LeafRecord(LeafKind kind, std::uint16_t key, std::uint16_t parent, const std::string& title) {
    CLeaf leaf;
    leaf.SetKey(key);
    leaf.SetParentKey(parent);
    leaf.SetTitle(title);
    leaf.SetFACTOnly(kind == LeafKind::FACT);
    leaf.SetBITMAPOnly(kind == LeafKind::BITMAP);
    if (kind == LeafKind::BITMAP) {
        leaf.SetColorBitmap(test::SlidePicture(16, 12, key));
    }
    return leaf;
}

// A hidden FACT record carrying text for the slide keyed around it.
ByteVector TextRecord(std::uint16_t key, std::uint16_t parent, const std::string& text,
                      bool copyable = false) {
    CLeaf leaf = LeafRecord(LeafKind::FACT, key, parent, "Slide");
    leaf.SetFact(text);
    leaf.SetCopyable(copyable);
    leaf.ForceHidden();
    return test::RecordBytes(leaf);
}

ByteVector Bytes(CLeaf leaf) {
    return test::RecordBytes(leaf);
}

ByteVector Bytes(const std::shared_ptr<CNode>& node) {
    return test::RecordBytes(*node);
}

std::vector<std::string> Titles(const CDocument& doc) {
    std::vector<std::string> titles;
    for (const int index : doc.Tree().Preorder(doc.Tree().GetNodeInfoIndexOfRoot())) {
        titles.push_back(doc.Tree().Entry(index).Title());
    }
    return titles;
}

// Whatever went wrong, the tree that is left is whole: pages dense in tree order, counters and
// size estimate matching it.
void ExpectConsistent(const CDocument& doc) {
    std::size_t page = 0;
    std::size_t nodes = 0;
    for (const int index : doc.Tree().Preorder(doc.Tree().GetNodeInfoIndexOfRoot())) {
        const CGenElemInfo& entry = doc.Tree().Entry(index);
        if (entry.IsLeaf()) {
            ++page;
            ASSERT_EQ(entry.Leaf->LPI(), page);
            ASSERT_EQ(doc.Tree().LeafOnPage(page), index);
        } else {
            ++nodes;
        }
    }
    EXPECT_EQ(doc.Tree().LeafCount(), page);
    EXPECT_EQ(doc.Tree().LevelCount(kLevelLeaves), static_cast<int>(page));
    EXPECT_EQ(doc.Tree().DBSize(), doc.ComputeDBSize());
    EXPECT_FALSE(doc.Dirty());
    EXPECT_FALSE(doc.Tree().Reading());
}

class SlideShowReaderTest : public test::SlideShowTest {
protected:
    std::string OnlyMessage() {
        EXPECT_EQ(Ui().Messages().size(), 1u) << testing::PrintToString(Ui().MessageTexts());
        return Ui().Messages().empty() ? std::string() : Ui().Messages().back().text;
    }
};

TEST_F(SlideShowReaderTest, FileOfOnlyARoot) {
    auto original = NewDocument();
    original->Tree().Entry(Root(*original)).SetTitle("Lonely");
    ASSERT_TRUE(Save(*original, PathOf("root.sdb")));
    auto doc = ReadBack(PathOf("root.sdb"));
    EXPECT_EQ(Titles(*doc), std::vector<std::string>{"Lonely"});
    EXPECT_EQ(doc->Tree().Level(Root(*doc)), kLevelSlideShow);
    EXPECT_EQ(doc->Properties().Header().DBName(), "Lonely");
    EXPECT_EQ(doc->Properties().Header().NumRecords(), 1);
    EXPECT_EQ(doc->FileName(), PathOf("root.sdb").string());
    EXPECT_EQ(doc->Tree().DBSize(), CSlideShowTree::kRootSize);
    ExpectConsistent(*doc);
    EXPECT_TRUE(Ui().Messages().empty());
    EXPECT_FALSE(Ui().ProgressVisible());
    EXPECT_EQ(Ui().StatusText(), "");

    auto untitled = NewDocument();
    ASSERT_TRUE(Read(*untitled, PathOf("root.sdb"), true));
    EXPECT_EQ(untitled->FileName(), "");
    EXPECT_EQ(untitled->WindowTitle(), "New Slide Show");
}

TEST_F(SlideShowReaderTest, FilesNotWrittenByThisProgramAreRefused) {
    auto foreign = test::WrittenRoot();
    foreign->SetFlagHi(0x03);
    CNode22 old21;
    old21.SetRecordType(kRecordTypeRoot);
    old21.SetVersion(kFileVersion21);
    old21.SetKey(1);
    old21.SetTitle("Ancient");
    const ByteVector files[] = {
        test::PalmDatabase({Bytes(foreign), Bytes(NodeRecord(2, 1, "Node"))}),
        test::PalmDatabase({test::RecordBytes(old21)}),
    };
    for (const auto& file : files) {
        Ui().ClearMessages();
        auto doc = ReadBytes(file, false);
        EXPECT_EQ(OnlyMessage(),
                  "This file was not created by Norvane Trovique and can not be opened.");
        EXPECT_EQ(Ui().Messages().back().style, kStyleCritical);
        EXPECT_EQ(Root(*doc), 0);
        ExpectConsistent(*doc);
    }
}

TEST_F(SlideShowReaderTest, UnsupportedVersionIsAReadError) {
    ByteVector root = Bytes(test::WrittenRoot());
    test::WriteBigEndian16(root, 6, 24);
    auto doc = ReadBytes(test::PalmDatabase({root}), false);
    EXPECT_EQ(OnlyMessage(),
              "Read error: The Database version is not supported.  You may need to upgrade your "
              "software.");
    EXPECT_EQ(Ui().Messages().back().style, kStyleInformation);
    EXPECT_TRUE(Ui().Messages().back().failure);
}

TEST_F(SlideShowReaderTest, CancelAfterTheThirdRecordKeepsThreeItems) {
    auto original = SampleShow();
    ASSERT_TRUE(Save(*original, PathOf("show.sdb")));
    Ui().CancelAfterUpdates(kProgressSetupUpdates + 3);
    auto doc = ReadBack(PathOf("show.sdb"), false);
    EXPECT_EQ(Titles(*doc), (std::vector<std::string>{"Sample Show", "Animals", "Plants"}));
    EXPECT_TRUE(Ui().Messages().empty());
    EXPECT_EQ(doc->FileName(), "");
    ExpectConsistent(*doc);
}

TEST_F(SlideShowReaderTest, HiddenRecordsMergeIntoTheSlideBeforeThem) {
    CLeaf first = LeafRecord(LeafKind::BITMAP, 3, 2, "First");
    first.SetSeeAlso(1, 5);
    first.SetSeeAlso(2, 6);
    CLeaf second = first;
    second.SetKey(4);
    second.SetColorBitmap(test::SlidePicture(32, 24, 1));
    second.ForceHidden();
    CLeaf next = LeafRecord(LeafKind::BITMAP, 7, 2, "Next");
    CLeaf stray = next;  // hidden pictures after a slide that already took its second pair
    stray.SetKey(8);
    stray.ForceHidden();
    const ByteVector file = test::PalmDatabase({
        Bytes(test::WrittenRoot()),
        Bytes(NodeRecord(2, 1, "Node")),
        Bytes(first),
        Bytes(second),
        Bytes(stray),
        TextRecord(5, 2, "Aux of first"),
        TextRecord(6, 2, "Fact of first", true),
        TextRecord(9, 2, "Unclaimed"),
        Bytes(next),
        TextRecord(5, 2, "Not for the next slide"),
    });
    auto doc = ReadBytes(file, true);
    EXPECT_EQ(Titles(*doc), (std::vector<std::string>{"Foreign Show", "Node", "First", "Next"}));
    const CLeaf& read = *doc->Tree().Entry(3).Leaf;
    EXPECT_EQ(read.AuxText(), "Aux of first");
    EXPECT_EQ(read.Fact(), "Fact of first");
    EXPECT_TRUE(read.Copyable());
    ASSERT_TRUE(read.AuxColorBitmap());
    EXPECT_EQ(read.AuxColorBitmap()->Width(), 32);
    EXPECT_EQ(read.SeeAlso(1) + read.SeeAlso(2) + read.SeeAlso(3), 0);
    const CLeaf& after = *doc->Tree().Entry(7).Leaf;
    EXPECT_FALSE(after.AuxColorBitmap()) << "a slide is never taken as second pictures";
    EXPECT_EQ(after.AuxText(), "");
    EXPECT_EQ(after.Fact(), "");
    ExpectConsistent(*doc);
}

TEST_F(SlideShowReaderTest, VisibleTextRecordsBecomeLeavesOfTheirKind) {
    CLeaf qaf = LeafRecord(LeafKind::QAF, 3, 2, "Question leaf");
    qaf.SetQuestion("Why?");
    qaf.SetAnswer(1, "Because");
    qaf.SetFact("Inline fact");
    qaf.SetSeeAlso(1, 4);
    CLeaf fact = LeafRecord(LeafKind::FACT, 5, 2, "Fact leaf");
    fact.SetFact("Only a fact");
    const ByteVector file = test::PalmDatabase({
        Bytes(test::WrittenRoot()),
        Bytes(NodeRecord(2, 1, "Node")),
        Bytes(qaf),
        TextRecord(4, 2, "Aux of the question"),
        Bytes(fact),
    });
    auto doc = ReadBytes(file, true);
    ASSERT_EQ(doc->Tree().LeafCount(), 2u);
    const CLeaf& question = *doc->Tree().Entry(3).Leaf;
    EXPECT_FALSE(question.FACTOnly());
    EXPECT_FALSE(question.BITMAPOnly());
    EXPECT_EQ(question.Question(), "Why?");
    EXPECT_EQ(question.GetAnswer(1), "Because");
    EXPECT_EQ(question.Fact(), "Inline fact");
    EXPECT_EQ(question.AuxText(), "Aux of the question");
    EXPECT_TRUE(doc->Tree().Entry(5).Leaf->FACTOnly());
    EXPECT_EQ(doc->Tree().Entry(5).Leaf->Fact(), "Only a fact");
    EXPECT_EQ(doc->Tree().DBSize(), CSlideShowTree::kRootSize + CSlideShowTree::kNodeSize +
                                        CSlideShowTree::kQAFLeafSize +
                                        CSlideShowTree::kFactLeafSize);
}

TEST_F(SlideShowReaderTest, VersionTwentyTwoFile) {
    CNode22 root;
    root.SetRecordType(kRecordTypeRoot);
    root.SetVersion(kFileVersion22);
    root.SetKey(1);
    root.SetFlagHi(0x0B);
    root.SetFlagLo(0x03);
    root.SetTitle("Old Show");
    root.SetPassword("secret");
    root.AddLink(2);
    CNode22 node;
    node.SetVersion(kFileVersion22);
    node.SetKey(2);
    node.SetParentKey(1);
    node.SetRecordType(kRecordTypeNode);
    node.SetIsEndNode(true);
    node.SetTitle("Old Node");
    node.AddLink(3);
    CLeaf22 leaf;
    leaf.SetKey(3);
    leaf.SetParentKey(2);
    leaf.SetLPI(1);
    leaf.SetTitle("Old Leaf");
    leaf.SetQuestion("Old question");
    leaf.SetFact("Old fact");
    leaf.SetDifficulty(2);
    // The splash picture as two bare Palm bitmaps, the first with its record prefix.
    auto colour = test::SlidePicture(128, 60, 7);
    CPalmBitmap mono;
    mono.ReadFromCBitmap(*test::MonochromeOf(*colour));
    CPalmBitmap palmColour;
    palmColour.ReadFromCBitmap(*colour);
    CMemoryFile measure;
    mono.WriteToFile(measure, true);
    const std::size_t monoSize = (measure.Size() + 3) / 4 * 4;
    mono.SetNextDepthOffset(static_cast<std::uint16_t>(monoSize / 4));
    CMemoryFile splash;
    mono.WriteToFile(splash, false);
    splash.Write(std::vector<std::uint8_t>(monoSize - measure.Size(), 0));
    palmColour.WriteToFile(splash, true);

    const ByteVector file = test::PalmDatabase(
        {test::RecordBytes(root), splash.Data(), test::RecordBytes(node), test::RecordBytes(leaf)});
    auto doc = ReadBytes(file, true);
    EXPECT_EQ(Titles(*doc), (std::vector<std::string>{"Old Show", "Old Node", "Old Leaf"}));
    EXPECT_EQ(doc->Properties().Password(), "secret");
    EXPECT_TRUE(doc->Properties().Locked());
    const CLeaf& read = *doc->Tree().Entry(3).Leaf;
    EXPECT_EQ(read.Question(), "Old question");
    EXPECT_EQ(read.Fact(), "Old fact");
    EXPECT_EQ(read.Difficulty(), 2);
    ASSERT_TRUE(doc->Properties().MonochromeSplash().bitmap);
    ASSERT_TRUE(doc->Properties().ColorSplash().bitmap);
    EXPECT_EQ(test::PalmBytesOf(*doc->Properties().ColorSplash().bitmap),
              test::PalmBytesOf(*colour));

    // Saved again, it is a current file.
    ASSERT_TRUE(Save(*doc, PathOf("upgraded.sdb")));
    auto upgraded = ReadBack(PathOf("upgraded.sdb"));
    test::ExpectSameDocument(*doc, *upgraded);
    const auto saved = test::ReadAllBytes(PathOf("upgraded.sdb"));
    const ByteVector bytes(saved.begin(), saved.end());
    const std::size_t rootAt = test::ReadBigEndian32(bytes, test::RecordListEntry(1));
    EXPECT_EQ(test::ReadBigEndian16(bytes, rootAt + 6), kCurrentFileVersion);
}

TEST_F(SlideShowReaderTest, UnknownRecordTypesAreSkipped) {
    ByteVector unknown = {0, 4, 0, 9, 0, 7, 1, 2, 3};
    const ByteVector file = test::PalmDatabase(
        {Bytes(test::WrittenRoot()), unknown, Bytes(LeafRecord(LeafKind::BITMAP, 3, 1, "Slide"))});
    auto doc = ReadBytes(file, true);
    EXPECT_EQ(Titles(*doc), (std::vector<std::string>{"Foreign Show", "Slide"}));
}

// Pages follow the tree, whatever the file said and in whatever order its leaves came.
TEST_F(SlideShowReaderTest, PagesAreRenumberedInTreeOrder) {
    auto root = test::WrittenRoot();
    CLeaf late = LeafRecord(LeafKind::BITMAP, 4, 3, "Under the second node");
    late.SetLPI(1);
    CLeaf early = LeafRecord(LeafKind::BITMAP, 5, 2, "Under the first node");
    early.SetLPI(1);
    const ByteVector file = test::PalmDatabase({
        Bytes(root),
        Bytes(NodeRecord(2, 1, "First")),
        Bytes(NodeRecord(3, 1, "Second")),
        Bytes(late),
        Bytes(early),
    });
    auto doc = ReadBytes(file, true);
    EXPECT_EQ(doc->Tree().Entry(5).Leaf->LPI(), 1);
    EXPECT_EQ(doc->Tree().Entry(4).Leaf->LPI(), 2);
    ExpectConsistent(*doc);
}

// Damaged and hostile files: a clear report, false, and what was read before stays whole.
TEST_F(SlideShowReaderTest, DamagedFilesAreReportedAndKeepWhatWasRead) {
    const ByteVector root = Bytes(test::WrittenRoot());
    const ByteVector node = Bytes(NodeRecord(2, 1, "Node"));
    const ByteVector slide = Bytes(LeafRecord(LeafKind::BITMAP, 3, 2, "Slide"));
    const auto valid = [&] { return test::PalmDatabase({root, node, slide}); };
    const auto patched = [&](std::size_t at, std::uint32_t value, bool wide) {
        ByteVector bytes = valid();
        wide ? test::WriteBigEndian32(bytes, at, value)
             : test::WriteBigEndian16(bytes, at, static_cast<std::uint16_t>(value));
        return bytes;
    };
    const struct {
        std::string name;
        ByteVector file;
        std::vector<std::string> kept;
    } cases[] = {
        {"record count far beyond the file", patched(76, 65535, false), {}},
        {"entry past the end",
         patched(test::RecordListEntry(3), 1u << 30, true),
         {"Foreign Show", "Node"}},
        {"entry inside the header", patched(test::RecordListEntry(2), 40, true), {"Foreign Show"}},
        {"overlapping records",
         patched(test::RecordListEntry(3), test::ReadBigEndian32(valid(), test::RecordListEntry(2)),
                 true),
         {"Foreign Show", "Node"}},
        {"record cut short by the next",
         patched(test::RecordListEntry(3),
                 test::ReadBigEndian32(valid(), test::RecordListEntry(2)) + 10, true),
         {"Foreign Show"}},
        {"parent names no node",
         test::PalmDatabase({root, Bytes(NodeRecord(2, 9, "Orphan"))}),
         {"Foreign Show"}},
        {"parent names a leaf",
         test::PalmDatabase(
             {root, node, slide, Bytes(LeafRecord(LeafKind::BITMAP, 4, 3, "Child"))}),
         {"Foreign Show", "Node", "Slide"}},
        {"node under a leaf",
         test::PalmDatabase({root, node, slide, Bytes(NodeRecord(4, 3, "Inside"))}),
         {"Foreign Show", "Node", "Slide"}},
        {"key reused",
         test::PalmDatabase({root, node, Bytes(NodeRecord(2, 1, "Twin"))}),
         {"Foreign Show", "Node"}},
        {"key of the root reused",
         test::PalmDatabase({root, Bytes(LeafRecord(LeafKind::BITMAP, 1, 1, "Root twin"))}),
         {"Foreign Show"}},
        {"no key",
         test::PalmDatabase({root, Bytes(NodeRecord(0, 1, "Keyless"))}),
         {"Foreign Show"}},
        {"second root", test::PalmDatabase({root, node, root}), {"Foreign Show", "Node"}},
        {"node before the root", test::PalmDatabase({node, root}), {}},
        {"record too short to peek",
         test::PalmDatabase({root, ByteVector{0, 4, 0}}),
         {"Foreign Show"}},
    };
    for (const auto& damage : cases) {
        SCOPED_TRACE(damage.name);
        Ui().ClearMessages();
        auto doc = ReadBytes(damage.file, false);
        EXPECT_EQ(OnlyMessage().rfind("Read error: ", 0), 0u);
        EXPECT_EQ(Titles(*doc), damage.kept);
        ExpectConsistent(*doc);
    }
}

// A file cut anywhere fails cleanly; only the whole file reads.
TEST_F(SlideShowReaderTest, FileCutAtEveryLength) {
    auto original = NewDocument();
    const int node = AddNodeUnder(*original, Root(*original));
    AddLeafUnder(*original, node, LeafKind::QAF, "Question");
    const int slide = AddLeafUnder(*original, node, LeafKind::FACT, "Fact");
    original->Tree().Entry(slide).Leaf->SetFACTOnly(false);
    original->Tree().Entry(slide).Leaf->SetBITMAPOnly(true);
    original->Tree().Entry(slide).Leaf->SetColorBitmap(test::SlidePicture(16, 12, 1));
    original->Tree().Entry(slide).Leaf->SetAuxText("Aux");
    const auto saved = SavedBytes(*original, "whole.sdb");
    const ByteVector whole(saved.begin(), saved.end());
    for (std::size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        Ui().ClearMessages();
        auto doc = ReadBytes(ByteVector(whole.begin(), whole.begin() + length), false);
        EXPECT_EQ(OnlyMessage().rfind("Read error: ", 0), 0u);
        ExpectConsistent(*doc);
        if (HasFatalFailure() || HasNonfatalFailure()) {
            break;
        }
    }
    Ui().ClearMessages();
    ReadBytes(whole, true);
}

// Every single byte of a small file turned into its complement: the reader may accept or
// refuse the result, but never crashes, hangs or leaves a broken tree.
TEST_F(SlideShowReaderTest, CorruptedBytesNeverBreakTheReader) {
    auto original = SampleShow();
    for (const int index : original->Tree().Preorder(Root(*original))) {
        if (auto& leaf = original->Tree().Entry(index).Leaf; leaf && leaf->BITMAPOnly()) {
            auto small = test::SlidePicture(8, 6, index);
            leaf->SetColorBitmap(small);
            leaf->SetMonochromeBitmap(test::MonochromeOf(*small));
            leaf->SetAuxColorBitmap(nullptr);
            leaf->SetAuxMonochromeBitmap(test::GreyOf(*small));
        }
    }
    const auto saved = SavedBytes(*original, "small.sdb");
    const ByteVector whole(saved.begin(), saved.end());
    for (std::size_t at = 0; at < whole.size(); ++at) {
        SCOPED_TRACE(at);
        ByteVector bytes = whole;
        bytes[at] = static_cast<std::uint8_t>(~bytes[at]);
        const auto path = PathOf("corrupt.sdb");
        test::WriteAllBytes(path, std::vector<unsigned char>(bytes.begin(), bytes.end()));
        auto doc = NewDocument();
        Read(*doc, path, false);
        ExpectConsistent(*doc);
        if (HasFatalFailure() || HasNonfatalFailure()) {
            break;
        }
    }
}

TEST_F(SlideShowReaderTest, MissingFilesAndFoldersAreReadErrors) {
    for (const auto& path : {PathOf("missing.sdb"), scratch_.Path()}) {
        Ui().ClearMessages();
        auto doc = NewDocument();
        EXPECT_FALSE(Read(*doc, path, false));
        EXPECT_EQ(OnlyMessage().rfind("Read error: ", 0), 0u);
        EXPECT_EQ(Root(*doc), 0);
        ExpectConsistent(*doc);
    }
}

}  // namespace
}  // namespace trovique
