#include "core/model/Node.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ModelFixtures.h"
#include "core/model/Node22.h"
#include "core/model/NodeLevel.h"

namespace trovique {
namespace {

using test::RaisedBy;

std::vector<std::uint8_t> WrittenNode(CNode node) {
    return test::Written([&](CBinaryFile& file) { node.WriteToFile(file); });
}

CNode FilledRoot() {
    CNode node;
    node.SetRecordType(0);
    node.SetKey(2);
    node.SetFirstLeafKey(4);
    node.SetTitleBitmapKey(5);
    node.SetFlagHi(0x48);
    node.SetFlagLo(0x0E);
    node.SetExpanded(false);
    node.SetTitle("Biology");
    node.SetProgramIconName("Bio");
    node.SetSplashComments("Welcome\r\nto biology");
    node.SetAboutComments("About");
    node.SetPassword("secret");
    node.SetSerialNumber("SN-1");
    node.AddLink(7, 1);
    node.AddLink(8, 2);
    return node;
}

TEST(CNodeTest, NewNodeHasTheDefaults) {
    const CNode node;
    EXPECT_EQ(node.RecordType(), 1);
    EXPECT_EQ(node.Version(), 23);
    EXPECT_EQ(node.FixedRegionSize() + node.Key() + node.FlagHi() + node.FlagLo(), 0);
    EXPECT_TRUE(node.Expanded() && node.Valid() && node.LimitLinks());
    EXPECT_FALSE(node.IsEndNode() || node.Unstructured());
    EXPECT_EQ(node.MaxLinks(), 256u);
}

// Every failing check raises its own number and source and leaves the record as it was, which
// the written record shows.
struct NodeError {
    const char* name;
    std::function<void(CNode&)> act;
    std::uint32_t number;
    const char* source;
};

class CNodeErrorTest : public testing::TestWithParam<NodeError> {};

TEST_P(CNodeErrorTest, RaisesAndKeepsTheRecord) {
    CNode node = FilledRoot();
    node.SetLimitLinks(false);
    const auto before = WrittenNode(node);
    const auto raised = RaisedBy([&] { GetParam().act(node); });
    EXPECT_EQ(raised.number, GetParam().number);
    EXPECT_EQ(raised.source, GetParam().source);
    EXPECT_EQ(WrittenNode(node), before);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, CNodeErrorTest,
    testing::Values(
        NodeError{"Title", [](CNode& n) { n.SetTitle(std::string(26, 'x')); }, kErrDataTooLong,
                  "CNode:Title"},
        NodeError{
            "TitleWithBreak",
            [](CNode& n) { n.SetTitle(std::string(12, 'a') + "\r\n" + std::string(12, 'b')); },
            kErrDataTooLong, "CNode:Title"},
        NodeError{"ProgramIconName", [](CNode& n) { n.SetProgramIconName("12345678901"); },
                  kErrDataTooLong, "CNode:ProgramIconName"},
        NodeError{"SplashComments", [](CNode& n) { n.SetSplashComments(std::string(251, 's')); },
                  kErrDataTooLong, "CNode:SplashComments"},
        NodeError{"AboutComments", [](CNode& n) { n.SetAboutComments(std::string(251, 'a')); },
                  kErrDataTooLong, "CNode:AboutComments"},
        NodeError{"Password", [](CNode& n) { n.SetPassword("123456789"); }, kErrDataTooLong,
                  "CNode:Password"},
        NodeError{"SerialNumber", [](CNode& n) { n.SetSerialNumber(std::string(31, '9')); },
                  kErrDataTooLong, "CNode:SerialNumber"},
        NodeError{"KeyAbove16Bits", [](CNode& n) { n.SetKey(65536); }, kErrInvalidValue,
                  "CUnsignedInt"},
        NodeError{"NegativeFirstLeafKey", [](CNode& n) { n.SetFirstLeafKey(-1); }, kErrInvalidValue,
                  "CUnsignedInt"},
        NodeError{"LinkKeyAbove16Bits", [](CNode& n) { n.AddLink(70000, 0); }, kErrInvalidValue,
                  "CUnsignedInt"},
        NodeError{"LinkZero", [](CNode& n) { n.GetLink(0); }, kErrValueOutOfRange, "CNode:GetLink"},
        NodeError{"LinkDataPastTheEnd", [](CNode& n) { n.GetLinkData(3); }, kErrValueOutOfRange,
                  "CNode:GetLinkData"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(CNodeTest, ANodeHoldsAsManyLinksAsItIsGivenWhileLimitLinksIsSet) {
    CNode node;
    for (int i = 1; i <= 300; ++i) {
        node.AddLink(i % 7, i);
    }
    EXPECT_EQ(node.NumLinks(), 300u);
    EXPECT_EQ(node.GetLink(7) * 1000 + node.GetLinkData(300), 300) << "order and duplicates kept";
    node.SetLimitLinks(false);
    const auto raised = RaisedBy([&] { node.AddLink(1, 1); });
    EXPECT_EQ(raised.number, kErrMaxLinksExceeded);
    EXPECT_EQ(raised.source, "CNode:AddLink");
    EXPECT_EQ(node.NumLinks() + node.NumLinkData(), 600u) << "nothing added";
    node.ClearLinks();
    EXPECT_EQ(node.NumLinks() + node.NumLinkData(), 0u);
}

TEST(CNodeTest, MaxLinksFollowsTheKindOfNode) {
    for (const auto& [type, endNode, maxLinks] :
         {std::tuple{1, true, 15500u}, std::tuple{1, false, 256u}, std::tuple{0, true, 256u}}) {
        CNode node;
        node.SetIsEndNode(endNode);
        node.SetRecordType(type);
        EXPECT_EQ(node.MaxLinks(), maxLinks) << type << " " << endNode;
    }
    CNode node;
    node.SetFixedRegionSize(14);
    EXPECT_FALSE(node.IsEndNode());
    node.SetFixedRegionSize(15);
    EXPECT_TRUE(node.IsEndNode()) << "a fixed region above 14 marks an end node";
    EXPECT_EQ(node.MaxLinks(), 15500u);
}

TEST(CNodeTest, CloneCopiesEveryFieldButPasswordVersionAndUnstructured) {
    CNode source = FilledRoot();
    source.SetVersion(22);
    source.SetUnstructured(true);
    source.SetLimitLinks(false);
    source.SetIsEndNode(true);
    source.SetFixedRegionSize(14);
    CNode target;
    target.AddLink(99, 99);
    source.Clone(target);
    EXPECT_EQ(target.Password(), "");
    EXPECT_EQ(target.Version(), 23);
    EXPECT_FALSE(target.Unstructured());
    EXPECT_FALSE(target.LimitLinks());
    EXPECT_TRUE(target.IsEndNode());
    EXPECT_EQ(target.FixedRegionSize(), 14);
    // Every stored field, links included, came across.
    target.SetPassword("secret");
    target.SetUnstructured(true);
    EXPECT_EQ(WrittenNode(target), WrittenNode(source));
    EXPECT_EQ(source.Clone()->Title(), "Biology");
}

TEST(CNodeTest, InitializePutsEveryFieldBack) {
    CNode node = FilledRoot();
    node.SetUnstructured(true);
    node.Initialize();
    EXPECT_EQ(WrittenNode(node), WrittenNode(CNode()));
    EXPECT_FALSE(node.Unstructured());
}

TEST(NodeLevelTest, NamesLevelsElevenToFifteenOnly) {
    const char* names[] = {
        "", "Slide Show", "Major Category", "Sub Category", "Major Topic", "Sub Topic", ""};
    for (int level = 10; level <= 16; ++level) {
        const std::string name = names[level - 10];
        EXPECT_EQ(NodeLevelName(level), name);
        EXPECT_EQ(NodeLevelNameInBrackets(level), name.empty() ? "" : "<" + name + ">");
    }
}

}  // namespace
}  // namespace trovique
