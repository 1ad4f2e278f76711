#include "platform/LibreOfficeSource.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string_view>
#include <system_error>

#include "core/common/Error.h"
#include "platform/OfficeProfileCache.h"
#include "platform/PdfSlideRenderer.h"
#include "platform/PptxReader.h"
#include "platform/ProcessRunner.h"
#include "platform/TempFolder.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSource = "CLibreOfficeSource";
// Descriptions of the office's own failures can be long; a message window needs one line.
constexpr std::size_t kMaxDetail = 300;

// Loads the presentation once and writes what the reader and the renderer need. It reports
// through files because the office's exit status says nothing about a failed conversion.
constexpr std::string_view kConversionRoutine = R"(REM Written by Trovique for one conversion.
Sub Convert(folder As String, inputName As String, wantPptx As String)
    On Error Goto Failed
    Dim load(1) As New com.sun.star.beans.PropertyValue
    load(0).Name = "Hidden" : load(0).Value = True
    load(1).Name = "ReadOnly" : load(1).Value = True
    Dim doc As Object
    doc = StarDesktop.loadComponentFromURL(folder & "/" & inputName, "_blank", 0, load())
    If IsNull(doc) Then
        Report(folder, "failed.txt", "the presentation could not be loaded")
        StarDesktop.terminate()
        Exit Sub
    End If
    If wantPptx = "1" Then
        Dim pptx(0) As New com.sun.star.beans.PropertyValue
        pptx(0).Name = "FilterName" : pptx(0).Value = "Impress MS PowerPoint 2007 XML"
        doc.storeToURL(folder & "/slides.pptx", pptx())
    End If
    Dim options(0) As New com.sun.star.beans.PropertyValue
    options(0).Name = "ExportHiddenSlides" : options(0).Value = True
    Dim pdf(1) As New com.sun.star.beans.PropertyValue
    pdf(0).Name = "FilterName" : pdf(0).Value = "impress_pdf_Export"
    pdf(1).Name = "FilterData" : pdf(1).Value = options()
    doc.storeToURL(folder & "/slides.pdf", pdf())
    doc.close(True)
    Report(folder, "done.txt", "done")
    StarDesktop.terminate()
    Exit Sub
Failed:
    Report(folder, "failed.txt", Error$)
    StarDesktop.terminate()
End Sub

Sub Report(folder As String, fileName As String, message As String)
    Dim f As Integer
    f = FreeFile
    Open ConvertFromURL(folder & "/" & fileName) For Output As #f
    Print #f, message
    Close #f
End Sub
)";

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

CError Failure(std::uint32_t number, const std::string& description) {
    return CError(number, kSource, description);
}

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
        XmlEscaped(kConversionRoutine) + "</script:module>\n";
    WriteTextFile(user / "basic" / "Standard" / "Conversion.xba", module);
}

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
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

// Checks the file before any office is started; returns its lower-case extension.
std::string CheckPresentationFile(const fs::path& file) {
    const std::string name = file.filename().string();
    std::error_code error;
    const auto status = fs::status(file, error);
    if (error || !fs::exists(status)) {
        throw Failure(kErrFileNotFound, "The presentation " + file.string() + " was not found.");
    }
    if (!fs::is_regular_file(status)) {
        throw Failure(kErrPathFileAccess, "The presentation " + file.string() + " is not a file.");
    }
    const std::string extension = LowerCase(file.extension().string());
    const auto& readable = CLibreOfficeSource::ReadableExtensions();
    if (std::find(readable.begin(), readable.end(), extension) == readable.end()) {
        std::string list;
        for (const auto& known : readable) {
            list += (list.empty() ? "" : ", ") + known;
        }
        throw Failure(
            kErrInvalidValue,
            "The file " + name + " is not a presentation this program can read (" + list + ").");
    }
    if (fs::file_size(file, error) == 0 && !error) {
        throw Failure(kErrPathFileAccess, "The presentation " + name + " is empty.");
    }
    return extension;
}

void CheckHasSlides(const CPptxReader& reader, const fs::path& file) {
    if (reader.Slides().empty()) {
        throw Failure(kErrInvalidValue,
                      "The presentation " + file.filename().string() + " has no slides.");
    }
}

}  // namespace

CLibreOfficeSource::CLibreOfficeSource(IProcessRunner& runner, std::chrono::seconds timeLimit,
                                       std::string officeProgram)
    : runner_(runner),
      timeLimit_(timeLimit),
      officeProgram_(std::move(officeProgram)),
      profileCache_(COfficeProfileCache::DefaultFolder()) {}

void CLibreOfficeSource::SetProfileCache(fs::path folder) {
    profileCache_ = std::move(folder);
}

CLibreOfficeSource::~CLibreOfficeSource() {
    Close();
}

const std::vector<std::string>& CLibreOfficeSource::ReadableExtensions() {
    static const std::vector<std::string> extensions = {".ppt", ".pps",  ".pptx",
                                                        ".odp", ".fodp", ".key"};
    return extensions;
}

void CLibreOfficeSource::Open(const fs::path& file) {
    Close();
    try {
        const std::string extension = CheckPresentationFile(file);
        folder_ = std::make_unique<CTempFolder>("trovique-office-");
        // The office sees only a fixed, harmless name: nothing in the user's file name can be
        // taken for an option or break the routine's arguments.
        const fs::path input = folder_->Path() / ("input" + extension);
        std::error_code error;
        fs::copy_file(file, input, error);
        if (error) {
            throw Failure(kErrPathFileAccess, "The presentation " + file.filename().string() +
                                                  " could not be read: " + error.message() + ".");
        }
        // A .pptx is read before the office starts, so that a damaged one fails at once.
        const bool isPptx = extension == ".pptx";
        std::optional<CPptxReader> reader;
        if (isPptx) {
            reader.emplace(input);
            CheckHasSlides(*reader, file);
        }
        Convert(input, !isPptx);
        if (!isPptx) {
            reader.emplace(folder_->Path() / "slides.pptx");
            CheckHasSlides(*reader, file);
        }
        // The handheld's small picture and its first choice of large one are asked for every
        // slide; drawing them can start while the caller is still setting up.
        renderer_ = std::make_unique<CPdfSlideRenderer>(
            folder_->Path() / "slides.pdf", true,
            std::vector<std::pair<int, int>>{{160, 120}, {440, 330}});
        if (renderer_->PageCount() != reader->Slides().size()) {
            throw Failure(kErrInvalidValue,
                          "LibreOffice drew " + std::to_string(renderer_->PageCount()) +
                              " slide pictures for the " + std::to_string(reader->Slides().size()) +
                              " slides of " + file.filename().string() + ".");
        }
        slides_ = reader->Slides();
        fs::remove(input, error);
    } catch (...) {
        Close();
        throw;
    }
}

void CLibreOfficeSource::Convert(const fs::path& input, bool wantPptx) {
    const std::string program = FindProgramOnPath(officeProgram_);
    const std::string missing = "LibreOffice (" + officeProgram_ +
                                ") was not found; install the package " + kPackage +
                                " to import presentations.";
    if (program.empty()) {
        throw Failure(kErrFileNotFound, missing);
    }
    const fs::path profile = folder_->Path() / "profile";
    const std::string stamp = COfficeProfileCache::InstallationStamp(program);
    const COfficeProfileCache cache(profileCache_);
    const bool fromCache = cache.CopyTo(profile, stamp);
    WriteProfile(profile, !fromCache);

    ProcessRequest request;
    request.arguments = {program,
                         "--headless",
                         "--invisible",
                         "--nologo",
                         "--norestore",
                         "--nodefault",
                         "--nolockcheck",
                         "-env:UserInstallation=" + FileUrl(profile),
                         "macro:///Standard.Conversion.Convert(\"" + FileUrl(folder_->Path()) +
                             "\",\"" + input.filename().string() + "\",\"" +
                             (wantPptx ? "1" : "0") + "\")"};
    request.workingDirectory = folder_->Path();
    request.timeLimit = timeLimit_;
    const ProcessResult result = runner_.Run(request);

    const fs::path folder = folder_->Path();
    const bool routineRan = fs::exists(folder / "done.txt") || fs::exists(folder / "failed.txt");
    if (result.end == ProcessEnd::Exited && routineRan && !fromCache) {
        cache.Keep(profile, stamp);
    } else if (result.end == ProcessEnd::Exited && !routineRan && fromCache) {
        cache.Discard();  // the office could not run our routine from it; start afresh next time
    }
    std::error_code ignored;
    fs::remove_all(profile, ignored);
    switch (result.end) {
        case ProcessEnd::CouldNotStart:
            throw Failure(kErrFileNotFound, missing + " (" + result.detail + ")");
        case ProcessEnd::TimedOut:
            throw Failure(kErrPathFileAccess,
                          "LibreOffice did not finish reading the presentation within " +
                              std::to_string(timeLimit_.count()) +
                              (timeLimit_.count() == 1 ? " second." : " seconds."));
        case ProcessEnd::Signalled:
            throw Failure(kErrPathFileAccess, "LibreOffice stopped unexpectedly (signal " +
                                                  std::to_string(result.signal) +
                                                  ") while reading the presentation.");
        case ProcessEnd::Exited:
            break;
    }
    if (fs::exists(folder / "failed.txt")) {
        throw Failure(kErrPathFileAccess,
                      "LibreOffice could not read the presentation; it may be damaged or protected "
                      "by a password (" +
                          OneLine(ReadSmallFile(folder / "failed.txt")) + ").");
    }
    const bool complete = fs::exists(folder / "done.txt") && fs::exists(folder / "slides.pdf") &&
                          (!wantPptx || fs::exists(folder / "slides.pptx"));
    if (!complete) {
        std::string detail = "exit status " + std::to_string(result.exitCode);
        if (const std::string said = LastTellingLine(result.output); !said.empty()) {
            detail += ": " + said;
        }
        throw Failure(kErrPathFileAccess,
                      "LibreOffice did not convert the presentation (" + detail + ").");
    }
}

SlideContent CLibreOfficeSource::Slide(std::size_t number) {
    if (number < 1 || number > slides_.size()) {
        throw Failure(kErrValueOutOfRange, "There is no slide " + std::to_string(number) + ".");
    }
    return slides_[number - 1];
}

std::optional<RenderedSlide> CLibreOfficeSource::Render(std::size_t number, int width, int height) {
    if (!renderer_) {
        return std::nullopt;
    }
    return renderer_->Render(number, width, height);
}

void CLibreOfficeSource::Close() {
    renderer_.reset();
    slides_.clear();
    folder_.reset();
}

fs::path CLibreOfficeSource::WorkFolder() const {
    return folder_ ? folder_->Path() : fs::path();
}

}  // namespace trovique
