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

CNode ReadNode(const std::vector<std::uint8_t>& bytes) {
    CMemoryFile file(bytes);
    CNode node;
    node.ReadFromFile(file);
    EXPECT_EQ(file.Position(), bytes.size()) << "the whole record is consumed";
    return node;
}

CNode NewRoot(std::uint16_t key) {
    CNode root;
    root.SetRecordType(0);
    root.SetKey(key);
    return root;
}

TEST(CNodeRecordTest, ANewRootAloneIsTwentyThreeBytes) {
    CNode root = NewRoot(2);
    root.SetFlagLo(0x06);
    const auto expected = Bytes()
                              .Word(14)  // fixed region
                              .Word(0)   // root
                              .Word(2)   // key
                              .Word(23)  // version
                              .Byte(0x03)
                              .Byte(0x06)
                              .Word(0)    // first leaf
                              .Word(0)    // title bitmap
                              .Word(0)    // link count
                              .Zeros(7);  // title, links, splash, about, icon, password, serial
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
        Bytes().Word(10).Word(1).Word(5).Word(2).Byte(0x03).Byte(0x00).Word(2).Text("Cells").Text(
            "0001001A");
    EXPECT_EQ(WrittenNode(node), expected.Data());
}

TEST(CNodeRecordTest, TheRootWritesEachChildWithItsDataValue) {
    CNode root = NewRoot(1);
    root.AddLink(1, 5);
    root.AddLink(0x1A, 6);
    root.SetValid(false);
    root.SetFlagHi(0xF8);
    const auto expected = Bytes()
                              .Word(14)
                              .Word(0)
                              .Word(1)
                              .Word(23)
                              .Byte(0xFA)  // other bits kept, valid cleared, expanded set
                              .Byte(0)
                              .Word(0)
                              .Word(0)
                              .Word(2)
                              .Zeros(1)
                              .Text("00010005001A0006")
                              .Zeros(5);
    EXPECT_EQ(WrittenNode(root), expected.Data());
}

TEST(CNodeRecordTest, AnUnstructuredRootStoresNoLinks) {
    CNode root = NewRoot(1);
    root.AddLink(3, 1);
    root.SetUnstructured(true);
    const auto expected =
        Bytes().Word(14).Word(0).Word(1).Word(23).Byte(3).Byte(0).Word(0).Word(0).Word(0).Zeros(7);
    EXPECT_EQ(WrittenNode(root), expected.Data());
}

TEST(CNodeRecordTest, AnEndNodeIsStoredAsTypeTwoAndReadBackAsTypeOne) {
    const auto stored = Bytes()
                            .Word(10)
                            .Word(2)
                            .Word(5)
                            .Word(2)
                            .Byte(0x01)  // valid, collapsed
                            .Byte(0)
                            .Word(1)
                            .Text("Leaves")
                            .Text("0009");
    CNode node = ReadNode(stored.Data());
    EXPECT_EQ(node.RecordType(), 1);
    EXPECT_TRUE(node.IsEndNode());
    EXPECT_EQ(node.MaxLinks(), 15500u);
    EXPECT_TRUE(node.Valid());
    EXPECT_FALSE(node.Expanded());
    EXPECT_EQ(node.ParentKey(), 2);
    EXPECT_EQ(WrittenNode(node), stored.Data());
}

TEST(CNodeRecordTest, AnEmptyLinkIsSkippedButItsDataKept) {
    const auto node = ReadNode(Bytes()
                                   .Word(10)
                                   .Word(1)
                                   .Word(5)
                                   .Word(2)
                                   .Byte(3)
                                   .Byte(0)
                                   .Word(3)
                                   .Text("T")
                                   .Text("000100000003")
                                   .Data());
    ASSERT_EQ(node.NumLinks(), 2u);
    EXPECT_EQ(node.GetLink(1), 1);
    EXPECT_EQ(node.GetLink(2), 3);
    ASSERT_EQ(node.NumLinkData(), 3u);
    EXPECT_EQ(node.GetLinkData(2), 0);
    EXPECT_EQ(node.GetLinkData(3), 3);

    const auto root = ReadNode(Bytes()
                                   .Word(14)
                                   .Word(0)
                                   .Word(1)
                                   .Word(23)
                                   .Byte(3)
                                   .Byte(0)
                                   .Word(0)
                                   .Word(0)
                                   .Word(2)
                                   .Zeros(1)
                                   .Text("0000000700090008")
                                   .Zeros(5)
                                   .Data());
    ASSERT_EQ(root.NumLinks(), 1u);
    EXPECT_EQ(root.GetLink(1), 9);
    ASSERT_EQ(root.NumLinkData(), 2u);
    EXPECT_EQ(root.GetLinkData(1), 7);
    EXPECT_EQ(root.GetLinkData(2), 8);
}

TEST(CNodeRecordTest, ReadingARootTakesEveryField) {
    const auto root = ReadNode(Bytes()
                                   .Word(14)
                                   .Word(0)
                                   .Word(1)
                                   .Word(23)
                                   .Byte(0x6A)  // expanded, not valid
                                   .Byte(0x0F)
                                   .Word(0x0102)
                                   .Word(0x0304)
                                   .Word(1)
                                   .Text("Biology")
                                   .Text("000200FF")
                                   .Text("Splash")
                                   .Text("About")
                                   .Text("BIO")
                                   .Text("pw")
                                   .Text("SN42")
                                   .Data());
    EXPECT_EQ(root.RecordType(), 0);
    EXPECT_EQ(root.Version(), 23);
    EXPECT_EQ(root.FlagHi(), 0x6A);
    EXPECT_EQ(root.FlagLo(), 0x0F);
    EXPECT_FALSE(root.Valid());
    EXPECT_TRUE(root.Expanded());
    EXPECT_EQ(root.FirstLeafKey(), 0x0102);
    EXPECT_EQ(root.TitleBitmapKey(), 0x0304);
    EXPECT_EQ(root.Title(), "Biology");
    EXPECT_EQ(root.GetLink(1), 2);
    EXPECT_EQ(root.GetLinkData(1), 0xFF);
    EXPECT_EQ(root.SplashComments(), "Splash");
    EXPECT_EQ(root.AboutComments(), "About");
    EXPECT_EQ(root.ProgramIconName(), "BIO");
    EXPECT_EQ(root.Password(), "pw");
    EXPECT_EQ(root.SerialNumber(), "SN42");
}

TEST(CNodeRecordTest, ARootOfAnUnknownVersionIsRefused) {
    for (const int version : {24, 20, 0, 0xFFFF}) {
        const auto bytes = Bytes()
                               .Word(14)
                               .Word(0)
                               .Word(1)
                               .Word(static_cast<std::uint16_t>(version))
                               .Byte(3)
                               .Byte(0)
                               .Word(0)
                               .Word(0)
                               .Word(0)
                               .Zeros(7);
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
    std::vector<std::uint8_t> bytes;
    std::uint32_t error;
};

class CNodeHostileRecordTest : public testing::TestWithParam<HostileCase> {};

TEST_P(CNodeHostileRecordTest, FailsCleanly) {
    const HostileCase& c = GetParam();
    CMemoryFile file(c.bytes);
    CNode node;
    node.SetTitle("before");
    EXPECT_EQ(RaisedBy([&] { node.ReadFromFile(file); }).number, c.error);
    EXPECT_EQ(node.Title(), "before");
    EXPECT_EQ(node.NumLinks(), 0u);
}

Bytes NodeHead(std::uint16_t count) {
    return Bytes().Word(10).Word(1).Word(5).Word(2).Byte(3).Byte(0).Word(count);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CNodeHostileRecordTest,
    testing::Values(
        HostileCase{"LinkCountPastTheRecord", NodeHead(0xFFFF).Text("T").Text("0001").Data(),
                    kErrInvalidValue},
        HostileCase{"LinkTextRunningToTheEndOfFile",
                    NodeHead(0xFFFF).Text("T").FixedText(std::string(300, '0'), 300).Data(),
                    kErrInputPastEnd},
        HostileCase{"LinkTextCutByTheEndOfFile",
                    NodeHead(2).Text("T").FixedText("0001000", 7).Data(), kErrInputPastEnd},
        HostileCase{"LinkTextLongerThanItsCount", NodeHead(0).Text("T").Text("0001").Data(),
                    kErrInvalidValue},
        HostileCase{"NotHexadecimal", NodeHead(1).Text("T").Text("00G1").Data(), kErrInvalidValue},
        HostileCase{"SignedDigits", NodeHead(1).Text("T").Text("+001").Data(), kErrInvalidValue},
        HostileCase{"TitleWithoutTerminatorAtTheEnd", NodeHead(0).FixedText("Title", 5).Data(),
                    kErrInputPastEnd},
        HostileCase{"TitleLongerThanItsField",
                    NodeHead(0).Text(std::string(40, 'x')).Zeros(1).Data(), kErrDataTooLong},
        HostileCase{"EmptyFile", {}, kErrInputPastEnd}),
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
        EXPECT_EQ(RaisedBy([&] { node.ReadFromFile(file); }).number, kErrInputPastEnd)
            << "length " << length;
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

TEST_P(CNodeRoundTripTest, ReadsBackWhatWasWritten) {
    const NodeShape& shape = GetParam();
    CNode node;
    node.SetRecordType(shape.recordType);
    node.SetIsEndNode(shape.endNode);
    node.SetKey(0xBEEF);
    if (shape.recordType == 0) {
        node.SetFirstLeafKey(0x1234);
        node.SetTitleBitmapKey(0xFFFF);
        node.SetFlagLo(0xA5);
    } else {
        node.SetParentKey(0x8001);
    }
    node.SetExpanded(shape.links % 2 == 0);
    node.SetValid(shape.links % 3 != 0);
    for (int i = 0; i < shape.links; ++i) {
        node.AddLink((i * 7919 + 1) % 65536, (i * 31) % 65536);
    }
    if (shape.texts) {
        node.SetTitle("Line one\r\nline two \xE9");
        if (shape.recordType == 0) {
            node.SetSplashComments(std::string(200, 's') + "\r\n\r\nend");
            node.SetAboutComments("About \x80\xFE");
            node.SetProgramIconName("Icon");
            node.SetPassword("p4ssw0rd");
            node.SetSerialNumber(std::string(30, '9'));
        }
    }
    CNode written = node;
    const auto bytes = WrittenNode(written);
    const CNode read = ReadNode(bytes);

    EXPECT_EQ(read.RecordType(), node.RecordType());
    EXPECT_EQ(read.IsEndNode(), node.IsEndNode() && node.RecordType() != 0);
    EXPECT_EQ(read.Key(), node.Key());
    EXPECT_EQ(read.ParentKey(), node.RecordType() == 0 ? 0 : node.ParentKey());
    EXPECT_EQ(read.FirstLeafKey(), node.FirstLeafKey());
    EXPECT_EQ(read.TitleBitmapKey(), node.TitleBitmapKey());
    EXPECT_EQ(read.FlagHi(), written.FlagHi());
    EXPECT_EQ(read.FlagLo(), node.FlagLo());
    EXPECT_EQ(read.Expanded(), node.Expanded());
    EXPECT_EQ(read.Valid(), node.Valid());
    EXPECT_EQ(read.Title(), node.Title());
    EXPECT_EQ(read.SplashComments(), node.SplashComments());
    EXPECT_EQ(read.AboutComments(), node.AboutComments());
    EXPECT_EQ(read.ProgramIconName(), node.ProgramIconName());
    EXPECT_EQ(read.Password(), node.Password());
    EXPECT_EQ(read.SerialNumber(), node.SerialNumber());
    ASSERT_EQ(read.NumLinks(), node.NumLinks());
    for (std::size_t i = 1; i <= node.NumLinks(); ++i) {
        ASSERT_EQ(read.GetLink(i), node.GetLink(i)) << i;
        // Only the root stores data values; other nodes read their keys back as data.
        ASSERT_EQ(read.GetLinkData(i),
                  node.RecordType() == 0 ? node.GetLinkData(i) : node.GetLink(i));
    }
    EXPECT_EQ(WrittenNode(written), bytes) << "writing is repeatable";
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
