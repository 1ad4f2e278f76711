#include "cli/ConvertBatch.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <memory>
#include <system_error>

#include "cli/CliContext.h"
#include "cli/Command.h"
#include "core/import/PowerPointImport.h"
#include "core/slideshowfile/SlideShowWriter.h"
#include "platform/CancelSignals.h"
#include "platform/LibreOfficeBatch.h"
#include "platform/ProcessRunner.h"

namespace trovique::cli {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxJobs = 16;

struct Outcome {
    fs::path presentation;
    std::string failure;  // empty when converted
};

std::string SlideCount(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " slide" : " slides");
}

// Imports and exports one presentation; the reason when it failed, else empty.
std::string ConvertOne(const fs::path& presentation, const fs::path& output,
                       CLibreOfficeSource& source, CCliContext& context) {
    auto document = context.NewDocument();
    const PowerPointImportResult imported = ImportFromPowerPoint(*document, source, presentation);
    if (!imported.succeeded) {
        return imported.error.empty() ? "the import failed" : imported.error;
    }
    if (imported.cancelled || CancelRequested()) {
        return "the conversion was cancelled";
    }
    if (imported.slidesAdded == 0) {
        return "no slide could be converted";
    }
    if (!Export(*document, output)) {
        return "the database could not be written";
    }
    std::cout << output.string() << ": " << SlideCount(imported.slidesAdded);
    if (imported.slidesRejected > 0) {
        std::cout << " (" << imported.slidesRejected << " left out)";
    }
    std::cout << std::endl;
    return {};
}

void PrintSummary(const std::vector<Outcome>& outcomes) {
    const auto failed = static_cast<std::size_t>(std::count_if(
        outcomes.begin(), outcomes.end(), [](const Outcome& o) { return !o.failure.empty(); }));
    std::cerr << "Converted " << outcomes.size() - failed << " of " << outcomes.size()
              << (outcomes.size() == 1 ? " presentation" : " presentations");
    if (failed == 0) {
        std::cerr << ".\n";
        return;
    }
    std::cerr << "; " << failed << " failed:\n";
    for (const Outcome& outcome : outcomes) {
        if (!outcome.failure.empty()) {
            std::cerr << "  " << outcome.presentation.string() << ": " << outcome.failure << "\n";
        }
    }
}

// The office converts the presentations in turn and the import follows it, taking each one
// once the office has drawn it. The largest go first: their pictures take the longest to make,
// and making them while the office works on the rest leaves little to do once it has finished.
std::vector<std::size_t> ConversionOrder(const std::vector<fs::path>& presentations) {
    std::vector<std::uintmax_t> sizes;
    for (const fs::path& presentation : presentations) {
        std::error_code error;
        const std::uintmax_t size = fs::file_size(presentation, error);
        sizes.push_back(error ? 0 : size);
    }
    std::vector<std::size_t> order(presentations.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return sizes[a] > sizes[b]; });
    return order;
}

}  // namespace

std::size_t BatchJobs(const std::string& text) {
    if (text.empty() || text.size() > 2 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return 0;
    }
    const auto jobs = static_cast<std::size_t>(std::stoi(text));
    return jobs >= 1 && jobs <= kMaxJobs ? jobs : 0;
}

fs::path BatchOutput(const fs::path& presentation, const fs::path& outDir) {
    fs::path output = presentation;
    output.replace_extension(".pdb");
    return outDir.empty() ? output : outDir / output.filename();
}

std::string CheckBatch(const BatchRequest& request) {
    std::error_code error;
    if (!request.outDir.empty() && !fs::is_directory(request.outDir, error)) {
        return "the output folder " + request.outDir.string() + " does not exist";
    }
    std::vector<fs::path> outputs;
    for (const fs::path& presentation : request.presentations) {
        const fs::path output = BatchOutput(presentation, request.outDir);
        for (const fs::path& other : request.presentations) {
            if (fs::equivalent(other, output, error)) {
                return "the database " + output.string() + " would replace a presentation";
            }
        }
        const fs::path normal = fs::absolute(output, error).lexically_normal();
        if (std::find(outputs.begin(), outputs.end(), normal) != outputs.end()) {
            return "two presentations would be written to " + output.string();
        }
        outputs.push_back(normal);
    }
    return {};
}

int ConvertBatch(const BatchRequest& request, CCliContext& context,
                 std::chrono::seconds limitPerPresentation) {
    CProcessRunner runner;
    const std::size_t count = request.presentations.size();
    const std::size_t jobs = std::clamp<std::size_t>(request.jobs, 1, count);
    const std::vector<std::size_t> order = ConversionOrder(request.presentations);
    // The i-th presentation converted goes to office run i % jobs, so the runs finish in about
    // the order the presentations are imported.
    std::vector<std::unique_ptr<CLibreOfficeBatch>> batches;
    for (std::size_t run = 0; run < jobs; ++run) {
        std::vector<fs::path> share;
        for (std::size_t i = run; i < count; i += jobs) {
            share.push_back(request.presentations[order[i]]);
        }
        batches.push_back(std::make_unique<CLibreOfficeBatch>(runner, limitPerPresentation));
        batches.back()->Start(share);
    }
    const bool onTerminal = ::isatty(STDERR_FILENO) != 0;
    // Kept in the order given, for the summary.
    std::vector<Outcome> outcomes(count);
    for (std::size_t i = 0; i < count; ++i) {
        const fs::path& presentation = request.presentations[order[i]];
        if (onTerminal) {
            std::cerr << "[" << i + 1 << "/" << count << "] " << presentation.string() << std::endl;
        }
        Outcome outcome{presentation, "the conversion was cancelled"};
        if (!CancelRequested()) {
            const auto source = batches[i % jobs]->Source(i / jobs);
            outcome.failure = ConvertOne(presentation, BatchOutput(presentation, request.outDir),
                                         *source, context);
        }
        outcomes[order[i]] = std::move(outcome);
    }
    for (auto& batch : batches) {
        batch->Close();
    }
    PrintSummary(outcomes);
    const bool allConverted = std::all_of(outcomes.begin(), outcomes.end(),
                                          [](const Outcome& o) { return o.failure.empty(); });
    return allConverted && !CancelRequested() ? kExitOk : kExitFailure;
}

}  // namespace trovique::cli
