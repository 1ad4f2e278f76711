#include "core/validation/ValidationOptions.h"

#include "core/common/Error.h"
#include "core/common/NumericText.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"
#include "core/settings/Application.h"

namespace trovique {

CValidationOptions::CValidationOptions(CApplication& application)
    : application_(application),
      limitOn_(application.ValidationLimitOn()),
      limitText_(std::to_string(application.ValidationLimit())) {}

bool CValidationOptions::Ok(IUserInterface& ui) {
    // "0.4" is above 0 but would be stored as 0, a limit that lists nothing: it is refused like
    // 0 itself.
    if (limitOn_ && (LeadingNumber(limitText_) <= 0.0 || LeadingInteger(limitText_) < 1)) {
        ReportMessage(ui, "Show First Errors number must be greater than 0.", kStyleInformation);
        return false;
    }
    // A setting that cannot be stored keeps the dialog open with what the user typed.
    return TrapErrors(
        "An error has occurred: ",
        [&](const std::string& text) { ReportFailure(ui, text, kStyleCritical); },
        [&] {
            if (limitOn_) {
                application_.SetValidationLimit(LeadingInteger(limitText_));
            }
            application_.SetValidationLimitOn(limitOn_);
        });
}

bool CValidationOptions::DoAction(int action, IUserInterface& ui) {
    switch (action) {
        case kActionOk:
            return Ok(ui);
        case kActionCancel:
            return true;
        default:
            ReportMessage(ui, "Invalid action: " + std::to_string(action), kStyleExclamation);
            return false;
    }
}

}  // namespace trovique
