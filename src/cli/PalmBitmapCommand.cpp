// trovique-cli palm-bitmap: converts a Windows bitmap into the handheld's bitmap layout the way
// the editor does, or a Palm bitmap back into a Windows bitmap.

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "core/common/DiskFile.h"
#include "core/common/Error.h"
#include "core/common/FileReplace.h"
#include "core/common/MemoryFile.h"
#include "core/imaging/Bitmap.h"
#include "core/imaging/PalmBitmap.h"
#include "core/imaging/PalmPaletteFiles.h"
#include "core/imaging/PicturePreparation.h"
#include "core/settings/ProgramFolder.h"

namespace trovique::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kName = "palm-bitmap";
constexpr const char* kUsage =
    "Usage: trovique-cli palm-bitmap IN.bmp -o OUT [--depth 1|2|8] [--no-compress] [--record]\n"
    "       trovique-cli palm-bitmap --decode IN -o OUT.bmp [--record]\n"
    "\n"
    "Converts a Windows bitmap (1, 4, 8 or 24 bits) into a Palm bitmap, re-indexed against the\n"
    "handheld palette of the chosen depth: 8 is 256 colours, 1 black and white, 2 four greys.\n"
    "Without --depth a picture of two colours becomes 1-bit and any other 8-bit. 8-bit output\n"
    "is run-length coded when that makes it smaller, unless --no-compress is given.\n"
    "\n"
    "  -o, --output FILE  the file to write (required)\n"
    "  --depth N          bits per pixel of the Palm bitmap: 1, 2 or 8\n"
    "  --no-compress      never run-length code the rows\n"
    "  --record           with the record fields of a stand-alone bitmap record before the\n"
    "                     header (reading and writing)\n"
    "  --decode           turn the Palm bitmap IN back into a Windows bitmap\n";

struct Options {
    fs::path input;
    fs::path output;
    std::optional<int> depth;
    bool compress = true;
    bool record = false;
    bool decode = false;
};

struct UsageError {
    std::string message;
};

// A failure of the conversion itself, reported as is.
struct Failure {
    std::string message;
};

std::optional<int> ParseDepth(const std::string& text) {
    if (text == "1" || text == "2" || text == "8") {
        return std::stoi(text);
    }
    return std::nullopt;
}

Options ParseOptions(const std::vector<std::string>& args) {
    Options options;
    std::vector<std::string> positional;
    bool compressGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&](const std::string& name) -> std::string {
            if (i + 1 >= args.size()) {
                throw UsageError{name + " needs a value"};
            }
            return args[++i];
        };
        if (arg == "-o" || arg == "--output") {
            options.output = value(arg);
        } else if (arg.rfind("--output=", 0) == 0) {
            options.output = arg.substr(9);
        } else if (arg == "--depth" || arg.rfind("--depth=", 0) == 0) {
            const std::string text = arg == "--depth" ? value(arg) : arg.substr(8);
            options.depth = ParseDepth(text);
            if (!options.depth) {
                throw UsageError{"--depth must be 1, 2 or 8, not '" + text + "'"};
            }
        } else if (arg == "--no-compress") {
            options.compress = false;
            compressGiven = true;
        } else if (arg == "--record") {
            options.record = true;
        } else if (arg == "--decode") {
            options.decode = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError{"unknown option '" + arg + "'"};
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 1) {
        throw UsageError{positional.empty() ? "no input file given" : "more than one input file"};
    }
    options.input = positional.front();
    if (options.output.empty()) {
        throw UsageError{"no output file given (-o FILE)"};
    }
    if (options.decode && (options.depth || compressGiven)) {
        throw UsageError{"--depth and --no-compress apply to encoding only"};
    }
    return options;
}

// The whole file or nothing: a failed run leaves neither a half-written file nor a damaged older
// one.
void WriteFileWhole(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    try {
        ReplaceFile(path, [&bytes](const WriteBytes& write) { write(bytes); });
    } catch (const std::exception& error) {
        throw Failure{"cannot write " + path.string() + ": " + DescribeError(error)};
    }
}

void Encode(const Options& options, const PalmPaletteFiles& palettes) {
    CBitmap bitmap;
    try {
        bitmap.ReadFile(options.input, palettes.color256);
    } catch (const std::exception& error) {
        throw Failure{TrappedErrorText(CBitmap::kReadFileErrorPrefix, error)};
    }
    const int depth = options.depth.value_or(bitmap.NumColors() < 3 ? 1 : 8);
    CPalmBitmap palm;
    palm.SetAllowCompression(options.compress);
    palm.ReadFromCBitmap(PrepareForDepth(std::move(bitmap), depth, palettes.Set()));
    CMemoryFile out;
    palm.WriteToFile(out, !options.record);
    WriteFileWhole(options.output, out.Data());
}

void Decode(const Options& options, const PalmPaletteFiles& palettes) {
    CPalmBitmap palm;
    try {
        CDiskFile file(options.input, CDiskFile::Mode::Read);
        palm.ReadFromFile(file, !options.record, palettes.Set());
    } catch (const std::exception& error) {
        throw Failure{"cannot read Palm bitmap " + options.input.string() + ": " +
                      DescribeError(error)};
    }
    CBitmap bitmap;
    bitmap.ReadFromCPalmBitmap(palm);
    CMemoryFile out;
    bitmap.WriteFile(out);
    WriteFileWhole(options.output, out.Data());
}

int Run(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage;
        return kExitOk;
    }
    Options options;
    try {
        options = ParseOptions(args);
    } catch (const UsageError& error) {
        std::cerr << "trovique-cli " << kName << ": " << error.message << "\n\n" << kUsage;
        return kExitUsage;
    }
    try {
        // A picture needs the palettes beside the program and nothing else: no settings.
        const PalmPaletteFiles palettes(ProgramDataFolder());
        if (options.decode) {
            Decode(options, palettes);
        } else {
            Encode(options, palettes);
        }
    } catch (const Failure& failure) {
        std::cerr << "trovique-cli " << kName << ": " << failure.message << "\n";
        return kExitFailure;
    } catch (const std::exception& error) {
        std::cerr << "trovique-cli " << kName << ": " << DescribeError(error) << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

const CommandRegistration registration{
    Command{kName, "palm-bitmap IN.bmp -o OUT [--depth 1|2|8] [--no-compress] [--record]",
            "convert a Windows bitmap into a Palm bitmap, or back with --decode", Run}};

}  // namespace
}  // namespace trovique::cli
