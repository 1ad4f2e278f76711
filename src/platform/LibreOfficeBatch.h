#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/common/Error.h"
#include "core/common/ProcessRunner.h"
#include "platform/LibreOfficeSource.h"

namespace trovique {

class COfficeRun;
class CTempFolder;

// Several presentations read through one LibreOffice process, the way the office converts
// several files in one call: the office loads them in turn while the program imports the ones it
// has finished. Each presentation gets a folder of its own in one private temporary folder, and
// its own time limit; one that is damaged or hangs fails alone (see COfficeRun).
class CLibreOfficeBatch {
public:
    CLibreOfficeBatch(
        IProcessRunner& runner,
        std::chrono::seconds limitPerPresentation = CLibreOfficeSource::kDefaultTimeLimit,
        std::string officeProgram = "soffice");
    ~CLibreOfficeBatch();
    CLibreOfficeBatch(const CLibreOfficeBatch&) = delete;
    CLibreOfficeBatch& operator=(const CLibreOfficeBatch&) = delete;

    void SetProfileCache(std::filesystem::path folder);

    // Copies the presentations and starts the office on them. A presentation that cannot be
    // handed to the office (missing, not a presentation) fails when its source is opened; a
    // missing office fails them all. Raises CError only when no temporary folder can be made.
    void Start(const std::vector<std::filesystem::path>& presentations);
    // The source of presentation number index (from 0), to be opened with that presentation.
    std::unique_ptr<CLibreOfficeSource> Source(std::size_t index);
    // Ends the office and removes every temporary file; also done by the destructor.
    void Close() noexcept;

private:
    IProcessRunner& runner_;
    std::chrono::seconds limit_;
    std::string officeProgram_;
    std::filesystem::path profileCache_;
    std::unique_ptr<CTempFolder> folder_;
    std::unique_ptr<COfficeRun> run_;
    // Per presentation: its job in the run, or why it has none.
    std::vector<std::optional<std::size_t>> jobs_;
    std::vector<std::optional<CError>> failures_;
    std::vector<std::filesystem::path> jobFolders_;
};

}  // namespace trovique
