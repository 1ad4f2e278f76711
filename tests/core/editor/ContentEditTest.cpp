#include <gtest/gtest.h>

#include <functional>

#include "core/app/MessageStyle.h"
#include "core/editor/Document.h"
#include "support/DocumentFixture.h"

namespace trovique {
namespace {

using TextField = CDocument::TextField;
using LeafSwitch = CDocument::LeafSwitch;

class ChangeRecorder : public IDocumentObserver {
public:
    void ItemChanged(int index) override { changed.push_back(index); }
    std::vector<int> changed;
};

class ContentEditTest : public testing::Test, public test::DocumentFixture {
protected:
    void SetUp() override {
        doc = NewDocument();
        doc->AddObserver(&recorder);
        doc->Select(Root());
        node = doc->AddNode();
        leaf = doc->AddQAF();
        doc->ForceDirty(false);
    }
    void TearDown() override { doc->RemoveObserver(&recorder); }

    int Root() const { return doc->GetNodeInfoIndexOfRoot(); }
    CLeaf& Leaf() { return *doc->Entry(leaf).Leaf; }
    CNode& RootRecord() { return *doc->Entry(Root()).Node; }
    std::string LastMessage() {
        return Ui().Messages().empty() ? std::string() : Ui().Messages().back().text;
    }

    void LockWithPassword(const std::string& password) {
        ASSERT_TRUE(doc->SetPrefs({password, password, false, false}));
        ASSERT_TRUE(doc->LockDB());
    }

    ChangeRecorder recorder;
    std::unique_ptr<CDocument> doc;
    int node = 0;
    int leaf = 0;
};

struct TextCase {
    TextField field;
    std::size_t limit;
    std::function<std::string(CDocument&, int node, int leaf)> read;
};

// Each text box writes its own field, up to the field's limit; a longer text is refused with
// the error report and the field keeps its value.
TEST_F(ContentEditTest, EachTextBoxWritesItsFieldWithinItsLimit) {
    const auto root = [](CDocument& d) -> CNode& {
        return *d.Entry(d.GetNodeInfoIndexOfRoot()).Node;
    };
    const auto leafOf = [](CDocument& d, int l) -> CLeaf& { return *d.Entry(l).Leaf; };
    const std::vector<TextCase> cases = {
        {TextField::SlideShowTitle, 25, [&](CDocument& d, int, int) { return root(d).Title(); }},
        {TextField::NodeTitle, 25, [](CDocument& d, int n, int) { return d.Entry(n).Title(); }},
        {TextField::LeafTitle, 255, [&](CDocument& d, int, int l) { return leafOf(d, l).Title(); }},
        {TextField::Question, 250,
         [&](CDocument& d, int, int l) { return leafOf(d, l).Question(); }},
        {TextField::Answer1, 110,
         [&](CDocument& d, int, int l) { return leafOf(d, l).GetAnswer(1); }},
        {TextField::Answer4, 110,
         [&](CDocument& d, int, int l) { return leafOf(d, l).GetAnswer(4); }},
        {TextField::Fact, 10000, [&](CDocument& d, int, int l) { return leafOf(d, l).Fact(); }},
        {TextField::CreatorID, 4, [](CDocument& d, int, int) { return d.Header().Creator(); }},
        {TextField::ProgramIconName, 10,
         [&](CDocument& d, int, int) { return root(d).ProgramIconName(); }},
        {TextField::SplashComments, 250,
         [&](CDocument& d, int, int) { return root(d).SplashComments(); }},
        {TextField::AboutComments, 250,
         [&](CDocument& d, int, int) { return root(d).AboutComments(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text box " + std::to_string(static_cast<int>(c.field)));
        const int item = c.field == TextField::NodeTitle ? node : leaf;
        doc->ForceDirty(false);
        const std::string full(c.limit, 'x');
        ASSERT_TRUE(doc->SetFieldText(item, c.field, full));
        EXPECT_EQ(c.read(*doc, node, leaf), full);
        EXPECT_TRUE(doc->Dirty());
        Ui().ClearMessages();
        EXPECT_FALSE(doc->SetFieldText(item, c.field, full + "y"));
        EXPECT_EQ(c.read(*doc, node, leaf), full);
        EXPECT_EQ(LastMessage().rfind("An error has occurred: Data too long to fit.", 0), 0u)
            << LastMessage();
    }
}

TEST_F(ContentEditTest, TitlesRelabelTheirItemAndUnchangedTextLeavesTheDocumentClean) {
    ASSERT_TRUE(doc->SetLeafTitle(leaf, "Photosynthesis"));
    ASSERT_TRUE(doc->SetFieldText(0, TextField::SlideShowTitle, "Biology"));
    EXPECT_EQ(recorder.changed, (std::vector<int>{leaf, Root()}));
    doc->ForceDirty(false);
    ASSERT_TRUE(doc->SetLeafTitle(leaf, "Photosynthesis"));
    EXPECT_FALSE(doc->Dirty());
}

TEST_F(ContentEditTest, FieldsOfTheWrongItemAreRefused) {
    EXPECT_FALSE(doc->SetFieldText(node, TextField::Fact, "text"));
    EXPECT_FALSE(doc->SetFieldText(leaf, TextField::NodeTitle, "text"));
    EXPECT_FALSE(doc->SetFieldText(Root(), TextField::NodeTitle, "text"));
    EXPECT_FALSE(doc->SetFieldText(leaf, static_cast<TextField>(10), "12"));  // the page number
    EXPECT_EQ(Ui().Messages().size(), 4u);
    EXPECT_FALSE(doc->Dirty());
    EXPECT_EQ(RootRecord().Title(), "New Slide Show");
}

TEST_F(ContentEditTest, SwitchesSetTheirLeafFieldAndRefreshTheItem) {
    const std::vector<std::pair<LeafSwitch, bool (CLeaf::*)() const>> cases = {
        {LeafSwitch::Copyable, &CLeaf::Copyable},
        {LeafSwitch::Highlight, &CLeaf::Highlight},
        {LeafSwitch::ReEdit, &CLeaf::ReEdit}};
    for (const auto& [which, read] : cases) {
        recorder.changed.clear();
        doc->ForceDirty(false);
        ASSERT_TRUE(doc->SetLeafSwitch(leaf, which, true));
        EXPECT_TRUE((Leaf().*read)());
        EXPECT_TRUE(doc->Dirty());
        EXPECT_EQ(recorder.changed, std::vector<int>{leaf});
        ASSERT_TRUE(doc->SetLeafSwitch(leaf, which, false));
        EXPECT_FALSE((Leaf().*read)());
    }
    EXPECT_TRUE(Ui().Messages().empty());
}

TEST_F(ContentEditTest, ProtectionNeedsAPasswordWhichThePreferencesMayGive) {
    int opened = 0;
    EXPECT_FALSE(doc->SetLeafSwitch(leaf, LeafSwitch::PasswordProtect, true, [&] { ++opened; }));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(LastMessage(), "A password must be set before password protection can be enabled.");
    EXPECT_FALSE(Leaf().PasswordProtect());
    EXPECT_FALSE(doc->Dirty());

    ASSERT_TRUE(doc->SetLeafSwitch(leaf, LeafSwitch::PasswordProtect, true, [&] {
        doc->SetPrefs({"secret", "secret", true, false});
    }));
    EXPECT_TRUE(Leaf().PasswordProtect());
    EXPECT_EQ(doc->Password(), "secret");
    // Clearing protection needs no password.
    ASSERT_TRUE(doc->SetLeafSwitch(leaf, LeafSwitch::PasswordProtect, false));
    EXPECT_FALSE(Leaf().PasswordProtect());
}

TEST_F(ContentEditTest, PreferencesTakeOverWhatDiffers) {
    const CDocument::Preferences before = doc->CurrentPreferences();
    EXPECT_EQ(before.password, "");
    EXPECT_TRUE(before.beamable);  // a new slide show may be beamed
    EXPECT_FALSE(before.copyable);

    EXPECT_FALSE(doc->SetPrefs({"abc", "abd", false, true}));
    EXPECT_EQ(LastMessage(), "The passwords entered must be the same.");
    EXPECT_EQ(doc->Password(), "");
    EXPECT_TRUE(doc->Beamable());
    EXPECT_FALSE(doc->Dirty());

    ASSERT_TRUE(doc->SetPrefs(before));
    EXPECT_FALSE(doc->Dirty());

    ASSERT_TRUE(doc->SetPrefs({"abc", "abc", false, true}));
    EXPECT_TRUE(doc->Dirty());
    EXPECT_EQ(doc->Password(), "abc");
    EXPECT_FALSE(doc->Beamable());
    EXPECT_TRUE(doc->Copyable());
    doc->Select(node);
    EXPECT_TRUE(doc->Entry(doc->AddQAF()).Leaf->Copyable());  // new leaves start copy-enabled

    EXPECT_FALSE(doc->SetPrefs({"123456789", "123456789", false, true}));
    EXPECT_EQ(doc->Password(), "abc");
}

TEST_F(ContentEditTest, LockNeedsAPasswordAndHidesProtectedLeaves) {
    EXPECT_FALSE(doc->LockDB());
    EXPECT_EQ(LastMessage(), "No password has been set.  You can not lock without a password.");
    EXPECT_FALSE(doc->Locked());

    ASSERT_TRUE(doc->SetPrefs({"pw", "pw", true, false}));
    ASSERT_TRUE(doc->SetLeafSwitch(leaf, LeafSwitch::PasswordProtect, true));
    doc->Select(leaf);
    recorder.changed.clear();
    ASSERT_TRUE(doc->LockDB());
    EXPECT_EQ(recorder.changed, std::vector<int>{leaf});  // the pane is shown again
    EXPECT_TRUE(doc->IsLeafLocked(leaf));

    // A locked leaf keeps its content.
    Ui().ClearMessages();
    EXPECT_FALSE(doc->SetLeafTitle(leaf, "Peek"));
    EXPECT_FALSE(doc->SetLeafSwitch(leaf, LeafSwitch::PasswordProtect, false));
    EXPECT_FALSE(doc->SetLeafDifficulty(leaf, 1));
    EXPECT_EQ(Ui().MessageTexts(), std::vector<std::string>(3, CDocument::kLockedLeafNotice));
    EXPECT_TRUE(Leaf().PasswordProtect());
    EXPECT_EQ(Leaf().Title(), "<FACT>");

    // Nor can its password be changed while locked.
    ASSERT_TRUE(doc->SetPrefs({"", "", true, false}));
    EXPECT_EQ(doc->Password(), "pw");

    EXPECT_FALSE(doc->UnlockDB("PW"));
    EXPECT_EQ(LastMessage(), "Incorrect password.  You can not unlock without correct password.");
    EXPECT_TRUE(doc->Locked());
    ASSERT_TRUE(doc->UnlockDB("pw"));
    EXPECT_FALSE(doc->IsLeafLocked(leaf));
    EXPECT_TRUE(doc->SetLeafTitle(leaf, "Open"));
}

TEST_F(ContentEditTest, DifficultyTakesTheListEntriesOnly) {
    for (int difficulty = 1; difficulty <= 5; ++difficulty) {
        ASSERT_TRUE(doc->SetLeafDifficulty(leaf, difficulty));
        EXPECT_EQ(Leaf().Difficulty(), difficulty);
    }
    for (const int outside : {0, 6, -1}) {
        EXPECT_FALSE(doc->SetLeafDifficulty(leaf, outside));
        EXPECT_EQ(Leaf().Difficulty(), 5);
    }
}

TEST_F(ContentEditTest, SeeAlsoLinksNameLeavesOrNone) {
    doc->Select(node);
    const int other = doc->AddQAF();
    ASSERT_TRUE(doc->SetLeafSeeAlso(leaf, 2, other));
    EXPECT_EQ(Leaf().SeeAlso(2), other);
    ASSERT_TRUE(doc->SetLeafSeeAlso(leaf, 2, 0));
    EXPECT_EQ(Leaf().SeeAlso(2), 0);

    ASSERT_TRUE(doc->SetLeafSeeAlso(leaf, 1, other));
    Ui().QueueConfirm(true);
    ASSERT_TRUE(doc->Delete(other));
    for (const int refused : {node, other, 999}) {
        EXPECT_FALSE(doc->SetLeafSeeAlso(leaf, 3, refused)) << refused;
    }
    EXPECT_FALSE(doc->SetLeafSeeAlso(leaf, 4, 0));
    EXPECT_EQ(Leaf().SeeAlso(3), 0);
}

TEST_F(ContentEditTest, TermsCanNotBeBlank) {
    EXPECT_EQ(CDocument::TermDialogCaption(false), "Add New Term");
    EXPECT_EQ(CDocument::TermDialogCaption(true), "Rename Term");
    for (const std::string blank : {"", "   "}) {
        doc->Select(node);
        EXPECT_EQ(doc->AddTerm(blank), 0);
        EXPECT_EQ(LastMessage(), "Term can not be blank.");
        EXPECT_FALSE(doc->RenameTerm(leaf, blank));
    }
    EXPECT_EQ(doc->LeafCount(), 1u);
    const int term = doc->AddTerm("Osmosis");
    ASSERT_NE(term, 0);
    EXPECT_EQ(doc->Entry(term).Title(), "Osmosis");
    EXPECT_TRUE(doc->Entry(term).Leaf->FACTOnly());
    ASSERT_TRUE(doc->RenameTerm(term, "Diffusion"));
    EXPECT_EQ(doc->Entry(term).Title(), "Diffusion");
}

}  // namespace
}  // namespace trovique
