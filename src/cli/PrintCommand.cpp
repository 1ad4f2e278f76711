// trovique-cli print: writes the printed report of a slide show as an RTF or a PDF file.

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliContext.h"
#include "cli/Command.h"
#include "core/print/PageList.h"
#include "core/print/PrintDocument.h"
#include "core/print/PrintOptions.h"
#include "core/slideshowfile/SlideShowReader.h"
#include "printing/PdfReportPrinter.h"

namespace trovique::cli {
namespace {

constexpr const char* kUsage =
    "usage: trovique-cli print SHOW.sdb -o REPORT.rtf|REPORT.pdf [--no-header] [--leaves 1,3-5]\n";

struct Arguments {
    std::string input;
    std::string output;
    bool header = true;
    std::optional<std::string> pages;
};

// The value of an option given as "--name VALUE" or "--name=VALUE"; false when it is missing.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
               std::optional<std::string>& value) {
    const std::string& arg = args[i];
    if (arg == name) {
        if (i + 1 >= args.size()) {
            return false;
        }
        value = args[++i];
        return true;
    }
    value = arg.substr(name.size() + 1);
    return true;
}

bool Parse(const std::vector<std::string>& args, Arguments& parsed) {
    std::vector<std::string> inputs;
    std::optional<std::string> output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--no-header") {
            parsed.header = false;
        } else if (arg == "-o" || arg == "--output" || arg.rfind("--output=", 0) == 0) {
            if (output || !TakeValue(args, i, arg == "-o" ? "-o" : "--output", output)) {
                return false;
            }
        } else if (arg == "--leaves" || arg.rfind("--leaves=", 0) == 0) {
            if (parsed.pages || !TakeValue(args, i, "--leaves", parsed.pages)) {
                return false;
            }
        } else if (!arg.empty() && arg.front() != '-') {
            inputs.push_back(arg);
        } else {
            return false;
        }
    }
    if (inputs.size() != 1 || !output || output->empty()) {
        return false;
    }
    parsed.input = inputs.front();
    parsed.output = *output;
    return true;
}

// The leaves the pages name, every printable one when no pages are given. Nothing, after
// saying why, for a list that names a page the slide show does not have or cannot print.
std::optional<std::vector<int>> ChosenLeaves(const CDocument& document,
                                             const std::optional<std::string>& pages) {
    const std::vector<int> printable = QualifyingLeaves(document);
    if (!pages) {
        return printable;
    }
    const std::size_t lastPage = document.Tree().LeafCount();
    const auto numbers = ParsePageList(*pages, lastPage);
    if (!numbers) {
        std::cerr << "trovique-cli print: --leaves takes page numbers and ranges such as 1,3-5, "
                     "from 1 to "
                  << lastPage << "\n";
        return std::nullopt;
    }
    std::vector<int> leaves;
    for (const std::size_t page : *numbers) {
        const int leaf = document.Tree().LeafOnPage(page);
        if (std::find(printable.begin(), printable.end(), leaf) == printable.end()) {
            std::cerr << "trovique-cli print: leaf " << page
                      << " is protected by the slide show's password and is not printed\n";
            return std::nullopt;
        }
        leaves.push_back(leaf);
    }
    return leaves;
}

// Qt draws the PDF's text; without a display it draws off screen, so that the command works in
// any terminal.
std::unique_ptr<QGuiApplication> StartGui() {
    const auto unset = [](const char* name) {
        const char* value = std::getenv(name);
        return value == nullptr || *value == '\0';
    };
    if (unset("QT_QPA_PLATFORM") && unset("DISPLAY") && unset("WAYLAND_DISPLAY")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    static int argc = 1;
    static char name[] = "trovique-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
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
    const auto leaves = ChosenLeaves(*doc, parsed.pages);
    if (!leaves) {
        return kExitUsage;
    }
    if (!parsed.header && leaves->empty()) {
        std::cerr << "trovique-cli print: there is nothing to print: the slide show has no "
                     "leaves to print and --no-header leaves out the header\n";
        return kExitFailure;
    }
    std::unique_ptr<QGuiApplication> gui;
    if (FormatOfReportFile(parsed.output) == ReportFileFormat::Pdf) {
        gui = StartGui();
    }
    printing::CPdfReportPrinter printer;
    return PrintLeaves(*doc, *leaves, parsed.header, parsed.output, printer) ? kExitOk
                                                                             : kExitFailure;
}

const CommandRegistration registration{Command{
    "print",
    "print SHOW.sdb -o REPORT.rtf|REPORT.pdf [--no-header] [--leaves 1,3-5]",
    "write the printed report of a slide show (header, then each leaf's title, fact, question "
    "and answers) as an RTF or a PDF file; --leaves picks leaves by page number",
    Run,
}};

}  // namespace
}  // namespace trovique::cli
