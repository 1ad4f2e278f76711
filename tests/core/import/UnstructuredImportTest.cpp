#include "core/import/UnstructuredImport.h"

#include <gtest/gtest.h>

#include "core/model/Leaf.h"
#include "core/services/MessageStyle.h"
#include "support/DocumentFixture.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

const std::vector<std::string> kDefaultDelimiters = {"\r\n\r\n", "\r\n\t"};

using Leaf = test::LeafText;

class UnstructuredImportTest : public testing::Test, public test::DocumentFixture {
protected:
    void SetUp() override { doc = NewDocument(); }

    int Root() const { return doc->Tree().GetNodeInfoIndexOfRoot(); }

    std::filesystem::path WriteFile(const std::string& bytes, const std::string& name = "in.txt") {
        const auto path = scratch / name;
        test::WriteAllBytes(path, std::vector<unsigned char>(bytes.begin(), bytes.end()));
        return path;
    }

    UnstructuredImportResult Import(const std::string& bytes, UnstructuredImportOptions options) {
        return ReadUnstructured(*doc, WriteFile(bytes), options);
    }

    // The leaves under the root in page order.
    std::vector<Leaf> Leaves() const { return test::LeafTexts(*doc); }

    test::ScratchDir scratch;
    std::unique_ptr<CDocument> doc;
};

struct ImportCase {
    const char* name;
    std::string file;
    std::vector<std::string> delimiters;
    int titleChars;
    std::string titleDelimiter;
    std::vector<Leaf> leaves;
};

class ImportCaseTest : public UnstructuredImportTest,
                       public testing::WithParamInterface<ImportCase> {};

TEST_P(ImportCaseTest, GivesTheLeaves) {
    const ImportCase& c = GetParam();
    const auto result = Import(c.file, {c.delimiters, c.titleChars, c.titleDelimiter});
    EXPECT_TRUE(result.ok) << testing::PrintToString(Ui().MessageTexts());
    EXPECT_EQ(Leaves(), c.leaves);
    EXPECT_EQ(result.leavesAdded, c.leaves.size());
    EXPECT_TRUE(Ui().Messages().empty());
}

const std::vector<std::string> kSemicolon = {";"};
const std::string kFact = "<FACT>";  // the default name of a new leaf

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ImportCaseTest, testing::Values(
    ImportCase{"DefaultDelimiters", "A\r\n\r\nB\r\n\tC", kDefaultDelimiters, 0, "",
               {{kFact, "A"}, {kFact, "B"}, {kFact, "C"}}},
    ImportCase{"LongerDelimiterAtOnePlace", "A\r\n\r\nB", {"\r\n", "\r\n\r\n"}, 0, "",
               {{kFact, "A"}, {kFact, "B"}}},
    ImportCase{"UseFirstFive", "Hello world", kSemicolon, 5, "", {{"Hello", "Hello world"}}},
    ImportCase{"UseFirstIsCappedAtTheTitleLimit", std::string(300, 'x'), {}, 400, "",
               {{std::string(255, 'x'), std::string(300, 'x')}}},
    ImportCase{"UseFirstOnAnEmptyPieceKeepsTheDefault", ";B", kSemicolon, 3, "",
               {{kFact, ""}, {"B", "B"}}},
    ImportCase{"TitleDelimiterThatDoesNotOccur", "no colon", kSemicolon, 0, ":",
               {{kFact, "no colon"}}},
    ImportCase{"TitleDelimiterFound", "Name: text;Other: more", kSemicolon, 0, ":",
               {{"Name", "Name: text"}, {"Other", "Other: more"}}},
    ImportCase{"TitleDelimiterAtTheStart", ":text", kSemicolon, 0, ":", {{kFact, ":text"}}},
    ImportCase{"TitleStopsBeforeALineBreakItWouldPart", "Line\r\nnext", {}, 5, "",
               {{"Line", "Line\r\nnext"}}},
    // A title is the text of the piece's first line or lines, never its line breaks.
    ImportCase{"UseFirstEndingInALineBreak", "Line\r\nnext", {}, 6, "",
               {{"Line", "Line\r\nnext"}}},
    ImportCase{"UseFirstOverAnEmptyLine", "Hi\r\n\r\nthere;B\r\n", kSemicolon, 6, "",
               {{"Hi", "Hi\r\n\r\nthere"}, {"B", "B\r\n"}}},
    ImportCase{"UseFirstOfOnlyLineBreaksKeepsTheDefault", "\r\n\r\nBody", kSemicolon, 4, "",
               {{kFact, "\r\n\r\nBody"}}},
    ImportCase{"UseFirstAfterALeadingLineBreak", "\r\nBody", {}, 4, "", {{"Bo", "\r\nBody"}}},
    ImportCase{"TitleDelimiterAfterALineBreak", "Name\r\n: text", kSemicolon, 0, ":",
               {{"Name", "Name\r\n: text"}}},
    ImportCase{"FileEndingWithADelimiter", "A\r\n\r\nB\r\n\r\n", kDefaultDelimiters, 0, "",
               {{kFact, "A"}, {kFact, "B"}}},
    ImportCase{"FileOfOneDelimiter", "\r\n\r\n", kDefaultDelimiters, 0, "", {{kFact, ""}}},
    ImportCase{"AdjacentDelimiters", "A\r\n\r\n\r\n\r\nB", kDefaultDelimiters, 0, "",
               {{kFact, "A"}, {kFact, ""}, {kFact, "B"}}},
    // Files written on Unix: the stored delimiters find their empty lines too, and the facts
    // get the CR LF breaks the records keep.
    ImportCase{"UnixLineBreaks", "A\nline 2\n\nB\n\tC\n", kDefaultDelimiters, 0, "",
               {{kFact, "A\r\nline 2"}, {kFact, "B"}, {kFact, "C\r\n"}}},
    ImportCase{"UnixTitleDelimiter", "Title\nbody", {}, 0, "\n", {{"Title", "Title\r\nbody"}}},
    ImportCase{"Utf8WithoutMark", "caf\xC3\xA9\r\n\r\nna\xC3\xAFve \xE2\x82\xAC 5",
               kDefaultDelimiters, 4, "",
               {{"caf\xE9", "caf\xE9"}, {"na\xEFv", "na\xEFve \x80 5"}}},
    ImportCase{"Utf8WithMark", "\xEF\xBB\xBF" "A\xC3\xA9\r\n\r\nB", kDefaultDelimiters, 0, "",
               {{kFact, "A\xE9"}, {kFact, "B"}}},
    ImportCase{"ExactlyTheFactLimit", std::string(10000, 'y'), {}, 0, "",
               {{kFact, std::string(10000, 'y')}}}),
    [](const testing::TestParamInfo<ImportCase>& c) { return std::string(c.param.name); });
// clang-format on

TEST_F(UnstructuredImportTest, LeavesAreFactLeavesOfAnUnstructuredSlideShow) {
    ASSERT_TRUE(Import("A;B;C", {{";"}, 0, ""}).ok);
    const auto& children = doc->Tree().Children(Root());
    ASSERT_EQ(children.size(), 3u);
    for (std::size_t i = 0; i < children.size(); ++i) {
        const CLeaf& leaf = *doc->Tree().Entry(children[i]).Leaf;
        EXPECT_TRUE(leaf.FACTOnly());
        EXPECT_FALSE(leaf.BITMAPOnly());
        EXPECT_EQ(leaf.Difficulty(), 3);
        EXPECT_EQ(leaf.LPI(), i + 1);
    }
    EXPECT_FALSE(doc->Properties().Structured());
    EXPECT_TRUE(doc->Dirty());
    EXPECT_EQ(doc->Tree().DBSize(), CSlideShowTree::kRootSize + 3 * CSlideShowTree::kFactLeafSize);
}

TEST_F(UnstructuredImportTest, AnEmptyFileLeavesTheSlideShowAsItWas) {
    ASSERT_TRUE(Import("", {kDefaultDelimiters, 0, ""}).ok);
    EXPECT_TRUE(doc->Properties().Structured());
    EXPECT_EQ(doc->Tree().LeafCount(), 0u);
}

TEST_F(UnstructuredImportTest, APieceOverTheFactLimitEndsTheImportNamingIt) {
    const std::string file = "A;B\r\nsecond line;" + std::string(10001, 'x') + ";D";
    const auto result = Import(file, {{";"}, 0, ""});
    EXPECT_FALSE(result.ok);
    // The leaves before it stay; no half-made leaf is left for the long piece.
    EXPECT_EQ(Leaves(), (std::vector<Leaf>{{"<FACT>", "A"}, {"<FACT>", "B\r\nsecond line"}}));
    ASSERT_EQ(Ui().Messages().size(), 1u);
    EXPECT_EQ(Ui().Messages()[0].text,
              "Read Unstructured error: Data too long to fit.  Try shortening the data. Piece 3 "
              "(from line 2) has 10001 characters; a leaf holds at most 10000. It and the rest "
              "of the file were not imported.");
    EXPECT_EQ(Ui().Messages()[0].style, kStyleInformation);
}

TEST_F(UnstructuredImportTest, SplittingKeepsEveryCharacterOfALongPiece) {
    std::string longPiece;
    for (int line = 0; longPiece.size() < 25000; ++line) {
        longPiece += "line " + std::to_string(line) + " of a long piece\r\n";
    }
    longPiece.resize(longPiece.size() - 2);  // the delimiter supplies the last break
    UnstructuredImportOptions options{{"\r\n\r\n"}, 4, "", LongPieces::Split};
    const auto result = Import("A\r\n\r\n" + longPiece + "\r\n\r\nZ", options);
    ASSERT_TRUE(result.ok);
    const auto leaves = Leaves();
    ASSERT_EQ(leaves.size(), 5u);
    std::string joined;
    for (std::size_t i = 1; i + 1 < leaves.size(); ++i) {
        EXPECT_LE(leaves[i].fact.size(), CLeaf::kMaxFact);
        if (i + 2 < leaves.size()) {
            EXPECT_EQ(leaves[i].fact.substr(leaves[i].fact.size() - 2), "\r\n");  // at a break
        }
        EXPECT_EQ(leaves[i].title, leaves[i].fact.substr(0, 4));
        joined += leaves[i].fact;
    }
    EXPECT_EQ(joined, longPiece);
    EXPECT_EQ(leaves.back().fact, "Z");
    ASSERT_EQ(result.splitPieces.size(), 1u);
    EXPECT_EQ(result.splitPieces[0].piece, 2u);
    EXPECT_EQ(result.splitPieces[0].line, 3u);
    EXPECT_EQ(result.splitPieces[0].length, longPiece.size());
    EXPECT_EQ(result.splitPieces[0].leaves, 3u);
}

TEST_F(UnstructuredImportTest, StatusBarShowsTheFileWhileReadingAndIsRestoredAfter) {
    struct RecordingView : IStatusBarView {
        std::vector<std::string> texts;
        void SetPanelText(int panel, const std::string& text) override {
            if (panel == 1 && (texts.empty() || texts.back() != text)) {
                texts.push_back(text);
            }
        }
    } view;
    Ui().StatusBar().PushText("Ready");
    Ui().StatusBar().SetStatusBar(&view);
    const auto path = WriteFile("A;B", "notes.txt");
    ASSERT_TRUE(ReadUnstructured(*doc, path, {";"}, 0, ""));
    Ui().StatusBar().SetStatusBar(nullptr);
    EXPECT_EQ(view.texts,
              (std::vector<std::string>{"Ready", "Reading Unstructured" + path.string(), "Ready"}));
    EXPECT_EQ(Ui().StatusBar().NumItems(), 0);
    EXPECT_EQ(Ui().Pointer(), MousePointer::Default);
}

TEST_F(UnstructuredImportTest, AMissingFileIsReported) {
    EXPECT_FALSE(ReadUnstructured(*doc, scratch / "absent.txt", kDefaultDelimiters, 0, ""));
    ASSERT_EQ(Ui().Messages().size(), 1u);
    EXPECT_EQ(Ui().Messages()[0].text.rfind("Read Unstructured error: File not found", 0), 0u)
        << Ui().Messages()[0].text;
    EXPECT_EQ(doc->Tree().LeafCount(), 0u);
}

TEST_F(UnstructuredImportTest, ASlideShowWithCategoriesIsRefused) {
    doc->Tree().Select(Root());
    doc->AddNode();
    EXPECT_FALSE(Import("A;B", {{";"}, 0, ""}).ok);
    ASSERT_EQ(Ui().Messages().size(), 1u);
    EXPECT_NE(Ui().Messages()[0].text.find("divided into categories"), std::string::npos);
    EXPECT_EQ(doc->Tree().LeafCount(), 0u);
    EXPECT_TRUE(doc->Properties().Structured());
}

TEST_F(UnstructuredImportTest, NoMoreLeavesThanOneNodeCanHold) {
    std::string file;
    for (std::size_t i = 0; i <= kMostLeavesUnderOneNode; ++i) {
        file += "x;";
    }
    const auto result = Import(file, {{";"}, 0, ""});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.leavesAdded, kMostLeavesUnderOneNode);
    EXPECT_EQ(doc->Tree().LeafCount(), kMostLeavesUnderOneNode);
    ASSERT_EQ(Ui().Messages().size(), 1u);
    EXPECT_EQ(Ui().Messages()[0].text,
              "Read Unstructured error: The slide show already holds 15500 leaves under its "
              "root, the most one node can hold; the rest of the file was not imported.");
}

TEST_F(UnstructuredImportTest, NoLeafPastTheLastSixteenBitKey) {
    auto last = std::make_shared<CLeaf>();
    last->SetKey(65535);
    ASSERT_EQ(
        doc->AddGenNode(ElementKind::Leaf, {}, last, Root(), Relationship::Child, AddOptions::None),
        65535);
    EXPECT_FALSE(Import("A;B", {{";"}, 0, ""}).ok);
    EXPECT_EQ(doc->Tree().LeafCount(), 1u);
    ASSERT_EQ(Ui().Messages().size(), 1u);
    EXPECT_NE(Ui().Messages()[0].text.find("65535 element numbers"), std::string::npos)
        << Ui().Messages()[0].text;
}

struct SplitPointCase {
    std::string piece;
    std::size_t maximum;
    std::size_t cut;
};

class SplitPointTest : public testing::TestWithParam<SplitPointCase> {};

TEST_P(SplitPointTest, CutsWhereAReaderWouldExpect) {
    EXPECT_EQ(SplitPoint(GetParam().piece, GetParam().maximum), GetParam().cut) << GetParam().piece;
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitPointTest,
                         testing::Values(SplitPointCase{"one two three", 9, 8},
                                         SplitPointCase{"abcdefghij", 4, 4},
                                         SplitPointCase{"abc\r\ndef", 4, 3}));

}  // namespace
}  // namespace trovique
