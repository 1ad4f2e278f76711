#pragma once

#include <cstdint>
#include <ctime>
#include <functional>

namespace trovique {

// A calendar date and wall-clock time in the local time zone, as Palm databases record times:
// the handheld keeps no zone, so a time is the local date and time counted from 1904.
struct LocalDateTime {
    int year = 1904;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// Whole seconds from 1 January 1904 00:00 to the given date and time; negative before it.
std::int64_t SecondsSince1904(const LocalDateTime& dateTime);

// The inverse of SecondsSince1904.
LocalDateTime LocalDateTimeFromSecondsSince1904(std::int64_t seconds);

// The local date and time of a moment of the system clock, e.g. a file's modification time.
LocalDateTime LocalDateTimeOf(std::time_t moment);

// The present local date and time.
LocalDateTime CurrentLocalDateTime();

// Where a header takes "now" from; tests hand in a fixed time.
using LocalClock = std::function<LocalDateTime()>;

}  // namespace trovique
