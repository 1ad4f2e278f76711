#include "core/services/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace trovique {
namespace {

using Values = std::vector<std::pair<std::string, std::string>>;
using Names = std::vector<std::string>;

TEST(MemorySettingsStoreTest, MissingAndEmptyValuesAreDistinctButBothFallBack) {
    MemorySettingsStore store;
    EXPECT_FALSE(store.Get("App", "Settings", "Key"));
    store.Set("App", "Settings", "Key", "");
    ASSERT_TRUE(store.Get("App", "Settings", "Key"));
    EXPECT_EQ(store.GetOr("App", "Settings", "Key", "fallback"), "fallback");
    store.Set("App", "Settings", "Key", "value");
    EXPECT_EQ(store.GetOr("App", "Settings", "Key", "fallback"), "value");
    EXPECT_FALSE(store.Get("Other", "Settings", "Key")) << "applications are apart";
    EXPECT_FALSE(store.Get("App", "settings", "Key")) << "names compare exactly";
}

TEST(MemorySettingsStoreTest, SectionPathsIgnoreEmptyParts) {
    MemorySettingsStore store;
    store.Set("App", "a\\\\b\\", "k", "1");
    EXPECT_EQ(store.Get("App", "\\a\\b", "k"), "1");
    EXPECT_EQ(NormaliseSectionPath("\\\\x\\\\y\\"), "x\\y");
    EXPECT_EQ(NormaliseSectionPath(""), "");
}

TEST(MemorySettingsStoreTest, SubKeysListDirectChildrenIncludingEmptyOnes) {
    MemorySettingsStore store;
    store.Set("App", "a\\b\\c", "k", "1");
    store.Set("App", "a\\d", "k", "1");
    store.CreateSection("App", "a\\e");
    store.Set("App", "ab", "k", "1");  // shares a prefix but is not below "a"
    EXPECT_EQ(store.SubKeys("App", "a"), (Names{"b", "d", "e"}));
    EXPECT_EQ(store.SubKeys("App", "a\\b"), (Names{"c"}));
    EXPECT_EQ(store.SubKeys("App", ""), (Names{"a", "ab"}));
    EXPECT_TRUE(store.SubKeys("App", "a\\e").empty());
    EXPECT_TRUE(store.Values("App", "a\\b").empty()) << "parents made on the way hold nothing";
}

TEST(MemorySettingsStoreTest, DeletingAValueOrAWholeSection) {
    MemorySettingsStore store;
    store.Set("App", "a", "k1", "1");
    store.Set("App", "a", "k2", "2");
    store.Set("App", "a\\b", "k", "3");
    store.Set("App", "ab", "k", "4");
    store.Delete("App", "a", "k1");
    EXPECT_EQ(store.Values("App", "a"), (Values{{"k2", "2"}}));
    store.Delete("App", "a", "");
    EXPECT_FALSE(store.Get("App", "a", "k2"));
    EXPECT_FALSE(store.Get("App", "a\\b", "k"));
    EXPECT_EQ(store.Get("App", "ab", "k"), "4") << "a neighbour with the same prefix stays";
    store.Delete("Nobody", "x", "");  // nothing there: nothing happens
    EXPECT_EQ(store.ValueCount(), 1u);
}

TEST(MemorySettingsStoreTest, ValuesKeepTheirKindAndReadAsText) {
    MemorySettingsStore store;
    store.SetValue("App", "s", "number", std::uint32_t{4000000000});
    store.SetValue("App", "s", "bytes", std::vector<std::uint8_t>{'h', 'i', 0});
    EXPECT_EQ(store.GetValue("App", "s", "number"), SettingValue(std::uint32_t{4000000000}));
    EXPECT_EQ(store.Get("App", "s", "number"), "4000000000");
    EXPECT_EQ(store.Get("App", "s", "bytes"), std::string("hi\0", 3));
    EXPECT_EQ(store.Values("App", "s"),
              (Values{{"bytes", std::string("hi\0", 3)}, {"number", "4000000000"}}));
}

}  // namespace
}  // namespace trovique
