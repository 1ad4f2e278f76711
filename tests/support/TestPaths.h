#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace trovique::test {

// Where the built programs and palette files are.
std::filesystem::path BinDir();
// The program files of trovique-cli, which must sit together in one folder: the command-line
// program and, where it is built, the program it hands the platform's commands to.
std::vector<std::string> CliProgramFiles();
// Small fixture files kept with the tests.
std::filesystem::path TestDataDir();
// Real presentations written elsewhere, kept with the tests (see data/decks/README.md).
std::filesystem::path DecksDir();

// A fresh folder removed again when the object goes away.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::vector<unsigned char> ReadAllBytes(const std::filesystem::path& path);
void WriteAllBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);

// True when the office suite that reads presentations (soffice) is on the PATH.
bool OfficeInstalled();

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built trovique-cli with the given arguments and extra environment; stdin is empty.
// XDG_CONFIG_HOME and TMPDIR always point into a folder of the test's own unless env sets them.
CliResult RunCli(const std::vector<std::string>& args,
                 const std::map<std::string, std::string>& env = {});

}  // namespace trovique::test
