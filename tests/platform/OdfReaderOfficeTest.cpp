#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/OdfReader.h"
#include "platform/PptxReader.h"
#include "platform/ProcessRunner.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Converts every file into format with one office call; returns the folder of the results.
fs::path Convert(const test::ScratchDir& scratch, const std::vector<fs::path>& files,
                 const std::string& format) {
    const fs::path out = scratch / format;
    std::vector<std::string> arguments = {
        FindProgramOnPath("soffice"),
        "--headless",
        "-env:UserInstallation=file://" + (scratch / "profile").string(),
        "--convert-to",
        format,
        "--outdir",
        out.string()};
    for (const auto& file : files) {
        arguments.push_back(file.string());
    }
    CProcessRunner runner;
    const auto result = runner.Run(ProcessRequest(arguments, scratch.Path(), 300s));
    EXPECT_TRUE(result.Succeeded()) << result.output;
    return out;
}

std::string Shown(const std::string& text) {
    std::string shown;
    for (const char c : text) {
        shown += c == '\r'   ? std::string("\\r")
                 : c == '\n' ? "\\n"
                 : c == '\v' ? "\\v"
                             : std::string(1, c);
    }
    return shown;
}

// The office's .pptx keeps the placeholder of a page-number field where the office shows the
// slide's number, as the direct reading does.
std::string WithSlideNumbers(std::string text, std::size_t number) {
    const std::string placeholder = "<number>";
    for (auto at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder)) {
        text.replace(at, placeholder.size(), std::to_string(number));
    }
    return text;
}

// The yardstick: what we read from an .odp the office wrote is what we read from the .pptx the
// office makes of that .odp, field for field, slide for slide.
TEST(OdfReaderOfficeTest, ReadsWhatTheOfficesPptxHolds) {
    if (!test::OfficeInstalled()) {
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    }
    const test::ScratchDir scratch;
    std::vector<fs::path> decks;
    for (const auto& entry : fs::directory_iterator(test::DecksDir())) {
        if (entry.path().extension() != ".md") {
            decks.push_back(entry.path());
        }
    }
    const fs::path odpFolder = Convert(scratch, decks, "odp");
    std::vector<fs::path> odps;
    for (const auto& deck : decks) {
        odps.push_back(odpFolder / deck.filename().replace_extension(".odp"));
    }
    const fs::path pptxFolder = Convert(scratch, odps, "pptx");
    for (const auto& odp : odps) {
        SCOPED_TRACE(odp.filename().string());
        const auto direct = COdfReader(odp).Slides();
        const auto viaPptx =
            CPptxReader(pptxFolder / odp.filename().replace_extension(".pptx")).Slides();
        ASSERT_EQ(direct.size(), viaPptx.size());
        for (std::size_t i = 0; i < direct.size(); ++i) {
            SCOPED_TRACE("slide " + std::to_string(i + 1));
            EXPECT_EQ(Shown(direct[i].notes), Shown(viaPptx[i].notes));
            ASSERT_EQ(direct[i].shapes.size(), viaPptx[i].shapes.size());
            for (std::size_t j = 0; j < direct[i].shapes.size(); ++j) {
                const auto& ours = direct[i].shapes[j];
                const auto& office = viaPptx[i].shapes[j];
                EXPECT_EQ(Shown(ours.text), Shown(WithSlideNumbers(office.text, i + 1)));
                EXPECT_EQ(ours.isTitle, office.isTitle);
                EXPECT_EQ(ours.bulletVisible, office.bulletVisible);
                EXPECT_EQ(ours.bulletType, office.bulletType);
            }
        }
    }
}

}  // namespace
}  // namespace trovique
