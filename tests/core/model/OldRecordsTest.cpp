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

Bytes SlotsOf(std::initializer_list<std::uint16_t> keys, std::size_t slots) {
    Bytes bytes;
    for (const std::uint16_t key : keys) {
        bytes.Word(key);
    }
    return bytes.Zeros(2 * (slots - keys.size()));
}

// A version-22 root: flag bytes, six key slots, the unused byte, then complemented texts.
Bytes Version22Root(std::initializer_list<std::uint16_t> slots = {2, 0, 4}) {
    return Bytes()
        .Word(18)
        .Word(0)
        .Word(1)
        .Word(22)
        .Byte(0x0B)
        .Byte(0x0C)
        .Word(0x10)
        .Word(3)
        .Raw(SlotsOf(slots, 6).Data())
        .Byte(0)
        .Text("Old show")
        .Text("Hello")
        .Text("About")
        .Text("OLD")
        .Text("pw")
        .Text("SN");
}

TEST(CNode22Test, AnEndNodeHasTwentySlotsAndOtherNodesSix) {
    struct Case {
        std::uint16_t storedType;
        std::size_t slots;
    };
    for (const Case& c : {Case{2, 20}, Case{1, 6}}) {
        Bytes stored = Bytes().Word(10).Word(c.storedType).Word(5).Word(1);
        stored.Raw(SlotsOf({7, 0, 9}, c.slots).Data()).Byte(0xEE).Text("Topic");
        CMemoryFile file(stored.Data());
        CNode22 node;
        node.SetVersion(22);
        node.ReadFromFile(file);
        EXPECT_EQ(file.Position(), stored.Size()) << "type " << c.storedType;
        EXPECT_EQ(node.RecordType(), 1);
        EXPECT_EQ(node.IsEndNode(), c.storedType == 2);
        EXPECT_EQ(node.NumSlots(), c.slots);
        ASSERT_EQ(node.NumLinks(), 2u) << "empty slots add no link";
        EXPECT_EQ(node.GetLink(1), 7);
        EXPECT_EQ(node.GetLink(2), 9);
        EXPECT_EQ(node.ParentKey(), 1);
        EXPECT_EQ(node.Title(), "Topic");
    }
}

TEST(CNode22Test, ReadsAVersion22Root) {
    const Bytes stored = Version22Root();
    CMemoryFile file(stored.Data());
    CNode22 root;
    root.ReadFromFile(file);
    EXPECT_EQ(file.Position(), stored.Size());
    EXPECT_EQ(root.Version(), 22);
    EXPECT_EQ(root.FlagHi(), 0x0B);
    EXPECT_EQ(root.FlagLo(), 0x0C);
    EXPECT_EQ(root.FirstLeafKey(), 0x10);
    EXPECT_EQ(root.TitleBitmapKey(), 3);
    EXPECT_EQ(root.NumLinks(), 2u);
    EXPECT_EQ(root.Title(), "Old show");
    EXPECT_EQ(root.Password(), "pw");
    EXPECT_EQ(root.SerialNumber(), "SN");
}

TEST(CNode22Test, AVersion21RootHasNoFlagBytesNoPasswordAndPlainTexts) {
    const Bytes stored = Bytes()
                             .Word(14)
                             .Word(0)
                             .Word(1)
                             .Word(21)
                             .Word(0x22)
                             .Word(0)
                             .Raw(SlotsOf({5}, 6).Data())
                             .Byte(0)
                             .PlainText("Plain")
                             .PlainText("Splash")
                             .PlainText("About")
                             .PlainText("Icon")
                             .PlainText("SN21");
    for (const bool throughCurrentReader : {false, true}) {
        SCOPED_TRACE(throughCurrentReader);
        CMemoryFile file(stored.Data());
        CNode node;
        if (throughCurrentReader) {
            node.ReadFromFile(file);
        } else {
            CNode22 old;
            old.ReadFromFile(file);
            node.Clone22(old);
            node.SetVersion(old.Version());
        }
        EXPECT_EQ(file.Position(), stored.Size());
        EXPECT_EQ(node.Version(), 21);
        EXPECT_EQ(node.FlagHi(), 0);
        EXPECT_EQ(node.FirstLeafKey(), 0x22);
        EXPECT_EQ(node.Title(), "Plain");
        EXPECT_EQ(node.SplashComments(), "Splash");
        EXPECT_EQ(node.ProgramIconName(), "Icon");
        EXPECT_EQ(node.Password(), "");
        EXPECT_EQ(node.SerialNumber(), "SN21");
        EXPECT_EQ(node.GetLink(1), 5);
    }
}

TEST(CNode22Test, TheCallersVersionDecidesWhetherANodesTitleIsPlain) {
    for (const std::uint16_t version : {std::uint16_t{21}, std::uint16_t{22}}) {
        Bytes stored = Bytes().Word(10).Word(1).Word(5).Word(1).Raw(SlotsOf({}, 6).Data()).Byte(0);
        version == 21 ? stored.PlainText("Topic") : stored.Text("Topic");
        CMemoryFile file(stored.Data());
        CNode22 node;
        node.SetVersion(version);
        node.ReadFromFile(file);
        EXPECT_EQ(node.Title(), "Topic") << version;
    }
}

TEST(CNode22Test, RefusesUnknownRootVersions) {
    for (const std::uint16_t version : {std::uint16_t{20}, std::uint16_t{24}}) {
        CMemoryFile file(Bytes().Word(14).Word(0).Word(1).Word(version).Zeros(40).Data());
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
    EXPECT_TRUE(node.IsEndNode());
    EXPECT_EQ(node.NumSlots(), 20u);
    for (int key = 9; key <= 30; ++key) {
        node.AddLink(key);
    }
    EXPECT_EQ(node.NumLinks(), 20u);
    EXPECT_EQ(node.GetLink(20), 22);
}

TEST(CNode22Test, WritesWhatItReadsWithTheLinksInTheFirstSlots) {
    CMemoryFile in(Version22Root().Data());
    CNode22 node;
    node.ReadFromFile(in);
    const auto written = test::Written([&](CBinaryFile& file) { node.WriteToFile(file); });
    EXPECT_EQ(written, Version22Root({2, 4}).Data());
}

TEST(CNodeClone22Test, TheCurrentReaderConvertsAVersion22RootAndSavesItAsVersion23) {
    CMemoryFile file(Version22Root().Data());
    CNode root;
    root.ReadFromFile(file);
    EXPECT_EQ(root.Version(), 22) << "the reader learns the file's version from the root";
    EXPECT_EQ(root.RecordType(), 0);
    EXPECT_EQ(root.FlagHi(), 0x0B);
    EXPECT_EQ(root.FlagLo(), 0x0C);
    EXPECT_EQ(root.TitleBitmapKey(), 3);
    EXPECT_EQ(root.Password(), "pw");
    ASSERT_EQ(root.NumLinks(), 2u);
    EXPECT_EQ(root.GetLinkData(1), 0);
    EXPECT_EQ(root.GetLinkData(2), 0);

    const auto saved = test::Written([&](CBinaryFile& out) { root.WriteToFile(out); });
    const auto expected = Bytes()
                              .Word(14)
                              .Word(0)
                              .Word(1)
                              .Word(23)
                              .Byte(0x0B)
                              .Byte(0x0C)
                              .Word(0x10)
                              .Word(3)
                              .Word(2)
                              .Text("Old show")
                              .Text("0002000000040000")
                              .Text("Hello")
                              .Text("About")
                              .Text("OLD")
                              .Text("pw")
                              .Text("SN");
    EXPECT_EQ(saved, expected.Data());
}

TEST(CNodeClone22Test, CopiesTheOldFieldsAndLeavesTheVersionAlone) {
    CNode22 old;
    old.SetRecordType(1);
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
    EXPECT_EQ(node.Key(), 4);
    EXPECT_EQ(node.ParentKey(), 2);
    EXPECT_TRUE(node.IsEndNode());
    EXPECT_FALSE(node.Expanded());
    EXPECT_FALSE(node.Valid());
    EXPECT_EQ(node.Title(), "Topic");
    ASSERT_EQ(node.NumLinks(), 1u);
    EXPECT_EQ(node.GetLink(1), 11);
    EXPECT_EQ(node.MaxLinks(), 15500u);
}

TEST(CLeaf22Test, ReadsQafAndFactRecordsWithThreeFlagBytes) {
    const Bytes qaf = Bytes()
                          .Word(16)
                          .Word(3)
                          .Word(7)
                          .Word(2)
                          .Word(1)
                          .Word(0)
                          .Word(8)
                          .Word(0)
                          .Byte(0xC1)  // valid, re-edit, copyable
                          .Byte(0x92)  // difficulty 4, highlight, password
                          .Byte(0x5A)
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
    EXPECT_EQ(leaf.Question(), "Question");
    EXPECT_EQ(leaf.GetAnswer(4), "A4");
    EXPECT_EQ(leaf.Fact(), "Fact");
    EXPECT_EQ(test::Written([&](CBinaryFile& out) { leaf.WriteToFile(out); }), qaf.Data());

    const Bytes fact =
        Bytes().Word(16).Word(5).Word(9).Zeros(10).Byte(0).Byte(0).Byte(0).Text("T").Text("F");
    CMemoryFile factFile(fact.Data());
    CLeaf22 factLeaf;
    factLeaf.ReadFromFile(factFile);
    EXPECT_EQ(factFile.Position(), fact.Size());
    EXPECT_TRUE(factLeaf.FACTOnly());
    EXPECT_FALSE(factLeaf.Valid());
    EXPECT_EQ(factLeaf.Fact(), "F");

    CLeaf current;
    current.Clone22(factLeaf);
    EXPECT_TRUE(current.FACTOnly());
    EXPECT_EQ(current.Key(), 9);
}

TEST(CLeaf22Test, RefusesBitmapRecordsAndShortFiles) {
    const Bytes bitmap = Bytes().Word(16).Word(4).Zeros(15).Text("T").Zeros(4);
    CMemoryFile file(bitmap.Data());
    CLeaf22 leaf;
    EXPECT_EQ(RaisedBy([&] { leaf.ReadFromFile(file); }).number, kErrInvalidValue);
    CMemoryFile shortFile(Bytes().Word(16).Word(3).Word(1).Data());
    EXPECT_EQ(RaisedBy([&] { leaf.ReadFromFile(shortFile); }).number, kErrInputPastEnd);
    EXPECT_EQ(leaf.Key(), 0);
}

}  // namespace
}  // namespace trovique
