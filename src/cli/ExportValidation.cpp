#include "cli/ExportValidation.h"

#include <ostream>

#include "cli/CliContext.h"
#include "core/app/MessageStyle.h"
#include "core/app/Messages.h"
#include "core/validation/FindingsReport.h"
#include "core/validation/Validate.h"
#include "core/validation/ValidationResults.h"

namespace trovique::cli {

bool ValidateBeforeExport(CCliContext& context, CDocument& document, std::ostream& err) {
    CValidationResults results(context.Ui());
    if (Validate(document, results, CValidationLimit::FromApplication(context.Application()))) {
        return true;
    }
    ReportFailure(context.Ui(), "The document must be valid before export.", kStyleInformation);
    err << FormatFindings(results) << std::flush;
    return false;
}

}  // namespace trovique::cli
