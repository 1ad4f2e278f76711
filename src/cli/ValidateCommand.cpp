// trovique-cli validate: checks a slide show against the handheld's limits and lists what
// stands in the way of an export.

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliContext.h"
#include "cli/Command.h"
#include "core/common/Error.h"
#include "core/common/NumericText.h"
#include "core/slideshowfile/SlideShowReader.h"
#include "core/validation/FindingsReport.h"
#include "core/validation/Validate.h"
#include "core/validation/ValidationResults.h"

namespace trovique::cli {
namespace {

constexpr const char* kUsage =
    "usage: trovique-cli validate FILE [--json] [--limit N | --no-limit]\n";

struct Arguments {
    std::string file;
    bool json = false;
    std::optional<std::int32_t> limit;
    bool noLimit = false;
};

// A limit is a whole number from 1 up, written plainly.
std::optional<std::int32_t> ParseLimit(const std::string& text) {
    if (!IsPlainUnsigned32(text)) {
        return std::nullopt;
    }
    const std::int32_t limit = LeadingInteger(text);
    if (limit < 1 || std::to_string(limit) != text) {
        return std::nullopt;
    }
    return limit;
}

bool Parse(const std::vector<std::string>& args, Arguments& parsed) {
    std::size_t files = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            parsed.json = true;
        } else if (arg == "--no-limit") {
            parsed.noLimit = true;
        } else if (arg == "--limit" || arg.rfind("--limit=", 0) == 0) {
            std::string value;
            if (arg == "--limit") {
                if (i + 1 >= args.size()) {
                    return false;
                }
                value = args[++i];
            } else {
                value = arg.substr(8);
            }
            parsed.limit = ParseLimit(value);
            if (!parsed.limit) {
                std::cerr << "trovique-cli validate: the limit must be a whole number above 0\n";
                return false;
            }
        } else if (!arg.empty() && arg.front() != '-') {
            parsed.file = arg;
            ++files;
        } else {
            return false;
        }
    }
    return files == 1 && !(parsed.limit && parsed.noLimit);
}

CValidationLimit LimitFor(const Arguments& parsed, const CCliContext& context) {
    if (parsed.noLimit) {
        return CValidationLimit::Off();
    }
    if (parsed.limit) {
        return CValidationLimit(true, *parsed.limit);
    }
    return CValidationLimit::FromApplication(context.Application());
}

int Validate(const Arguments& parsed) {
    CCliContext context;
    auto document = context.NewDocument();
    // Read reports what went wrong itself.
    if (!Read(*document, parsed.file, false)) {
        return kExitUsage;
    }
    CValidationResults results(context.Ui());
    const bool valid = Validate(*document, results, LimitFor(parsed, context));
    if (parsed.json) {
        std::cout << FindingsJson(results, valid);
    } else if (valid) {
        std::cout << "The Slide Show is valid.\n";
    } else {
        std::cout << FormatFindings(results);
    }
    return valid ? kExitOk : kExitFailure;
}

int Run(const std::vector<std::string>& args) {
    Arguments parsed;
    if (!Parse(args, parsed)) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    try {
        return Validate(parsed);
    } catch (const std::exception& error) {
        // Nothing could be checked (a palette beside the program is missing, say): that is no
        // verdict on the slide show.
        std::cerr << "error: " << DescribeError(error) << "\n";
        return kExitUsage;
    }
}

const CommandRegistration registration{Command{
    "validate",
    "validate FILE [--json] [--limit N | --no-limit]",
    "check a slide show against the handheld's limits and list the findings by item; exit "
    "status 0 when valid, 1 when not, 2 when the file cannot be read",
    Run,
}};

}  // namespace
}  // namespace trovique::cli
