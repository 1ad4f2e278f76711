#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The processes whose arguments name folder: the office runs of a conversion whose temporary
// folder lies there (its profile is named on its command line).
std::vector<pid_t> ProcessesNaming(const std::string& folder) {
    std::vector<pid_t> found;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::ifstream in(entry.path() / "cmdline", std::ios::binary);
        const std::string arguments((std::istreambuf_iterator<char>(in)), {});
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        std::getline(stat, line);
        const bool zombie = line.find(") Z ") != std::string::npos;
        if (!zombie && arguments.find("UserInstallation=file://" + folder) != std::string::npos) {
            found.push_back(std::stoi(name));
        }
    }
    return found;
}

template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

bool HasConversionFolders(const fs::path& temporary) {
    for (const auto& entry : fs::directory_iterator(temporary)) {
        if (entry.path().filename().string().rfind("trovique-office-", 0) == 0) {
            return true;
        }
    }
    return false;
}

class ConvertSignalTest : public testing::TestWithParam<int> {
protected:
    pid_t StartConvert(const fs::path& presentation) {
        const std::vector<std::string> env = {"TMPDIR=" + Temporary().string(),
                                              "XDG_CONFIG_HOME=" + (scratch / "config").string(),
                                              "XDG_CACHE_HOME=" + (scratch / "cache").string(),
                                              "PATH=" + std::string(std::getenv("PATH"))};
        const std::vector<std::string> args = {(test::BinDir() / "trovique-cli").string(),
                                               "convert", presentation.string(), "-o",
                                               (scratch / "out.pdb").string()};
        std::vector<char*> argv;
        std::vector<char*> envp;
        for (const auto& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        for (const auto& var : env) {
            envp.push_back(const_cast<char*>(var.c_str()));
        }
        argv.push_back(nullptr);
        envp.push_back(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::freopen("/dev/null", "r", stdin);
            ::freopen("/dev/null", "w", stdout);
            ::freopen("/dev/null", "w", stderr);
            ::execve(argv[0], argv.data(), envp.data());
            ::_exit(127);
        }
        return pid;
    }
    fs::path Temporary() const { return scratch / "tmp"; }

    test::ScratchDir scratch;
};

TEST_P(ConvertSignalTest, LeavesNoOfficeAndNoTemporaryFolder) {
    if (!test::OfficeInstalled()) {
        GTEST_SKIP() << "soffice is not on the PATH";
    }
    const int signal = GetParam();
    fs::create_directories(Temporary());
    const pid_t convert = StartConvert(test::DecksDir() / "themes.pptx");
    ASSERT_GT(convert, 0);
    const std::string folder = Temporary().string() + "/trovique-office-";
    ASSERT_TRUE(WaitUntil([&] { return !ProcessesNaming(folder).empty(); }, 60s));
    ASSERT_EQ(::kill(convert, signal), 0);

    int status = 0;
    ASSERT_TRUE(WaitUntil([&] { return ::waitpid(convert, &status, WNOHANG) == convert; }, 30s));
    ASSERT_TRUE(WaitUntil([&] { return ProcessesNaming(folder).empty(); }, 15s))
        << "an office of the conversion still runs";
    if (signal == SIGKILL) {
        EXPECT_TRUE(WIFSIGNALED(status));
        // The next conversion removes the folder of the one that was killed.
        EXPECT_TRUE(HasConversionFolders(Temporary()));
        const auto next = test::RunCli({"convert", (scratch / "absent.pptx").string()},
                                       {{"TMPDIR", Temporary().string()}});
        EXPECT_EQ(next.exitCode, 1);
    } else {
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 1);
    }
    EXPECT_FALSE(HasConversionFolders(Temporary()));
    EXPECT_FALSE(fs::exists(scratch / "out.pdb"));
}

INSTANTIATE_TEST_SUITE_P(Signals, ConvertSignalTest, testing::Values(SIGTERM, SIGHUP, SIGKILL),
                         [](const auto& instance) {
                             return std::string(instance.param == SIGTERM  ? "Term"
                                                : instance.param == SIGHUP ? "Hup"
                                                                           : "Kill");
                         });

}  // namespace
}  // namespace trovique
