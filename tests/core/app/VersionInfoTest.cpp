#include "core/app/VersionInfo.h"

#include <gtest/gtest.h>

#include "core/app/Twips.h"

namespace trovique {
namespace {

TEST(VersionInfoTest, VersionShowsMajorAndMinorOnly) {
    EXPECT_EQ(VersionText("2.3.1"), "Version 2.3");
    EXPECT_EQ(VersionText("2.3"), "Version 2.3");
    EXPECT_EQ(VersionText("7"), "Version 7");
    EXPECT_EQ(VersionText().rfind("Version ", 0), 0u);
    EXPECT_EQ(AboutCaption(), "About Norvane Trovique");
}

TEST(TwipsTest, FifteenTwipsToThePixelAt96DotsAndRoundTripsElsewhere) {
    EXPECT_EQ(TwipsFromPixels(800, 96.0), 12000);
    EXPECT_EQ(PixelsFromTwips(12000, 96.0), 800);
    for (const double dpi : {72.0, 96.0, 120.0, 144.0, 192.0}) {
        for (const int pixels : {0, 1, 333, 1920, -40}) {
            EXPECT_EQ(PixelsFromTwips(TwipsFromPixels(pixels, dpi), dpi), pixels) << dpi;
        }
    }
}

}  // namespace
}  // namespace trovique
