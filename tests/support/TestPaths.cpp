#include "support/TestPaths.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace trovique::test {
namespace fs = std::filesystem;

fs::path BinDir() {
    return TROVIQUE_BIN_DIR;
}
std::vector<std::string> CliProgramFiles() {
    std::vector<std::string> files = {"trovique-cli"};
    if (fs::exists(BinDir() / "trovique-cli-platform")) {
        files.push_back("trovique-cli-platform");
    }
    return files;
}
fs::path TestDataDir() {
    return TROVIQUE_TEST_DATA_DIR;
}
fs::path DecksDir() {
    return TROVIQUE_DECKS_DIR;
}

ScratchDir::ScratchDir() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("trovique-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::vector<unsigned char> ReadAllBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAllBytes(const fs::path& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

bool OfficeInstalled() {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        std::error_code error;
        if (!folder.empty() && fs::is_regular_file(fs::path(folder) / "soffice", error)) {
            return true;
        }
    }
    return false;
}

namespace {

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& args,
                 const std::map<std::string, std::string>& env) {
    ScratchDir scratch;
    std::map<std::string, std::string> fullEnv = {
        {"XDG_CONFIG_HOME", (scratch / "config").string()},
        {"TMPDIR", (scratch / "tmp").string()},
    };
    fs::create_directories(scratch / "config");
    fs::create_directories(scratch / "tmp");
    for (const auto& [key, value] : env) {
        fullEnv[key] = value;
    }
    std::string command = "env";
    for (const auto& [key, value] : fullEnv) {
        command += " " + ShellQuote(key + "=" + value);
    }
    command += " " + ShellQuote((BinDir() / "trovique-cli").string());
    for (const auto& arg : args) {
        command += " " + ShellQuote(arg);
    }
    command += " </dev/null >" + ShellQuote((scratch / "out").string()) + " 2>" +
               ShellQuote((scratch / "err").string());
    const int status = std::system(command.c_str());
    CliResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadText(scratch / "out");
    result.err = ReadText(scratch / "err");
    return result;
}

}  // namespace trovique::test
