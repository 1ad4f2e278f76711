#include "core/app/ImportTimeLimit.h"

#include <gtest/gtest.h>

#include "core/services/MemorySettingsStore.h"

namespace trovique {
namespace {

TEST(ImportTimeLimitTest, AStoredPositiveNumberElseTheDefault) {
    const std::pair<const char*, int> cases[] = {
        {nullptr, 300}, {"", 300}, {"60", 60}, {"45s", 45}, {"0", 300}, {"-5", 300}, {"abc", 300},
    };
    for (const auto& [stored, seconds] : cases) {
        MemorySettingsStore store;
        if (stored) {
            store.Set("Norvane Trovique", "Settings", "ImportTimeoutSeconds", stored);
        }
        EXPECT_EQ(ImportTimeLimit(store).count(), seconds) << (stored ? stored : "missing");
    }
}

}  // namespace
}  // namespace trovique
