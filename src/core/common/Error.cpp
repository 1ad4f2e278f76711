#include "core/common/Error.h"

#include <new>

namespace trovique {

std::string_view ObjectErrorDescription(std::uint32_t number) {
    switch (number) {
        case kErrDataTooLong:
            return "Data too long to fit.  Try shortening the data.";
        case kErrInvalidValue:
            return "Invalid value.";
        case kErrValueOutOfRange:
            return "Value is out of range.";
        case kErrMaxLinksExceeded:
            return "Maximum number of links exceeded.";
        case kErrVersionNotSupported:
            return "The Database version is not supported.  You may need to upgrade your "
                   "software.";
        default:
            return {};
    }
}

CError::CError(std::uint32_t number, std::string source, std::string description)
    : std::runtime_error(description),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

CError CError::Object(std::uint32_t number, std::string source) {
    return CError(number, std::move(source), std::string(ObjectErrorDescription(number)));
}

std::string DescribeError(const std::exception& error) {
    if (const auto* ours = dynamic_cast<const CError*>(&error)) {
        return ours->Description();
    }
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return "Out of memory";
    }
    return error.what();
}

std::string TrappedErrorText(std::string_view prefix, const std::exception& error) {
    std::string text(prefix);
    text += DescribeError(error);
    return text;
}

}  // namespace trovique
