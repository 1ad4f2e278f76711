#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModelFixtures.h"
#include "core/common/MemoryFile.h"
#include "core/model/Node.h"

namespace trovique {
namespace {

using test::Bytes;
using test::RaisedBy;

std::vector<std::uint8_t> WrittenNode(CNode& node) {
    return test::Written([&](CBinaryFile& file) { node.WriteToFile(file); });
}

CNode ReadNode(const Bytes& bytes) {
    CMemoryFile file(bytes.Data());
    CNode node;
    node.ReadFromFile(file);
    EXPECT_EQ(file.Position(), bytes.Size()) << "the whole record is consumed";
    return node;
}

CNode NewRoot(std::uint16_t key) {
    CNode root;
    root.SetRecordType(0);
    root.SetKey(key);
    return root;
}

// Fixed region, type, key, version, FlagHi, FlagLo, first leaf, title bitmap, link count.
TEST(CNodeRecordTest, ANewRootAloneIsTwentyThreeBytes) {
    CNode root = NewRoot(2);
    root.SetFlagLo(0x06);
    const auto expected = Bytes().Hex("000E 0000 0002 0017 03 06 0000 0000 0000").Zeros(7);
    EXPECT_EQ(expected.Size(), 23u);
    EXPECT_EQ(WrittenNode(root), expected.Data());
    EXPECT_EQ(root.FixedRegionSize(), 14);
    EXPECT_EQ(root.FlagHi(), 0x03);
}

TEST(CNodeRecordTest, ANodeWritesFourHexDigitsPerChild) {
    CNode node;
    node.SetKey(5);
    node.SetParentKey(2);
    node.SetTitle("Cells");
    node.AddLink(1, 77);
    node.AddLink(0x1A, 78);
    const auto expected =
        Bytes().Hex("000A 0001 0005 0002 03 00 0002").Text("Cells").Text("0001001A");
    EXPECT_EQ(WrittenNode(node), expected.Data());
}

TEST(CNodeRecordTest, TheRootWritesEachChildWithItsDataValue) {
    CNode root = NewRoot(1);
    root.AddLink(1, 5);
    root.AddLink(0x1A, 6);
    root.SetValid(false);
    root.SetFlagHi(0xF8);
    // Other FlagHi bits are kept, valid is cleared and expanded set.
    const auto expected = Bytes()
                              .Hex("000E 0000 0001 0017 FA 00 0000 0000 0002 00")
                              .Text("00010005001A0006")
                              .Zeros(5);
    EXPECT_EQ(WrittenNode(root), expected.Data());
}

TEST(CNodeRecordTest, AnUnstructuredRootStoresNoLinks) {
    CNode root = NewRoot(1);
    root.AddLink(3, 1);
    root.SetUnstructured(true);
    EXPECT_EQ(WrittenNode(root),
              Bytes().Hex("000E 0000 0001 0017 03 00 0000 0000 0000").Zeros(7).Data());
}

TEST(CNodeRecordTest, AnEndNodeIsStoredAsTypeTwoAndReadBackAsTypeOne) {
    const auto stored = Bytes().Hex("000A 0002 0005 0002 01 00 0001").Text("Leaves").Text("0009");
    CNode node = ReadNode(stored);
    EXPECT_EQ(node.RecordType(), 1);
    EXPECT_TRUE(node.IsEndNode());
    EXPECT_EQ(node.MaxLinks(), 15500u);
    EXPECT_TRUE(node.Valid());
    EXPECT_FALSE(node.Expanded());
    EXPECT_EQ(WrittenNode(node), stored.Data());
}

TEST(CNodeRecordTest, ReadingReplacesWhatTheNodeHeldBefore) {
    CNode node;
    node.SetIsEndNode(true);
    node.AddLink(40, 40);
    node.SetTitle("old");
    node.SetFirstLeafKey(9);
    const auto stored = Bytes().Hex("000A 0001 0005 0002 03 00 0001").Text("").Text("0007");
    CMemoryFile file(stored.Data());
    node.ReadFromFile(file);
    EXPECT_FALSE(node.IsEndNode());
    EXPECT_EQ(node.NumLinks() + node.NumLinkData(), 2u);
    EXPECT_EQ(node.Title(), "");
    EXPECT_EQ(node.FirstLeafKey(), 0);
}

TEST(CNodeRecordTest, AnEmptyLinkIsSkippedButItsDataKept) {
    const auto node =
        ReadNode(Bytes().Hex("000A 0001 0005 0002 03 00 0003").Text("T").Text("000100000003"));
    ASSERT_EQ(node.NumLinks(), 2u);
    EXPECT_EQ(node.GetLink(2), 3);
    ASSERT_EQ(node.NumLinkData(), 3u);
    EXPECT_EQ(node.GetLinkData(2), 0);
    EXPECT_EQ(node.GetLinkData(3), 3);

    const auto root = ReadNode(Bytes()
                                   .Hex("000E 0000 0001 0017 03 00 0000 0000 0002 00")
                                   .Text("0000000700090008")
                                   .Zeros(5));
    ASSERT_EQ(root.NumLinks(), 1u);
    EXPECT_EQ(root.GetLink(1), 9);
    ASSERT_EQ(root.NumLinkData(), 2u);
    EXPECT_EQ(root.GetLinkData(1), 7);
    EXPECT_EQ(root.GetLinkData(2), 8);
}

TEST(CNodeRecordTest, ReadingARootTakesEveryField) {
    const auto root = ReadNode(Bytes()
                                   .Hex("000E 0000 0001 0017 6A 0F 0102 0304 0001")
                                   .Text("Biology")
                                   .Text("000200FF")
                                   .Text("Splash")
                                   .Text("About")
                                   .Text("BIO")
                                   .Text("pw")
                                   .Text("SN42"));
    EXPECT_EQ(root.RecordType(), 0);
    EXPECT_EQ(root.FlagHi(), 0x6A);
    EXPECT_EQ(root.FlagLo(), 0x0F);
    EXPECT_FALSE(root.Valid());
    EXPECT_TRUE(root.Expanded());
    EXPECT_EQ(root.FirstLeafKey(), 0x0102);
    EXPECT_EQ(root.TitleBitmapKey(), 0x0304);
    EXPECT_EQ(root.GetLink(1), 2);
    EXPECT_EQ(root.GetLinkData(1), 0xFF);
    EXPECT_EQ(root.Title() + "|" + root.SplashComments() + "|" + root.AboutComments() + "|" +
                  root.ProgramIconName() + "|" + root.Password() + "|" + root.SerialNumber(),
              "Biology|Splash|About|BIO|pw|SN42");
}

TEST(CNodeRecordTest, ARootOfAnUnknownVersionIsRefused) {
    for (const char* version : {"0018", "0014", "0000", "FFFF"}) {
        const auto bytes =
            Bytes().Hex("000E 0000 0001").Hex(version).Hex("03 00 0000 0000 0000").Zeros(7);
        CMemoryFile file(bytes.Data());
        CNode node;
        node.SetTitle("unchanged");
        const auto raised = RaisedBy([&] { node.ReadFromFile(file); });
        EXPECT_EQ(raised.number, kErrVersionNotSupported) << version;
        EXPECT_EQ(raised.source, "CNode:ReadFromFile");
        EXPECT_EQ(node.Title(), "unchanged");
    }
}

// Records that run out or lie about their contents: each must fail with an error, leave the
// node as it was and never read past the data.
struct HostileCase {
    const char* name;
    Bytes bytes;
    std::uint32_t error;
};

class CNodeHostileRecordTest : public testing::TestWithParam<HostileCase> {};

TEST_P(CNodeHostileRecordTest, FailsCleanly) {
    CMemoryFile file(GetParam().bytes.Data());
    CNode node;
    node.SetTitle("before");
    EXPECT_EQ(RaisedBy([&] { node.ReadFromFile(file); }).number, GetParam().error);
    EXPECT_EQ(node.Title(), "before");
    EXPECT_EQ(node.NumLinks(), 0u);
}

Bytes NodeHead(const char* count) {
    return Bytes().Hex("000A 0001 0005 0002 03 00").Hex(count);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CNodeHostileRecordTest,
    testing::Values(
        HostileCase{"LinkCountPastTheRecord", NodeHead("FFFF").Text("T").Text("0001"),
                    kErrInvalidValue},
        HostileCase{"LinkTextRunningToTheEndOfFile",
                    NodeHead("FFFF").Text("T").FixedText(std::string(300, '0'), 300),
                    kErrInputPastEnd},
        HostileCase{"LinkTextCutByTheEndOfFile", NodeHead("0002").Text("T").FixedText("0001000", 7),
                    kErrInputPastEnd},
        HostileCase{"LinkTextLongerThanItsCount", NodeHead("0000").Text("T").Text("0001"),
                    kErrInvalidValue},
        HostileCase{"NotHexadecimal", NodeHead("0001").Text("T").Text("00G1"), kErrInvalidValue},
        HostileCase{"SignedDigits", NodeHead("0001").Text("T").Text("+001"), kErrInvalidValue},
        HostileCase{"TitleWithoutTerminatorAtTheEnd", NodeHead("0000").FixedText("Title", 5),
                    kErrInputPastEnd},
        HostileCase{"TitleLongerThanItsField", NodeHead("0000").Text(std::string(40, 'x')).Zeros(1),
                    kErrDataTooLong},
        HostileCase{"EmptyFile", Bytes(), kErrInputPastEnd}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(CNodeHostileRecordTest, EveryTruncationOfARootFailsWithoutReadingPastTheData) {
    CNode root = NewRoot(1);
    root.SetTitle("Title");
    root.AddLink(2, 1);
    root.AddLink(3, 4);
    root.SetSplashComments("Splash");
    root.SetSerialNumber("SN");
    const auto whole = WrittenNode(root);
    for (std::size_t length = 0; length < whole.size(); ++length) {
        CMemoryFile file(std::vector<std::uint8_t>(whole.begin(), whole.begin() + length));
        CNode node;
        EXPECT_EQ(RaisedBy([&] { node.ReadFromFile(file); }).number, kErrInputPastEnd) << length;
        EXPECT_EQ(node.NumLinks(), 0u);
    }
}

// Write-then-read of generated nodes of every kind gives the same record.
struct NodeShape {
    const char* name;
    std::uint16_t recordType;
    bool endNode;
    int links;
    bool texts;
};

class CNodeRoundTripTest : public testing::TestWithParam<NodeShape> {};

CNode GeneratedNode(const NodeShape& shape) {
    CNode node;
    node.SetRecordType(shape.recordType);
    node.SetIsEndNode(shape.endNode);
    node.SetKey(0xBEEF);
    const bool root = shape.recordType == 0;
    root ? node.SetFirstLeafKey(0x1234) : node.SetParentKey(0x8001);
    node.SetTitleBitmapKey(root ? 0xFFFF : 0);
    node.SetFlagLo(root ? 0xA5 : 0);
    node.SetExpanded(shape.links % 2 == 0);
    node.SetValid(shape.links % 3 != 0);
    for (int i = 0; i < shape.links; ++i) {
        node.AddLink((i * 7919 + 1) % 65536, (i * 31) % 65536);
    }
    if (shape.texts) {
        node.SetTitle("Line one\r\nline two \xE9");
    }
    if (shape.texts && root) {
        node.SetSplashComments(std::string(200, 's') + "\r\n\r\nend");
        node.SetAboutComments("About \x80\xFE");
        node.SetProgramIconName("Icon");
        node.SetPassword("p4ssw0rd");
        node.SetSerialNumber(std::string(30, '9'));
    }
    return node;
}

// The byte layout is pinned down above, so a record that reads back and writes the same bytes
// again has kept every stored field; links and their data are checked on top because a node
// reads its keys back as data.
TEST_P(CNodeRoundTripTest, ReadsBackWhatWasWritten) {
    CNode node = GeneratedNode(GetParam());
    Bytes bytes;
    bytes.Raw(WrittenNode(node));
    CNode read = ReadNode(bytes);
    const bool root = node.RecordType() == 0;
    EXPECT_EQ(read.IsEndNode(), node.IsEndNode() && !root);
    EXPECT_EQ(read.Title(), node.Title());
    EXPECT_EQ(read.SplashComments(), node.SplashComments());
    ASSERT_EQ(read.NumLinks(), node.NumLinks());
    for (std::size_t i = 1; i <= node.NumLinks(); ++i) {
        ASSERT_EQ(read.GetLink(i), node.GetLink(i)) << i;
        ASSERT_EQ(read.GetLinkData(i), root ? node.GetLinkData(i) : node.GetLink(i));
    }
    EXPECT_EQ(WrittenNode(read), bytes.Data());
}

INSTANTIATE_TEST_SUITE_P(Shapes, CNodeRoundTripTest,
                         testing::Values(NodeShape{"EmptyRoot", 0, false, 0, false},
                                         NodeShape{"FullRoot", 0, false, 40, true},
                                         NodeShape{"Node", 1, false, 5, true},
                                         NodeShape{"EndNode", 1, true, 3000, true},
                                         NodeShape{"ChildlessEndNode", 1, true, 0, false}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace trovique
