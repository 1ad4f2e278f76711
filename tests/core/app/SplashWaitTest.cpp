#include "core/app/SplashWait.h"

#include <gtest/gtest.h>

namespace trovique {
namespace {

// Moves only when slept on; each reading may add a jump to stand for slow loading.
class FakeClock : public IStartupClock {
public:
    double Seconds() override { return now; }
    void Sleep(int milliseconds) override { now += milliseconds / 1000.0; }
    double now = 0;
};

TEST(SplashWaitTest, WaitsFourSecondsInHalfSecondStepsPumpingBeforeEachSleep) {
    struct Case {
        double loadedAfter;  // seconds already gone when the wait starts
        int steps;
    };
    for (const Case c : {Case{0.0, 8}, Case{1.2, 6}, Case{3.9, 1}, Case{4.0, 0}, Case{9.0, 0}}) {
        FakeClock clock;
        clock.now = 100.0 + c.loadedAfter;
        int pumps = 0;
        EXPECT_EQ(WaitForSplash(clock, 100.0, [&] { ++pumps; }), c.steps) << c.loadedAfter;
        EXPECT_EQ(pumps, c.steps);
        EXPECT_GE(clock.now - 100.0, kSplashMinimumSeconds);
    }
}

TEST(SplashWaitTest, AClockThatWentBackCountsTheDistance) {
    FakeClock clock;
    clock.now = 10.0;  // the start reading was 20: ten seconds apart, no wait
    EXPECT_EQ(WaitForSplash(clock, 20.0, {}), 0);
}

}  // namespace
}  // namespace trovique
