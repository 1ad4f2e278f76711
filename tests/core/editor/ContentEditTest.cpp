#include <gtest/gtest.h>

#include <functional>

#include "core/editor/Document.h"
#include "core/services/MessageStyle.h"
#include "support/DocumentFixture.h"

namespace trovique {
namespace {

using LeafSwitch = CDocument::LeafSwitch;

// Records the changes the tree shows: labels and pictures.
class ChangeRecorder : public IDocumentObserver {
public:
    void ItemChanged(int index, ItemAspects aspects) override {
        if (aspects.Has(ItemAspect::Title) || aspects.Has(ItemAspect::Image)) {
            changed.push_back(index);
        }
    }
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
    Ui().QueuePreferences(std::nullopt);  // the preferences dialog is cancelled
    EXPECT_FALSE(doc->SetLeafSwitch(leaf, LeafSwitch::PasswordProtect, true));
    EXPECT_EQ(Ui().PreferencesShown().size(), 1u);
    EXPECT_EQ(LastMessage(), "A password must be set before password protection can be enabled.");
    EXPECT_FALSE(Leaf().PasswordProtect() || doc->Dirty());
    Ui().QueuePreferences(SlideShowPreferences{"secret", "secret", true, false});
    ASSERT_TRUE(doc->SetLeafSwitch(leaf, LeafSwitch::PasswordProtect, true));
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

// The preferences dialog through the user interface: a mismatch shows it again with what was
// typed; the password crosses the seam as UTF-8 and is kept in the record's code page.
TEST_F(ContentEditTest, PreferencesDialogAsksAgainAfterAMismatch) {
    const SlideShowPreferences before = doc->CurrentPreferences();
    Ui().QueuePreferences(std::nullopt);
    EXPECT_FALSE(doc->EditPrefs());
    const SlideShowPreferences mismatch{"caf\u00e9", "cafe", true, false};
    Ui().QueuePreferences(mismatch);
    Ui().QueuePreferences(SlideShowPreferences{"caf\u00e9", "caf\u00e9", true, false});
    ASSERT_TRUE(doc->EditPrefs());
    ASSERT_EQ(Ui().PreferencesShown().size(), 3u);
    EXPECT_EQ(Ui().PreferencesShown()[1], before);
    EXPECT_TRUE(before.password.empty() && before.passwordEditable);
    EXPECT_EQ(Ui().PreferencesShown()[2], mismatch) << "shown again with what was typed";
    EXPECT_EQ(LastMessage(), "The passwords entered must be the same.");
    EXPECT_EQ(doc->Properties().Password(), "caf\xE9");
    EXPECT_TRUE(doc->Properties().Beamable());
    EXPECT_EQ(doc->CurrentPreferences().password, "caf\u00e9");
}

TEST_F(ContentEditTest, UnlockAsksForThePasswordWhenNoneIsGiven) {
    ASSERT_TRUE(doc->SetPrefs({"caf\u00e9", "caf\u00e9", false, false}));
    ASSERT_TRUE(doc->LockDB());
    Ui().QueueText(std::nullopt);
    Ui().QueueText("wrong");
    Ui().QueueText("caf\u00e9");
    EXPECT_FALSE(doc->UnlockDB());
    EXPECT_FALSE(doc->UnlockDB());
    EXPECT_EQ(LastMessage(), "Incorrect password.  You can not unlock without correct password.");
    EXPECT_TRUE(doc->UnlockDB());
    EXPECT_FALSE(doc->Properties().Locked());
    ASSERT_EQ(Ui().TextQuestions().size(), 3u);
    EXPECT_EQ(Ui().TextQuestions()[0].title, "Enter Password");
    EXPECT_TRUE(Ui().TextQuestions()[0].secret);
    EXPECT_EQ(Ui().TextQuestions()[0].maxLength, 8u);
}

TEST_F(ContentEditTest, TermDialogRefusesBlankTermsAndGivesTheRecordsText) {
    Ui().QueueText("  ");
    Ui().QueueText("Caf\u00e9");
    EXPECT_EQ(doc->AskTerm(true, "Old \x93name\x94"), "Caf\xE9");
    ASSERT_EQ(Ui().TextQuestions().size(), 2u);
    EXPECT_EQ(Ui().TextQuestions()[0].title, "Rename Term");
    EXPECT_EQ(Ui().TextQuestions()[0].prompt, "Enter New Term:");
    EXPECT_EQ(Ui().TextQuestions()[0].initial, "Old \u201cname\u201d");
    EXPECT_EQ(Ui().TextQuestions()[0].maxLength, 255u);
    EXPECT_EQ(LastMessage(), "Term can not be blank.");
    Ui().QueueText(std::nullopt);
    EXPECT_EQ(doc->AskTerm(false), "");
    EXPECT_EQ(Ui().TextQuestions().back().title, "Add New Term");
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
