// trovique-cli convert: turns a presentation into a Palm database, one slide per slide, and
// saves it or hands it to the Palm install tool for the next HotSync.

#include <algorithm>
#include <chrono>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliContext.h"
#include "cli/Command.h"
#include "cli/ConvertBatch.h"
#include "core/common/NumericText.h"
#include "core/delivery/AutoImportExportInstall.h"
#include "core/delivery/InstallTool.h"
#include "core/delivery/PathOps.h"
#include "core/import/PowerPointImport.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"
#include "core/services/SettingNames.h"
#include "core/slideshowfile/SlideShowWriter.h"
#include "platform/CancelSignals.h"
#include "platform/LibreOfficeSource.h"
#include "platform/ProcessRunner.h"
#include "platform/ShortPathName.h"

namespace trovique::cli {
namespace {

constexpr const char* kSynopsis =
    "convert PRESENTATION [[-o OUT.pdb] [--sdb OUT.sdb] | --hotsync | --save OUT.pdb]\n"
    "       trovique-cli convert PRESENTATION... [--out-dir DIR] [--jobs N]";

struct Arguments {
    std::filesystem::path presentation;
    // More than one: the batch conversion (see ConvertBatch).
    std::vector<std::filesystem::path> presentations;
    std::filesystem::path outDir;
    std::filesystem::path jobs;
    std::filesystem::path output;
    std::filesystem::path workingFile;
    // The automatic conversion's destinations: the Palm install tool, or a file by the Save
    // road. Neither: the database is written to output.
    bool hotSync = false;
    std::filesystem::path saveTo;

    bool Delivers() const { return hotSync || !saveTo.empty(); }
};

// Takes the value of an option given as "NAME VALUE" or "NAME=VALUE"; false on a second
// occurrence or a missing value.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
               std::filesystem::path& value, bool& matched) {
    const std::string& arg = args[i];
    matched = true;
    if (arg == name) {
        if (i + 1 >= args.size() || !value.empty()) {
            return false;
        }
        value = args[++i];
        return !value.empty();
    }
    if (arg.rfind(name + "=", 0) == 0) {
        if (!value.empty()) {
            return false;
        }
        value = arg.substr(name.size() + 1);
        return !value.empty();
    }
    matched = false;
    return true;
}

bool Parse(const std::vector<std::string>& args, Arguments& parsed) {
    std::vector<std::string> inputs;
    bool endOfOptions = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (endOfOptions || arg.empty() || arg.front() != '-') {
            inputs.push_back(arg);
            continue;
        }
        if (arg == "--") {
            endOfOptions = true;
            continue;
        }
        if (arg == "--hotsync") {
            if (parsed.hotSync) {
                return false;
            }
            parsed.hotSync = true;
            continue;
        }
        bool matched = false;
        for (const auto& [name, value] :
             {std::pair<const char*, std::filesystem::path*>{"-o", &parsed.output},
              {"--output", &parsed.output},
              {"--sdb", &parsed.workingFile},
              {"--save", &parsed.saveTo},
              {"--out-dir", &parsed.outDir},
              {"--jobs", &parsed.jobs}}) {
            if (!TakeValue(args, i, name, *value, matched)) {
                return false;
            }
            if (matched) {
                break;
            }
        }
        if (!matched) {
            return false;
        }
    }
    if (inputs.empty() || std::find(inputs.begin(), inputs.end(), "") != inputs.end() ||
        (!parsed.jobs.empty() && BatchJobs(parsed.jobs.string()) == 0)) {
        return false;
    }
    parsed.presentations.assign(inputs.begin(), inputs.end());
    parsed.presentation = inputs.front();
    if (inputs.size() > 1 || !parsed.jobs.empty()) {
        // Many presentations: one database each, nothing else.
        return parsed.output.empty() && parsed.workingFile.empty() && !parsed.Delivers();
    }
    // One destination only; the working file belongs to the plain conversion.
    if (parsed.Delivers() && (!parsed.output.empty() || !parsed.workingFile.empty() ||
                              (parsed.hotSync && !parsed.saveTo.empty()))) {
        return false;
    }
    if (!parsed.saveTo.empty()) {
        parsed.output = parsed.saveTo;
    }
    if (!parsed.outDir.empty() && (!parsed.output.empty() || parsed.Delivers())) {
        return false;
    }
    if (parsed.output.empty()) {
        parsed.output = BatchOutput(parsed.presentation, parsed.outDir);
    }
    return true;
}

// "Settings"/"ImportTimeoutSeconds"; a missing, empty or non-positive value gives the default,
// since an office suite that hangs must not hold a script up for ever.
std::chrono::seconds ImportTimeLimit(const ISettingsStore& settings) {
    const auto stored = settings.Get(std::string(kApplicationTitle), settings::kSettings,
                                     settings::kImportTimeoutSeconds);
    const std::int32_t seconds = LeadingInteger(stored ? *stored : std::string());
    if (seconds > 0) {
        return std::chrono::seconds(seconds);
    }
    return std::chrono::seconds(LeadingInteger(settings::kImportTimeoutSecondsDefault));
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

std::string SlideCount(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " slide" : " slides");
}

void Refuse(IUserInterface& ui, const std::string& text) {
    ReportMessage(ui, text, kStyleCritical);
}

// The plain conversion: import, then export to OUT.pdb and save OUT.sdb when asked.
int Convert(const Arguments& parsed, CCliContext& context, IPresentationSource& source,
            CDocument& document) {
    const PowerPointImportResult imported =
        ImportFromPowerPoint(document, source, parsed.presentation);
    if (!imported.succeeded) {
        return kExitFailure;
    }
    if (imported.cancelled) {
        Refuse(context.Ui(), "The conversion was cancelled; nothing was written.");
        return kExitFailure;
    }
    if (imported.slidesAdded == 0) {
        Refuse(context.Ui(), "No slide of " + parsed.presentation.string() +
                                 " could be converted; nothing was written.");
        return kExitFailure;
    }
    if (!Export(document, parsed.output)) {
        return kExitFailure;
    }
    if (!parsed.workingFile.empty() && !Save(document, parsed.workingFile)) {
        return kExitFailure;
    }
    std::cout << parsed.output.string() << ": " << SlideCount(imported.slidesAdded);
    if (imported.slidesRejected > 0) {
        std::cout << " (" << imported.slidesRejected << " left out)";
    }
    std::cout << "\n";
    return kExitOk;
}

// The automatic conversion the program runs for its add-in, with the destination window
// answered by the command line.
int Deliver(const Arguments& parsed, CCliContext& context, IProcessRunner& runner,
            IPresentationSource& source, CDocument& document) {
    CTerminalUserInterface& ui = context.Ui();
    if (parsed.hotSync) {
        ui.PresetDestination(SlideShowDestination::HotSync);
    } else {
        ui.PresetDestination(SlideShowDestination::Save);
        ui.PresetFileName(FileDialogKind::Export, TextFromPath(parsed.saveTo));
    }
    DeliveryContext delivery{context.Application(), source, runner, {}, PlatformShortPathName()};
    std::string presentation = TextFromPath(parsed.presentation);
    if (!AutoImportExportInstall(document, delivery, presentation)) {
        return kExitFailure;
    }
    const std::string slides = SlideCount(document.Tree().LeafCount());
    if (parsed.hotSync) {
        std::cout << presentation << ": " << slides << " handed to "
                  << MakeInstallTool(context.Services(), runner)->Destination() << "\n";
    } else {
        std::cout << parsed.saveTo.string() << ": " << slides << "\n";
    }
    return kExitOk;
}

int Run(const std::vector<std::string>& args) {
    Arguments parsed;
    if (!Parse(args, parsed)) {
        std::cerr << "usage: trovique-cli " << kSynopsis << "\n";
        return kExitUsage;
    }
    // A logout, a script's kill or Ctrl-C cancels: the office goes, temporary files go.
    InstallCancelSignals();
    CLibreOfficeSource::RemoveAbandonedFolders();
    if (parsed.presentations.size() > 1 || !parsed.jobs.empty()) {
        BatchRequest batch{parsed.presentations, parsed.outDir, BatchJobs(parsed.jobs.string())};
        if (const std::string refusal = CheckBatch(batch); !refusal.empty()) {
            std::cerr << "trovique-cli convert: " << refusal << "\n";
            return kExitUsage;
        }
        CCliContext context;
        return ConvertBatch(batch, context, ImportTimeLimit(context.Services().settings));
    }
    // The HotSync road writes only temporary files of its own.
    if (!parsed.hotSync &&
        (SameFile(parsed.presentation, parsed.output) ||
         SameFile(parsed.presentation, parsed.workingFile) ||
         SameFile(parsed.output, parsed.workingFile) || parsed.output == parsed.workingFile)) {
        std::cerr << "trovique-cli convert: the presentation, OUT.pdb and OUT.sdb must be three "
                     "different files\n";
        return kExitUsage;
    }
    CCliContext context;
    CProcessRunner runner;
    CLibreOfficeSource source(runner, ImportTimeLimit(context.Services().settings));
    auto document = context.NewDocument();
    const int status = parsed.Delivers() ? Deliver(parsed, context, runner, source, *document)
                                         : Convert(parsed, context, source, *document);
    return CancelRequested() ? kExitFailure : status;
}

const CommandRegistration registration{Command{
    "convert",
    kSynopsis,
    "convert a presentation (.ppt, .pptx, .odp, ...) into a Palm database, one picture slide "
    "per slide; OUT.pdb defaults to the presentation's name beside it, or in DIR with "
    "--out-dir. --hotsync hands the database and the viewer application to the handheld "
    "instead, by the install method of the settings (Palm install tool, pilot-xfer or install "
    "folder); --save writes the database to OUT.pdb the same way. Several presentations are "
    "converted by one office run, one database each; --jobs N runs N offices side by side",
    Run,
}};

}  // namespace
}  // namespace trovique::cli
