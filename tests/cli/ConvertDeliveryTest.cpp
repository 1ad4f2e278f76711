// trovique-cli convert --hotsync and --save: the automatic conversion from the command line,
// run from a copy of the program whose DATA folder the test controls.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "core/slideshowfile/SlideShowReader.h"
#include "support/DocumentFixture.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;
using test::OfficeInstalled;

// Two plain slides.
constexpr const char* kDeck = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.presentation">
 <office:body><office:presentation>
  <draw:page draw:name="One"><draw:frame svg:x="1cm" svg:y="1cm" svg:width="20cm" svg:height="3cm">
   <draw:text-box><text:p>Hello</text:p></draw:text-box></draw:frame></draw:page>
  <draw:page draw:name="Two"/>
 </office:presentation></office:body>
</office:document>
)";

// Notes its arguments and keeps a copy of the database it was given.
constexpr const char* kInstallTool = R"sh(#!/bin/sh
here=$(dirname "$0")
for file in "$@"; do printf '%s\n' "$file" >> "$here/args"; done
cp "$2" "$here/received.pdb"
)sh";

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class ConvertDeliveryTest : public testing::Test, public test::DocumentFixture {
protected:
    ConvertDeliveryTest() : program(scratch / "program"), palm(scratch / "Palm Desktop") {
        fs::create_directories(program);
        fs::create_directories(scratch / "config" / "Norvane");
        fs::create_directories(scratch / "tmp");
        fs::create_directories(palm);
        std::vector<std::string> files = test::CliProgramFiles();
        files.insert(files.end(), {"Palm256Color.pal", "PalmMonochrome.pal", "Palm4Color.pal"});
        for (const std::string& file : files) {
            std::error_code error;
            fs::create_hard_link(test::BinDir() / file, program / file, error);
            if (error) {
                fs::copy_file(test::BinDir() / file, program / file);
            }
        }
        const std::string deck(kDeck);
        test::WriteAllBytes(DeckPath(), {deck.begin(), deck.end()});
    }

    fs::path DeckPath() const { return scratch / "Team deck.fodp"; }

    void ShipViewer() {
        fs::create_directories(program / "DATA");
        test::WriteAllBytes(program / "DATA" / "TROVIQUE.PRC", {'P', 'R', 'C'});
    }

    // Registers the stand-in tool the way a user of this platform would: by hand, in the
    // settings file that stands for HKEY_CURRENT_USER.
    void RegisterInstallTool() {
        const std::string script(kInstallTool);
        test::WriteAllBytes(palm / "InstApp", {script.begin(), script.end()});
        ::chmod((palm / "InstApp").c_str(), 0755);
        std::ofstream(scratch / "config" / "Norvane" / "HKEY_CURRENT_USER.conf")
            << "[Software]\nU.S.%20Robotics\\Pilot%20Desktop\\Core\\Path=" << palm.string() << "\n";
    }

    test::CliResult Convert(const std::vector<std::string>& args, const std::string& env = {}) {
        return Run("convert", args, env);
    }

    // Stores a setting the way a user does.
    void Set(const std::string& key, const std::string& value) {
        ASSERT_EQ(Run("settings", {"set", "Settings", key, value}).exitCode, 0);
    }

    test::CliResult Run(const std::string& subcommand, const std::vector<std::string>& args,
                        const std::string& env = {}) {
        std::string command = "env " + env + " " +
                              ShellQuote("XDG_CONFIG_HOME=" + (scratch / "config").string()) + " " +
                              ShellQuote("TMPDIR=" + (scratch / "tmp").string()) + " " +
                              ShellQuote((program / "trovique-cli").string()) + " " + subcommand;
        for (const auto& arg : args) {
            command += " " + ShellQuote(arg);
        }
        command += " </dev/null >" + ShellQuote((scratch / "out").string()) + " 2>" +
                   ShellQuote((scratch / "err").string());
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(scratch / "out"),
                ReadText(scratch / "err")};
    }

    std::size_t SlidesIn(const fs::path& file) {
        auto document = NewDocument();
        EXPECT_TRUE(Read(*document, file, true)) << testing::PrintToString(Ui().MessageTexts());
        return document->Tree().LeafCount();
    }

    test::ScratchDir scratch;
    fs::path program;
    fs::path palm;
};

TEST_F(ConvertDeliveryTest, HotSyncHandsTheDatabaseToTheInstallToolAndKeepsNothing) {
    if (!OfficeInstalled()) {
        GTEST_SKIP() << "soffice is not on the PATH";
    }
    ShipViewer();
    RegisterInstallTool();
    const auto result = Convert({DeckPath().string(), "--hotsync"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, DeckPath().string() + ": 2 slides handed to the Palm install tool\n");
    const fs::path temp = scratch / "tmp";
    EXPECT_EQ(ReadText(palm / "args"),
              (temp / "TROVIQUE.PRC").string() + "\n" + (temp / "Team deck.PDB").string() + "\n");
    EXPECT_EQ(SlidesIn(palm / "received.pdb"), 2u);
    EXPECT_FALSE(fs::exists(temp / "TROVIQUE.PRC"));
    EXPECT_FALSE(fs::exists(temp / "Team deck.PDB"));
    EXPECT_FALSE(fs::exists(scratch / "Team deck.pdb")) << "nothing is saved beside the deck";
}

// The two install methods of a machine without the Palm Desktop, through the real office suite.
TEST_F(ConvertDeliveryTest, HotSyncDeliversIntoAnInstallFolderWithRealOffice) {
    if (!OfficeInstalled()) {
        GTEST_SKIP() << "soffice is not on the PATH";
    }
    ShipViewer();
    const fs::path inbox = scratch / "emulator inbox";
    fs::create_directories(inbox);
    Set("InstallFolder", inbox.string());
    const auto result = Convert({DeckPath().string(), "--hotsync"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, DeckPath().string() + ": 2 slides handed to the install folder " +
                              inbox.string() + "\n");
    EXPECT_EQ(ReadText(inbox / "TROVIQUE.PRC"), "PRC");
    EXPECT_EQ(SlidesIn(inbox / "Team deck.PDB"), 2u);
    EXPECT_TRUE(fs::is_empty(scratch / "tmp"));
}

TEST_F(ConvertDeliveryTest, HotSyncDeliversThroughPilotXferWithRealOffice) {
    if (!OfficeInstalled()) {
        GTEST_SKIP() << "soffice is not on the PATH";
    }
    ShipViewer();
    // A stand-in pilot-xfer that notes its arguments and keeps the database.
    const fs::path tools = scratch / "tools";
    fs::create_directories(tools);
    const std::string script =
        "#!/bin/sh\nhere=$(dirname \"$0\")\n"
        "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$here/args\"; done\n"
        "cp \"$5\" \"$here/received.pdb\"\n";
    test::WriteAllBytes(tools / "pilot-xfer", {script.begin(), script.end()});
    ::chmod((tools / "pilot-xfer").c_str(), 0755);
    Set("InstallMethod", "PilotXfer");
    Set("PilotPort", "net:any");
    const std::string path = ShellQuote("PATH=" + tools.string() + ":" + std::getenv("PATH"));
    const auto result = Convert({DeckPath().string(), "--hotsync"}, path);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, DeckPath().string() + ": 2 slides handed to pilot-xfer on net:any\n");
    const fs::path temp = scratch / "tmp";
    EXPECT_EQ(ReadText(tools / "args"), "-p\nnet:any\n-i\n" + (temp / "TROVIQUE.PRC").string() +
                                            "\n" + (temp / "Team deck.PDB").string() + "\n");
    EXPECT_EQ(SlidesIn(tools / "received.pdb"), 2u);
    EXPECT_TRUE(fs::is_empty(temp));
}

TEST_F(ConvertDeliveryTest, SaveWritesTheNamedFileOnly) {
    if (!OfficeInstalled()) {
        GTEST_SKIP() << "soffice is not on the PATH";
    }
    const fs::path out = scratch / "show.pdb";
    const auto result = Convert({DeckPath().string(), "--save", out.string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, out.string() + ": 2 slides\n");
    EXPECT_EQ(SlidesIn(out), 2u);
    EXPECT_FALSE(fs::exists(scratch / "Team deck.pdb"));
}

TEST_F(ConvertDeliveryTest, AMissingViewerIsNamedBeforeAnythingIsImported) {
    RegisterInstallTool();
    const auto result = Convert({DeckPath().string(), "--hotsync"});
    EXPECT_EQ(result.exitCode, 1);
    const std::string expected =
        "error: An error has occurred creating Palm Slide Show from file " + DeckPath().string() +
        ": The handheld viewer application " + (program / "DATA" / "TROVIQUE.PRC").string() +
        " was not found.";
    EXPECT_NE(result.err.find(expected), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(palm / "args"));
}

TEST_F(ConvertDeliveryTest, RefusesMixedDestinations) {
    const std::string deck = DeckPath().string();
    const std::string out = (scratch / "x.pdb").string();
    const std::vector<std::vector<std::string>> cases = {
        {deck, "--hotsync", "--save", out},
        {deck, "--hotsync", "-o", out},
        {deck, "--save", out, "-o", out},
        {deck, "--hotsync", "--sdb", out},
        {deck, "--hotsync", "--hotsync"},
        {deck, "--save"},
        {deck, "--save", deck},
    };
    for (const auto& args : cases) {
        const auto result = Convert(args);
        EXPECT_EQ(result.exitCode, 2) << testing::PrintToString(args) << result.err;
        EXPECT_NE(result.err.find("trovique-cli convert"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(scratch / "x.pdb"));
}

}  // namespace
}  // namespace trovique
