#include "core/print/RtfWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/TestPaths.h"

namespace trovique {
namespace {

constexpr ReportFormat kPlain{false, false, 10};

std::string Body(const std::string& text, const ReportFormat& format = kPlain) {
    CReportText report;
    report.Append(text, format);
    const std::string rtf = RtfOfReport(report);
    const std::string preamble = "\\pard\\plain\\f0\\fs20\r\n";
    const std::size_t start = rtf.find(preamble) + preamble.size();
    return rtf.substr(start, rtf.size() - start - 3);  // less the closing "}\r\n"
}

TEST(RtfWriterTest, EscapesTextAndSetsEachFormat) {
    const std::pair<std::string, std::string> cases[] = {
        {"caf\u00e9", "\\plain\\f0\\fs20 caf\\'e9"},        {"{a}", "\\plain\\f0\\fs20 \\{a\\}"},
        {"back\\slash", "\\plain\\f0\\fs20 back\\\\slash"}, {"a\tb", "\\plain\\f0\\fs20 a\\tab b"},
        {"\u20ac \u4e2d", "\\plain\\f0\\fs20 \\'80 ?"},  // beyond the code page: "?"
        {"a\r\nb", "\\plain\\f0\\fs20 a\\par\r\nb"},        {"bell\x07", "\\plain\\f0\\fs20 bell"},
    };
    for (const auto& [text, rtf] : cases) {
        EXPECT_EQ(Body(text), rtf) << text;
    }
    EXPECT_EQ(Body("T", {true, true, 12}), "\\plain\\f0\\fs24\\b\\ul T");
    const std::string whole = RtfOfReport(CReportText());
    EXPECT_EQ(whole.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
}

// What LibreOffice Writer reads back from the file, as plain text.
std::string ReadWithOffice(const test::ScratchDir& dir, const std::filesystem::path& rtf) {
    const std::string command = "cd '" + dir.Path().string() + "' && HOME='" + dir.Path().string() +
                                "' timeout 180 soffice --headless --norestore "
                                "-env:UserInstallation=file://" +
                                (dir / "profile").string() +
                                " --convert-to 'txt:Text (encoded):UTF8' '" + rtf.string() +
                                "' >office.log 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(dir / (rtf.stem().string() + ".txt"), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string result = text.str();
    if (result.rfind("\xEF\xBB\xBF", 0) == 0) {
        result.erase(0, 3);
    }
    return result;
}

TEST(RtfWriterTest, OfficeReadsBackTheSameTextAndAnExistingFileIsReplaced) {
    if (!test::OfficeInstalled()) {
        GTEST_SKIP() << "soffice is not installed (scripts/setup installs it)";
    }
    test::ScratchDir dir;
    const auto file = dir / "report.rtf";
    test::WriteAllBytes(file, std::vector<unsigned char>(50000, 'x'));
    std::string fact;
    for (int i = 0; fact.size() < 10000; ++i) {
        fact += "word" + std::to_string(i) + " ";
    }
    fact.resize(10000);
    CReportText report;
    report.Append("Caf\u00e9 {braces} back\\slash", {true, true, 12});
    report.AppendLineBreaks(1, {true, true, 12});
    report.Append(fact, kPlain);
    report.AppendLineBreaks(1, kPlain);
    WriteRtfFile(file, report);
    std::string expected = report.PlainText();
    EXPECT_EQ(ReadWithOffice(dir, file), expected);
}

}  // namespace
}  // namespace trovique
