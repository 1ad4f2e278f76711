#include "platform/LibreOfficeSource.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "FixtureWriters.h"
#include "core/common/Error.h"
#include "platform/ProcessRunner.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::Paragraph;
using test::Shape;

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A name the office must never be shown: blanks, quotes, a semicolon and a leading dash.
constexpr const char* kOddName = "-odd deck; 'quoted\" $(x)";

// Points TMPDIR at a folder of the test's own, so that anything left behind is seen.
class LibreOfficeSourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(Temporary());
        if (const char* old = std::getenv("TMPDIR")) {
            oldTemporary_ = old;
        }
        ::setenv("TMPDIR", Temporary().c_str(), 1);
        if (const char* old = std::getenv("XDG_CACHE_HOME")) {
            oldCache_ = old;
        }
        ::setenv("XDG_CACHE_HOME", (scratch_ / "cache").c_str(), 1);
    }
    void TearDown() override {
        Restore("TMPDIR", oldTemporary_);
        Restore("XDG_CACHE_HOME", oldCache_);
    }
    static void Restore(const char* name, const std::optional<std::string>& value) {
        if (value) {
            ::setenv(name, value->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }

    fs::path Temporary() const { return scratch_ / "tmp"; }
    bool NothingLeftBehind() const { return fs::is_empty(Temporary()); }

    // Expects Open to fail with a description holding expected, and to leave nothing behind.
    void ExpectOpenFails(CLibreOfficeSource& source, const fs::path& file,
                         const std::string& expected) {
        try {
            source.Open(file);
            ADD_FAILURE() << "opened " << file;
        } catch (const CError& error) {
            EXPECT_NE(error.Description().find(expected), std::string::npos) << error.Description();
        }
        EXPECT_EQ(source.SlideCount(), 0u);
        EXPECT_TRUE(NothingLeftBehind());
    }

    test::ScratchDir scratch_;
    CProcessRunner runner_{200ms};
    std::optional<std::string> oldTemporary_;
    std::optional<std::string> oldCache_;
};

// ---- The source's own handling, with a stand-in for the office: a shell script that logs its
// arguments and then does what the test asks in the private folder it is started in.

class FakeOfficeTest : public LibreOfficeSourceTest {
protected:
    fs::path Office(const std::string& body, const std::string& name = "office") {
        const fs::path script = scratch_ / name;
        std::ofstream out(script, std::ios::trunc);
        out << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << (scratch_ / "arguments").string()
            << "'\nls > '" << (scratch_ / "folder").string() << "'\n"
            << body << "\n";
        out.close();
        ::chmod(script.c_str(), 0755);
        return script;
    }
    fs::path Pdf(int pages) {
        // One small page per slide, each a lighter grey.
        std::vector<test::PdfPage> content;
        for (int i = 1; i <= pages; ++i) {
            content.push_back({400, 300, "0." + std::to_string(i) + " g 0 0 400 300 re f"});
        }
        const fs::path file = scratch_ / ("pages" + std::to_string(pages) + ".pdf");
        test::WritePdf(file, content);
        return file;
    }
    fs::path Presentation(std::size_t slides,
                          const std::string& name = std::string(kOddName) + ".pptx") {
        std::vector<test::TestSlide> made;
        for (std::size_t i = 1; i <= slides; ++i) {
            made.push_back({Shape("type=\"title\"", Paragraph("Slide " + std::to_string(i))),
                            Shape("type=\"body\"", Paragraph("Notes " + std::to_string(i)))});
        }
        const fs::path file = scratch_ / name;
        test::WriteZip(file, test::MinimalPresentation(made));
        return file;
    }
    std::string Succeed(int pages) {
        return "cp '" + Pdf(pages).string() + "' slides.pdf && echo done > done.txt";
    }
};

TEST_F(FakeOfficeTest, ReadsTextAndPicturesAndShowsTheOfficeOnlySafeNames) {
    CLibreOfficeSource source(runner_, 60s, Office(Succeed(2)).string());
    source.Open(Presentation(2));
    ASSERT_EQ(source.SlideCount(), 2u);
    EXPECT_EQ(source.Slide(2).shapes.at(0).text, "Slide 2");
    EXPECT_EQ(source.Slide(2).notes, "Notes 2");
    EXPECT_THROW(source.Slide(3), CError);
    const auto picture = source.Render(2, 160, 120);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->rgb.size(), 160u * 120u * 3u);
    EXPECT_NEAR(picture->rgb[0], 0.2 * 255, 1);  // the second page's grey

    const std::string arguments = ReadText(scratch_ / "arguments");
    EXPECT_EQ(arguments.find("odd"), std::string::npos) << arguments;
    EXPECT_NE(arguments.find("--headless\n"), std::string::npos);
    EXPECT_NE(arguments.find("-env:UserInstallation=file://"), std::string::npos);
    EXPECT_NE(arguments.find("\"input.pptx\",\"0\")"), std::string::npos)
        << arguments;  // no conversion to .pptx
    EXPECT_EQ(ReadText(scratch_ / "folder"), "input.pptx\noffice-tmp\nprofile\n");
    EXPECT_FALSE(NothingLeftBehind());
    source.Close();
    EXPECT_TRUE(NothingLeftBehind());
    EXPECT_FALSE(source.Render(1, 160, 120));
}

TEST_F(FakeOfficeTest, LaterImportsStartFromTheProfileOfAnEarlierOne) {
    // The stand-in leaves a mark in the profile, as the office's first start leaves its files,
    // and does nothing at all while the file "broken" exists.
    const fs::path broken = scratch_ / "broken";
    const fs::path office =
        Office("ls profile/user > '" + (scratch_ / "listing").string() + "'; [ -e '" +
               broken.string() + "' ] && exit 0; touch profile/user/started; " + Succeed(1));
    const fs::path presentation = Presentation(1);
    const auto open = [&] {
        CLibreOfficeSource source(runner_, 60s, office.string());
        source.Open(presentation);
        return ReadText(scratch_ / "listing").find("started") != std::string::npos;
    };
    EXPECT_FALSE(open());
    EXPECT_TRUE(open());

    // A kept profile the office could not run the routine from is dropped.
    test::WriteAllBytes(broken, {});
    EXPECT_THROW(open(), CError);
    fs::remove(broken);
    EXPECT_FALSE(open());
    EXPECT_TRUE(NothingLeftBehind());
}

TEST_F(FakeOfficeTest, OtherFormatsAreConvertedToPptxFirst) {
    const fs::path presentation = Presentation(1, "deck.PPT");
    // Like the office's routine, the stand-in says "done" once everything is written.
    const std::string office =
        "cp '" + Presentation(1, "converted.pptx").string() + "' slides.pptx && " + Succeed(1);
    CLibreOfficeSource source(runner_, 60s, Office(office).string());
    source.Open(presentation);
    EXPECT_EQ(source.SlideCount(), 1u);
    EXPECT_NE(ReadText(scratch_ / "arguments").find("\"input.ppt\",\"1\")"), std::string::npos);
}

TEST_F(FakeOfficeTest, OpenDocumentTextsAreReadBeforeTheOfficeStarts) {
    const std::vector<test::OdfTestSlide> slides = {
        {test::OdfFrame("title", "<text:p>Slide 1</text:p>"),
         test::OdfFrame("notes", "<text:p>Notes 1</text:p>")}};
    const std::string flat = test::FlatOdfPresentation(slides);
    test::WriteAllBytes(scratch_ / "deck.FODP", {flat.begin(), flat.end()});
    test::WriteZip(scratch_ / "deck.odp", test::OdfPackage(slides));
    for (const auto& [name, input] :
         {std::pair{"deck.FODP", "input.fodp"}, std::pair{"deck.odp", "input.odp"}}) {
        SCOPED_TRACE(name);
        CLibreOfficeSource source(runner_, 60s, Office(Succeed(1)).string());
        source.Open(scratch_ / name);
        ASSERT_EQ(source.SlideCount(), 1u);
        EXPECT_EQ(source.Slide(1).shapes.at(0).text, "Slide 1");
        EXPECT_EQ(source.Slide(1).notes, "Notes 1");
        // No conversion to .pptx.
        EXPECT_NE(ReadText(scratch_ / "arguments").find("\"" + std::string(input) + "\",\"0\")"),
                  std::string::npos);
    }

    fs::remove(scratch_ / "arguments");
    CLibreOfficeSource source(runner_, 60s, Office(Succeed(1)).string());
    test::WriteAllBytes(scratch_ / "broken.odp", {'P', 'K', 3, 4, 'x'});
    ExpectOpenFails(source, scratch_ / "broken.odp", "damaged");
    const std::string empty = test::FlatOdfPresentation({});
    test::WriteAllBytes(scratch_ / "empty.fodp", {empty.begin(), empty.end()});
    ExpectOpenFails(source, scratch_ / "empty.fodp", "has no slides");
    EXPECT_FALSE(fs::exists(scratch_ / "arguments"));
}

struct FailureCase {
    const char* name;
    const char* office;    // what the stand-in does; "" for a run that never starts it
    int pdfPages;          // pages of the PDF it writes, if any
    std::size_t slides;    // slides of the presentation opened
    const char* expected;  // part of the error
};

void PrintTo(const FailureCase& failure, std::ostream* out) {
    *out << failure.name;
}

class FakeOfficeFailureTest : public FakeOfficeTest,
                              public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FakeOfficeFailureTest, FailsClearlyAndLeavesNothingBehind) {
    const auto& failure = GetParam();
    const std::string pdf =
        failure.pdfPages > 0 ? "cp '" + Pdf(failure.pdfPages).string() + "' slides.pdf; " : "";
    CLibreOfficeSource source(runner_, 2s, Office(pdf + failure.office).string());
    ExpectOpenFails(source, Presentation(failure.slides), failure.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FakeOfficeFailureTest,
    ::testing::Values(FailureCase{"Hangs", "sleep 60", 0, 1,
                                  "did not finish reading the presentation within 2 seconds"},
                      FailureCase{"WritesNothing", "exit 0", 0, 1,
                                  "LibreOffice did not convert the presentation (exit status 0"},
                      FailureCase{"SaysItFailed", "echo 'General error' > failed.txt; exit 0", 0, 1,
                                  "damaged or protected by a password (General error)"},
                      FailureCase{"Crashes", "kill -SEGV $$", 0, 1,
                                  "stopped unexpectedly (signal 11)"},
                      FailureCase{"PagesDoNotMatch", "echo done > done.txt", 1, 2,
                                  "drew 1 slide pictures for the 2 slides"},
                      FailureCase{"BrokenPdf", "echo done > done.txt; echo broken > slides.pdf", 0,
                                  1, "slide pictures could not be read"}),
    [](const auto& instance) { return std::string(instance.param.name); });

TEST_F(FakeOfficeTest, RefusesUnusableFilesWithoutStartingTheOffice) {
    CLibreOfficeSource source(runner_, 60s, Office(Succeed(1)).string());
    test::WriteAllBytes(scratch_ / "empty.pptx", {});
    test::WriteAllBytes(scratch_ / "notes.txt", {'a'});
    ExpectOpenFails(source, scratch_ / "empty.pptx", "is empty");
    ExpectOpenFails(source, scratch_ / "absent.pptx", "was not found");
    ExpectOpenFails(source, scratch_ / "notes.txt", "is not a presentation this program can read");
    ExpectOpenFails(source, scratch_.Path(), "is not a file");
    test::WriteAllBytes(scratch_ / "broken.pptx", {'P', 'K', 3, 4, 'x'});
    ExpectOpenFails(source, scratch_ / "broken.pptx", "damaged");
    ExpectOpenFails(source, Presentation(0), "has no slides");
    EXPECT_FALSE(fs::exists(scratch_ / "arguments"));
}

TEST_F(FakeOfficeTest, PicturesComeFromPartsOfAnyLength) {
    // Three slides in a part of one page and a part of two; each part's marker holds its last
    // page. A marker beyond the slides is the office talking nonsense.
    for (const auto& [secondMarker, fails] : {std::pair{"3", false}, {"9", true}}) {
        SCOPED_TRACE(secondMarker);
        const std::string office = "echo 3 > loaded.txt; cp '" + Pdf(1).string() +
                                   "' slides-1.pdf; echo 1 > slides-1.txt; cp '" + Pdf(2).string() +
                                   "' slides-2.pdf; echo " + secondMarker +
                                   " > slides-2.txt; echo done > done.txt";
        CLibreOfficeSource source(runner_, 60s, Office(office).string());
        source.Open(Presentation(3));
        ASSERT_EQ(source.SlideCount(), 3u);
        if (fails) {
            EXPECT_THROW(source.Render(3, 160, 120), CError);
            continue;
        }
        for (const auto& [slide, grey] : {std::pair{1, 0.1}, {2, 0.1}, {3, 0.2}}) {
            const auto picture = source.Render(slide, 160, 120);
            ASSERT_TRUE(picture) << slide;
            EXPECT_NEAR(picture->rgb[0], grey * 255, 1) << slide;
        }
    }
}

TEST_F(FakeOfficeTest, MissingOfficeNamesThePackageToInstall) {
    CLibreOfficeSource source(runner_, 60s, "trovique-no-such-office");
    ExpectOpenFails(source, Presentation(1), "install the package libreoffice-impress-nogui");
}

// ---- The real office on the sample presentations and real decks. Each case starts LibreOffice
// once, so the cases are few and each checks all it can.

struct DeckCase {
    const char* name;
    fs::path file;
    std::size_t slides;
    std::map<std::size_t, std::string> titles;
    std::map<std::size_t, std::string> notes;
    bool wide = false;
};

void PrintTo(const DeckCase& deck, std::ostream* out) {
    *out << deck.name;
}

fs::path Examples() {
    return test::TestDataDir().parent_path().parent_path() / "examples";
}

std::string TitleOf(const SlideContent& slide) {
    for (const auto& shape : slide.shapes) {
        if (shape.isTitle) {
            return shape.text;
        }
    }
    return {};
}

bool RowIsWhite(const RenderedSlide& picture, int row) {
    const auto begin = picture.rgb.begin() + static_cast<std::ptrdiff_t>(row) * picture.width * 3;
    return std::all_of(begin, begin + picture.width * 3,
                       [](std::uint8_t value) { return value == 255; });
}

class RealOfficeTest : public LibreOfficeSourceTest {
protected:
    void SetUp() override {
        LibreOfficeSourceTest::SetUp();
        if (FindProgramOnPath("soffice").empty()) {
            GTEST_SKIP() << "LibreOffice (soffice) is not installed";
        }
    }

    // Opens a copy of the deck under an awkward name, which must change nothing, checks its
    // slides and pictures, and leaves the source open.
    void OpenAndCheck(CLibreOfficeSource& source, const DeckCase& deck) {
        const fs::path copy = scratch_ / (std::string(kOddName) + deck.file.extension().string());
        fs::copy_file(deck.file, copy);
        source.Open(copy);
        ASSERT_EQ(source.SlideCount(), deck.slides);
        for (const auto& [number, title] : deck.titles) {
            EXPECT_EQ(TitleOf(source.Slide(number)), title) << "slide " << number;
        }
        for (const auto& [number, notes] : deck.notes) {
            EXPECT_EQ(source.Slide(number).notes, notes) << "slide " << number;
        }
        for (std::size_t number = 1; number <= deck.slides; ++number) {
            for (const auto& [width, height] :
                 std::vector<std::pair<int, int>>{{160, 120}, {440, 330}}) {
                const auto picture = source.Render(number, width, height);
                ASSERT_TRUE(picture) << "slide " << number;
                ASSERT_EQ(picture->rgb.size(), static_cast<std::size_t>(width) * height * 3);
                EXPECT_NE(std::set<std::uint8_t>(picture->rgb.begin(), picture->rgb.end()).size(),
                          1u)
                    << "slide " << number << " is blank";
                if (deck.wide) {
                    // A 16:9 slide fills the width; white bands take the rest of the height.
                    EXPECT_TRUE(RowIsWhite(*picture, 0) && RowIsWhite(*picture, height - 1))
                        << "slide " << number;
                }
            }
        }
    }
};

class RealOfficeDeckTest : public RealOfficeTest, public ::testing::WithParamInterface<DeckCase> {};

TEST_P(RealOfficeDeckTest, ReadsEverySlideAndDrawsIt) {
    CLibreOfficeSource source(runner_, 240s);
    OpenAndCheck(source, GetParam());
    if (GetParam().wide) {
        // The second wide slide is coloured edge to edge: only the bands are white.
        const auto picture = source.Render(2, 160, 120);
        ASSERT_TRUE(picture);
        EXPECT_FALSE(RowIsWhite(*picture, 60));
    }
    source.Close();
    EXPECT_TRUE(NothingLeftBehind());
}

INSTANTIATE_TEST_SUITE_P(
    Decks, RealOfficeDeckTest,
    ::testing::Values(
        DeckCase{"Wide", Examples() / "wide-slides.fodp", 2, {{1, "A wide slide"}}, {}, true},
        DeckCase{"Pptx",
                 test::DecksDir() / "45541_Footer.pptx",
                 11,
                 {{2, "Outline of the presentation"}},
                 {}},
        DeckCase{"Ppt",
                 test::DecksDir() / "SampleShow.ppt",
                 2,
                 {{1, "Title of the first slide"}},
                 {{2, "These are the notes of the 2nd slide\r\nTHIS LINE IS BOLD"}}}),
    [](const auto& instance) { return std::string(instance.param.name); });

// The sample shows more than texts: list kinds, a two-colour slide and a hidden slide.
TEST_F(RealOfficeTest, ReadsTheSamplePresentation) {
    CLibreOfficeSource source(runner_, 240s);
    OpenAndCheck(
        source,
        {"Sample",
         Examples() / "sample-presentation.fodp",
         6,
         {{1, "Trovique sample presentation"}, {5, ""}, {6, "Backup slide"}},
         {{1, "Welcome everyone.\r\nThis deck shows what the handheld keeps of a presentation."},
          {6, "Hidden slides are converted too."}}});
    ASSERT_EQ(source.SlideCount(), 6u);
    const auto bullets = source.Slide(2).shapes.at(1);
    EXPECT_TRUE(bullets.bulletVisible);
    EXPECT_EQ(bullets.bulletType, 1);
    EXPECT_EQ(bullets.text,
              "Your slides in your pocket\r\nNo projector needed,\vno laptop either\r\nSpeaker "
              "notes come along");
    EXPECT_EQ(source.Slide(3).shapes.at(1).bulletType, 2);
    std::vector<std::string> untitled;
    for (const auto& shape : source.Slide(5).shapes) {
        untitled.push_back(shape.text);
    }
    EXPECT_EQ(untitled, (std::vector<std::string>{"This slide has no title", "Grouped on the left",
                                                  "Grouped on the right"}));
    const auto monochrome = source.Render(4, 160, 120);
    ASSERT_TRUE(monochrome);
    EXPECT_EQ(std::set<std::uint8_t>(monochrome->rgb.begin(), monochrome->rgb.end()),
              (std::set<std::uint8_t>{0, 255}));
    source.Close();
    EXPECT_TRUE(NothingLeftBehind());
}

TEST_F(RealOfficeTest, DamagedOrLockedPresentationsFailWithoutHanging) {
    std::vector<unsigned char> noise(4096);
    for (std::size_t i = 0; i < noise.size(); ++i) {
        noise[i] = static_cast<unsigned char>((i * 7919 + 13) % 251);
    }
    test::WriteAllBytes(scratch_ / "damaged.ppt", noise);
    // Saved by LibreOffice with the password "secret"; nobody is there to type it.
    // The office cannot tell the two apart; an .odp is read here, which can.
    const fs::path locked = test::TestDataDir() / "presentations" / "password-protected.odp";
    for (const auto& [file, expected] :
         {std::pair{scratch_ / "damaged.ppt", "damaged or protected by a password"},
          std::pair{locked, "The presentation is protected by a password"}}) {
        CLibreOfficeSource source(runner_, 240s);
        ExpectOpenFails(source, file, expected);
    }
}

}  // namespace
}  // namespace trovique
