#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModelFixtures.h"
#include "core/common/MemoryFile.h"
#include "core/model/Leaf.h"
#include "core/model/Leaf22.h"
#include "core/model/Node.h"
#include "core/model/Node22.h"

namespace trovique {
namespace {

using test::Bytes;
using test::RaisedBy;

// A version-22 root: fixed region, type, key, version, FlagHi, FlagLo, first leaf, title
// bitmap, six key slots, the unused byte, then complemented texts.
Bytes Version22Root(const char* slots = "0002 0000 0004 0000 0000 0000") {
    return Bytes()
        .Hex("0012 0000 0001 0016 0B 0C 0010 0003")
        .Hex(slots)
        .Hex("00")
        .Text("Old show")
        .Text("Hello")
        .Text("About")
        .Text("OLD")
        .Text("pw")
        .Text("SN");
}

template <class Record>
Record Read(const Bytes& bytes, std::uint16_t version = 22) {
    CMemoryFile file(bytes.Data());
    Record record;
    record.SetVersion(version);
    record.ReadFromFile(file);
    EXPECT_EQ(file.Position(), bytes.Size()) << "the whole record is consumed";
    return record;
}

TEST(CNode22Test, AnEndNodeHasTwentySlotsAndOtherNodesSix) {
    for (const auto& [type, slots] : {std::pair{"0002", 20}, std::pair{"0001", 6}}) {
        Bytes stored = Bytes().Hex("000A").Hex(type).Hex("0005 0001 0007 0000 0009");
        stored.Zeros(2 * (slots - 3)).Hex("EE").Text("Topic");
        const auto node = Read<CNode22>(stored);
        EXPECT_EQ(node.RecordType(), 1);
        EXPECT_EQ(node.IsEndNode(), slots == 20);
        ASSERT_EQ(node.NumLinks(), 2u) << "empty slots add no link";
        EXPECT_EQ(node.GetLink(2), 9);
        EXPECT_EQ(node.ParentKey(), 1);
        EXPECT_EQ(node.Title(), "Topic");
    }
}

TEST(CNode22Test, AVersion21RootHasNoFlagBytesNoPasswordAndPlainTexts) {
    const Bytes stored = Bytes()
                             .Hex("000E 0000 0001 0015 0022 0000 0005")
                             .Zeros(10)
                             .Hex("00")
                             .PlainText("Plain")
                             .PlainText("Splash")
                             .PlainText("About")
                             .PlainText("Icon")
                             .PlainText("SN21");
    for (const CNode& node : {Read<CNode>(stored), [&] {
                                  CNode converted;
                                  converted.Clone22(Read<CNode22>(stored));
                                  return converted;
                              }()}) {
        EXPECT_EQ(node.FlagHi(), 0);
        EXPECT_EQ(node.FirstLeafKey(), 0x22);
        EXPECT_EQ(node.Title() + "|" + node.SplashComments() + "|" + node.AboutComments() + "|" +
                      node.ProgramIconName() + "|" + node.Password() + "|" + node.SerialNumber(),
                  "Plain|Splash|About|Icon||SN21");
        EXPECT_EQ(node.GetLink(1), 5);
    }
    EXPECT_EQ(Read<CNode>(stored).Version(), 21) << "the reader learns the file's version";
}

TEST(CNode22Test, TheCallersVersionDecidesWhetherANodesTitleIsPlain) {
    const Bytes head = Bytes().Hex("000A 0001 0005 0001").Zeros(13);
    EXPECT_EQ(Read<CNode22>(Bytes(head).PlainText("Topic"), 21).Title(), "Topic");
    EXPECT_EQ(Read<CNode22>(Bytes(head).Text("Topic"), 22).Title(), "Topic");
}

TEST(CNode22Test, RefusesUnknownRootVersions) {
    for (const char* version : {"0014", "0018"}) {
        CMemoryFile file(Bytes().Hex("000E 0000 0001").Hex(version).Zeros(40).Data());
        CNode22 root;
        const auto raised = RaisedBy([&] { root.ReadFromFile(file); });
        EXPECT_EQ(raised.number, kErrVersionNotSupported);
        EXPECT_EQ(raised.source, "CNode:ReadFromFile");
    }
}

TEST(CNode22Test, SlotsLimitTheLinksAndFollowTheKind) {
    CNode22 node;
    for (int key = 1; key <= 8; ++key) {
        node.AddLink(key);
    }
    EXPECT_EQ(node.NumLinks(), 6u);
    node.SetFixedRegionSize(25);
    EXPECT_FALSE(node.IsEndNode());
    node.SetFixedRegionSize(26);
    EXPECT_TRUE(node.IsEndNode()) << "above 25 in the old layout";
    for (int key = 9; key <= 30; ++key) {
        node.AddLink(key);
    }
    EXPECT_EQ(node.NumLinks(), 20u);
    EXPECT_EQ(node.GetLink(20), 22);
}

TEST(CNode22Test, WritesWhatItReadsWithTheLinksInTheFirstSlots) {
    CNode22 node = Read<CNode22>(Version22Root());
    EXPECT_EQ(test::Written([&](CBinaryFile& file) { node.WriteToFile(file); }),
              Version22Root("0002 0004 0000 0000 0000 0000").Data());
}

TEST(CNodeClone22Test, TheCurrentReaderConvertsAVersion22RootAndSavesItAsVersion23) {
    CNode root = Read<CNode>(Version22Root());
    EXPECT_EQ(root.Version(), 22) << "the reader learns the file's version from the root";
    EXPECT_EQ(root.TitleBitmapKey(), 3);
    EXPECT_EQ(root.Password(), "pw");
    ASSERT_EQ(root.NumLinks(), 2u);
    EXPECT_EQ(root.GetLinkData(1) + root.GetLinkData(2), 0);

    const auto expected = Bytes()
                              .Hex("000E 0000 0001 0017 0B 0C 0010 0003 0002")
                              .Text("Old show")
                              .Text("0002000000040000")
                              .Text("Hello")
                              .Text("About")
                              .Text("OLD")
                              .Text("pw")
                              .Text("SN");
    EXPECT_EQ(test::Written([&](CBinaryFile& out) { root.WriteToFile(out); }), expected.Data());
}

TEST(CNodeClone22Test, CopiesTheOldFieldsAndLeavesTheVersionAlone) {
    CNode22 old;
    old.SetIsEndNode(true);
    old.SetKey(4);
    old.SetParentKey(2);
    old.SetVersion(21);
    old.SetExpanded(false);
    old.SetValid(false);
    old.SetTitle("Topic");
    old.AddLink(11);
    CNode node;
    node.AddLink(99, 1);
    node.Clone22(old);
    EXPECT_EQ(node.Version(), 23);
    EXPECT_EQ(node.Key() * 10 + node.ParentKey(), 42);
    EXPECT_TRUE(node.IsEndNode());
    EXPECT_FALSE(node.Expanded() || node.Valid());
    EXPECT_EQ(node.Title(), "Topic");
    ASSERT_EQ(node.NumLinks(), 1u);
    EXPECT_EQ(node.GetLink(1), 11);
}

// Fixed region, type, key, parent, page, see-also 1 to 3, then three flag bytes: valid,
// re-edit and copyable in the first; difficulty, highlight and password in the second.
TEST(CLeaf22Test, ReadsQafAndFactRecordsWithThreeFlagBytes) {
    const Bytes qaf = Bytes()
                          .Hex("0010 0003 0007 0002 0001 0000 0008 0000 C1 92 5A")
                          .Text("Title")
                          .Text("Question")
                          .Text("A1")
                          .Text("A2")
                          .Text("A3")
                          .Text("A4")
                          .Text("Fact");
    CMemoryFile file(qaf.Data());
    CLeaf22 leaf;
    leaf.ReadFromFile(file);
    EXPECT_EQ(file.Position(), qaf.Size());
    EXPECT_FALSE(leaf.FACTOnly());
    EXPECT_EQ(leaf.Key(), 7);
    EXPECT_EQ(leaf.SeeAlso(2), 8);
    EXPECT_TRUE(leaf.Valid() && leaf.ReEdit() && leaf.Copyable());
    EXPECT_TRUE(leaf.Highlight() && leaf.PasswordProtect());
    EXPECT_EQ(leaf.Difficulty(), 4);
    EXPECT_EQ(leaf.FlagC(), 0x5A);
    EXPECT_EQ(leaf.Question() + leaf.GetAnswer(4) + leaf.Fact(), "QuestionA4Fact");
    EXPECT_EQ(test::Written([&](CBinaryFile& out) { leaf.WriteToFile(out); }), qaf.Data());

    const Bytes fact = Bytes().Hex("0010 0005 0009").Zeros(10).Hex("00 00 00").Text("T").Text("F");
    CMemoryFile factFile(fact.Data());
    CLeaf22 factLeaf;
    factLeaf.ReadFromFile(factFile);
    EXPECT_EQ(factFile.Position(), fact.Size());
    EXPECT_TRUE(factLeaf.FACTOnly());
    EXPECT_FALSE(factLeaf.Valid());
    EXPECT_EQ(factLeaf.Fact(), "F");
}

TEST(CLeaf22Test, RefusesBitmapRecordsAndShortFiles) {
    CMemoryFile bitmap(Bytes().Hex("0010 0004").Zeros(15).Text("T").Zeros(4).Data());
    CLeaf22 leaf;
    EXPECT_EQ(RaisedBy([&] { leaf.ReadFromFile(bitmap); }).number, kErrInvalidValue);
    CMemoryFile shortFile(Bytes().Hex("0010 0003 0001").Data());
    EXPECT_EQ(RaisedBy([&] { leaf.ReadFromFile(shortFile); }).number, kErrInputPastEnd);
    EXPECT_EQ(leaf.Key(), 0);
}

}  // namespace
}  // namespace trovique
