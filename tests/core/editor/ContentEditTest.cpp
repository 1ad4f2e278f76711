#include <gtest/gtest.h>

#include <functional>

#include "core/app/MessageStyle.h"
#include "core/editor/Document.h"
#include "support/DocumentFixture.h"

namespace trovique {
namespace {

using TextField = TextField;
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
        doc->Tree().AddObserver(&recorder);
        node = doc->AddNode();
        leaf = doc->AddQAF();
        doc->ForceDirty(false);
    }
    void TearDown() override { doc->Tree().RemoveObserver(&recorder); }

    CLeaf& Leaf() { return *doc->Tree().Entry(leaf).Leaf; }
    CNode& RootRecord() { return *doc->Tree().Entry(doc->Tree().GetNodeInfoIndexOfRoot()).Node; }
    std::string LastMessage() {
        return Ui().MessageTexts().empty() ? "" : Ui().MessageTexts().back();
    }

    ChangeRecorder recorder;
    std::unique_ptr<CDocument> doc;
    int node = 0;
    int leaf = 0;
};

// Each text box writes its own field up to its limit; a longer text is reported and the field
// keeps its value.
TEST_F(ContentEditTest, EachTextBoxWritesItsFieldWithinItsLimit) {
    struct Case {
        TextField field;
        std::size_t limit;
        std::function<std::string()> read;
    };
    const std::vector<Case> cases = {
        {TextField::SlideShowTitle, 25, [&] { return RootRecord().Title(); }},
        {TextField::NodeTitle, 25, [&] { return doc->Tree().Entry(node).Title(); }},
        {TextField::LeafTitle, 255, [&] { return Leaf().Title(); }},
        {TextField::Question, 250, [&] { return Leaf().Question(); }},
        {TextField::Answer1, 110, [&] { return Leaf().GetAnswer(1); }},
        {TextField::Answer4, 110, [&] { return Leaf().GetAnswer(4); }},
        {TextField::Fact, 10000, [&] { return Leaf().Fact(); }},
        {TextField::CreatorID, 4, [&] { return doc->Properties().Header().Creator(); }},
        {TextField::ProgramIconName, 10, [&] { return RootRecord().ProgramIconName(); }},
        {TextField::SplashComments, 250, [&] { return RootRecord().SplashComments(); }},
        {TextField::AboutComments, 250, [&] { return RootRecord().AboutComments(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text box " + std::to_string(static_cast<int>(c.field)));
        const int item = c.field == TextField::NodeTitle ? node : leaf;
        doc->ForceDirty(false);
        const std::string full(c.limit, 'x');
        ASSERT_TRUE(doc->SetFieldText(item, c.field, full));
        EXPECT_EQ(c.read(), full);
        EXPECT_TRUE(doc->Dirty());
        EXPECT_FALSE(doc->SetFieldText(item, c.field, full + "y"));
        EXPECT_EQ(c.read(), full);
        EXPECT_EQ(LastMessage().rfind("An error has occurred: Data too long to fit.", 0), 0u);
    }
    // Titles relabel their tree item; fields of another kind of item are refused.
    EXPECT_EQ(recorder.changed,
              (std::vector<int>{doc->Tree().GetNodeInfoIndexOfRoot(), node, leaf}));
    Ui().ClearMessages();
    EXPECT_FALSE(doc->SetFieldText(node, TextField::Fact, "text"));
    EXPECT_FALSE(doc->SetFieldText(leaf, TextField::NodeTitle, "text"));
    EXPECT_FALSE(doc->SetFieldText(leaf, static_cast<TextField>(10), "12"));  // page number
    EXPECT_EQ(Ui().Messages().size(), 3u);
}

TEST_F(ContentEditTest, SwitchesAndProtectionWhichNeedsAPassword) {
    for (const auto& [which, read] : std::vector<std::pair<LeafSwitch, bool (CLeaf::*)() const>>{
             {LeafSwitch::Copyable, &CLeaf::Copyable},
             {LeafSwitch::Highlight, &CLeaf::Highlight},
             {LeafSwitch::ReEdit, &CLeaf::ReEdit}}) {
        ASSERT_TRUE(doc->SetLeafSwitch(leaf, which, true));
        EXPECT_TRUE((Leaf().*read)());
    }
    EXPECT_EQ(recorder.changed, std::vector<int>(3, leaf));  // the tree picture follows
    doc->ForceDirty(false);
    int opened = 0;
    EXPECT_FALSE(doc->SetLeafSwitch(leaf, LeafSwitch::PasswordProtect, true, [&] { ++opened; }));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(LastMessage(), "A password must be set before password protection can be enabled.");
    EXPECT_FALSE(Leaf().PasswordProtect() || doc->Dirty());
    ASSERT_TRUE(doc->SetLeafSwitch(leaf, LeafSwitch::PasswordProtect, true, [&] {
        doc->SetPrefs({"secret", "secret", true, false});
    }));
    EXPECT_TRUE(Leaf().PasswordProtect());
}

TEST_F(ContentEditTest, PreferencesAndTheLockTheyAllow) {
    EXPECT_FALSE(doc->LockDB());
    EXPECT_EQ(LastMessage(), "No password has been set.  You can not lock without a password.");
    EXPECT_FALSE(doc->SetPrefs({"pw", "pW", false, true}));
    EXPECT_EQ(LastMessage(), "The passwords entered must be the same.");
    ASSERT_TRUE(doc->SetPrefs(doc->CurrentPreferences()));
    EXPECT_FALSE(doc->Dirty());
    EXPECT_FALSE(doc->SetPrefs({"123456789", "123456789", true, false}));  // 8 at most
    ASSERT_TRUE(doc->SetPrefs({"pw", "pw", false, true}));
    EXPECT_TRUE(doc->Dirty());
    EXPECT_FALSE(doc->Properties().Beamable());
    EXPECT_TRUE(doc->Properties().Copyable());

    ASSERT_TRUE(doc->SetLeafSwitch(leaf, LeafSwitch::PasswordProtect, true));
    ASSERT_TRUE(doc->LockDB());
    EXPECT_TRUE(doc->IsLeafLocked(leaf));
    Ui().ClearMessages();
    EXPECT_FALSE(doc->SetLeafTitle(leaf, "Peek"));
    EXPECT_FALSE(doc->SetLeafSwitch(leaf, LeafSwitch::PasswordProtect, false));
    EXPECT_EQ(Ui().MessageTexts(), std::vector<std::string>(2, CDocument::kLockedLeafNotice));
    ASSERT_TRUE(doc->SetPrefs({"", "", false, true}));  // the password stays while locked
    EXPECT_EQ(doc->Properties().Password(), "pw");

    EXPECT_FALSE(doc->UnlockDB("PW"));
    EXPECT_EQ(LastMessage(), "Incorrect password.  You can not unlock without correct password.");
    ASSERT_TRUE(doc->UnlockDB("pw"));
    EXPECT_TRUE(doc->SetLeafTitle(leaf, "Open"));
}

TEST_F(ContentEditTest, DifficultyAndSeeAlsoTakeWhatTheirListsOffer) {
    for (const auto& [difficulty, accepted] :
         std::vector<std::pair<int, bool>>{{1, true}, {5, true}, {0, false}, {6, false}}) {
        EXPECT_EQ(doc->SetLeafDifficulty(leaf, difficulty), accepted) << difficulty;
    }
    EXPECT_EQ(Leaf().Difficulty(), 5);
    doc->Tree().Select(node);
    const int other = doc->AddQAF();
    ASSERT_TRUE(doc->SetLeafSeeAlso(leaf, 2, other));
    EXPECT_EQ(Leaf().SeeAlso(2), other);
    Ui().QueueConfirm(true);
    ASSERT_TRUE(doc->Delete(other));
    for (const int refused : {node, other, 999}) {
        EXPECT_FALSE(doc->SetLeafSeeAlso(leaf, 3, refused)) << refused;
    }
    ASSERT_TRUE(doc->SetLeafSeeAlso(leaf, 2, 0));
    EXPECT_EQ(Leaf().SeeAlso(2), 0);
}

TEST_F(ContentEditTest, TermsCanNotBeBlank) {
    EXPECT_EQ(CDocument::TermDialogCaption(true), "Rename Term");
    doc->Tree().Select(node);
    for (const std::string blank : {"", "   "}) {
        EXPECT_EQ(doc->AddTerm(blank), 0);
        EXPECT_EQ(LastMessage(), "Term can not be blank.");
        EXPECT_FALSE(doc->RenameTerm(leaf, blank));
    }
    EXPECT_EQ(doc->Tree().LeafCount(), 1u);
    const int term = doc->AddTerm("Osmosis");
    ASSERT_TRUE(term != 0 && doc->RenameTerm(term, "Diffusion"));
    EXPECT_EQ(doc->Tree().Entry(term).Title(), "Diffusion");
}

}  // namespace
}  // namespace trovique
