// Records read from damaged files: whatever a reader accepts must be written back in a form
// that reads again to the same bytes, or the next save corrupts the slide show. The byte
// strings are inputs the fuzzers found, cut down to what matters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModelFixtures.h"
#include "core/common/MemoryFile.h"
#include "core/model/Leaf.h"
#include "core/model/Node22.h"

namespace trovique {
namespace {

using test::Bytes;

struct RereadCase {
    std::string name;
    Bytes stored;
    bool accepted;  // false: the reader must refuse the record
};

// Reads, writes, reads the written bytes and writes again; returns both written forms.
template <class Record>
std::pair<std::vector<std::uint8_t>, std::vector<std::uint8_t>> WriteTwice(const Bytes& stored) {
    CMemoryFile input(stored.Data());
    Record first;
    first.ReadFromFile(input);
    CMemoryFile written;
    first.WriteToFile(written);
    CMemoryFile again(written.Data());
    Record second;
    second.ReadFromFile(again);
    CMemoryFile rewritten;
    second.WriteToFile(rewritten);
    return {written.Data(), rewritten.Data()};
}

std::vector<RereadCase> NodeCases() {
    // Fixed region, type, key, parent, six slots, the unused byte, an empty plain title.
    const auto node = [](const char* fixedRegion, const char* type) {
        return Bytes()
            .Hex(fixedRegion)
            .Hex(type)
            .Hex("0000 0000 0001 0000 0000 0000 0000 0000 00 00");
    };
    return {
        // An unknown type with an end node's fixed region was read with six slots but written
        // as an end node, whose twenty slots then ran past the record.
        {"UnknownTypeWithEndNodeRegion", node("0031", "0D00"), false},
        {"UnknownTypeWithNodeRegion", node("000A", "0007"), false},
        {"LeafTypeIsNoNode", node("000A", "0003"), false},
        {"PlainNode", node("000A", "0001"), true},
    };
}

template <class Record>
void CheckReread(const RereadCase& c) {
    if (!c.accepted) {
        CMemoryFile input(c.stored.Data());
        Record record;
        EXPECT_THROW(record.ReadFromFile(input), CError);
        return;
    }
    const auto [written, rewritten] = WriteTwice<Record>(c.stored);
    EXPECT_EQ(written, rewritten);
}

class NodeRereadTest : public testing::TestWithParam<RereadCase> {};

// The version-22 reader; the current reader hands it the records that are not in its layout.
TEST_P(NodeRereadTest, AcceptedRecordsRereadAndOthersAreRefused) {
    CheckReread<CNode22>(GetParam());
}

INSTANTIATE_TEST_SUITE_P(FuzzFindings, NodeRereadTest, testing::ValuesIn(NodeCases()),
                         [](const auto& testInfo) { return testInfo.param.name; });

}  // namespace
}  // namespace trovique

namespace trovique {
namespace {

// A BITMAP leaf whose picture header gives 0 x 0 pixels: it read as a picture and was written
// back in another form, so the record changed on every save. Such a picture is refused.
TEST(LeafRereadTest, PictureWithoutPixelsIsRefused) {
    const std::vector<std::uint8_t> stored = {
        0x00, 0x00, 0x00, 0x04, 0x62, 0x05, 0x00, 0x00, 0x93, 0xf2, 0x00, 0xdf, 0x5b, 0xf5,
        0x79, 0x79, 0x79, 0x79, 0x79, 0x79, 0x9e, 0xf2, 0x23, 0x9e, 0xf2, 0xbd, 0x00, 0x79,
        0x8c, 0xe4, 0xf5, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x10, 0x00, 0x04, 0x28, 0xf2, 0x01, 0x00, 0x00, 0x10, 0x00, 0x04,
        0x3d, 0xa5, 0xa5, 0xa5, 0xa5, 0x00, 0x13, 0x13, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x13,
        0x13, 0x13, 0x13, 0x13, 0x13, 0x13, 0x13, 0xa9, 0x13, 0x13, 0x00, 0x00, 0x00, 0x7d,
        0x15, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x07, 0x00, 0x02, 0x00, 0x9a, 0x9a, 0x9a, 0x9a, 0x9a, 0x9a};
    CMemoryFile input(stored);
    CLeaf leaf;
    EXPECT_THROW(leaf.ReadFromFile(input, test::Palettes()), CError);
}

// A BITMAP leaf of 4 x 1 pictures: record fields, flags, title, then the picture's header
// (width, height, row bytes, flags, depth, version, next depth, four zero bytes) and body.
Bytes LeafWithPicture(const char* pictureHeader, const char* pictureBody) {
    return Bytes()
        .Hex("0038 0004 0009 0002 0000 0000 0000 0000 80 00")
        .FixedText("Slide", 40)
        .Hex(pictureHeader)
        .Hex(pictureBody);
}

struct PictureCase {
    std::string name;
    Bytes stored;
    // The slots that must hold a picture after the read and after every save.
    bool colour;
    bool monochrome;
};

class LeafPictureRereadTest : public testing::TestWithParam<PictureCase> {};

// Pictures whose colour table does not match their depth: each is read into the slot its
// depth will be written in, so a save does not move it to the other slot.
TEST_P(LeafPictureRereadTest, PictureKeepsItsSlotThroughSaves) {
    const PictureCase& c = GetParam();
    // Reads a leaf, checks its slots and returns what it writes.
    const auto readAndWrite = [&c](const std::vector<std::uint8_t>& stored) {
        CMemoryFile input(stored);
        CLeaf leaf;
        leaf.ReadFromFile(input, test::Palettes());
        EXPECT_EQ(leaf.ColorBitmap() != nullptr, c.colour);
        EXPECT_EQ(leaf.MonochromeBitmap() != nullptr, c.monochrome);
        CMemoryFile written;
        leaf.WriteToFile(written);
        return written.Data();
    };
    const std::vector<std::uint8_t> written = readAndWrite(c.stored.Data());
    EXPECT_EQ(readAndWrite(written), written);
}

INSTANTIATE_TEST_SUITE_P(
    FuzzFindings, LeafPictureRereadTest,
    testing::Values(
        // An 8-bit picture with an empty table of its own was read as two colours, placed in
        // the monochrome slot, and came back as a colour picture after a save.
        PictureCase{"EightBitsWithEmptyTable",
                    LeafWithPicture("0004 0001 0004 4000 08 02 0000 00000000", "0000 01020304"),
                    true, false},
        PictureCase{"EightBitsWithTwoColours",
                    LeafWithPicture("0004 0001 0004 4000 08 02 0000 00000000",
                                    "0002 00FFFFFF 01000000 00010100"),
                    true, false},
        PictureCase{"OneBitWithFiveColours",
                    LeafWithPicture("0004 0001 0002 4000 01 02 0000 00000000",
                                    "0005 00FFFFFF 01000000 02FF0000 0300FF00 040000FF A000"),
                    false, true},
        // A grey picture second in the pair took the colour slot: the colour picture was lost
        // at once, and the grey one at the next read, as the record said it had no monochrome.
        PictureCase{"GreyPictureSecond",
                    LeafWithPicture("0004 0001 0004 0000 08 02 0005 00000000",
                                    "01020304 0004 0001 0002 0000 02 02 0000 00000000 1B00"),
                    true, true}),
    [](const auto& testInfo) { return testInfo.param.name; });

}  // namespace
}  // namespace trovique
