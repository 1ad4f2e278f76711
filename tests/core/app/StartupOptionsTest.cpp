#include "core/app/StartupOptions.h"

#include <gtest/gtest.h>

#include "core/common/Error.h"
#include "core/services/MessageStyle.h"

namespace trovique {
namespace {

struct OptionsCase {
    const char* name;
    std::string commandLine;
    StartupOptions expected;
};

StartupOptions Options(std::size_t tokens, bool ui, bool about, std::string pdb, std::string file) {
    return StartupOptions{tokens, ui, about, std::move(pdb), std::move(file)};
}

class ReadCommandLineTest : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(ReadCommandLineTest, Classifies) {
    EXPECT_EQ(ReadCommandLine(GetParam().commandLine), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, ReadCommandLineTest,
    ::testing::Values(
        OptionsCase{"Empty", "", Options(0, false, false, "", "")},
        OptionsCase{"AutoPdbQuotedPath", "/AUTOPDB=\"C:\\My Talks\\deck.ppt\"",
                    Options(1, false, false, "C:\\My Talks\\deck.ppt", "")},
        OptionsCase{"LowerCaseShowUIWithQuotedFile", "/showui \"C:\\My Files\\a.sdb\"",
                    Options(2, true, false, "", "C:\\My Files\\a.sdb")},
        OptionsCase{"AutoPdbWithoutEquals", "/AUTOPDB", Options(1, false, false, "", "")},
        OptionsCase{"SwitchNameQuoted", "\"/AutoPdb\"=\"a b.ppt\"",
                    Options(1, false, false, "a b.ppt", "")},
        OptionsCase{"WholeTokenQuoted", "\"/AUTOPDB=C:\\x y.ppt\"",
                    Options(1, false, false, "C:\\x y.ppt", "")},
        OptionsCase{"LastStartFileWins", "one.sdb two.sdb=ignored",
                    Options(2, false, false, "", "two.sdb")},
        OptionsCase{"BothWindowSwitches", "/SHOWABOUT /ShowUI", Options(2, true, true, "", "")},
        OptionsCase{"SwitchMustMatchWhole", "/SHOWUIX /AUTOPDBX=a.ppt",
                    Options(2, false, false, "", "/AUTOPDBX")}),
    [](const ::testing::TestParamInfo<OptionsCase>& c) { return c.param.name; });

TEST(ReadArgumentsTest, EachArgumentIsOneToken) {
    struct Case {
        std::vector<std::string> arguments;
        StartupOptions expected;
    };
    const Case cases[] = {
        {{}, Options(0, false, false, "", "")},
        {{"", ""}, Options(0, false, false, "", "")},
        {{"/AUTOPDB=/home/me/My Talks/a=b.odp"},
         Options(1, false, false, "/home/me/My Talks/a=b.odp", "")},
        {{"/showui", "/home/me/a b=c.sdb"}, Options(2, true, false, "", "/home/me/a b=c.sdb")},
        {{"/AUTOPDB"}, Options(1, false, false, "", "")},
        {{"/SHOWABOUT=1"}, Options(1, false, true, "", "")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadArguments(c.arguments), c.expected)
            << (c.arguments.empty() ? "(none)" : c.arguments.front());
    }
}

struct RunCase {
    const char* commandLine;
    OtherInstance other;
    StartupRun run;
    const char* text;
};

TEST(ChooseStartupRunTest, Precedence) {
    using enum OtherInstance;
    using enum StartupRun;
    const RunCase cases[] = {
        {"", None, Message,
         "Norvane Trovique must be started from its toolbar icon within PowerPoint."},
        {"", Found, Message,
         "Norvane Trovique must be started from its toolbar icon within PowerPoint."},
        {"a.sdb", None, SilentEnd, ""},
        {"/AUTOPDB", None, SilentEnd, ""},
        {"/SHOWABOUT", Found, About, ""},
        {"/SHOWUI /SHOWABOUT /AUTOPDB=a.ppt", None, About, ""},
        {"/SHOWUI a.sdb", None, Interactive, "a.sdb"},
        {"/SHOWUI", None, Interactive, ""},
        {"/SHOWUI a.sdb", Found, HandOver, "a.sdb"},
        {"/SHOWUI", Found, HandOver, ""},
        {"/SHOWUI a.sdb", Unreachable, Interactive, "a.sdb"},
        {"/AUTOPDB=a.ppt", None, Automatic, "a.ppt"},
        {"/AUTOPDB=a.ppt", Found, SilentEnd, ""},
        {"/AUTOPDB=a.ppt", Unreachable, SilentEnd, ""},
        {"/SHOWUI /AUTOPDB=a.ppt b.sdb", None, Automatic, "a.ppt"},
        {"/SHOWUI /AUTOPDB=a.ppt", Found, Automatic, "a.ppt"},
    };
    for (const auto& c : cases) {
        const StartupDecision decision = ChooseStartupRun(ReadCommandLine(c.commandLine), c.other);
        EXPECT_EQ(decision.run, c.run) << c.commandLine << " / " << static_cast<int>(c.other);
        EXPECT_EQ(decision.text, c.text) << c.commandLine;
        EXPECT_EQ(decision.style, decision.run == Message ? kStyleExclamation : MessageStyle{});
    }
}

TEST(StartupErrorTextTest, NamesTheProgramAndTheError) {
    const CError error(kErrFileNotFound, "Main", "File not found");
    EXPECT_EQ(StartupErrorText(error),
              "An error has occurred loading Norvane Trovique: File not found");
}

}  // namespace
}  // namespace trovique
