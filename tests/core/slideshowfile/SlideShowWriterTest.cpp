#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "core/common/FileReplace.h"
#include "core/common/MemoryFile.h"
#include "core/common/TempFile.h"
#include "core/services/MessageStyle.h"
#include "core/slideshowfile/SlideShowFixture.h"

namespace trovique {
namespace {

using test::ByteVector;
using test::LeafKind;

// A file the writer produced, taken apart record by record.
class WrittenFile {
public:
    explicit WrittenFile(const std::vector<unsigned char>& bytes)
        : bytes_(bytes.begin(), bytes.end()) {}

    std::size_t NumRecords() const { return test::ReadBigEndian16(bytes_, 76); }
    std::uint32_t Offset(std::size_t number) const {
        return test::ReadBigEndian32(bytes_, test::RecordListEntry(number));
    }
    ByteVector Record(std::size_t number) const {
        const std::size_t end = number < NumRecords() ? Offset(number + 1) : bytes_.size();
        return ByteVector(bytes_.begin() + Offset(number), bytes_.begin() + end);
    }
    std::uint16_t Type(std::size_t number) const {
        return test::ReadBigEndian16(Record(number), 2);
    }
    CNode Node(std::size_t number) const {
        CMemoryFile file(Record(number));
        CNode node;
        node.ReadFromFile(file);
        EXPECT_TRUE(file.AtEnd()) << "record " << number << " has bytes past its end";
        return node;
    }
    CLeaf Leaf(std::size_t number) const {
        CMemoryFile file(Record(number));
        CLeaf leaf;
        leaf.ReadFromFile(file, test::TestPalettes());
        EXPECT_TRUE(file.AtEnd()) << "record " << number << " has bytes past its end";
        return leaf;
    }
    const ByteVector& Bytes() const { return bytes_; }

private:
    ByteVector bytes_;
};

class SlideShowWriterTest : public test::SlideShowTest {};

TEST_F(SlideShowWriterTest, RootOnlySlideShowIsOneRecordAt88) {
    auto doc = NewDocument();
    const WrittenFile file(SavedBytes(*doc, "root.sdb"));
    const ByteVector& bytes = file.Bytes();
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 14), "New Slide Show");
    EXPECT_EQ(file.NumRecords(), 1u);
    EXPECT_EQ(file.Offset(1), 88u);
    EXPECT_EQ(bytes[86], 0);
    EXPECT_EQ(bytes[87], 0);
    const CNode root = file.Node(1);
    EXPECT_EQ(root.Key(), 1);
    EXPECT_EQ(root.NumLinks(), 0u);
    EXPECT_EQ(root.FlagHi() & 0x08, 0x08);  // written by this program
    EXPECT_EQ(root.FlagHi() & 0x60, 0);     // no pictures, no texts
    EXPECT_EQ(root.FlagHi() & 0x03, 0x03);  // valid, expanded
    EXPECT_EQ(root.FlagLo(), 0x0B);         // switches 0 and 1, structured
    EXPECT_EQ(root.FirstLeafKey(), 0);
    EXPECT_EQ(root.TitleBitmapKey(), 0);
}

TEST_F(SlideShowWriterTest, SlideRecordNamesItsTextRecords) {
    // The handheld's layout; a working file differs only in keeping Copyable on the slide.
    auto doc = NewDocument();
    const int node = AddNodeUnder(*doc, Root(*doc));
    const int index = AddLeafUnder(*doc, node, LeafKind::BITMAP, "Slide");
    doc->Tree().Entry(index).Leaf->SetMonochromeBitmap(nullptr);  // colour only
    doc->Tree().Entry(index).Leaf->SetAuxText("Aux");
    const WrittenFile file(SavedBytes(*doc, "keys.pdb", true));
    EXPECT_TRUE(WrittenFile(SavedBytes(*doc, "keys.sdb")).Leaf(3).Copyable());

    ASSERT_EQ(file.NumRecords(), 5u);
    const CNode root = file.Node(1);
    const CNode category = file.Node(2);
    EXPECT_EQ(root.Key(), 1);
    EXPECT_EQ(category.Key(), 2);
    EXPECT_EQ(category.ParentKey(), 1);
    EXPECT_TRUE(category.IsEndNode());
    EXPECT_EQ(file.Type(2), kRecordTypeEndNode);
    ASSERT_EQ(category.NumLinks(), 1u);
    EXPECT_EQ(category.GetLink(1), 3);
    EXPECT_EQ(root.FirstLeafKey(), 3);
    EXPECT_EQ(root.FlagHi() & 0x60, 0x60);

    const CLeaf slide = file.Leaf(3);
    EXPECT_EQ(slide.Key(), 3);
    EXPECT_EQ(slide.ParentKey(), 2);
    EXPECT_TRUE(slide.BITMAPOnly());
    EXPECT_FALSE(slide.Hidden());
    EXPECT_FALSE(slide.Copyable());
    EXPECT_EQ(slide.SeeAlso(1), 4);
    EXPECT_EQ(slide.SeeAlso(2), 5);
    EXPECT_EQ(slide.SeeAlso(3), 0);
    EXPECT_TRUE(slide.ColorBitmap());
    EXPECT_FALSE(slide.MonochromeBitmap());

    const struct {
        std::size_t number;
        std::string text;
    } texts[] = {{4, "Aux"}, {5, "The fact of Slide\r\nsecond line"}};
    for (const auto& expected : texts) {
        const CLeaf text = file.Leaf(expected.number);
        EXPECT_EQ(file.Type(expected.number), kRecordTypeFact);
        EXPECT_EQ(text.Key(), expected.number);
        EXPECT_EQ(text.ParentKey(), 2);
        EXPECT_TRUE(text.Hidden());
        EXPECT_EQ(text.Fact(), expected.text);
        EXPECT_EQ(text.SeeAlso(1) + text.SeeAlso(2) + text.SeeAlso(3), 0);
    }
    EXPECT_TRUE(file.Leaf(5).Copyable()) << "the fact record carries the leaf's Copyable";
}

TEST_F(SlideShowWriterTest, FactRecordLosesTrailingLineBreaks) {
    auto doc = NewDocument();
    const int index = AddLeafUnder(*doc, Root(*doc), LeafKind::BITMAP, "Slide");
    doc->Tree().Entry(index).Leaf->SetFact("Fact\r\n\r\n");
    const WrittenFile file(SavedBytes(*doc, "fact.pdb", true));
    ASSERT_EQ(file.NumRecords(), 3u);
    EXPECT_EQ(file.Leaf(3).Fact(), "Fact");
}

TEST_F(SlideShowWriterTest, SplashRecordOnlyWithAMonochromeSplash) {
    const struct {
        bool monochrome;
        bool colour;
    } cases[] = {{true, false}, {true, true}, {false, true}};
    for (const auto& splash : cases) {
        SCOPED_TRACE(testing::Message()
                     << "mono " << splash.monochrome << " colour " << splash.colour);
        auto doc = NewDocument();
        auto colour = test::SlidePicture(128, 60, 3);
        if (splash.monochrome) {
            test::SetSplash(doc->Properties().MonochromeSplash(), test::MonochromeOf(*colour));
        }
        if (splash.colour) {
            test::SetSplash(doc->Properties().ColorSplash(), colour);
        }
        AddLeafUnder(*doc, Root(*doc), LeafKind::BITMAP, "Slide");
        const WrittenFile file(SavedBytes(*doc, "splash.sdb"));
        const CNode root = file.Node(1);
        if (!splash.monochrome) {
            EXPECT_EQ(root.TitleBitmapKey(), 0);
            EXPECT_EQ(file.NumRecords(), 3u);  // root, slide, fact
            continue;
        }
        EXPECT_EQ(root.TitleBitmapKey(), 2);
        EXPECT_EQ(root.FirstLeafKey(), 3);
        const CLeaf record = file.Leaf(2);
        EXPECT_EQ(record.Key(), 2);
        EXPECT_EQ(record.ParentKey(), 0);
        EXPECT_TRUE(record.MonochromeBitmap());
        EXPECT_EQ(record.ColorBitmap() != nullptr, splash.colour);
    }
}

TEST_F(SlideShowWriterTest, ExportLeavesFileNameAndDirtyFlagAlone) {
    auto doc = SampleShow();
    ASSERT_TRUE(doc->Dirty());
    ASSERT_TRUE(Export(*doc, PathOf("show.pdb")));
    EXPECT_TRUE(doc->Dirty());
    EXPECT_EQ(doc->FileName(), "");
    EXPECT_EQ(doc->WindowTitle(), "New Slide Show");

    ASSERT_TRUE(Save(*doc, PathOf("show.sdb")));
    EXPECT_FALSE(doc->Dirty());
    EXPECT_EQ(doc->FileName(), PathOf("show.sdb").string());
    EXPECT_EQ(doc->WindowTitle(), "show.sdb");
    EXPECT_EQ(Ui().MessageTexts(), std::vector<std::string>{});
}

// The handheld's layout has no record for a leaf without pictures; a working file keeps one
// visible record of the leaf's own kind.
TEST_F(SlideShowWriterTest, LeavesWithoutPicturesInWorkingAndExportFiles) {
    auto doc = NewDocument();
    const int qaf = AddLeafUnder(*doc, Root(*doc), LeafKind::QAF, "Question");
    doc->Tree().Entry(qaf).Leaf->SetAuxText("Aux");
    AddLeafUnder(*doc, Root(*doc), LeafKind::BITMAP, "Slide");
    EXPECT_EQ(LeavesLeftOutOfExport(*doc), 1u);

    const WrittenFile exported(SavedBytes(*doc, "show.pdb", true));
    ASSERT_EQ(exported.NumRecords(), 5u);  // root; aux and fact of the QAF; slide and fact
    EXPECT_TRUE(exported.Leaf(2).Hidden());
    EXPECT_TRUE(exported.Leaf(3).Hidden());
    EXPECT_EQ(exported.Leaf(2).Fact(), "Aux");
    EXPECT_EQ(exported.Leaf(2).Key(), 3);  // the QAF leaf's own key 2 names no record
    EXPECT_EQ(exported.Node(1).FirstLeafKey(), 2);

    const WrittenFile saved(SavedBytes(*doc, "show.sdb"));
    ASSERT_EQ(saved.NumRecords(), 5u);  // root; QAF and its aux; slide and fact
    EXPECT_EQ(saved.Type(2), kRecordTypeQAF);
    const CLeaf own = saved.Leaf(2);
    EXPECT_FALSE(own.Hidden());
    EXPECT_EQ(own.Key(), 2);
    EXPECT_EQ(own.SeeAlso(1), 3);
    EXPECT_EQ(own.Question(), "What about Question?");
    EXPECT_EQ(own.Fact(), "The fact of Question\r\nsecond line");
    EXPECT_TRUE(saved.Leaf(3).Hidden());
    EXPECT_EQ(saved.Leaf(3).Fact(), "Aux");
}

TEST_F(SlideShowWriterTest, RootLinksCarryTheFirstPageBelowEachChild) {
    auto doc = NewDocument();
    const int first = AddNodeUnder(*doc, Root(*doc));
    AddLeafUnder(*doc, first, LeafKind::BITMAP, "One");
    AddLeafUnder(*doc, first, LeafKind::BITMAP, "Two");
    const int empty = AddNodeUnder(*doc, Root(*doc));
    (void)empty;
    const int third = AddNodeUnder(*doc, Root(*doc));
    const int inner = AddNodeUnder(*doc, third);
    AddLeafUnder(*doc, inner, LeafKind::BITMAP, "Three");
    const WrittenFile file(SavedBytes(*doc, "links.sdb"));
    const CNode root = file.Node(1);
    ASSERT_EQ(root.NumLinks(), 3u);
    EXPECT_EQ(root.GetLinkData(1), 1);
    EXPECT_EQ(root.GetLinkData(2), 0);
    EXPECT_EQ(root.GetLinkData(3), 3);
    EXPECT_FALSE(file.Node(4).IsEndNode());  // the third category holds a node
    EXPECT_TRUE(file.Node(5).IsEndNode());
}

TEST_F(SlideShowWriterTest, MoreKeysThanSixteenBitsHoldFailsCleanly) {
    auto doc = NewDocument();
    const int node = AddNodeUnder(*doc, Root(*doc));
    // In the handheld's file each leaf takes three keys (itself, its aux text and its fact)
    // but writes only the two text records: the keys run out before the record count does.
    for (int i = 0; i < 22000; ++i) {
        const int leaf = doc->AddGenNode(ElementKind::Leaf, "L", nullptr, node, Relationship::Child,
                                         AddOptions::None);
        doc->Tree().Entry(leaf).Leaf->SetAuxText("A");
        doc->Tree().Entry(leaf).Leaf->SetFact("F");
    }
    const auto path = PathOf("huge.sdb");
    EXPECT_FALSE(Export(*doc, path));
    ASSERT_EQ(Ui().Messages().size(), 1u);
    EXPECT_EQ(Ui().Messages()[0].text.rfind("An error has occurred saving data: Invalid value", 0),
              0u)
        << Ui().Messages()[0].text;
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(TemporaryFilesLeft(), 0u);
}

// Every failure leaves the target as it was and no temporary file behind.
TEST_F(SlideShowWriterTest, FailedSavesLeaveTargetAndTemporaryFolderUntouched) {
    std::filesystem::create_directories(PathOf("folder"));
    const struct {
        std::string name;
        std::filesystem::path target;
    } cases[] = {
        {"target is a folder", PathOf("folder")},
        {"missing parent folder", PathOf("missing") / "show.sdb"},
        {"system file", "/proc/version"},
    };
    for (const auto& failure : cases) {
        SCOPED_TRACE(failure.name);
        Ui().ClearMessages();
        auto doc = SampleShow();
        const bool existed = std::filesystem::exists(failure.target);
        EXPECT_FALSE(Save(*doc, failure.target));
        ASSERT_EQ(Ui().Messages().size(), 1u);
        EXPECT_EQ(Ui().Messages()[0].text.rfind("An error has occurred saving data: ", 0), 0u);
        EXPECT_NE(Ui().Messages()[0].text.find("\r\nSource: "), std::string::npos);
        EXPECT_EQ(Ui().Messages()[0].style, kStyleInformation);
        EXPECT_EQ(std::filesystem::exists(failure.target), existed);
        EXPECT_TRUE(doc->Dirty());
        EXPECT_EQ(TemporaryFilesLeft(), 0u);
    }
    EXPECT_TRUE(std::filesystem::is_empty(PathOf("folder")));
}

TEST_F(SlideShowWriterTest, CancelledSaveKeepsTheOldFile) {
    auto doc = SampleShow();
    const auto path = PathOf("show.sdb");
    test::WriteAllBytes(path, {'o', 'l', 'd'});
    Ui().CancelAfterUpdates(6);  // a few items into the writing run
    EXPECT_FALSE(Save(*doc, path));
    EXPECT_EQ(test::ReadAllBytes(path), (std::vector<unsigned char>{'o', 'l', 'd'}));
    EXPECT_EQ(TemporaryFilesLeft(), 0u);
    EXPECT_TRUE(doc->Dirty());
    EXPECT_FALSE(Ui().ProgressVisible());
}

TEST_F(SlideShowWriterTest, EmptyPathWritesNothing) {
    auto doc = NewDocument();
    EXPECT_FALSE(Save(*doc, {}));
    EXPECT_TRUE(Ui().Messages().empty());
    EXPECT_EQ(TemporaryFilesLeft(), 0u);
}

// A full disk, for real: the save runs in a child process whose files may not grow past a few
// hundred bytes.
TEST_F(SlideShowWriterTest, FullDiskLeavesTheOldFile) {
    auto doc = SampleShow();
    const auto path = PathOf("show.sdb");
    test::WriteAllBytes(path, {'o', 'l', 'd'});
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{400, 400};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool saved = Save(*doc, path);
        const bool reported = Ui().Messages().size() == 1;
        ::_exit(!saved && reported ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save should fail and say so";
    EXPECT_EQ(test::ReadAllBytes(path), (std::vector<unsigned char>{'o', 'l', 'd'}));
    EXPECT_EQ(TemporaryFilesLeft(), 0u);
}

class FileReplaceTest : public test::SlideShowTest {};

TEST_F(FileReplaceTest, FailureWhileWritingTheCopyKeepsTheTarget) {
    const auto target = PathOf("target.sdb");
    test::WriteAllBytes(target, {'o', 'l', 'd'});
    const auto produce = [](const WriteBytes& write) {
        const std::vector<std::uint8_t> half(5000, 7);
        write(half);
        throw CError(kErrPathFileAccess, "test", "No space left on device");
    };
    EXPECT_THROW(ReplaceFile(target, produce), CError);
    EXPECT_EQ(test::ReadAllBytes(target), (std::vector<unsigned char>{'o', 'l', 'd'}));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(scratch_.Path())) {
        ++files;
    }
    EXPECT_EQ(files, 2u);  // the target and the temporary folder
}

TEST_F(FileReplaceTest, ReplacedFileKeepsItsPermissions) {
    const auto target = PathOf("target.sdb");
    test::WriteAllBytes(target, {'o', 'l', 'd'});
    std::filesystem::permissions(target, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_read);
    ReplaceFile(target, [](const WriteBytes& write) {
        const std::vector<std::uint8_t> bytes = {'n', 'e', 'w'};
        write(bytes);
    });
    EXPECT_EQ(test::ReadAllBytes(target), (std::vector<unsigned char>{'n', 'e', 'w'}));
    EXPECT_EQ(std::filesystem::status(target).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
}

// A new file gets the permissions the user's umask gives any new file, not the private ones of
// the temporary file it was written as.
TEST_F(FileReplaceTest, NewFileGetsTheUsualPermissions) {
    const mode_t previous = ::umask(027);
    ReplaceFile(PathOf("new.sdb"), [](const WriteBytes& write) {
        const std::vector<std::uint8_t> bytes = {'n'};
        write(bytes);
    });
    ::umask(previous);
    EXPECT_EQ(
        std::filesystem::status(PathOf("new.sdb")).permissions() & std::filesystem::perms::all,
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
            std::filesystem::perms::group_read);
}

TEST_F(FileReplaceTest, TemporaryFilesArePrivateUniqueAndRemoved) {
    std::filesystem::path first;
    {
        CTemporaryFile a(TemporaryDirectory(), "~TM");
        CTemporaryFile b(TemporaryDirectory(), "~TM");
        first = a.Path();
        EXPECT_EQ(a.Path().parent_path(), TempDir());
        EXPECT_EQ(a.Path().filename().string().rfind("~TM", 0), 0u);
        EXPECT_NE(a.Path(), b.Path());
        EXPECT_EQ(std::filesystem::status(a.Path()).permissions() & std::filesystem::perms::all,
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    }
    EXPECT_FALSE(std::filesystem::exists(first));
    EXPECT_THROW(CTemporaryFile(PathOf("missing"), "~TM"), CError);
}

}  // namespace
}  // namespace trovique
