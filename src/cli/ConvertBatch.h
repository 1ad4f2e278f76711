#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace trovique::cli {

class CCliContext;

// trovique-cli convert A.pptx B.ppt C.odp ...: every presentation becomes a database of its own,
// read by one office run (or by jobs runs side by side, each with its share).
struct BatchRequest {
    std::vector<std::filesystem::path> presentations;
    std::filesystem::path outDir;  // empty: each database beside its presentation
    std::size_t jobs = 1;
};

// The value of --jobs: 1 to 16; 0 for anything else.
std::size_t BatchJobs(const std::string& text);

// Where a presentation's database goes: its name with ".pdb", in outDir or beside it.
std::filesystem::path BatchOutput(const std::filesystem::path& presentation,
                                  const std::filesystem::path& outDir);

// Why the request cannot run (two presentations with the same database, a database that would
// overwrite a presentation, a missing output folder); empty when it can.
std::string CheckBatch(const BatchRequest& request);

// Converts every presentation in order, printing a line for each on standard output as it is
// written (with a progress line on a terminal) and a summary at the end. A presentation that
// fails leaves nothing behind and does not stop the others. Returns 1 when any failed or the
// run was cancelled, else 0.
int ConvertBatch(const BatchRequest& request, CCliContext& context,
                 std::chrono::seconds limitPerPresentation);

}  // namespace trovique::cli
