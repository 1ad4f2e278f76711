#pragma once

#include <string>
#include <vector>

namespace trovique {

class IProcessRunner;
class IUserInterface;

// The clock the install wait is timed with: seconds that start again from 0 every 86400
// seconds, as a time-of-day clock does at midnight. It is read from the steady clock, so that
// setting the system time or a change to daylight saving neither cuts a wait short nor
// stretches it.
double ClockSeconds();
inline constexpr double kSecondsPerDay = 86400.0;

// Seconds since a reading of that clock; a current reading smaller than start means the clock
// has passed midnight, and a day is added.
double ElapsedSeconds(double start, double now);
double ElapsedSeconds(double start);

// Starts a program (arguments: the program, then its arguments, never through a shell) and
// waits for it to end, polling the progress window's Cancel button every 100 ms so that the
// face keeps its windows responsive meanwhile. With timeoutSeconds above 0 the wait ends once
// more than that many seconds have passed, and a Cancel that the progress window allows ends it
// too: the program is left running (it belongs to the user) and the result is false. 0 or less
// waits for as long as the program runs. A program that ends in any way, or that can no longer be
// watched, counts as finished: true. A program that cannot be started raises CError 53 with the
// reason.
bool ShellAndWait(IProcessRunner& runner, IUserInterface& ui,
                  const std::vector<std::string>& arguments, int timeoutSeconds);

}  // namespace trovique
