#pragma once

#include <cstdint>

namespace trovique {

class CApplication;

// How many findings a validation run lists before it stops: the settings ValidationLimitOn and
// ValidationLimit. A limit below 1 is taken as 1: a run that stopped before its first rule would
// pass a slide show it never looked at.
class CValidationLimit {
public:
    static constexpr std::int32_t kDefaultLimit = 100;

    CValidationLimit() = default;
    CValidationLimit(bool on, std::int32_t limit) : on_(on), limit_(limit < 1 ? 1 : limit) {}
    // No limit at all: every finding is listed.
    static CValidationLimit Off() { return CValidationLimit(false, kDefaultLimit); }
    static CValidationLimit FromApplication(const CApplication& application);

    bool On() const { return on_; }
    std::int32_t Limit() const { return limit_; }

    // True once count findings have reached the limit while it is on.
    bool ValidationErrorOverLimit(std::int64_t count) const { return on_ && count >= limit_; }

private:
    bool on_ = true;
    std::int32_t limit_ = kDefaultLimit;
};

}  // namespace trovique
