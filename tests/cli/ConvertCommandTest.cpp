#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/model/Leaf.h"
#include "core/slideshowfile/SlideShowReader.h"
#include "support/DocumentFixture.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;
using test::OfficeInstalled;

// Three slides: a title with bullets and notes, a slide without a title, a numbered list.
constexpr const char* kDeck = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:presentation="urn:oasis:names:tc:opendocument:xmlns:presentation:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.presentation">
 <office:automatic-styles>
  <style:page-layout style:name="PM1">
   <style:page-layout-properties fo:margin-top="0cm" fo:margin-bottom="0cm" fo:margin-left="0cm"
    fo:margin-right="0cm" fo:page-width="28cm" fo:page-height="21cm"/>
  </style:page-layout>
  <style:style style:name="dp1" style:family="drawing-page">
   <style:drawing-page-properties draw:fill="solid" draw:fill-color="#ffffff"/>
  </style:style>
  <style:style style:name="gr1" style:family="graphic">
   <style:graphic-properties draw:stroke="none" draw:fill="solid" draw:fill-color="#2e75b6"/>
  </style:style>
  <style:style style:name="pr1" style:family="presentation">
   <style:graphic-properties draw:stroke="none" draw:fill="none"/>
  </style:style>
  <text:list-style style:name="Bullets">
   <text:list-level-style-bullet text:level="1" text:bullet-char="&#x25CF;"/>
  </text:list-style>
  <text:list-style style:name="Numbers">
   <text:list-level-style-number text:level="1" style:num-format="1" style:num-suffix="."/>
  </text:list-style>
 </office:automatic-styles>
 <office:master-styles>
  <style:master-page style:name="Plain" style:page-layout-name="PM1" draw:style-name="dp1"/>
 </office:master-styles>
 <office:body>
  <office:presentation>
   <draw:page draw:name="One" draw:master-page-name="Plain">
    <draw:rect draw:style-name="gr1" svg:x="0cm" svg:y="0cm" svg:width="28cm" svg:height="3cm"/>
    <draw:frame presentation:class="title" presentation:style-name="pr1"
     svg:x="1cm" svg:y="4cm" svg:width="26cm" svg:height="3cm">
     <draw:text-box><text:p>Opening</text:p></draw:text-box>
    </draw:frame>
    <draw:frame presentation:class="outline" presentation:style-name="pr1"
     svg:x="1cm" svg:y="8cm" svg:width="26cm" svg:height="10cm">
     <draw:text-box>
      <text:list text:style-name="Bullets">
       <text:list-item><text:p>Apples</text:p></text:list-item>
       <text:list-item><text:p>Pears</text:p></text:list-item>
      </text:list>
     </draw:text-box>
    </draw:frame>
    <presentation:notes>
     <draw:frame presentation:class="notes" svg:x="2cm" svg:y="14cm" svg:width="17cm" svg:height="10cm">
      <draw:text-box><text:p>Welcome everyone</text:p></draw:text-box>
     </draw:frame>
    </presentation:notes>
   </draw:page>
   <draw:page draw:name="Two" draw:master-page-name="Plain">
    <draw:frame presentation:class="outline" presentation:style-name="pr1"
     svg:x="1cm" svg:y="2cm" svg:width="26cm" svg:height="10cm">
     <draw:text-box><text:p>Only text here</text:p></draw:text-box>
    </draw:frame>
    <presentation:notes>
     <draw:frame presentation:class="notes" svg:x="2cm" svg:y="14cm" svg:width="17cm" svg:height="10cm">
      <draw:text-box><text:p>Second notes</text:p></draw:text-box>
     </draw:frame>
    </presentation:notes>
   </draw:page>
   <draw:page draw:name="Three" draw:master-page-name="Plain">
    <draw:frame presentation:class="title" presentation:style-name="pr1"
     svg:x="1cm" svg:y="1cm" svg:width="26cm" svg:height="3cm">
     <draw:text-box><text:p>Closing</text:p></draw:text-box>
    </draw:frame>
    <draw:frame presentation:class="outline" presentation:style-name="pr1"
     svg:x="1cm" svg:y="5cm" svg:width="26cm" svg:height="10cm">
     <draw:text-box>
      <text:list text:style-name="Numbers">
       <text:list-item><text:p>First</text:p></text:list-item>
       <text:list-item><text:p>Second</text:p></text:list-item>
      </text:list>
     </draw:text-box>
    </draw:frame>
   </draw:page>
  </office:presentation>
 </office:body>
</office:document>
)";

struct Slide {
    std::string title;
    std::string notes;
    bool operator==(const Slide&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Slide& slide) {
    return out << "{\"" << slide.title << "\", \"" << slide.notes << "\"}";
}

class ConvertCommandTest : public testing::Test, public test::DocumentFixture {
protected:
    test::CliResult Convert(std::vector<std::string> args) {
        args.insert(args.begin(), "convert");
        return test::RunCli(args, {{"XDG_CONFIG_HOME", config.Path().string()}});
    }

    fs::path WriteDeck(const std::string& name) {
        const std::string text(kDeck);
        test::WriteAllBytes(files / name, std::vector<unsigned char>(text.begin(), text.end()));
        return files / name;
    }

    std::unique_ptr<CDocument> ReadBack(const fs::path& path) {
        auto document = NewDocument();
        EXPECT_TRUE(Read(*document, path, true)) << testing::PrintToString(Ui().MessageTexts());
        return document;
    }

    static std::vector<Slide> Slides(const CDocument& document) {
        std::vector<Slide> slides;
        for (std::size_t page = 1; page <= document.Tree().LeafCount(); ++page) {
            const CLeaf& leaf = *document.Tree().Entry(document.Tree().LeafOnPage(page)).Leaf;
            slides.push_back({leaf.Title(), leaf.Fact()});
        }
        return slides;
    }

    test::ScratchDir config;
    test::ScratchDir files;
};

TEST_F(ConvertCommandTest, ConvertsAPresentationBesideItAndReadsBack) {
    if (!OfficeInstalled()) {
        GTEST_SKIP() << "soffice is not on the PATH";
    }
    const fs::path deck = WriteDeck("Team deck.fodp");
    const fs::path working = files / "working.sdb";
    const auto result = Convert({deck.string(), "--sdb", working.string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const fs::path exported = files / "Team deck.pdb";
    EXPECT_EQ(result.out, exported.string() + ": 3 slides\n");

    const auto document = ReadBack(exported);
    EXPECT_EQ(document->Tree().Entry(document->Tree().GetNodeInfoIndexOfRoot()).Title(),
              "Team deck.fodp");
    EXPECT_EQ(Slides(*document),
              (std::vector<Slide>{
                  {"Opening", "Welcome everyone"}, {"", "Second notes"}, {"Closing", ""}}));
    const CLeaf& first = *document->Tree().Entry(document->Tree().LeafOnPage(1)).Leaf;
    EXPECT_NE(first.AuxText().find("\x95 Apples\r\n\x95 Pears"), std::string::npos)
        << first.AuxText();
    ASSERT_NE(first.ColorBitmap(), nullptr);
    EXPECT_EQ(first.ColorBitmap()->Width(), 160);
    EXPECT_EQ(first.ColorBitmap()->Height(), 120);
    ASSERT_NE(first.AuxColorBitmap(), nullptr);
    const CLeaf& third = *document->Tree().Entry(document->Tree().LeafOnPage(3)).Leaf;
    EXPECT_NE(third.AuxText().find("1. First\r\n2. Second"), std::string::npos) << third.AuxText();

    EXPECT_EQ(Slides(*ReadBack(working)), Slides(*document));
}

TEST_F(ConvertCommandTest, AMissingPresentationWritesNothing) {
    const fs::path out = files / "out.pdb";
    const auto result = Convert({(files / "absent.pptx").string(), "-o", out.string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("error: ImportFromPowerPoint error: File not found: "),
              std::string::npos)
        << result.err;
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(files / "absent.pdb"));
}

class ConvertUsageTest : public ConvertCommandTest,
                         public testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(ConvertUsageTest, RefusesBadArguments) {
    std::vector<std::string> args;
    for (const std::string& arg : GetParam()) {
        args.push_back(arg == "DECK" ? WriteDeck("deck.odp").string() : arg);
    }
    const auto result = Convert(args);
    EXPECT_EQ(result.exitCode, 2) << result.err;
    EXPECT_NE(result.err.find("usage: trovique-cli convert"), std::string::npos) << result.err;
    EXPECT_EQ(fs::directory_iterator(files.Path()) == fs::directory_iterator(),
              GetParam().empty() || GetParam().front() != "DECK");
}

INSTANTIATE_TEST_SUITE_P(Table, ConvertUsageTest,
                         testing::Values(std::vector<std::string>{},
                                         // Many presentations get one database each.
                                         std::vector<std::string>{"a.ppt", "b.ppt", "-o", "x.pdb"},
                                         std::vector<std::string>{"a.ppt", "b.ppt", "--hotsync"},
                                         std::vector<std::string>{"DECK", "--jobs", "0"},
                                         std::vector<std::string>{"DECK", "-o"},

                                         std::vector<std::string>{"DECK", "--colour"}));

TEST_F(ConvertCommandTest, RefusesToOverwriteThePresentation) {
    const fs::path deck = WriteDeck("deck.pdb");
    const auto result = Convert({deck.string()});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(test::ReadAllBytes(deck).size(), std::string(kDeck).size());
}

}  // namespace
}  // namespace trovique
