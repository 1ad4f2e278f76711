#include "platform/OfficeRun.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string_view>
#include <system_error>

#include "platform/CancelSignals.h"
#include "platform/OfficeLauncher.h"
#include "platform/OfficeProfileCache.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kSource = "CLibreOfficeSource";
// Descriptions of the office's own failures can be long; a message window needs one line.
constexpr std::size_t kMaxDetail = 300;
// How long an office that has finished its work may take to end once we no longer need it.
constexpr std::chrono::seconds kEndingGrace{10};

CError Failure(std::uint32_t number, const std::string& description) {
    return CError(number, kSource, description);
}

// Loads the presentation once and writes what the reader and the renderer need. It reports
// through files because the office's exit status says nothing about a failed conversion.
constexpr std::string_view kConversionRoutine = R"(REM Written by Trovique for one office run.
Sub Convert(folder As String, inputName As String, wantPptx As String)
    ConvertOne(folder, inputName, wantPptx)
    StarDesktop.terminate()
End Sub

REM Converts the jobs of a list, one line each (folder|input name|want pptx), from number first.
Sub ConvertMany(listFile As String, first As String)
    Dim f As Integer
    Dim entry As String
    Dim parts As Variant
    Dim index As Long
    f = FreeFile
    Open ConvertFromURL(listFile) For Input As #f
    index = 0
    Do While Not EOF(f)
        Line Input #f, entry
        If index >= CLng(first) And entry <> "" Then
            parts = Split(entry, "|")
            ConvertOne(parts(0), parts(1), parts(2))
        End If
        index = index + 1
    Loop
    Close #f
    StarDesktop.terminate()
End Sub

Sub ConvertOne(folder As String, inputName As String, wantPptx As String)
    Dim doc As Object
    On Error Goto Failed
    Dim load(1) As New com.sun.star.beans.PropertyValue
    load(0).Name = "Hidden" : load(0).Value = True
    load(1).Name = "ReadOnly" : load(1).Value = True
    doc = StarDesktop.loadComponentFromURL(folder & "/" & inputName, "_blank", 0, load())
    If IsNull(doc) Then
        Report(folder, "failed.txt", "the presentation could not be loaded")
        Exit Sub
    End If
    REM With the word processor installed, any file at all opens as text: refuse what is not
    REM a presentation rather than draw its text as slides.
    If Not doc.supportsService("com.sun.star.presentation.PresentationDocument") Then
        Report(folder, "failed.txt", "the file is not a presentation")
        doc.close(True)
        Exit Sub
    End If
    Dim pages As Long
    pages = doc.getDrawPages().getCount()
    Report(folder, "loaded.txt", CStr(pages))
    If wantPptx = "1" Then
        Dim pptx(0) As New com.sun.star.beans.PropertyValue
        pptx(0).Name = "FilterName" : pptx(0).Value = "Impress MS PowerPoint 2007 XML"
        doc.storeToURL(folder & "/slides.pptx", pptx())
        Report(folder, "texts.txt", "done")
    End If
    Dim options(1) As New com.sun.star.beans.PropertyValue
    Dim pdf(1) As New com.sun.star.beans.PropertyValue
    Dim first As Long
    Dim last As Long
    Dim partSize As Long
    Dim started As Long
    first = 1
    partSize = PAGES_PER_PART
    Do While first <= pages
        last = first + partSize - 1
        If last > pages Then last = pages
        started = GetSystemTicks()
        options(0).Name = "ExportHiddenSlides" : options(0).Value = True
        options(1).Name = "PageRange" : options(1).Value = CStr(first) & "-" & CStr(last)
        pdf(0).Name = "FilterName" : pdf(0).Value = "impress_pdf_Export"
        pdf(1).Name = "FilterData" : pdf(1).Value = options()
        doc.storeToURL(folder & "/slides-" & CStr(first) & ".pdf", pdf())
        Report(folder, "slides-" & CStr(first) & ".txt", CStr(last))
        REM Each part costs the office a little more than its pages; light pages go in larger
        REM parts. Heavy ones stay in small parts, which keeps their drawing beside the office.
        If GetSystemTicks() - started < QUICK_PART_MS And partSize < MAX_PAGES_PER_PART Then
            partSize = partSize * 2
        End If
        first = last + 1
    Loop
    doc.close(True)
    Report(folder, "done.txt", "done")
    Exit Sub
Failed:
    Report(folder, "failed.txt", Error$)
    On Error Resume Next
    If Not IsNull(doc) Then doc.close(True)
End Sub

Sub Report(folder As String, fileName As String, message As String)
    Dim f As Integer
    f = FreeFile
    Open ConvertFromURL(folder & "/" & fileName) For Output As #f
    Print #f, message
    Close #f
End Sub
)";

std::string Routine() {
    std::string routine(kConversionRoutine);
    const std::pair<std::string, std::size_t> values[] = {
        {"MAX_PAGES_PER_PART", COfficeRun::kMaxPagesPerPart},
        {"PAGES_PER_PART", COfficeRun::kPagesPerPart},
        {"QUICK_PART_MS", static_cast<std::size_t>(COfficeRun::kQuickPart.count())}};
    for (const auto& [placeholder, value] : values) {
        for (auto at = routine.find(placeholder); at != std::string::npos;
             at = routine.find(placeholder, at)) {
            routine.replace(at, placeholder.size(), std::to_string(value));
        }
    }
    return routine;
}

// Marks the profile as set up, so the office does not copy its presets over our routine and
// skips its first-start work.
constexpr std::string_view kRegistrySeed = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="FirstRun" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Setup/Office"><prop oor:name="ooSetupInstCompleted" oor:op="fuse"><value>true</value></prop></item>
</oor:items>
)";

constexpr std::string_view kLibraries = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE library:libraries PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "libraries.dtd">
<library:libraries xmlns:library="http://openoffice.org/2000/library" xmlns:xlink="http://www.w3.org/1999/xlink">
 <library:library library:name="Standard" library:link="false"/>
</library:libraries>
)";

constexpr std::string_view kScriptLibrary = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE library:library PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "library.dtd">
<library:library xmlns:library="http://openoffice.org/2000/library" library:name="Standard" library:readonly="false" library:passwordprotected="false">
 <library:element library:name="Conversion"/>
</library:library>
)";

constexpr std::string_view kDialogLibrary = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE library:library PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "library.dtd">
<library:library xmlns:library="http://openoffice.org/2000/library" library:name="Standard" library:readonly="false" library:passwordprotected="false"/>
)";

std::string XmlEscaped(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

// A file URL with every byte outside the unreserved set percent-encoded, so that no folder
// name can break the office's argument syntax.
std::string FileUrl(const fs::path& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char c : fs::absolute(path).string()) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
            url += c;
        } else {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 0x0F];
        }
    }
    return url;
}

void WriteTextFile(const fs::path& file, std::string_view text) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
        throw Failure(kErrPathFileAccess,
                      "The temporary file " + file.string() + " could not be written.");
    }
}

// Fills in a user profile: the registry seed when the profile is new, and always our routine.
void WriteProfile(const fs::path& profile, bool isNew) {
    const fs::path user = profile / "user";
    if (isNew) {
        WriteTextFile(user / "registrymodifications.xcu", kRegistrySeed);
    }
    WriteTextFile(user / "basic" / "script.xlc", kLibraries);
    WriteTextFile(user / "basic" / "dialog.xlc", kLibraries);
    WriteTextFile(user / "basic" / "Standard" / "script.xlb", kScriptLibrary);
    WriteTextFile(user / "basic" / "Standard" / "dialog.xlb", kDialogLibrary);
    const std::string module =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE script:module PUBLIC \"-//OpenOffice.org//DTD OfficeDocument 1.0//EN\" "
        "\"module.dtd\">\n"
        "<script:module xmlns:script=\"http://openoffice.org/2000/script\" "
        "script:name=\"Conversion\" script:language=\"StarBasic\">" +
        XmlEscaped(Routine()) + "</script:module>\n";
    WriteTextFile(user / "basic" / "Standard" / "Conversion.xba", module);
}

// The first line of what the office reported, short enough for a message.
std::string OneLine(std::string text) {
    text = text.substr(0, text.find_first_of("\r\n"));
    if (text.size() > kMaxDetail) {
        text = text.substr(0, kMaxDetail) + "...";
    }
    return text;
}

// The last line of the office's output that says more than its usual start-up warning.
std::string LastTellingLine(const std::string& output) {
    std::string last;
    std::size_t start = 0;
    while (start < output.size()) {
        const std::size_t end = std::min(output.find('\n', start), output.size());
        const std::string line = output.substr(start, end - start);
        if (line.find_first_not_of(" \t\r") != std::string::npos &&
            line.find("javaldx") == std::string::npos) {
            last = line;
        }
        start = end + 1;
    }
    return OneLine(last);
}

std::string ReadSmallFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string text(kMaxDetail * 4, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
    return text;
}

// The routine's report: the file appears before its text, so an empty one is read again for a
// little while.
std::string ReadReport(const fs::path& file) {
    std::string text = ReadSmallFile(file);
    for (int attempt = 0; attempt < 100 && text.empty(); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        text = ReadSmallFile(file);
    }
    return text;
}

CError Cancelled() {
    return Failure(kErrPathFileAccess, "The conversion was cancelled.");
}

std::string Seconds(std::chrono::seconds limit) {
    return std::to_string(limit.count()) + (limit.count() == 1 ? " second" : " seconds");
}

bool HasMarker(const fs::path& folder) {
    std::error_code error;
    return fs::exists(folder / "done.txt", error) || fs::exists(folder / "failed.txt", error);
}

}  // namespace

COfficeRun::COfficeRun(IProcessRunner& runner, std::chrono::seconds limitPerPresentation,
                       std::string officeProgram, fs::path profileCache)
    : runner_(runner),
      limit_(limitPerPresentation),
      program_(std::move(officeProgram)),
      profileCache_(std::move(profileCache)) {}

COfficeRun::~COfficeRun() {
    Stop();
}

void COfficeRun::Start(const fs::path& workFolder, std::vector<Job> jobs) {
    workFolder_ = workFolder;
    jobs_ = std::move(jobs);
    states_.assign(jobs_.size(), State::Pending);
    errors_.assign(jobs_.size(), std::nullopt);
    released_.assign(jobs_.size(), false);
    removed_.assign(jobs_.size(), false);
    if (jobs_.size() > 1) {
        std::string list;
        for (const Job& job : jobs_) {
            list +=
                FileUrl(job.folder) + "|" + job.inputName + "|" + (job.wantPptx ? "1" : "0") + "\n";
        }
        WriteTextFile(workFolder_ / "jobs.txt", list);
    }
    thread_ = std::thread([this] { RunAll(); });
}

void COfficeRun::Stop() noexcept {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    if (thread_.joinable()) {
        thread_.join();
    }
}

// The office's files are the news; what they said stays here, since the reader of a job
// removes its folder once it is done with it.
bool COfficeRun::Finished(std::size_t index) {
    if (states_[index] == State::Pending && HasMarker(jobs_[index].folder)) {
        states_[index] = State::Done;
        RemoveIfReleased(index);
    }
    return states_[index] != State::Pending;
}

void COfficeRun::Release(std::size_t index) noexcept {
    const std::lock_guard lock(mutex_);
    if (index < jobs_.size()) {
        released_[index] = true;
        RemoveIfReleased(index);
    }
}

void COfficeRun::RemoveIfReleased(std::size_t index) noexcept {
    if (released_[index] && !removed_[index] && states_[index] != State::Pending) {
        std::error_code ignored;
        fs::remove_all(jobs_[index].folder, ignored);
        removed_[index] = true;
    }
}

void COfficeRun::WaitFor(std::size_t index) {
    if (index >= jobs_.size()) {
        throw Failure(kErrValueOutOfRange,
                      "There is no presentation " + std::to_string(index) + ".");
    }
    std::unique_lock lock(mutex_);
    // The office's files are looked at every few milliseconds; the thread wakes us sooner when
    // the office ends.
    while (!Finished(index)) {
        if (CancelRequested()) {
            throw Cancelled();
        }
        changed_.wait_for(lock, std::chrono::milliseconds(10));
    }
    ThrowIfFailed(index);
    const fs::path folder = jobs_[index].folder;
    const bool complete =
        fs::exists(folder / "done.txt") &&
        (fs::exists(folder / "slides.pdf") || fs::exists(folder / "loaded.txt")) &&
        (!jobs_[index].wantPptx || fs::exists(folder / "slides.pptx"));
    if (!complete) {
        throw Failure(kErrPathFileAccess,
                      "LibreOffice did not convert the presentation (its files are missing).");
    }
}

bool COfficeRun::WaitForFile(std::size_t index, const std::string& name, bool wait) {
    if (index >= jobs_.size()) {
        return false;
    }
    const fs::path file = jobs_[index].folder / name;
    std::unique_lock lock(mutex_);
    for (;;) {
        if (fs::exists(file)) {
            return true;
        }
        if (Finished(index)) {
            break;
        }
        if (!wait) {
            return false;
        }
        if (CancelRequested()) {
            throw Cancelled();
        }
        changed_.wait_for(lock, std::chrono::milliseconds(10));
    }
    if (fs::exists(file)) {
        return true;
    }
    if (wait) {
        ThrowIfFailed(index);
    }
    return false;
}

void COfficeRun::ThrowIfFailed(std::size_t index) const {
    const fs::path folder = jobs_[index].folder;
    if (fs::exists(folder / "failed.txt")) {
        throw Failure(kErrPathFileAccess,
                      "LibreOffice could not read the presentation; it may be damaged or protected "
                      "by a password (" +
                          OneLine(ReadReport(folder / "failed.txt")) + ").");
    }
    if (states_[index] == State::Failed && !fs::exists(folder / "done.txt")) {
        throw *errors_[index];
    }
}

void COfficeRun::Fail(std::size_t index, const CError& error) {
    states_[index] = State::Failed;
    errors_[index] = error;
    RemoveIfReleased(index);
}

std::optional<std::size_t> COfficeRun::CurrentJob(std::size_t first) {
    for (std::size_t index = first; index < jobs_.size(); ++index) {
        if (!Finished(index)) {
            return index;
        }
    }
    return std::nullopt;
}

void COfficeRun::RunAll() {
    std::size_t next = 0;
    while (next < jobs_.size()) {
        std::optional<std::size_t> timedOut;
        const ProcessResult result = RunOffice(next, timedOut);
        const std::lock_guard lock(mutex_);
        SettleAfterRun(next, result, timedOut, next);
        changed_.notify_all();
    }
}

ProcessResult COfficeRun::RunOffice(std::size_t first, std::optional<std::size_t>& timedOut) {
    const fs::path profile = workFolder_ / "profile";
    const std::string stamp = COfficeProfileCache::InstallationStamp(program_);
    const COfficeProfileCache cache(profileCache_);
    const bool fromCache = cache.CopyTo(profile, stamp);
    ProcessResult result;
    try {
        WriteProfile(profile, !fromCache);
    } catch (const CError& error) {
        result.detail = error.Description();
        return result;
    }
    const Job& only = jobs_[first];
    const std::string routine =
        jobs_.size() == 1
            ? "macro:///Standard.Conversion.Convert(\"" + FileUrl(only.folder) + "\",\"" +
                  only.inputName + "\",\"" + (only.wantPptx ? "1" : "0") + "\")"
            : "macro:///Standard.Conversion.ConvertMany(\"" + FileUrl(workFolder_ / "jobs.txt") +
                  "\",\"" + std::to_string(first) + "\")";
    const OfficeLaunch launch = OfficeLaunchFor(program_);
    ProcessRequest request;
    request.arguments = {
        launch.program, "--headless",  "--invisible",   "--nologo",
        "--norestore",  "--nodefault", "--nolockcheck", "-env:UserInstallation=" + FileUrl(profile),
        routine};
    request.workingDirectory = workFolder_;
    // The office's own temporary files stay in our folder, so they go with it, even after a
    // kill.
    const fs::path temporary = workFolder_ / "office-tmp";
    std::error_code ignored;
    fs::create_directories(temporary, ignored);
    request.environment = launch.environment;
    request.environment.push_back("TMPDIR=" + temporary.string());
    request.timeLimit = ProcessRequest::kNoTimeLimit;
    request.pollInterval = std::chrono::milliseconds(20);
    // Each presentation's time runs from the moment the office turns to it.
    std::optional<std::size_t> current = first;
    auto since = Clock::now();
    std::optional<Clock::time_point> stopSeen;
    request.whileWaiting = [&] {
        std::optional<std::size_t> now;
        {
            const std::lock_guard lock(mutex_);
            now = CurrentJob(first);
            changed_.notify_all();
            // An office that has done all its work on a fresh profile is left to end by itself
            // (it completes the profile for later runs that way), but not for long. One that
            // started from the kept profile has nothing left to give: it is ended at once.
            if (stopping_ && !stopSeen) {
                stopSeen = Clock::now();
            }
            if (stopping_ && (now || fromCache || Clock::now() - *stopSeen > kEndingGrace)) {
                return false;
            }
        }
        if (now != current) {
            current = now;
            since = Clock::now();
        }
        if (current && Clock::now() - since > limit_) {
            timedOut = current;
            return false;
        }
        return true;
    };
    result = runner_.Run(request);

    bool routineRan = false;
    {
        const std::lock_guard lock(mutex_);
        routineRan = CurrentJob(first) != first;
    }
    if (result.end == ProcessEnd::Exited && routineRan && !fromCache) {
        cache.Keep(profile, stamp);
    } else if (result.end == ProcessEnd::Exited && !routineRan && fromCache) {
        cache.Discard();  // the office could not run our routine from it; start afresh next time
    }
    fs::remove_all(profile, ignored);
    fs::remove_all(temporary, ignored);
    return result;
}

// Marks what the run did; next becomes the first job a fresh run has to convert.
void COfficeRun::SettleAfterRun(std::size_t first, const ProcessResult& result,
                                std::optional<std::size_t> timedOut, std::size_t& next) {
    const std::string missing = "LibreOffice (" + program_ +
                                ") was not found; install the package libreoffice-impress-nogui "
                                "to import presentations.";
    next = jobs_.size();
    for (std::size_t index = first; index < jobs_.size(); ++index) {
        if (Finished(index)) {
            continue;
        }
        if (stopping_ || CancelRequested()) {
            Fail(index, Cancelled());
        } else if (result.end == ProcessEnd::CouldNotStart) {
            Fail(index, Failure(kErrFileNotFound, missing + " (" + result.detail + ")"));
        } else if (timedOut == index) {
            Fail(index, Failure(kErrPathFileAccess,
                                "LibreOffice did not finish reading the presentation within " +
                                    Seconds(limit_) + "."));
            next = index + 1;
            return;
        } else if (result.end == ProcessEnd::Signalled) {
            Fail(index, Failure(kErrPathFileAccess, "LibreOffice stopped unexpectedly (signal " +
                                                        std::to_string(result.signal) +
                                                        ") while reading the presentation."));
            next = index + 1;
            return;
        } else {
            std::string detail = "exit status " + std::to_string(result.exitCode);
            if (const std::string said = LastTellingLine(result.output); !said.empty()) {
                detail += ": " + said;
            }
            Fail(index, Failure(kErrPathFileAccess,
                                "LibreOffice did not convert the presentation (" + detail + ")."));
            next = index + 1;
            return;
        }
    }
}

}  // namespace trovique
