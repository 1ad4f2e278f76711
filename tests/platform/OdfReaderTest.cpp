#include "platform/OdfReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FixtureWriters.h"
#include "core/common/Error.h"
#include "platform/OdfDocument.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

using test::OdfFrame;
using test::OdfTestSlide;

std::string P(const std::string& text) {
    return "<text:p>" + text + "</text:p>";
}

std::string List(const std::string& items, const std::string& style = "") {
    return "<text:list" + (style.empty() ? "" : " text:style-name=\"" + style + "\"") + ">" +
           items + "</text:list>";
}

std::string Item(const std::string& content, const std::string& attributes = "") {
    return "<text:list-item " + attributes + ">" + content + "</text:list-item>";
}

std::string ListStyle(const std::string& name, const std::string& levelOne) {
    return "<text:list-style style:name=\"" + name + "\">" + levelOne + "</text:list-style>";
}

// Numbers, an empty number format and pictures live with the content, bullets with the common
// styles (styles.xml in a package).
const std::string kAutomaticStyles =
    ListStyle("Lnum",
              "<text:list-level-style-number text:level=\"1\" style:num-format=\"1\"/>"
              "<text:list-level-style-number text:level=\"2\" style:num-format=\"a\"/>") +
    ListStyle("Lempty", "<text:list-level-style-number text:level=\"1\" style:num-format=\"\"/>") +
    ListStyle("Limg", "<text:list-level-style-image text:level=\"1\" xlink:href=\"b.png\"/>");
const std::string kCommonStyles =
    ListStyle("Lbul", "<text:list-level-style-bullet text:level=\"1\" text:bullet-char=\"-\"/>");

bool SameSlides(const std::vector<SlideContent>& a, const std::vector<SlideContent>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].notes != b[i].notes || a[i].shapes.size() != b[i].shapes.size()) {
            return false;
        }
        for (std::size_t j = 0; j < a[i].shapes.size(); ++j) {
            const auto& x = a[i].shapes[j];
            const auto& y = b[i].shapes[j];
            if (x.isTitle != y.isTitle || x.text != y.text || x.bulletVisible != y.bulletVisible ||
                x.bulletType != y.bulletType) {
                return false;
            }
        }
    }
    return true;
}

class OdfReaderMadeTest : public ::testing::Test {
protected:
    // Reads the slides written both ways, flat and packaged, which must read alike.
    std::vector<SlideContent> Read(const std::vector<OdfTestSlide>& slides) {
        const std::string flat = test::FlatOdfPresentation(slides, kCommonStyles, kAutomaticStyles);
        test::WriteAllBytes(scratch_ / "made.fodp", {flat.begin(), flat.end()});
        test::WriteZip(scratch_ / "made.odp",
                       test::OdfPackage(slides, kCommonStyles, kAutomaticStyles));
        auto fromFlat = COdfReader(scratch_ / "made.fodp").Slides();
        EXPECT_TRUE(SameSlides(fromFlat, COdfReader(scratch_ / "made.odp").Slides()));
        return fromFlat;
    }

    test::ScratchDir scratch_;
};

struct BulletCase {
    const char* name;
    std::string text;
    bool visible;
    int type;
};

const std::vector<BulletCase> kBulletCases = {
    {"NamedBullets", List(Item(P("a")), "Lbul"), true, 1},
    {"NamedNumbers", List(Item(P("a")), "Lnum"), true, 2},
    {"NoNumberFormat", List(Item(P("a")), "Lempty"), false, 0},
    {"Picture", List(Item(P("a")), "Limg"), true, 1},
    // The office marks every level of a list no style speaks for with a bullet.
    {"ListWithoutStyle", List(Item(P("a"))), true, 1},
    {"LevelTheStyleLacks", List(Item(List(Item(P("a")))), "Lbul"), true, 1},
    {"NestedListTakesTheOuterStyle", List(Item(List(Item(P("a")))), "Lnum"), true, 2},
    {"InnerStyleWins", List(Item(List(Item(P("a")), "Lnum")), "Lbul"), true, 2},
    {"ItemOverride", List(Item(P("a"), "text:style-override=\"Lnum\""), "Lbul"), true, 2},
    {"Header", List("<text:list-header>" + P("a") + "</text:list-header>", "Lbul"), false, 0},
    {"OutsideAnyList", P("a"), false, 0},
    {"MixedNumbersAndBullets", List(Item(P("a")), "Lnum") + List(Item(P("b")), "Lbul"), true, 1},
    {"AllNumbered", List(Item(P("a")) + Item(P("b")), "Lnum"), true, 2},
    {"EmptyParagraphShowsNoMark", List(Item(P("")), "Lnum") + P("b"), false, 0},
};

TEST_F(OdfReaderMadeTest, BulletsFollowTheListStyleInEffect) {
    std::vector<OdfTestSlide> slides;
    for (const auto& bullet : kBulletCases) {
        slides.push_back({OdfFrame("outline", bullet.text), ""});
    }
    const auto read = Read(slides);
    ASSERT_EQ(read.size(), kBulletCases.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(kBulletCases[i].name);
        ASSERT_EQ(read[i].shapes.size(), 1u);
        EXPECT_EQ(read[i].shapes[0].bulletVisible, kBulletCases[i].visible);
        EXPECT_EQ(read[i].shapes[0].bulletType, kBulletCases[i].type);
    }
}

TEST_F(OdfReaderMadeTest, ReadsShapesInDrawingOrderWithTheirText) {
    const std::string group = "<draw:g>" + OdfFrame("", P("in group")) + "<draw:g>" +
                              OdfFrame("", P("deeper")) + "</draw:g></draw:g>";
    const std::string shapes =
        OdfFrame("", P("caf\xC3\xA9 \xE2\x82\xAC \xE2\x86\x92")) + OdfFrame("title", "") +
        OdfFrame("title", P("Second title")) + group + "<draw:rect>" + P("in rect") +
        "</draw:rect>" + "<draw:custom-shape>" + P("custom") +
        "<draw:enhanced-geometry/></draw:custom-shape>" +
        // A picture shows the paragraphs written over it; a table and its stand-in picture none.
        "<draw:frame><draw:image>" + P("over picture") + "</draw:image></draw:frame>" +
        "<draw:frame><table:table><table:table-row><table:table-cell>" + P("cell") +
        "</table:table-cell></table:table-row></table:table><draw:image>" + P("stand-in") +
        "</draw:image></draw:frame>" + OdfFrame("", P("") + P("")) +
        OdfFrame("", "<text:h>heading</text:h>" + P("after"));
    const std::string spacing = P("  a   b\n\tc <text:span> d</text:span><text:s text:c=\"3\"/>e" +
                                  std::string("<text:tab/>f ")) +
                                P("g<text:line-break/> h <text:s/> i");
    const std::string fields =
        P("<text:a xlink:href=\"http://e.com\">link</text:a> <text:date>1/2/2024</text:date> "
          "<text:page-number>&lt;number&gt;</text:page-number> "
          "x<office:annotation><text:p>a comment</text:p></office:annotation>y");
    const auto read = Read({{shapes, ""}, {OdfFrame("", spacing) + OdfFrame("title", fields), ""}});
    ASSERT_EQ(read.size(), 2u);
    std::vector<std::string> texts;
    for (const auto& shape : read[0].shapes) {
        texts.push_back(shape.text);
    }
    // Windows-1252: e acute is E9, the euro sign 80; an arrow has no place there.
    EXPECT_EQ(texts,
              (std::vector<std::string>{"caf\xE9 \x80 ?", "Second title", "in group", "deeper",
                                        "in rect", "custom", "over picture", "heading\r\nafter"}));
    for (const auto& shape : read[0].shapes) {
        EXPECT_FALSE(shape.isTitle) << "the first title shape, though empty, is the title";
    }
    ASSERT_EQ(read[1].shapes.size(), 2u);
    EXPECT_EQ(read[1].shapes[0].text, "a b c d   e\tf \r\ng\v h   i");
    EXPECT_EQ(read[1].shapes[1].text, "link 1/2/2024 2 xy");
    EXPECT_TRUE(read[1].shapes[1].isTitle);
}

TEST_F(OdfReaderMadeTest, NotesComeFromTheFirstNotesShapeWithText) {
    const std::string thumbnail = "<draw:page-thumbnail presentation:class=\"page\"/>";
    const std::string emptyNotes = OdfFrame("notes", "");
    const std::string notes = OdfFrame("notes", P("first") + P("second"));
    const std::string textBox = OdfFrame("", P("a text box"));
    const std::string numberBox =
        OdfFrame("", P("<text:page-number>&lt;number&gt;</text:page-number>"));
    const std::string footerBox =
        OdfFrame("", P("<text:date>1/1/2024</text:date> <text:page-number>3</text:page-number>"));
    const auto read = Read({
        {"", thumbnail + OdfFrame("header", P("head")) + emptyNotes + notes + textBox},
        {"", thumbnail + textBox + OdfFrame("", P("another box"))},
        {"", ""},  // no notes at all
        {"", thumbnail + emptyNotes + textBox},
        {"", thumbnail + numberBox + footerBox + textBox},
        {"", "<draw:g>" + OdfFrame("notes", P("grouped")) + "</draw:g>"},
    });
    ASSERT_EQ(read.size(), 6u);
    EXPECT_EQ(read[0].notes, "first\r\nsecond");
    EXPECT_EQ(read[1].notes, "a text box");
    EXPECT_EQ(read[2].notes, "");
    EXPECT_EQ(read[3].notes, "") << "a notes shape, however empty, is the notes";
    EXPECT_EQ(read[4].notes, "a text box") << "boxes of fields are passed over";
    EXPECT_EQ(read[5].notes, "grouped");
}

TEST_F(OdfReaderMadeTest, SurvivesNestingBeyondReason) {
    std::string groups = OdfFrame("", P("too deep"));
    std::string spans = "deep";
    std::string lists = P("deep list");
    for (int i = 0; i < 5000; ++i) {
        groups = "<draw:g>" + groups + "</draw:g>";
        spans = "<text:span>" + spans + "</text:span>";
        lists = List(Item(lists));
    }
    const auto read =
        Read({{OdfFrame("", P("top")) + groups + OdfFrame("", P("a" + spans)) + OdfFrame("", lists),
               ""}});
    ASSERT_EQ(read.size(), 1u);
    ASSERT_EQ(read[0].shapes.size(), 2u);
    EXPECT_EQ(read[0].shapes[0].text, "top");
    EXPECT_EQ(read[0].shapes[1].text, "a");
}

TEST_F(OdfReaderMadeTest, ReadsWhateverPrefixesTheFileDeclares) {
    std::string flat = test::FlatOdfPresentation({{OdfFrame("title", P("T")), ""}});
    // text: becomes t:, draw: d: (the namespace names themselves hold "text:" too).
    for (const std::string prefix : {"text", "draw"}) {
        for (const std::string before : {"<", "</", " ", "xmlns:"}) {
            const std::string after = before == "xmlns:" ? "=" : ":";
            const std::string from = before + prefix + after;
            const std::string to = before + prefix.substr(0, 1) + after;
            for (auto at = flat.find(from); at != std::string::npos; at = flat.find(from, at)) {
                flat.replace(at, from.size(), to);
            }
        }
    }
    test::WriteAllBytes(scratch_ / "prefixes.fodp", {flat.begin(), flat.end()});
    const auto read = COdfReader(scratch_ / "prefixes.fodp").Slides();
    ASSERT_EQ(read.size(), 1u);
    ASSERT_EQ(read[0].shapes.size(), 1u);
    EXPECT_EQ(read[0].shapes[0].text, "T");
    EXPECT_TRUE(read[0].shapes[0].isTitle);
}

// ---- Damaged and hostile files.

struct DamageCase {
    const char* name;
    const char* file;
    std::string bytes;  // written as they are; a zip when parts is not empty
    test::PackageParts parts;
    const char* expected;  // part of the error's description
};

std::string TooManySlides() {
    std::string pages;
    for (int i = 0; i <= 10000; ++i) {
        pages += "<draw:page/>";
    }
    std::string flat = test::FlatOdfPresentation({});
    return flat.replace(flat.find("</office:presentation>"), 0, pages);
}

TEST_F(OdfReaderMadeTest, DamagedFilesRaiseClearErrors) {
    auto noContent = test::OdfPackage({});
    noContent.erase("content.xml");
    auto brokenContent = test::OdfPackage({{OdfFrame("", P("a")), ""}});
    brokenContent["content.xml"].resize(200);
    const std::string manySpaces = test::FlatOdfPresentation(
        {{OdfFrame("", P("<text:s text:c=\"99999999999999999999\"/>")), ""}});
    std::string textDocument = test::FlatOdfPresentation({});
    for (auto at = textDocument.find("office:presentation>"); at != std::string::npos;
         at = textDocument.find("office:presentation>", at)) {
        textDocument.replace(at, 19, "office:text");
    }
    const std::vector<DamageCase> cases = {
        {"PlainText", "text.fodp", "just some text", {}, "not well-formed"},
        {"OtherXml", "other.fodp", "<html/>", {}, "neither an OpenDocument package"},
        {"NoPresentation", "none.fodp", textDocument, {}, "holds no presentation"},
        {"NoContentPart", "nocontent.odp", "", noContent, "no content part"},
        {"BrokenContentPart", "broken.odp", "", brokenContent, "content.xml is not well-formed"},
        {"SpacesBeyondReason", "spaces.fodp", manySpaces, {}, "more spaces"},
        {"TooManySlides", "many.fodp", TooManySlides(), {}, "more than 10000 slides"},
    };
    for (const auto& damage : cases) {
        SCOPED_TRACE(damage.name);
        const auto file = scratch_ / damage.file;
        if (damage.parts.empty()) {
            test::WriteAllBytes(file, {damage.bytes.begin(), damage.bytes.end()});
        } else {
            test::WriteZip(file, damage.parts);
        }
        try {
            COdfReader reader(file);
            ADD_FAILURE() << "no error";
        } catch (const CError& error) {
            EXPECT_NE(error.Description().find(damage.expected), std::string::npos)
                << error.Description();
            EXPECT_NE(error.Description().find("damaged"), std::string::npos)
                << error.Description();
        }
    }
}

TEST(OdfReaderTest, SaysAPasswordProtectsAnEncryptedPackage) {
    // Saved by LibreOffice with the password "secret".
    try {
        COdfReader reader(test::TestDataDir() / "presentations" / "password-protected.odp");
        ADD_FAILURE() << "no error";
    } catch (const CError& error) {
        EXPECT_NE(error.Description().find("protected by a password"), std::string::npos)
            << error.Description();
    }
}

TEST_F(OdfReaderMadeTest, RefusesAFlatFileBeyondTheSizeLimit) {
    const auto file = scratch_ / "huge.fodp";
    test::WriteAllBytes(file, {'<'});
    std::filesystem::resize_file(file, COdfDocument::kMaxFlatFileSize + 1);  // sparse
    try {
        COdfReader reader(file);
        ADD_FAILURE() << "no error";
    } catch (const CError& error) {
        EXPECT_NE(error.Description().find("larger than 256 MB"), std::string::npos)
            << error.Description();
    }
}

}  // namespace
}  // namespace trovique
