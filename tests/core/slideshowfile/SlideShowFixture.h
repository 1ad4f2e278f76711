#pragma once

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "core/editor/Document.h"
#include "core/slideshowfile/SlideShowReader.h"
#include "core/slideshowfile/SlideShowWriter.h"
#include "support/DocumentFixture.h"
#include "support/SlideShowFiles.h"
#include "support/TestPaths.h"

namespace trovique::test {

enum class LeafKind { QAF, FACT, BITMAP };

inline const char* KindName(LeafKind kind) {
    switch (kind) {
        case LeafKind::QAF:
            return "QAF";
        case LeafKind::FACT:
            return "FACT";
        default:
            return "BITMAP";
    }
}

// A document fixture whose temporary folder is a scratch folder of its own, so that a test can
// see every temporary file the program leaves behind.
class SlideShowTest : public testing::Test, public DocumentFixture {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("TMPDIR")) {
            oldTmpDir_ = old;
        }
        std::filesystem::create_directories(TempDir());
        ::setenv("TMPDIR", TempDir().c_str(), 1);
    }
    void TearDown() override {
        if (oldTmpDir_) {
            ::setenv("TMPDIR", oldTmpDir_->c_str(), 1);
        } else {
            ::unsetenv("TMPDIR");
        }
    }

    std::filesystem::path TempDir() const { return scratch_ / "tmp"; }
    std::filesystem::path PathOf(const std::string& name) const { return scratch_ / name; }
    std::size_t TemporaryFilesLeft() const {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& file : std::filesystem::directory_iterator(TempDir())) {
            ++count;
        }
        return count;
    }

    int Root(const CDocument& doc) const { return doc.Tree().GetNodeInfoIndexOfRoot(); }
    int AddNodeUnder(CDocument& doc, int parent) {
        return doc.AddGenNode(ElementKind::Node, {}, nullptr, parent, Relationship::Child,
                              AddOptions::None);
    }
    // A leaf of the kind, with every text and switch filled so that a lost field shows.
    int AddLeafUnder(CDocument& doc, int parent, LeafKind kind, const std::string& title) {
        const int index = doc.AddGenNode(ElementKind::Leaf, title, nullptr, parent,
                                         Relationship::Child, AddOptions::None);
        CLeaf& leaf = *doc.Tree().Entry(index).Leaf;
        leaf.SetFACTOnly(kind == LeafKind::FACT);
        leaf.SetBITMAPOnly(kind == LeafKind::BITMAP);
        leaf.SetFact("The fact of " + title + "\r\nsecond line");
        leaf.SetHighlight(true);
        leaf.SetReEdit(index % 2 == 0);
        leaf.SetCopyable(true);
        leaf.SetDifficulty(kind == LeafKind::QAF ? 4 : 3);
        if (kind == LeafKind::QAF) {
            leaf.SetQuestion("What about " + title + "?");
            for (int answer = 1; answer <= 4; ++answer) {
                leaf.SetAnswer(answer, "Answer " + std::to_string(answer));
            }
        }
        if (kind == LeafKind::BITMAP) {
            auto colour = SlidePicture(160, 120, index);
            leaf.SetColorBitmap(colour);
            leaf.SetMonochromeBitmap(MonochromeOf(*colour));
        }
        return index;
    }

    // Root, two categories, a sub category, and one leaf of each kind, with a second pair of
    // pictures and an aux text on the BITMAP leaf.
    std::unique_ptr<CDocument> SampleShow() {
        auto doc = NewDocument();
        const int root = Root(*doc);
        doc->Tree().Entry(root).SetTitle("Sample Show");
        doc->Tree().Entry(root).Node->SetSplashComments("Welcome\r\nto the show");
        doc->Tree().Entry(root).Node->SetAboutComments("Made by tests");
        doc->Properties().SetSwitch(2, true);
        const int animals = AddNodeUnder(*doc, root);
        doc->Tree().Entry(animals).SetTitle("Animals");
        AddLeafUnder(*doc, animals, LeafKind::QAF, "Cats");
        const int slide = AddLeafUnder(*doc, animals, LeafKind::BITMAP, "Dogs");
        CLeaf& dogs = *doc->Tree().Entry(slide).Leaf;
        auto second = SlidePicture(320, 240, 99);
        dogs.SetAuxColorBitmap(second);
        dogs.SetAuxMonochromeBitmap(GreyOf(*second));
        dogs.SetAuxText("Notes on dogs");
        const int plants = AddNodeUnder(*doc, root);
        doc->Tree().Entry(plants).SetTitle("Plants");
        const int trees = AddNodeUnder(*doc, plants);
        doc->Tree().Entry(trees).SetTitle("Trees");
        doc->Tree().SetExpanded(plants, true);
        AddLeafUnder(*doc, trees, LeafKind::FACT, "Oaks");
        return doc;
    }

    std::unique_ptr<CDocument> ReadBack(const std::filesystem::path& path, bool expected = true) {
        auto doc = NewDocument();
        EXPECT_EQ(Read(*doc, path, false), expected) << testing::PrintToString(Ui().MessageTexts());
        return doc;
    }

    std::unique_ptr<CDocument> ReadBytes(const ByteVector& bytes, bool expected) {
        const auto path = PathOf("input.pdb");
        WriteAllBytes(path, std::vector<unsigned char>(bytes.begin(), bytes.end()));
        return ReadBack(path, expected);
    }

    std::vector<unsigned char> SavedBytes(CDocument& doc, const std::string& name,
                                          bool exportSwitch = false) {
        const auto path = PathOf(name);
        EXPECT_TRUE(SaveIt(doc, path, exportSwitch)) << testing::PrintToString(Ui().MessageTexts());
        return ReadAllBytes(path);
    }

    ScratchDir scratch_;

private:
    std::optional<std::string> oldTmpDir_;
};

// A splash picture as the root pane holds it: the picture and its Palm bitmap.
inline void SetSplash(CDocument::SplashPicture& splash, std::shared_ptr<CBitmap> bitmap) {
    splash.palm = std::make_shared<CPalmBitmap>();
    splash.palm->ReadFromCBitmap(*bitmap);
    splash.bitmap = std::move(bitmap);
}

inline void ExpectSamePicture(const std::shared_ptr<CBitmap>& expected,
                              const std::shared_ptr<CBitmap>& actual, const char* which) {
    ASSERT_EQ(expected == nullptr, actual == nullptr) << which;
    if (expected) {
        EXPECT_EQ(PalmBytesOf(*expected), PalmBytesOf(*actual)) << which;
    }
}

inline void ExpectSameLeaf(const CLeaf& expected, const CLeaf& actual) {
    EXPECT_EQ(expected.FACTOnly(), actual.FACTOnly());
    EXPECT_EQ(expected.BITMAPOnly(), actual.BITMAPOnly());
    EXPECT_EQ(expected.Question(), actual.Question());
    for (int answer = 1; answer <= 4; ++answer) {
        EXPECT_EQ(expected.GetAnswer(answer), actual.GetAnswer(answer));
    }
    EXPECT_EQ(expected.Fact(), actual.Fact());
    EXPECT_EQ(expected.AuxText(), actual.AuxText());
    EXPECT_EQ(expected.Difficulty(), actual.Difficulty());
    EXPECT_EQ(expected.Copyable(), actual.Copyable());
    EXPECT_EQ(expected.Highlight(), actual.Highlight());
    EXPECT_EQ(expected.PasswordProtect(), actual.PasswordProtect());
    EXPECT_EQ(expected.ReEdit(), actual.ReEdit());
    EXPECT_EQ(expected.Valid(), actual.Valid());
    EXPECT_EQ(expected.LPI(), actual.LPI());
    ExpectSamePicture(expected.ColorBitmap(), actual.ColorBitmap(), "colour");
    ExpectSamePicture(expected.MonochromeBitmap(), actual.MonochromeBitmap(), "monochrome");
    ExpectSamePicture(expected.AuxColorBitmap(), actual.AuxColorBitmap(), "second colour");
    ExpectSamePicture(expected.AuxMonochromeBitmap(), actual.AuxMonochromeBitmap(),
                      "second monochrome");
}

// The two documents hold the same tree: shape, kinds, titles, texts, switches and pictures.
inline void ExpectSameDocument(const CDocument& expected, const CDocument& actual) {
    const auto want = expected.Tree().Preorder(expected.Tree().GetNodeInfoIndexOfRoot());
    const auto got = actual.Tree().Preorder(actual.Tree().GetNodeInfoIndexOfRoot());
    ASSERT_EQ(want.size(), got.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE("item " + std::to_string(i) + " " + expected.Tree().Entry(want[i]).Title());
        const CGenElemInfo& a = expected.Tree().Entry(want[i]);
        const CGenElemInfo& b = actual.Tree().Entry(got[i]);
        ASSERT_EQ(a.ElemType, b.ElemType);
        EXPECT_EQ(a.Title(), b.Title());
        EXPECT_EQ(a.Children.size(), b.Children.size());
        EXPECT_EQ(expected.Tree().Level(want[i]), actual.Tree().Level(got[i]));
        if (a.IsLeaf()) {
            ExpectSameLeaf(*a.Leaf, *b.Leaf);
            continue;
        }
        EXPECT_EQ(expected.Tree().IsExpanded(want[i]), actual.Tree().IsExpanded(got[i]));
        EXPECT_EQ(a.Node->Valid(), b.Node->Valid());
        EXPECT_EQ(a.Node->ProgramIconName(), b.Node->ProgramIconName());
        EXPECT_EQ(a.Node->SplashComments(), b.Node->SplashComments());
        EXPECT_EQ(a.Node->AboutComments(), b.Node->AboutComments());
        EXPECT_EQ(a.Node->SerialNumber(), b.Node->SerialNumber());
    }
    for (int bit = 0; bit < 3; ++bit) {
        EXPECT_EQ(expected.Properties().Switch(bit), actual.Properties().Switch(bit))
            << "switch " << bit;
    }
    EXPECT_EQ(expected.Properties().Password(), actual.Properties().Password());
    EXPECT_EQ(expected.Properties().Structured(), actual.Properties().Structured());
    EXPECT_EQ(expected.Tree().LeafCount(), actual.Tree().LeafCount());
    ExpectSamePicture(expected.Properties().MonochromeSplash().bitmap,
                      actual.Properties().MonochromeSplash().bitmap, "monochrome splash");
    ExpectSamePicture(expected.Properties().ColorSplash().bitmap,
                      actual.Properties().ColorSplash().bitmap, "colour splash");
}

}  // namespace trovique::test
