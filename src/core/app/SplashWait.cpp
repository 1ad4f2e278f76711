#include "core/app/SplashWait.h"

#include <cmath>

namespace trovique {

int WaitForSplash(IStartupClock& clock, double start, const std::function<void()>& pumpEvents) {
    int steps = 0;
    while (std::fabs(clock.Seconds() - start) < kSplashMinimumSeconds) {
        if (pumpEvents) {
            pumpEvents();
        }
        clock.Sleep(kSplashStepMilliseconds);
        ++steps;
    }
    return steps;
}

}  // namespace trovique
