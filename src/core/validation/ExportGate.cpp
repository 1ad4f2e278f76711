#include "core/validation/ExportGate.h"

#include <filesystem>

#include "core/editor/Document.h"
#include "core/services/FileDialog.h"
#include "core/services/Messages.h"
#include "core/slideshowfile/SlideShowWriter.h"
#include "core/validation/Validate.h"

namespace trovique {

bool ValidateBeforeExport(CDocument& document, CValidationResults& results,
                          const CValidationLimit& limit) {
    if (Validate(document, results, limit)) {
        return true;
    }
    ReportMessage(document.Services().ui, kMustBeValidBeforeExport, kStyleInformation);
    return false;
}

ExportOutcome ExportValidSlideShow(CDocument& document, CValidationResults& results,
                                   const CValidationLimit& limit, const std::string& initial) {
    if (!ValidateBeforeExport(document, results, limit)) {
        return ExportOutcome::Invalid;
    }
    const std::string file =
        GetFileName(document.Services(), DescribeFileDialog(FileDialogKind::Export, initial));
    if (file.empty()) {
        return ExportOutcome::Cancelled;
    }
    const std::filesystem::path path(std::u8string(file.begin(), file.end()));
    return Export(document, path) ? ExportOutcome::Exported : ExportOutcome::Failed;
}

}  // namespace trovique
