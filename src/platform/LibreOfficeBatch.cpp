#include "platform/LibreOfficeBatch.h"

#include "platform/OfficeProfileCache.h"
#include "platform/OfficeRun.h"
#include "platform/TempFolder.h"

namespace trovique {

namespace fs = std::filesystem;

CLibreOfficeBatch::CLibreOfficeBatch(IProcessRunner& runner, std::chrono::seconds limit,
                                     std::string officeProgram)
    : runner_(runner),
      limit_(limit),
      officeProgram_(std::move(officeProgram)),
      profileCache_(COfficeProfileCache::DefaultFolder()) {}

CLibreOfficeBatch::~CLibreOfficeBatch() {
    Close();
}

void CLibreOfficeBatch::SetProfileCache(fs::path folder) {
    profileCache_ = std::move(folder);
}

void CLibreOfficeBatch::Start(const std::vector<fs::path>& presentations) {
    Close();
    CLibreOfficeSource::RemoveAbandonedFolders();
    folder_ = std::make_unique<CTempFolder>("trovique-office-");
    std::optional<CError> noOffice;
    std::string program;
    try {
        program = CLibreOfficeSource::OfficeProgram(officeProgram_);
    } catch (const CError& error) {
        noOffice = error;
    }
    std::vector<COfficeRun::Job> jobs;
    for (std::size_t index = 0; index < presentations.size(); ++index) {
        const fs::path jobFolder = folder_->Path() / ("job-" + std::to_string(index + 1));
        jobFolders_.push_back(jobFolder);
        jobs_.emplace_back();
        failures_.push_back(noOffice);
        if (noOffice) {
            continue;
        }
        try {
            const fs::path input =
                CLibreOfficeSource::PrepareInput(presentations[index], jobFolder);
            jobs_.back() = jobs.size();
            jobs.push_back({jobFolder, input.filename().string(),
                            !CLibreOfficeSource::ReadsTextsDirectly(input)});
        } catch (const CError& error) {
            failures_.back() = error;
        }
    }
    if (!jobs.empty()) {
        run_ = std::make_unique<COfficeRun>(runner_, limit_, program, profileCache_);
        run_->Start(folder_->Path(), std::move(jobs));
    }
}

std::unique_ptr<CLibreOfficeSource> CLibreOfficeBatch::Source(std::size_t index) {
    if (index >= jobs_.size()) {
        return std::unique_ptr<CLibreOfficeSource>(new CLibreOfficeSource(
            runner_, nullptr, 0, {},
            CError(kErrValueOutOfRange, "CLibreOfficeBatch",
                   "There is no presentation " + std::to_string(index + 1) + ".")));
    }
    return std::unique_ptr<CLibreOfficeSource>(new CLibreOfficeSource(
        runner_, run_.get(), jobs_[index].value_or(0), jobFolders_[index], failures_[index]));
}

void CLibreOfficeBatch::Close() noexcept {
    if (run_) {
        run_->Stop();
        run_.reset();
    }
    folder_.reset();
    jobs_.clear();
    failures_.clear();
    jobFolders_.clear();
}

}  // namespace trovique
