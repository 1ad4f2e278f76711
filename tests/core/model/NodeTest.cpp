#include "core/model/Node.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ModelFixtures.h"
#include "core/model/Node22.h"
#include "core/model/NodeLevel.h"

namespace trovique {
namespace {

using test::Raised;
using test::RaisedBy;

TEST(CNodeTest, NewNodeHasTheDefaults) {
    const CNode node;
    EXPECT_EQ(node.FixedRegionSize(), 0);
    EXPECT_EQ(node.RecordType(), 1);
    EXPECT_EQ(node.Key(), 0);
    EXPECT_EQ(node.ParentKey(), 0);
    EXPECT_EQ(node.FirstLeafKey(), 0);
    EXPECT_EQ(node.TitleBitmapKey(), 0);
    EXPECT_EQ(node.Version(), 23);
    EXPECT_EQ(node.FlagHi(), 0);
    EXPECT_EQ(node.FlagLo(), 0);
    EXPECT_FALSE(node.IsEndNode());
    EXPECT_TRUE(node.Expanded());
    EXPECT_TRUE(node.Valid());
    EXPECT_TRUE(node.LimitLinks());
    EXPECT_FALSE(node.Unstructured());
    EXPECT_EQ(node.MaxLinks(), 256u);
    EXPECT_EQ(node.NumLinks(), 0u);
    EXPECT_EQ(node.Title(), "");
    EXPECT_EQ(node.Password(), "");
}

// Every text of a node, in both node versions: the limit is accepted, one more is refused with
// the field's own source and the old text stays.
struct TextLimit {
    const char* name;
    std::size_t limit;
    const char* source;
    std::function<void(CNodeFields&, std::string)> set;
    std::function<std::string(const CNodeFields&)> get;
};

class NodeTextLimitTest : public testing::TestWithParam<TextLimit> {};

TEST_P(NodeTextLimitTest, LongerTextIsRefusedAndTheOldOneKept) {
    const TextLimit& field = GetParam();
    CNode node;
    CNode22 old;
    for (CNodeFields* record :
         {static_cast<CNodeFields*>(&node), static_cast<CNodeFields*>(&old)}) {
        const std::string full(field.limit, 'x');
        field.set(*record, full);
        EXPECT_EQ(field.get(*record), full);
        const Raised raised =
            RaisedBy([&] { field.set(*record, std::string(field.limit + 1, 'y')); });
        EXPECT_EQ(raised.number, kErrDataTooLong);
        EXPECT_EQ(raised.source, field.source);
        EXPECT_EQ(field.get(*record), full);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, NodeTextLimitTest,
    testing::Values(TextLimit{"Title", 25, "CNode:Title",
                              [](CNodeFields& n, std::string text) { n.SetTitle(text); },
                              [](const CNodeFields& n) { return n.Title(); }},
                    TextLimit{"ProgramIconName", 10, "CNode:ProgramIconName",
                              [](CNodeFields& n, std::string text) { n.SetProgramIconName(text); },
                              [](const CNodeFields& n) { return n.ProgramIconName(); }},
                    TextLimit{"SplashComments", 250, "CNode:SplashComments",
                              [](CNodeFields& n, std::string text) { n.SetSplashComments(text); },
                              [](const CNodeFields& n) { return n.SplashComments(); }},
                    TextLimit{"AboutComments", 250, "CNode:AboutComments",
                              [](CNodeFields& n, std::string text) { n.SetAboutComments(text); },
                              [](const CNodeFields& n) { return n.AboutComments(); }},
                    TextLimit{"Password", 8, "CNode:Password",
                              [](CNodeFields& n, std::string text) { n.SetPassword(text); },
                              [](const CNodeFields& n) { return n.Password(); }},
                    TextLimit{"SerialNumber", 30, "CNode:SerialNumber",
                              [](CNodeFields& n, std::string text) { n.SetSerialNumber(text); },
                              [](const CNodeFields& n) { return n.SerialNumber(); }}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(CNodeTest, TheTitleLimitCountsTheCarriageReturnsOfLineBreaks) {
    CNode node;
    EXPECT_EQ(RaisedBy([&] {
                  node.SetTitle(std::string(12, 'a') + "\r\n" + std::string(12, 'b'));
              }).number,
              kErrDataTooLong);
}

TEST(CNodeTest, SixteenBitFieldsRefuseValuesOutsideTheirRange) {
    const std::vector<std::pair<const char*, std::function<void(CNode&, std::int64_t)>>> setters = {
        {"Key", [](CNode& n, std::int64_t v) { n.SetKey(v); }},
        {"ParentKey", [](CNode& n, std::int64_t v) { n.SetParentKey(v); }},
        {"FirstLeafKey", [](CNode& n, std::int64_t v) { n.SetFirstLeafKey(v); }},
        {"TitleBitmapKey", [](CNode& n, std::int64_t v) { n.SetTitleBitmapKey(v); }},
        {"Version", [](CNode& n, std::int64_t v) { n.SetVersion(v); }},
        {"RecordType", [](CNode& n, std::int64_t v) { n.SetRecordType(v); }},
        {"FixedRegionSize", [](CNode& n, std::int64_t v) { n.SetFixedRegionSize(v); }},
    };
    for (const auto& [name, set] : setters) {
        SCOPED_TRACE(name);
        CNode node;
        set(node, 65535);
        for (const std::int64_t bad : {std::int64_t{65536}, std::int64_t{-1}}) {
            const Raised raised = RaisedBy([&] { set(node, bad); });
            EXPECT_EQ(raised.number, kErrInvalidValue);
            EXPECT_EQ(raised.source, "CUnsignedInt");
        }
    }
    CNode node;
    node.SetKey(7);
    EXPECT_NE(RaisedBy([&] { node.SetKey(70000); }).number, 0u);
    EXPECT_EQ(node.Key(), 7);
}

TEST(CNodeTest, MaxLinksFollowsTheKindOfNode) {
    struct Case {
        std::uint16_t recordType;
        bool endNode;
        std::size_t maxLinks;
    };
    for (const Case& c :
         {Case{1, true, 15500}, Case{1, false, 256}, Case{0, true, 256}, Case{0, false, 256}}) {
        CNode node;
        node.SetIsEndNode(c.endNode);
        node.SetRecordType(c.recordType);
        EXPECT_EQ(node.MaxLinks(), c.maxLinks) << c.recordType << " " << c.endNode;
    }
}

TEST(CNodeTest, AFixedRegionAboveFourteenMarksAnEndNode) {
    CNode node;
    node.SetFixedRegionSize(14);
    EXPECT_FALSE(node.IsEndNode());
    node.SetFixedRegionSize(15);
    EXPECT_TRUE(node.IsEndNode());
    EXPECT_EQ(node.MaxLinks(), 15500u);
    node.SetFixedRegionSize(10);
    EXPECT_TRUE(node.IsEndNode()) << "a smaller size does not clear the mark";
}

TEST(CNodeTest, LinksKeepOrderDuplicatesAndData) {
    CNode node;
    node.AddLink(9, 1);
    node.AddLink(4, 2);
    node.AddLink(9, 3);
    ASSERT_EQ(node.NumLinks(), 3u);
    EXPECT_EQ(node.GetLink(1), 9);
    EXPECT_EQ(node.GetLink(2), 4);
    EXPECT_EQ(node.GetLink(3), 9);
    EXPECT_EQ(node.GetLinkData(3), 3);
    for (const std::size_t bad : {std::size_t{0}, std::size_t{4}}) {
        EXPECT_EQ(RaisedBy([&] { node.GetLink(bad); }).source, "CNode:GetLink");
        EXPECT_EQ(RaisedBy([&] { node.GetLinkData(bad); }).number, kErrValueOutOfRange);
    }
    EXPECT_EQ(RaisedBy([&] { node.AddLink(70000, 0); }).number, kErrInvalidValue);
    EXPECT_EQ(node.NumLinks(), 3u);
    node.ClearLinks();
    EXPECT_EQ(node.NumLinks(), 0u);
    EXPECT_EQ(node.NumLinkData(), 0u);
}

TEST(CNodeTest, AddLinkEnforcesTheCapacityOnlyWhenLimitLinksIsCleared) {
    CNode open;
    for (int i = 1; i <= 300; ++i) {
        open.AddLink(i, i);
    }
    EXPECT_EQ(open.NumLinks(), 300u);

    CNode limited;
    limited.SetLimitLinks(false);
    for (int i = 1; i <= 256; ++i) {
        limited.AddLink(i, 0);
    }
    const Raised raised = RaisedBy([&] { limited.AddLink(257, 0); });
    EXPECT_EQ(raised.number, kErrMaxLinksExceeded);
    EXPECT_EQ(raised.source, "CNode:AddLink");
    EXPECT_EQ(limited.NumLinks(), 256u);
    EXPECT_EQ(limited.NumLinkData(), 256u);
}

CNode FullyFilledRoot() {
    CNode node;
    node.SetRecordType(0);
    node.SetFixedRegionSize(14);
    node.SetKey(2);
    node.SetParentKey(3);
    node.SetFirstLeafKey(4);
    node.SetTitleBitmapKey(5);
    node.SetVersion(22);
    node.SetFlagHi(0x48);
    node.SetFlagLo(0x0E);
    node.SetIsEndNode(true);
    node.SetExpanded(false);
    node.SetValid(false);
    node.SetLimitLinks(false);
    node.SetUnstructured(true);
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

TEST(CNodeTest, CloneCopiesEveryFieldButPasswordVersionAndUnstructured) {
    const CNode source = FullyFilledRoot();
    CNode target;
    target.SetPassword("mine");
    target.AddLink(99, 99);
    source.Clone(target);

    EXPECT_EQ(target.RecordType(), 0);
    EXPECT_EQ(target.FixedRegionSize(), 14);
    EXPECT_EQ(target.Key(), 2);
    EXPECT_EQ(target.ParentKey(), 3);
    EXPECT_EQ(target.FirstLeafKey(), 4);
    EXPECT_EQ(target.TitleBitmapKey(), 5);
    EXPECT_EQ(target.FlagHi(), 0x48);
    EXPECT_EQ(target.FlagLo(), 0x0E);
    EXPECT_TRUE(target.IsEndNode());
    EXPECT_FALSE(target.Expanded());
    EXPECT_FALSE(target.Valid());
    EXPECT_FALSE(target.LimitLinks());
    EXPECT_EQ(target.Title(), "Biology");
    EXPECT_EQ(target.ProgramIconName(), "Bio");
    EXPECT_EQ(target.SplashComments(), "Welcome\r\nto biology");
    EXPECT_EQ(target.AboutComments(), "About");
    EXPECT_EQ(target.SerialNumber(), "SN-1");
    ASSERT_EQ(target.NumLinks(), 2u) << "the target's own links are replaced";
    EXPECT_EQ(target.GetLink(1), 7);
    EXPECT_EQ(target.GetLinkData(2), 2);

    EXPECT_EQ(target.Password(), "mine");
    EXPECT_EQ(target.Version(), 23);
    EXPECT_FALSE(target.Unstructured());

    const auto fresh = source.Clone();
    EXPECT_EQ(fresh->Password(), "");
    EXPECT_EQ(fresh->Title(), "Biology");
}

TEST(CNodeTest, InitializePutsEveryFieldBack) {
    CNode node = FullyFilledRoot();
    node.Initialize();
    EXPECT_EQ(node.RecordType(), 1);
    EXPECT_EQ(node.Version(), 23);
    EXPECT_EQ(node.NumLinks(), 0u);
    EXPECT_EQ(node.Title(), "");
    EXPECT_EQ(node.Password(), "");
    EXPECT_TRUE(node.Valid());
    EXPECT_TRUE(node.LimitLinks());
    EXPECT_FALSE(node.Unstructured());
    EXPECT_FALSE(node.IsEndNode());
}

TEST(NodeLevelTest, NamesLevelsElevenToFifteenOnly) {
    struct Case {
        int level;
        const char* name;
        const char* bracketed;
    };
    for (const Case& c :
         {Case{11, "Slide Show", "<Slide Show>"}, Case{12, "Major Category", "<Major Category>"},
          Case{13, "Sub Category", "<Sub Category>"}, Case{14, "Major Topic", "<Major Topic>"},
          Case{15, "Sub Topic", "<Sub Topic>"}, Case{10, "", ""}, Case{16, "", ""},
          Case{0, "", ""}}) {
        EXPECT_EQ(NodeLevelName(c.level), c.name) << c.level;
        EXPECT_EQ(NodeLevelNameInBrackets(c.level), c.bracketed) << c.level;
    }
}

}  // namespace
}  // namespace trovique
