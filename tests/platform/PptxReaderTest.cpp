#include "platform/PptxReader.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "FixtureWriters.h"
#include "core/common/Error.h"
#include "platform/ZipArchive.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

using test::Paragraph;
using test::Shape;

std::string TitleOf(const SlideContent& slide) {
    for (const auto& shape : slide.shapes) {
        if (shape.isTitle) {
            return shape.text;
        }
    }
    return {};
}

// ---- Real presentations written by other programs.

struct DeckCase {
    const char* file;
    std::size_t slides;
    std::map<std::size_t, std::string> titles;  // slide number -> title ("" = none)
    std::map<std::size_t, std::string> notes;
};

void PrintTo(const DeckCase& deck, std::ostream* out) {
    *out << deck.file;
}

class PptxReaderDeckTest : public ::testing::TestWithParam<DeckCase> {};

TEST_P(PptxReaderDeckTest, ReadsSlideCountTitlesAndNotes) {
    const auto& deck = GetParam();
    const CPptxReader reader(test::DecksDir() / deck.file);
    ASSERT_EQ(reader.Slides().size(), deck.slides);
    for (const auto& [number, title] : deck.titles) {
        EXPECT_EQ(TitleOf(reader.Slides()[number - 1]), title) << "slide " << number;
    }
    for (const auto& [number, notes] : deck.notes) {
        EXPECT_EQ(reader.Slides()[number - 1].notes, notes) << "slide " << number;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Decks, PptxReaderDeckTest,
    ::testing::Values(
        DeckCase{"45541_Footer.pptx",
                 11,
                 {{1, "Removing financing obstacles through project structuring "},
                  {2, "Outline of the presentation"},
                  {3, ""}},
                 {{1, ""}, {11, ""}}},
        // The title of slide 9 comes second in drawing order.
        DeckCase{"themes.pptx",
                 10,
                 {{1, "Standard Office theme"}, {9, "Section header in the treck theme"}},
                 {}},
        // Pictures, tables and charts in placeholders carry no text.
        DeckCase{"ph-populated-placeholders.pptx", 9, {{1, ""}, {5, "Title Text"}}, {}},
        DeckCase{"prs-notes.pptx", 1, {}, {{1, "Notes"}}},
        DeckCase{"sld-notes.pptx", 2, {}, {{1, "Notes"}, {2, ""}}},
        DeckCase{"test.pptx", 1, {{1, "Presentation Title Text"}}, {}},
        DeckCase{"tbl-cell.pptx", 3, {}, {}}, DeckCase{"shp-groupshape.pptx", 1, {}, {}}),
    [](const auto& instance) {
        std::string name = instance.param.file;
        name = name.substr(0, name.find('.'));
        std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
        return name;
    });

TEST(PptxReaderTest, KeepsLineBreaksFieldsAndParagraphsOfARealDeck) {
    const CPptxReader reader(test::DecksDir() / "txt-text.pptx");
    ASSERT_EQ(reader.Slides().size(), 2u);
    const auto& shapes = reader.Slides()[0].shapes;
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_EQ(shapes[0].text, " Foo Bar \v Baz Zoo \v1\r\nyahoo.com");
    EXPECT_EQ(shapes[1].text, "abc\r\na\vb\vc");
}

// ---- Presentations made here, one feature at a time.

class PptxReaderMadeTest : public ::testing::Test {
protected:
    std::vector<SlideContent> Read(const test::PackageParts& parts) {
        const auto file = scratch_ / "made.pptx";
        test::WriteZip(file, parts);
        return CPptxReader(file).Slides();
    }

    test::ScratchDir scratch_;
};

struct BulletCase {
    const char* name;
    std::string shape;
    bool visible;
    int type;
};

// The master shows symbols at level 1 and numbers at level 2 of body text; the layout's
// placeholder 2 turns bullets off; titles and plain text boxes have none.
const std::string kMasterStyles =
    "<p:titleStyle><a:lvl1pPr><a:buNone/></a:lvl1pPr></p:titleStyle>"
    "<p:bodyStyle><a:lvl1pPr><a:buChar char=\"&#8226;\"/></a:lvl1pPr>"
    "<a:lvl2pPr><a:buAutoNum type=\"arabicPeriod\"/></a:lvl2pPr></p:bodyStyle>"
    "<p:otherStyle><a:lvl1pPr/></p:otherStyle>";
const std::string kLayoutShapes =
    Shape("type=\"body\" idx=\"1\"", "<a:lstStyle/>") +
    Shape("type=\"body\" idx=\"2\"", "<a:lstStyle><a:lvl1pPr><a:buNone/></a:lvl1pPr></a:lstStyle>");

const std::vector<BulletCase> kBulletCases = {
    {"MasterSymbol", Shape("idx=\"1\"", Paragraph("a")), true, 1},
    {"MasterNumbersAtLevelTwo", Shape("idx=\"1\"", Paragraph("a", "", "lvl=\"1\"")), true, 2},
    {"LayoutTurnsOff", Shape("type=\"body\" idx=\"2\"", Paragraph("a")), false, 0},
    {"ParagraphNumbers",
     Shape("type=\"body\" idx=\"2\"", Paragraph("a", "<a:buAutoNum type=\"arabicPeriod\"/>") +
                                          Paragraph("b", "<a:buAutoNum type=\"arabicPeriod\"/>")),
     true, 2},
    {"ShapeListStyleTurnsOff",
     Shape("idx=\"1\"",
           "<a:lstStyle><a:lvl1pPr><a:buNone/></a:lvl1pPr></a:lstStyle>" + Paragraph("a")),
     false, 0},
    {"PlainTextBoxHasNone", Shape("", Paragraph("a")), false, 0},
    {"TitleHasNone", Shape("type=\"title\"", Paragraph("a")), false, 0},
    {"MixedShowsSymbols", Shape("idx=\"1\"", Paragraph("a", "<a:buNone/>") + Paragraph("b")), true,
     1},
    {"MixedNumbersAndSymbols",
     Shape("idx=\"1\"", Paragraph("a", "<a:buAutoNum type=\"arabicPeriod\"/>") + Paragraph("b")),
     true, 1},
    // A bullet in front of an empty paragraph is never drawn.
    {"EmptyParagraphIgnored",
     Shape("type=\"body\" idx=\"2\"", Paragraph("", "<a:buChar char=\"-\"/>") + Paragraph("b")),
     false, 0},
};

TEST_F(PptxReaderMadeTest, BulletsFollowTheInheritanceChain) {
    std::vector<test::TestSlide> slides;
    for (const auto& bullet : kBulletCases) {
        slides.push_back({bullet.shape, ""});
    }
    const auto read = Read(test::MinimalPresentation(slides, kLayoutShapes, "", kMasterStyles));
    ASSERT_EQ(read.size(), kBulletCases.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(kBulletCases[i].name);
        ASSERT_EQ(read[i].shapes.size(), 1u);
        EXPECT_EQ(read[i].shapes[0].bulletVisible, kBulletCases[i].visible);
        EXPECT_EQ(read[i].shapes[0].bulletType, kBulletCases[i].type);
    }
}

TEST_F(PptxReaderMadeTest, ReadsShapesInDrawingOrderWithTheirText) {
    const std::string group =
        "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"9\" "
        "name=\"Group\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>"
        "<p:grpSpPr/>" +
        Shape("", Paragraph("in group")) + "</p:grpSp>";
    const std::string alternate =
        "<mc:AlternateContent "
        "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\">"
        "<mc:Choice Requires=\"x\">" +
        Shape("", Paragraph("choice")) + "</mc:Choice><mc:Fallback>" +
        Shape("", Paragraph("fallback")) + "</mc:Fallback></mc:AlternateContent>";
    const std::string lineBreak =
        "<a:p><a:r><a:t>one</a:t></a:r><a:br/><a:r><a:t>two</a:t></a:r></a:p><a:p><a:fld "
        "id=\"{1}\" "
        "type=\"slidenum\"><a:t>7</a:t></a:fld><a:r><a:t> </a:t></a:r></a:p>";
    const auto read = Read(
        test::MinimalPresentation({{Shape("", Paragraph("caf\xC3\xA9 \xE2\x82\xAC \xE2\x86\x92")) +
                                        Shape("type=\"ctrTitle\"", Paragraph("Title")) +
                                        Shape("type=\"title\"", Paragraph("Second title")) + group +
                                        Shape("", "<a:p/>") + alternate + Shape("", lineBreak),
                                    ""}}));
    ASSERT_EQ(read.size(), 1u);
    const auto& shapes = read[0].shapes;
    std::vector<std::string> texts;
    for (const auto& shape : shapes) {
        texts.push_back(shape.text);
    }
    // Windows-1252: e acute is E9, the euro sign 80; an arrow has no place there.
    EXPECT_EQ(texts, (std::vector<std::string>{"caf\xE9 \x80 ?", "Title", "Second title",
                                               "in group", "fallback", "one\vtwo\r\n7 "}));
    ASSERT_EQ(shapes.size(), 6u);
    EXPECT_FALSE(shapes[0].isTitle);
    EXPECT_TRUE(shapes[1].isTitle);
    EXPECT_FALSE(shapes[2].isTitle);  // only the first title placeholder is the slide's title
}

TEST_F(PptxReaderMadeTest, NotesComeFromTheFirstBodyWithText) {
    const std::string image = Shape("type=\"sldImg\"", "");
    const std::string date = Shape("type=\"dt\"", Paragraph("1/1/2024"));
    const std::string emptyBody = Shape("type=\"body\" idx=\"1\"", "<a:p/>");
    const std::string body =
        Shape("type=\"body\" idx=\"2\"", Paragraph("first") + Paragraph("second"));
    const std::string textBox = Shape("", Paragraph("a text box"));
    // What the office makes of a .ppt notes page: a box holding only the slide-number field.
    const std::string numberBox = Shape(
        "", "<a:p><a:fld id=\"{2}\" type=\"slidenum\"><a:t>&lt;number&gt;</a:t></a:fld></a:p>");
    const std::string footerBox =
        Shape("",
              "<a:p><a:fld id=\"{3}\" type=\"datetime1\"><a:t>1/1/2024</a:t></a:fld><a:r><a:t> "
              "</a:t></a:r><a:fld id=\"{4}\" type=\"slidenum\"><a:t>3</a:t></a:fld></a:p>");
    const auto read = Read(test::MinimalPresentation({
        {"", image + date + emptyBody + body + textBox},
        {"", image + textBox + Shape("", Paragraph("another box"))},
        {"", ""},  // no notes page at all
        {"", image + emptyBody + numberBox},
        {"", image + emptyBody + textBox},
        {"", image + numberBox + footerBox + textBox},
        {"", image + emptyBody + Shape("type=\"body\" idx=\"3\"", Paragraph("said")) + numberBox},
    }));
    ASSERT_EQ(read.size(), 7u);
    EXPECT_EQ(read[0].notes, "first\r\nsecond");
    EXPECT_EQ(read[1].notes, "a text box");
    EXPECT_EQ(read[2].notes, "");
    EXPECT_EQ(read[3].notes, "") << "a converted page without notes";
    EXPECT_EQ(read[4].notes, "") << "a body placeholder, however empty, is the notes";
    EXPECT_EQ(read[5].notes, "a text box") << "boxes of fields are passed over";
    EXPECT_EQ(read[6].notes, "said");
}

TEST_F(PptxReaderMadeTest, SurvivesGroupsNestedBeyondReason) {
    std::string nested = Shape("", Paragraph("too deep"));
    for (int i = 0; i < 5000; ++i) {
        nested = "<p:grpSp>" + nested + "</p:grpSp>";
    }
    const auto read = Read(test::MinimalPresentation({{Shape("", Paragraph("top")) + nested, ""}}));
    ASSERT_EQ(read.size(), 1u);
    ASSERT_EQ(read[0].shapes.size(), 1u);
    EXPECT_EQ(read[0].shapes[0].text, "top");
}

TEST_F(PptxReaderMadeTest, APresentationWithoutSlidesHasNone) {
    EXPECT_TRUE(Read(test::MinimalPresentation({})).empty());
}

// ---- Damaged and hostile packages.

struct DamageCase {
    const char* name;
    void (*damage)(test::PackageParts&);
    const char* expected;  // part of the error's description
};

const std::vector<DamageCase> kDamageCases = {
    {"NoPresentationPart", [](auto& parts) { parts.erase("ppt/presentation.xml"); },
     "no presentation part"},
    {"NoSlidePart", [](auto& parts) { parts.erase("ppt/slides/slide1.xml"); },
     "slide 1 (ppt/slides/slide1.xml) is missing"},
    {"NoSlideRelationship", [](auto& parts) { parts.erase("ppt/_rels/presentation.xml.rels"); },
     "slide 1 points to no part"},
    {"TargetLeavesThePackage",
     [](auto& parts) {
         auto& rels = parts["ppt/_rels/presentation.xml.rels"];
         rels.replace(rels.find("slides/slide1.xml"), 17, "../../../etc/passwd");
     },
     "slide 1 points to no part"},
    {"BrokenXml", [](auto& parts) { parts["ppt/slides/slide1.xml"].resize(60); },
     "not well-formed"},
    {"InflatesBeyondAnyRealRatio",
     [](auto& parts) { parts["ppt/slides/slide1.xml"] += std::string(4 << 20, ' '); },
     "impossible compression ratio"},
};

TEST_F(PptxReaderMadeTest, DamagedPackagesRaiseClearErrors) {
    for (const auto& damage : kDamageCases) {
        SCOPED_TRACE(damage.name);
        auto parts = test::MinimalPresentation(
            {{Shape("", Paragraph("a")), Shape("type=\"body\"", Paragraph("n"))}});
        damage.damage(parts);
        try {
            Read(parts);
            ADD_FAILURE() << "no error";
        } catch (const CError& error) {
            EXPECT_NE(error.Description().find(damage.expected), std::string::npos)
                << error.Description();
            EXPECT_NE(error.Description().find("damaged"), std::string::npos)
                << error.Description();
        }
    }
}

TEST_F(PptxReaderMadeTest, MissingNotesPageLayoutAndMasterLoseOnlyWhatTheyHeld) {
    auto parts = test::MinimalPresentation(
        {{Shape("idx=\"1\"", Paragraph("a")), Shape("type=\"body\"", Paragraph("n"))}},
        kLayoutShapes, "", kMasterStyles);
    parts.erase("ppt/notesSlides/notesSlide1.xml");
    parts.erase("ppt/slideMasters/slideMaster1.xml");
    const auto read = Read(parts);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].notes, "");
    ASSERT_EQ(read[0].shapes.size(), 1u);
    EXPECT_FALSE(read[0].shapes[0].bulletVisible);
}

TEST(ZipArchiveTest, RefusesWhatIsNotAZipOrBreaksTheLimits) {
    const test::ScratchDir scratch;
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"empty.pptx", ""}, {"text.pptx", "just some text, not a zip"}}) {
        test::WriteAllBytes(scratch / name, {bytes.begin(), bytes.end()});
        EXPECT_THROW(CPptxReader(scratch / name), CError) << name;
    }

    test::WriteZip(scratch / "parts.zip", {{"small", "12345"}, {"large", std::string(5000, 'x')}});
    CZipArchive::Limits limits;
    limits.maxPartSize = 1000;
    limits.maxTotalSize = 8;
    CZipArchive archive(scratch / "parts.zip", limits);
    EXPECT_FALSE(archive.Read("absent").has_value());
    EXPECT_THROW(archive.Read("large"), CError);
    EXPECT_EQ(archive.Read("small"), "12345");
    EXPECT_THROW(archive.Read("small"), CError);  // the total would pass its limit
}

}  // namespace
}  // namespace trovique
