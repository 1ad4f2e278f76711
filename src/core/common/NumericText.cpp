#include "core/common/NumericText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace trovique {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

// The end of the longest "digits[.digits][e[sign]digits]" starting at `at`, or `at` itself when
// no digit is there.
std::size_t NumberEnd(std::string_view text, std::size_t at) {
    const std::size_t integerEnd = SkipDigits(text, at);
    std::size_t end = integerEnd;
    if (end < text.size() && text[end] == '.') {
        end = SkipDigits(text, end + 1);
    }
    const bool hasDigits = integerEnd > at || end > integerEnd + 1;
    if (!hasDigits) {
        return at;
    }
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) {
            end = exponentEnd;
        }
    }
    return end;
}

}  // namespace

double LeadingNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    const std::size_t end = NumberEnd(text, at);
    if (end == at) {
        return 0.0;
    }
    const std::string_view number = text.substr(at, end - at);
    double value = 0.0;
    // from_chars ignores the C locale, which a Qt front end sets from the user's environment.
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const bool tiny = number.find("e-") != std::string_view::npos ||
                          number.find("E-") != std::string_view::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

std::int32_t LeadingInteger(std::string_view text) {
    const double rounded = std::nearbyint(LeadingNumber(text));
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    if (rounded <= kLow) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (rounded >= kHigh) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(rounded);
}

bool IsPlainUnsigned32(std::string_view text) {
    if (text.empty() || text.size() > 10 || SkipDigits(text, 0) != text.size()) {
        return false;
    }
    if (text.size() > 1 && text.front() == '0') {
        return false;
    }
    std::uint32_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc{};
}

}  // namespace trovique
