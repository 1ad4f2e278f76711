#include "core/print/PrintDocument.h"

#include <algorithm>
#include <cctype>

#include "core/common/Error.h"
#include "core/editor/Document.h"
#include "core/print/PrintReport.h"
#include "core/print/RtfWriter.h"
#include "core/services/FileDialog.h"
#include "core/services/Messages.h"

namespace trovique {
namespace {

constexpr std::string_view kErrorPrefix = "An error has occurred: ";

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The Print To dialog opens beside the slide show, at its name with ".rtf".
std::string InitialReportFile(const CDocument& document) {
    if (document.FileName().empty()) {
        return {};
    }
    std::filesystem::path file = PathOf(document.FileName());
    file.replace_extension(".rtf");
    const std::u8string text = file.u8string();
    return std::string(text.begin(), text.end());
}

// The status text and the count of the percentage are put back on every way out.
class CPrintStatusScope {
public:
    explicit CPrintStatusScope(IUserInterface& ui)
        : ui_(ui), pointer_(ui.Pointer()), status_(ui.StatusBar(), {}) {
        ui_.SetPointer(MousePointer::Hourglass);
    }
    ~CPrintStatusScope() {
        ui_.StatusBar().ClearPercentage();
        ui_.SetPointer(pointer_);
    }
    CPrintStatusScope(const CPrintStatusScope&) = delete;
    CPrintStatusScope& operator=(const CPrintStatusScope&) = delete;

private:
    IUserInterface& ui_;
    MousePointer pointer_;
    CStatusTextScope status_;
};

}  // namespace

ReportFileFormat FormatOfReportFile(const std::string& file) {
    const std::string extension = PathOf(file).extension().string();
    std::string lower(extension);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower == ".pdf" ? ReportFileFormat::Pdf : ReportFileFormat::Rtf;
}

bool PrintLeaves(CDocument& document, const std::vector<int>& leaves, bool printHeader,
                 const std::string& toFile, IReportPrinter& printer) {
    IUserInterface& ui = document.Services().ui;
    try {
        CPrintStatusScope scope(ui);
        CStatusBar& status = ui.StatusBar();
        const CReportText report = BuildPrintReport(document, leaves, printHeader, &status);
        if (toFile.empty()) {
            status.SetText(report::kSendingToPrinter);
            printer.Print(report);
        } else {
            status.SetText(report::kSendingToFile);
            if (FormatOfReportFile(toFile) == ReportFileFormat::Pdf) {
                printer.WritePdf(report, PathOf(toFile));
            } else {
                WriteRtfFile(PathOf(toFile), report);
            }
        }
        return true;
    } catch (const std::exception& error) {
        ReportFailure(ui, TrappedErrorText(kErrorPrefix, error), kStyleInformation);
        return false;
    }
}

bool PrintDocument(CDocument& document, bool showOptions, IReportPrinter& printer,
                   const PrintOptionsDialog& dialog) {
    if (!showOptions) {
        return PrintLeaves(document, QualifyingLeaves(document), true, {}, printer);
    }
    CPrintOptions options(document, document.Services().ui, printer.PrinterName());
    dialog(options);
    if (!options.OK()) {
        return false;
    }
    std::string file;
    if (options.ToFile()) {
        file = GetFileName(document.Services(), DescribeFileDialog(FileDialogKind::PrintTo,
                                                                   InitialReportFile(document)));
        if (file.empty()) {
            return false;
        }
    }
    return PrintLeaves(document, options.ChosenLeaves(), options.HeaderInfo(), file, printer);
}

CReportText PreviewReport(const CDocument& document) {
    return BuildPrintReport(document, QualifyingLeaves(document), true);
}

}  // namespace trovique
