// The three install methods: which one the settings choose, and what each does with the files.

#include "core/delivery/InstallTool.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <thread>

#include "FakeInstallRunner.h"
#include "core/common/Error.h"
#include "core/common/FindOnPath.h"
#include "core/delivery/InstallFolderInstall.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/MemorySettingsStore.h"
#include "core/services/RegAPI.h"
#include "core/services/SettingNames.h"
#include "support/DeliveryFixture.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

// Puts one folder alone on the PATH for the test's lifetime.
class PathOverride {
public:
    explicit PathOverride(const fs::path& folder) {
        if (const char* old = std::getenv("PATH")) {
            old_ = old;
        }
        ::setenv("PATH", folder.c_str(), 1);
    }
    ~PathOverride() {
        if (old_) {
            ::setenv("PATH", old_->c_str(), 1);
        } else {
            ::unsetenv("PATH");
        }
    }

private:
    std::optional<std::string> old_;
};

// A Palm application header (type "appl") with a version and a modification time.
std::vector<unsigned char> Viewer(std::uint16_t version, std::uint32_t modified) {
    std::vector<unsigned char> bytes(90, 0);
    bytes[34] = static_cast<unsigned char>(version >> 8);
    bytes[35] = static_cast<unsigned char>(version);
    for (int i = 0; i < 4; ++i) {
        bytes[40 + i] = static_cast<unsigned char>(modified >> (24 - 8 * i));
    }
    const std::string type = "applTRVQ";
    std::copy(type.begin(), type.end(), bytes.begin() + 60);
    bytes.back() = static_cast<unsigned char>(version);  // tells the copies apart
    return bytes;
}

class InstallToolTest : public testing::Test, public test::DeliveryFixture {
protected:
    InstallToolTest() : path(tools.Path()) {
        test::WriteAllBytes(source / "TROVIQUE.PRC", Viewer(2, 100));
        test::WriteAllBytes(source / "Talk.PDB", {'d', 'b'});
    }

    void Set(const char* key, const std::string& value) {
        Settings().Set(std::string(kApplicationTitle), settings::kSettings, key, value);
    }
    void ProvidePilotXfer() {
        test::WriteAllBytes(tools / "pilot-xfer", {'#', '!'});
        ::chmod((tools / "pilot-xfer").c_str(), 0755);
    }
    std::vector<std::string> Files() const {
        return {(source / "TROVIQUE.PRC").string(), (source / "Talk.PDB").string()};
    }
    void Install() { MakeInstallTool(Services(), runner)->Install(Files()); }
    // The CError the hand-over raises; fails the test when it raises none.
    CError InstallFailure() {
        try {
            Install();
        } catch (const CError& error) {
            return error;
        }
        ADD_FAILURE() << "no error";
        return CError(0, "", "");
    }

    test::ScratchDir tools;
    test::ScratchDir source;
    test::ScratchDir inbox;
    PathOverride path;
    test::FakeInstallRunner runner;
};

TEST_F(InstallToolTest, TheSettingsChooseTheMethod) {
    const struct {
        const char* name;
        std::string stored;
        bool palmDesktop, folderSet, pilotXfer;
        InstallMethod expected;
    } cases[] = {
        {"stored, any case", "pilotxfer", true, true, false, InstallMethod::PilotXfer},
        {"stored folder", "InstallFolder", true, false, true, InstallMethod::InstallFolder},
        {"stored palm", "PALMDESKTOP", false, true, true, InstallMethod::PalmDesktop},
        {"palm desktop first", "", true, true, true, InstallMethod::PalmDesktop},
        {"then a set folder", "", false, true, true, InstallMethod::InstallFolder},
        {"then pilot-xfer", "", false, false, true, InstallMethod::PilotXfer},
        {"nothing: palm desktop", "", false, false, false, InstallMethod::PalmDesktop},
    };
    for (const auto& c : cases) {
        MemorySettingsStore store;
        const std::string title(kApplicationTitle);
        fs::remove(tools / "pilot-xfer");
        store.Set(title, settings::kSettings, settings::kInstallMethod, c.stored);
        if (c.palmDesktop) {
            CRegAPI registry(store);
            registry.SetRootKey(CRegAPI::kHKeyCurrentUser);
            registry.SetBasePath(kPalmDesktopBasePath);
            registry.SaveSetting(kPalmDesktopApplication, kPalmDesktopSection, kPalmDesktopPathKey,
                                 "/opt/Palm");
        }
        if (c.folderSet) {
            store.Set(title, settings::kSettings, settings::kInstallFolder, inbox.Path().string());
        }
        if (c.pilotXfer) {
            ProvidePilotXfer();
        }
        EXPECT_EQ(ChosenInstallMethod(store), c.expected) << c.name;
    }
}

TEST_F(InstallToolTest, AnUnknownMethodIsNamedWithTheChoices) {
    Set(settings::kInstallMethod, "Floppy");
    const CError error = InstallFailure();
    EXPECT_NE(error.Description().find("Floppy"), std::string::npos) << error.Description();
    EXPECT_NE(error.Description().find("PalmDesktop, PilotXfer or InstallFolder"),
              std::string::npos);
    EXPECT_TRUE(runner.requests.empty());
}

TEST_F(InstallToolTest, FindOnPathWantsARunnableFile) {
    test::WriteAllBytes(tools / "plain", {'x'});
    fs::create_directory(tools / "folder");
    ProvidePilotXfer();
    EXPECT_EQ(FindOnPath("pilot-xfer"), (tools / "pilot-xfer").string());
    EXPECT_EQ(FindOnPath("plain"), "");
    EXPECT_EQ(FindOnPath("folder"), "");
    EXPECT_EQ(FindOnPath("missing"), "");
    EXPECT_EQ(FindOnPath((tools / "pilot-xfer").string()), "") << "only bare names";
}

TEST_F(InstallToolTest, PilotXferGetsThePortAndTheFilesAndItsWaitPumpsEvents) {
    ProvidePilotXfer();
    Set(settings::kInstallMethod, "PilotXfer");
    Set(settings::kPilotPort, "/dev/ttyUSB1");
    Install();
    ASSERT_EQ(runner.requests.size(), 1u);
    const ProcessRequest& request = runner.requests.front();
    std::vector<std::string> expected = {(tools / "pilot-xfer").string(), "-p", "/dev/ttyUSB1",
                                         "-i"};
    for (const auto& file : Files()) {
        expected.push_back(file);
    }
    EXPECT_EQ(request.arguments, expected);
    EXPECT_FALSE(request.leaveRunning) << "a pilot-xfer still waiting is ended with the run";
    EXPECT_EQ(Ui().CancelPolls(), runner.polls);
    EXPECT_EQ(MakeInstallTool(Services(), runner)->Destination(), "pilot-xfer on /dev/ttyUSB1");
}

TEST_F(InstallToolTest, PilotXferFailuresAreErrors) {
    ProvidePilotXfer();
    Set(settings::kInstallMethod, "PilotXfer");
    runner.exitCode = 1;
    runner.output = "Unable to bind to port: usb:\n";
    EXPECT_EQ(InstallFailure().Description(),
              "The slide show was not installed: pilot-xfer ended with status 1: Unable to bind "
              "to port: usb:");

    fs::remove(tools / "pilot-xfer");
    const CError missing = InstallFailure();
    EXPECT_EQ(missing.Number(), 53u);
    EXPECT_NE(missing.Description().find("pilot-xfer was not found on the PATH"),
              std::string::npos);
}

TEST_F(InstallToolTest, PilotXferThatFindsNoHandheldInTimeIsAnError) {
    ProvidePilotXfer();
    Set(settings::kInstallMethod, "PilotXfer");
    Set(settings::kMaxInstAppWaitSeconds, "1");
    // A wait of one second that has run out: the clock is past it at the second poll.
    runner.whileRunning = [](const ProcessRequest&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    };
    runner.polls = 1;
    EXPECT_EQ(InstallFailure().Description(),
              "The slide show was not installed: no handheld answered on usb: within 1 seconds.");
}

TEST_F(InstallToolTest, InstallFolderReceivesBothFilesWhole) {
    Set(settings::kInstallMethod, "InstallFolder");
    Set(settings::kInstallFolder, inbox.Path().string());
    test::WriteAllBytes(inbox / "Talk.PDB", {'o', 'l', 'd'});
    Install();
    EXPECT_EQ(test::FileNamesIn(inbox.Path()),
              (std::vector<std::string>{"TROVIQUE.PRC", "Talk.PDB"}))
        << "no temporary file is left";
    EXPECT_EQ(test::ReadAllBytes(inbox / "TROVIQUE.PRC"), Viewer(2, 100));
    EXPECT_EQ(test::ReadAllBytes(inbox / "Talk.PDB"), (std::vector<unsigned char>{'d', 'b'}));
    EXPECT_EQ(MakeInstallTool(Services(), runner)->Destination(),
              "the install folder " + inbox.Path().string());
}

TEST_F(InstallToolTest, InstallFolderNeverReplacesANewerViewer) {
    Set(settings::kInstallFolder, inbox.Path().string());
    const struct {
        const char* name;
        std::vector<unsigned char> there;
        bool replaced;
    } cases[] = {
        {"higher version", Viewer(3, 1), false}, {"same version, later", Viewer(2, 101), false},
        {"the same", Viewer(2, 100), false},     {"same version, earlier", Viewer(2, 99), true},
        {"lower version", Viewer(1, 500), true}, {"not a viewer", {'j', 'u', 'n', 'k'}, true},
    };
    for (const auto& c : cases) {
        test::WriteAllBytes(inbox / "TROVIQUE.PRC", c.there);
        Install();
        EXPECT_EQ(test::ReadAllBytes(inbox / "TROVIQUE.PRC"), c.replaced ? Viewer(2, 100) : c.there)
            << c.name;
        EXPECT_EQ(test::ReadAllBytes(inbox / "Talk.PDB"), (std::vector<unsigned char>{'d', 'b'}));
    }
}

TEST_F(InstallToolTest, InstallFolderMissingOrUnsetIsAnErrorAndCopiesNothing) {
    Set(settings::kInstallMethod, "InstallFolder");
    EXPECT_NE(InstallFailure().Description().find("No install folder is set"), std::string::npos);
    Set(settings::kInstallFolder, (inbox / "gone").string());
    EXPECT_EQ(InstallFailure().Description(),
              "The install folder " + (inbox / "gone").string() + " does not exist.");
    EXPECT_TRUE(test::FileNamesIn(inbox.Path()).empty());
}

}  // namespace
}  // namespace trovique
