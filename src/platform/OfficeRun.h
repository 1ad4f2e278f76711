#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/common/Error.h"
#include "core/common/ProcessRunner.h"

namespace trovique {

// One headless LibreOffice run over one or more presentations, in a thread of its own so that
// the caller can read the first presentation while the office works on the next. Each job is a
// folder holding the presentation under a fixed name; a small Basic routine placed in a private
// user profile loads the presentations in turn, in one office process, and writes into each
// job's folder a .pptx unless the presentation is one (followed by "texts.txt" once it is
// complete), a PDF with hidden slides included (page i is slide i), and "done.txt" or
// "failed.txt". The office's exit status says nothing
// about a failed conversion, hence the files.
//
// Each presentation has the time limit to itself; an office that runs past it is killed and the
// presentations after that one are converted in a fresh office run. So are those after a
// presentation that crashed the office. A cancel signal (CancelSignals) ends the run.
class COfficeRun {
public:
    struct Job {
        std::filesystem::path folder;
        std::string inputName;  // a harmless fixed name: "input" and the extension
        bool wantPptx = false;
    };

    // officeProgram: the full path of the office's program. profileCache: see
    // COfficeProfileCache; empty for none.
    COfficeRun(IProcessRunner& runner, std::chrono::seconds limitPerPresentation,
               std::string officeProgram, std::filesystem::path profileCache);
    ~COfficeRun();
    COfficeRun(const COfficeRun&) = delete;
    COfficeRun& operator=(const COfficeRun&) = delete;

    // Starts the office on the jobs, in order; workFolder holds its profile and job list.
    void Start(const std::filesystem::path& workFolder, std::vector<Job> jobs);
    // The PDF comes in parts, "slides-F.pdf" with F the number of its first page, each followed
    // by "slides-F.txt", holding the number of its last page, once it is complete; "loaded.txt",
    // holding the number of slides, comes before the first (see COfficePdfParts). The first
    // part has kPagesPerPart pages; a part written in less than kQuickPart is followed by one
    // twice as long, up to kMaxPagesPerPart pages.
    static constexpr std::size_t kPagesPerPart = 3;
    static constexpr std::size_t kMaxPagesPerPart = 24;
    static constexpr std::chrono::milliseconds kQuickPart{500};

    // Waits until the office has finished with job number index (from 0) and raises CError,
    // fit for the user, when it could not convert it.
    void WaitFor(std::size_t index);
    // True once the office has written name into the job's folder. With wait, waits for it
    // until the office is done with the job: false when it ended without writing the file,
    // CError when it failed. Without wait, answers at once.
    bool WaitForFile(std::size_t index, const std::string& name, bool wait);
    // The reader is done with job number index: its folder goes once the office is done with it
    // too. (Taken away earlier, the office would lose the files it writes last, and the run could
    // no longer tell that the job is done, so it would count the office's time on later jobs
    // against this one and convert them again.)
    void Release(std::size_t index) noexcept;
    // Ends the office if it still runs and waits for the thread; idempotent.
    void Stop() noexcept;

private:
    enum class State { Pending, Done, Failed };

    void RunAll();
    ProcessResult RunOffice(std::size_t first, std::optional<std::size_t>& timedOut);
    // These need mutex_ held.
    void RemoveIfReleased(std::size_t index) noexcept;
    std::optional<std::size_t> CurrentJob(std::size_t first);
    void SettleAfterRun(std::size_t first, const ProcessResult& result,
                        std::optional<std::size_t> timedOut, std::size_t& next);
    void Fail(std::size_t index, const CError& error);
    void ThrowIfFailed(std::size_t index) const;
    bool Finished(std::size_t index);

    IProcessRunner& runner_;
    std::chrono::seconds limit_;
    std::string program_;
    std::filesystem::path profileCache_;
    std::filesystem::path workFolder_;
    std::vector<Job> jobs_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<State> states_;
    std::vector<std::optional<CError>> errors_;
    std::vector<bool> released_;
    std::vector<bool> removed_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace trovique
