#include "core/validation/ValidationLimit.h"

#include "core/settings/Application.h"

namespace trovique {

CValidationLimit CValidationLimit::FromApplication(const CApplication& application) {
    return CValidationLimit(application.ValidationLimitOn(), application.ValidationLimit());
}

}  // namespace trovique
