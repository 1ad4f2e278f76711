// trovique-cli export: opens a slide show and writes the file for the handheld.

#include <iostream>
#include <string>
#include <vector>

#include "cli/CliContext.h"
#include "cli/Command.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"
#include "core/slideshowfile/SlideShowReader.h"
#include "core/slideshowfile/SlideShowWriter.h"
#include "core/validation/ExportGate.h"
#include "core/validation/FindingsReport.h"
#include "core/validation/ValidationResults.h"

namespace trovique::cli {
namespace {

constexpr const char* kUsage = "usage: trovique-cli export IN -o OUT.pdb\n";

struct Arguments {
    std::string input;
    std::string output;
};

// IN and -o/--output OUT in any order; false on anything else.
bool Parse(const std::vector<std::string>& args, Arguments& parsed) {
    std::vector<std::string> inputs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o" || arg == "--output") {
            if (i + 1 >= args.size() || !parsed.output.empty()) {
                return false;
            }
            parsed.output = args[++i];
        } else if (arg.rfind("--output=", 0) == 0 && parsed.output.empty()) {
            parsed.output = arg.substr(9);
        } else if (!arg.empty() && arg.front() != '-') {
            inputs.push_back(arg);
        } else {
            return false;
        }
    }
    if (inputs.size() != 1 || parsed.output.empty()) {
        return false;
    }
    parsed.input = inputs.front();
    return true;
}

std::string LeftOutWarning(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " leaf" : " leaves") + " without pictures " +
           (count == 1 ? "was" : "were") +
           " left out of the handheld file: its viewer shows only slides with pictures.";
}

int Run(const std::vector<std::string>& args) {
    Arguments parsed;
    if (!Parse(args, parsed)) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    CCliContext context;
    auto doc = context.NewDocument();
    if (!Read(*doc, parsed.input, false)) {
        return kExitFailure;
    }
    // The findings of a refused slide show follow the refusal, grouped by item.
    CValidationResults results(context.Ui());
    if (!ValidateBeforeExport(*doc, results,
                              CValidationLimit::FromApplication(context.Application()))) {
        std::cerr << FormatFindings(results) << std::flush;
        return kExitFailure;
    }
    if (!Export(*doc, parsed.output)) {
        return kExitFailure;
    }
    if (const std::size_t leftOut = LeavesLeftOutOfExport(*doc); leftOut > 0) {
        ReportMessage(context.Ui(), LeftOutWarning(leftOut), kStyleExclamation);
    }
    return kExitOk;
}

const CommandRegistration registration{Command{
    "export",
    "export IN -o OUT.pdb",
    "open a slide show (.sdb or .pdb) and write it as a Palm database for the handheld",
    Run,
}};

}  // namespace
}  // namespace trovique::cli
