#pragma once

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

namespace trovique {

// Object errors are numbered from this base; records use codes 1 to 5, bitmaps 1100 to 1102,
// Palm bitmaps 1200.
inline constexpr std::uint32_t kObjectErrorBase = 0x80040000;

inline constexpr std::uint32_t kErrDataTooLong = kObjectErrorBase + 1;
inline constexpr std::uint32_t kErrInvalidValue = kObjectErrorBase + 2;
inline constexpr std::uint32_t kErrValueOutOfRange = kObjectErrorBase + 3;
inline constexpr std::uint32_t kErrMaxLinksExceeded = kObjectErrorBase + 4;
inline constexpr std::uint32_t kErrVersionNotSupported = kObjectErrorBase + 5;

// Run-time errors that are not raised by a record class keep the numbers a Basic run time
// gives them, so that reports look alike whichever layer failed.
inline constexpr std::uint32_t kErrFileNotFound = 53;
inline constexpr std::uint32_t kErrInputPastEnd = 62;
inline constexpr std::uint32_t kErrPathFileAccess = 75;
inline constexpr std::uint32_t kErrOutOfMemory = 7;

// The shared description of record errors 0x80040001 to 0x80040005; empty for other numbers.
std::string_view ObjectErrorDescription(std::uint32_t number);

// The one error type of the program: a number, the class and property that raised it, and a
// description fit to show to the user.
class CError : public std::runtime_error {
public:
    CError(std::uint32_t number, std::string source, std::string description);

    // An error of the shared record table, its description taken from that table.
    static CError Object(std::uint32_t number, std::string source);

    std::uint32_t Number() const { return number_; }
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }

private:
    std::uint32_t number_;
    std::string source_;
    std::string description_;
};

// The description of any error a trap may catch: ours, an allocation failure or a library error.
std::string DescribeError(const std::exception& error);

// "prefix: description", as an operation that traps its errors reports them. The prefix carries
// its own ": ", for example "Read error: ".
std::string TrappedErrorText(std::string_view prefix, const std::exception& error);

// Runs body; on any error hands the trapped text to report and returns false.
template <class Body, class Report>
bool TrapErrors(std::string_view prefix, Report&& report, Body&& body) {
    try {
        body();
        return true;
    } catch (const std::exception& error) {
        report(TrappedErrorText(prefix, error));
        return false;
    }
}

}  // namespace trovique
