#include "core/app/HandOver.h"

#include <gtest/gtest.h>

namespace trovique {
namespace {

std::string Bytes(const std::vector<std::uint8_t>& frame) {
    return {frame.begin(), frame.end()};
}

std::string Frame(std::uint32_t identifier, const std::string& payload) {
    std::string frame;
    for (const std::uint32_t value : {identifier, static_cast<std::uint32_t>(payload.size())}) {
        for (int shift = 0; shift < 32; shift += 8) {
            frame += static_cast<char>(value >> shift);
        }
    }
    return frame + payload;
}

TEST(HandOverTest, EncodesIdentifierLengthTextAndOneNul) {
    EXPECT_EQ(Bytes(EncodeHandOver("x.sdb")), Frame(17, std::string("x.sdb\0", 6)));
    EXPECT_EQ(Bytes(EncodeHandOver("")), Frame(17, std::string(1, '\0')));
}

TEST(HandOverTest, AcceptsOnlyIdentifier17WithOneTerminatingNul) {
    struct Case {
        std::string frame;
        std::optional<std::string> expected;
    };
    const std::vector<Case> cases = {
        {Frame(17, std::string("C:\\a b.sdb\0", 11)), "C:\\a b.sdb"},
        {Frame(17, std::string(1, '\0')), ""},
        {Frame(17, "no-nul"), std::nullopt},
        {Frame(18, std::string("x.sdb\0", 6)), std::nullopt},
        {Frame(17, std::string("x\0y\0", 4)), std::nullopt},
        {Frame(17, ""), std::nullopt},
    };
    for (const auto& c : cases) {
        CHandOverReader reader;
        EXPECT_EQ(reader.Append(c.frame), CHandOverReader::State::Complete);
        EXPECT_EQ(reader.FileName(), c.expected) << testing::PrintToString(c.frame);
    }
}

TEST(HandOverTest, ReadsAFrameArrivingByteByByte) {
    const std::string frame = Bytes(EncodeHandOver("deck.sdb"));
    CHandOverReader reader;
    for (std::size_t i = 0; i + 1 < frame.size(); ++i) {
        ASSERT_EQ(reader.Append(frame.substr(i, 1)), CHandOverReader::State::Incomplete) << i;
        EXPECT_EQ(reader.FileName(), std::nullopt);
    }
    EXPECT_EQ(reader.Append(frame.substr(frame.size() - 1)), CHandOverReader::State::Complete);
    EXPECT_EQ(reader.FileName(), "deck.sdb");
}

TEST(HandOverTest, RefusesOversizedAndOverlongFrames) {
    CHandOverReader huge;
    EXPECT_EQ(huge.Append(Frame(17, "").substr(0, 4) + std::string("\xff\xff\xff\x7f", 4)),
              CHandOverReader::State::Invalid);
    CHandOverReader overlong;
    EXPECT_EQ(overlong.Append(Frame(17, std::string("a\0", 2)) + "extra"),
              CHandOverReader::State::Invalid);
    EXPECT_EQ(overlong.FileName(), std::nullopt);
}

}  // namespace
}  // namespace trovique
