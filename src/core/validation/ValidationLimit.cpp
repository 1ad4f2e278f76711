#include "core/validation/ValidationLimit.h"

#include "core/app/Application.h"

namespace trovique {

CValidationLimit CValidationLimit::FromApplication(const CApplication& application) {
    return CValidationLimit(application.ValidationLimitOn(), application.ValidationLimit());
}

}  // namespace trovique
