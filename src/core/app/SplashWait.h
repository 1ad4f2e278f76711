#pragma once

#include <functional>

namespace trovique {

// The splash window stays up at least this long, however quickly the main window loads.
inline constexpr double kSplashMinimumSeconds = 4.0;
inline constexpr int kSplashStepMilliseconds = 500;

// The clock start-up waits by; tests give one that moves only when slept on.
class IStartupClock {
public:
    virtual ~IStartupClock() = default;
    virtual double Seconds() = 0;
    virtual void Sleep(int milliseconds) = 0;
};

// Waits until at least kSplashMinimumSeconds have passed since start, in steps of: let pending
// events run, then sleep kSplashStepMilliseconds. The absolute difference of the readings is
// compared, so a clock that jumps back cannot hold the splash up for ever. Returns the number
// of steps taken.
int WaitForSplash(IStartupClock& clock, double start, const std::function<void()>& pumpEvents);

}  // namespace trovique
