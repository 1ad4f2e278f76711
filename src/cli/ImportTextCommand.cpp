// trovique-cli import-text: cuts a text file into FACT leaves and saves them as a slide show.

#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliContext.h"
#include "cli/Command.h"
#include "core/common/Error.h"
#include "core/import/UnstructuredImport.h"
#include "core/import/UnstructuredSettings.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"
#include "core/slideshowfile/SlideShowReader.h"
#include "core/slideshowfile/SlideShowWriter.h"

namespace trovique::cli {
namespace {

constexpr const char* kSynopsis =
    "usage: trovique-cli import-text IN.txt -o OUT.sdb [--into EXISTING.sdb]\n"
    "           [--delim CODES]... [--title-first N | --title-delim CODES | --title-default]\n"
    "           [--split-long]\n";
constexpr const char* kOptions =
    "\n"
    "  -o, --output FILE     the slide show to write (default with --into: that file)\n"
    "  --into FILE           add the leaves to this slide show instead of a new one\n"
    "  --delim CODES         a delimiter as decimal character codes, e.g. 13,10,13,10 for an\n"
    "                        empty line; repeat for more (default: the stored delimiters)\n"
    "  --title-first N       title each leaf with its first N characters (1 to 255)\n"
    "  --title-delim CODES   title each leaf with its text before this delimiter\n"
    "  --title-default       leave the leaves' default titles\n"
    "                        (default title rule: the stored one)\n"
    "  --split-long          cut a piece longer than a leaf holds (10000 characters) into\n"
    "                        several leaves instead of stopping\n";

struct UsageError {
    std::string message;
};

struct Arguments {
    std::string input;
    std::string output;
    std::string into;
    std::vector<CDelim> delimiters;
    std::optional<TitleOption> titleOption;
    int titleChars = 0;
    CDelim titleDelimiter;
    bool splitLong = false;
};

CDelim DelimiterOption(const std::string& option, const std::string& codes) {
    CDelim delimiter;
    try {
        delimiter.SetDataString(codes);
    } catch (const CError&) {
        throw UsageError{option + " takes character codes 0 to 255 separated by commas, not '" +
                         codes + "'"};
    }
    if (const std::string problem = CheckDelimiter(delimiter); !problem.empty()) {
        throw UsageError{option + ": " + problem};
    }
    return delimiter;
}

int TitleCountOption(const std::string& text) {
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        throw UsageError{"--title-first takes a whole number, not '" + text + "'"};
    }
    if (const std::string problem = CheckTitleCount(count); !problem.empty()) {
        throw UsageError{"--title-first: " + problem};
    }
    return count;
}

void ChooseTitle(Arguments& parsed, TitleOption option) {
    if (parsed.titleOption) {
        throw UsageError{"choose one of --title-first, --title-delim and --title-default"};
    }
    parsed.titleOption = option;
}

Arguments Parse(const std::vector<std::string>& args) {
    Arguments parsed;
    std::vector<std::string> inputs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        std::optional<std::string> inlineValue;
        if (const auto equals = arg.find('='); arg.rfind("--", 0) == 0 && equals != arg.npos) {
            inlineValue = arg.substr(equals + 1);
            arg.resize(equals);
        }
        const auto value = [&]() -> std::string {
            if (inlineValue) {
                return *inlineValue;
            }
            if (i + 1 >= args.size()) {
                throw UsageError{arg + " needs a value"};
            }
            return args[++i];
        };
        if (arg == "-o" || arg == "--output") {
            parsed.output = value();
        } else if (arg == "--into") {
            parsed.into = value();
        } else if (arg == "--delim") {
            parsed.delimiters.push_back(DelimiterOption(arg, value()));
        } else if (arg == "--title-first") {
            ChooseTitle(parsed, TitleOption::UseFirst);
            parsed.titleChars = TitleCountOption(value());
        } else if (arg == "--title-delim") {
            ChooseTitle(parsed, TitleOption::ReadToDelim);
            parsed.titleDelimiter = DelimiterOption(arg, value());
        } else if (arg == "--title-default" && !inlineValue) {
            ChooseTitle(parsed, TitleOption::Default);
        } else if (arg == "--split-long" && !inlineValue) {
            parsed.splitLong = true;
        } else if (!arg.empty() && arg.front() != '-') {
            inputs.push_back(arg);
        } else {
            throw UsageError{"unknown option '" + args[i] + "'"};
        }
    }
    if (inputs.size() != 1) {
        throw UsageError{inputs.empty() ? "no text file given" : "more than one text file given"};
    }
    parsed.input = inputs.front();
    if (parsed.output.empty()) {
        parsed.output = parsed.into;
    }
    if (parsed.output.empty()) {
        throw UsageError{"no output file given (-o FILE)"};
    }
    return parsed;
}

// The import's options: what the command line says, the stored options for the rest.
UnstructuredImportOptions ImportOptions(const Arguments& parsed, CCliContext& context) {
    std::vector<std::string> problems;
    const UnstructuredSettings stored =
        LoadUnstructuredSettings(context.Services().settings, &problems);
    if (parsed.delimiters.empty() || !parsed.titleOption) {
        for (const std::string& problem : problems) {
            ReportMessage(context.Ui(), problem, kStyleExclamation);
        }
    }
    UnstructuredImportOptions options;
    UnstructuredSettings chosen = stored;
    if (!parsed.delimiters.empty()) {
        chosen.delimiters = parsed.delimiters;
    }
    if (parsed.titleOption) {
        chosen.titleOption = *parsed.titleOption;
        chosen.titleUseFirst = parsed.titleChars;
        chosen.titleDelimiter = parsed.titleDelimiter;
    }
    options.delimiters = chosen.DelimiterStrings();
    options.titleChars = chosen.TitleChars();
    options.titleDelimiter = chosen.TitleDelimiterString();
    options.longPieces = parsed.splitLong ? LongPieces::Split : LongPieces::Stop;
    return options;
}

std::string Leaves(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " leaf" : " leaves");
}

int Run(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kSynopsis << kOptions;
        return kExitOk;
    }
    Arguments parsed;
    try {
        parsed = Parse(args);
    } catch (const UsageError& error) {
        std::cerr << "trovique-cli import-text: " << error.message << "\n" << kSynopsis;
        return kExitUsage;
    }
    CCliContext context;
    const UnstructuredImportOptions options = ImportOptions(parsed, context);
    auto doc = context.NewDocument();
    if (!parsed.into.empty() && !Read(*doc, parsed.into, false)) {
        return kExitFailure;
    }
    const UnstructuredImportResult result = ReadUnstructured(*doc, parsed.input, options);
    if (!result.ok) {
        // Nothing is written: a partial import saved under the output's name would pass for a
        // whole one.
        return kExitFailure;
    }
    for (const SplitPiece& split : result.splitPieces) {
        ReportMessage(context.Ui(),
                      "Piece " + std::to_string(split.piece) + " (from line " +
                          std::to_string(split.line) + ") has " + std::to_string(split.length) +
                          " characters and was split into " + Leaves(split.leaves) + ".",
                      kStyleInformation);
    }
    if (!Save(*doc, parsed.output)) {
        return kExitFailure;
    }
    std::cout << "Added " << Leaves(result.leavesAdded) << " to " << parsed.output << "\n";
    return kExitOk;
}

const CommandRegistration registration{Command{
    "import-text",
    "import-text IN.txt -o OUT.sdb [--into EXISTING.sdb] [--delim CODES]... "
    "[--title-first N | --title-delim CODES | --title-default] [--split-long]",
    "cut a text file into FACT leaves at delimiters (default: the stored ones) and save them "
    "as a slide show",
    Run,
}};

}  // namespace
}  // namespace trovique::cli
