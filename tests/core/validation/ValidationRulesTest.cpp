#include "core/validation/ValidationRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/document/ElementKinds.h"
#include "core/preview/HandheldSlide.h"
#include "core/services/MessageStyle.h"
#include "core/validation/ValidationResults.h"
#include "support/DocumentFixture.h"
#include "support/ScriptedUserInterface.h"
#include "support/SlideShowFiles.h"

namespace trovique {
namespace {

const std::string kReference = "9:Slide Show\\Item";

struct Finding {
    std::string message;
    DocumentControl control;
    bool warning = false;
    bool operator==(const Finding&) const = default;
};

void PrintTo(const Finding& finding, std::ostream* os) {
    *os << "{\"" << finding.message << "\", " << DocumentControlName(finding.control)
        << (finding.warning ? ", warning" : "") << "}";
}

// Rules of one item checked straight, without a document around them.
class RulesTest : public testing::Test {
protected:
    std::vector<Finding> Listed() const {
        std::vector<Finding> listed;
        for (const auto& entry : results.Entries()) {
            for (const auto& message : entry.messages) {
                listed.push_back({message.text, message.control, message.warning});
            }
        }
        return listed;
    }

    test::CScriptedUserInterface ui;
    CValidationResults results{ui};
};

// ---- Root ----

RootPaneValues GoodRoot() {
    return {"Planets", "TQVK", "Quodex", std::string(250, 's'), std::string(250, 'c'), 1};
}

struct RootCase {
    const char* name;
    std::function<void(RootPaneValues&)> change;
    std::vector<Finding> expected;
};

class RootRulesTest : public RulesTest, public testing::WithParamInterface<RootCase> {};

TEST_P(RootRulesTest, ListsTheFindingsInRuleOrder) {
    RootPaneValues root = GoodRoot();
    GetParam().change(root);
    CValidationRun run(results, CValidationLimit::Off());
    EXPECT_EQ(run.CheckRoot(kReference, root), GetParam().expected.empty());
    EXPECT_EQ(Listed(), GetParam().expected);
    EXPECT_EQ(run.ErrorCount(), static_cast<int>(GetParam().expected.size()));
}

const Finding kTitleBlank{"Slide Show Title On Palm can not be blank.",
                          DocumentControl::SlideShowTitle};
const Finding kCreatorBlank{"Palm Creator ID can not be blank.", DocumentControl::CreatorID};
const Finding kCreatorLower{"Palm Creator ID can not be all lowercase letters.",
                            DocumentControl::CreatorID};
const Finding kLabelBlank{"Label On Palm can not be blank.", DocumentControl::LabelOnPalm};
const Finding kSplashLong{"Slide Show Splash Screen Text can not be more than 250 characters.",
                          DocumentControl::SplashText};
const Finding kContactLong{
    "Slide Show Contact Screen Information can not be more than 250 characters.",
    DocumentControl::ContactText};
const Finding kNoSlides{"There must be at least one Slide in this Database.",
                        DocumentControl::Tree};

INSTANTIATE_TEST_SUITE_P(
    Fields, RootRulesTest,
    testing::Values(
        RootCase{"AllFilledIn", [](RootPaneValues&) {}, {}},
        RootCase{"TitleBlank", [](RootPaneValues& r) { r.title.clear(); }, {kTitleBlank}},
        // An empty code is blank and, having no other letters, all lowercase too.
        RootCase{"CreatorBlank",
                 [](RootPaneValues& r) { r.creatorID.clear(); },
                 {kCreatorBlank, kCreatorLower}},
        RootCase{
            "CreatorLowercase", [](RootPaneValues& r) { r.creatorID = "abcd"; }, {kCreatorLower}},
        RootCase{"CreatorOneCapital", [](RootPaneValues& r) { r.creatorID = "abCd"; }, {}},
        RootCase{"CreatorOneDigit", [](RootPaneValues& r) { r.creatorID = "ab1d"; }, {}},
        // Letters beyond "z" in the code page are not lowercase ASCII.
        RootCase{"CreatorAccented", [](RootPaneValues& r) { r.creatorID = "ab\xe9z"; }, {}},
        RootCase{"LabelBlank", [](RootPaneValues& r) { r.labelOnPalm.clear(); }, {kLabelBlank}},
        RootCase{"Splash251", [](RootPaneValues& r) { r.splashText += 's'; }, {kSplashLong}},
        RootCase{"Contact251", [](RootPaneValues& r) { r.contactText += 'c'; }, {kContactLong}},
        RootCase{"NoSlides", [](RootPaneValues& r) { r.leafCount = 0; }, {kNoSlides}},
        RootCase{"Everything",
                 [](RootPaneValues& r) {
                     r = {"", "", "", std::string(251, 's'), std::string(300, 'c'), 0};
                 },
                 {kTitleBlank, kCreatorBlank, kCreatorLower, kLabelBlank, kSplashLong, kContactLong,
                  kNoSlides}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(RulesTest, LimitStopsTheRootRulesAtTheFindingThatReachesIt) {
    // Seven findings without a limit.
    const RootPaneValues empty{"", "", "", std::string(251, 's'), std::string(251, 'c'), 0};
    for (int limit = 1; limit <= 8; ++limit) {
        results.Clear();
        CValidationRun run(results, CValidationLimit(true, limit));
        EXPECT_FALSE(run.CheckRoot(kReference, empty));
        EXPECT_EQ(run.ErrorCount(), std::min(limit, 7)) << "limit " << limit;
        EXPECT_EQ(run.Stopped(), limit <= 7);
    }
}

// ---- Nodes ----

struct NodeCase {
    const char* name;
    std::string title;
    int level;
    std::vector<Finding> expected;
};

class NodeRulesTest : public RulesTest, public testing::WithParamInterface<NodeCase> {};

TEST_P(NodeRulesTest, ChecksTitle) {
    CNode node;
    node.SetTitle(GetParam().title);
    CValidationRun run(results, CValidationLimit::Off());
    EXPECT_EQ(run.CheckNode(kReference, node, GetParam().level), GetParam().expected.empty());
    EXPECT_EQ(Listed(), GetParam().expected);
}

Finding TooLong(const std::string& levelName) {
    return {"The maximum length for " + levelName + " Title is limited to 25.",
            DocumentControl::NodeTitle};
}

Finding Renamed(const std::string& title, DocumentControl control) {
    return {title + " may not have been renamed from its default.", control, true};
}

INSTANTIATE_TEST_SUITE_P(
    Titles, NodeRulesTest,
    testing::Values(
        NodeCase{"Renamed", "Planets", 12, {}},
        NodeCase{"Blank", "", 12, {{"Slide Title can not be blank.", DocumentControl::NodeTitle}}},
        NodeCase{"TwentyFive", std::string(25, 'x'), 12, {}},
        NodeCase{"DefaultTitle",
                 "<Major Category>",
                 12,
                 {Renamed("<Major Category>", DocumentControl::NodeTitle)}},
        NodeCase{"DefaultTitleExtended",
                 "<Sub Topic> 2",
                 15,
                 {Renamed("<Sub Topic> 2", DocumentControl::NodeTitle)}},
        // Only the node's own level counts as its default.
        NodeCase{"OtherLevelsDefault", "<Major Category>", 13, {}},
        NodeCase{"DefaultInside", "My <Major Topic>", 14, {}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(RulesTest, NodeTitleTooLongNamesTheLevel) {
    // A node record refuses a 26-character title; the rule still guards against any other
    // source, so it is fed a node whose title reads 26 characters.
    struct LongTitleNode : CNodeFields {
        LongTitleNode() : CNodeFields(14) {}
        const std::string& Title() const override { return title; }
        std::string title = std::string(26, 'x');
    };
    const std::vector<std::pair<int, std::string>> levels = {
        {12, "Major Category"}, {13, "Sub Category"}, {14, "Major Topic"}, {15, "Sub Topic"}};
    for (const auto& [level, name] : levels) {
        results.Clear();
        const LongTitleNode node;
        CValidationRun run(results, CValidationLimit::Off());
        EXPECT_FALSE(run.CheckNode(kReference, node, level));
        EXPECT_EQ(Listed(), std::vector<Finding>{TooLong(name)}) << level;
    }
}

// ---- Leaves ----

constexpr std::uint16_t kLeafKey = 9;

// A picture whose Palm form is far above 65535 bytes.
std::shared_ptr<CBitmap> HugePicture() {
    static const auto picture = test::NoisePicture(320, 240);
    return picture;
}

// The slide record adds 58 bytes of fixed part and title to the pictures. 324 x 202: 65470 bytes
// by the estimate, 65522 as written. 248 x 264: 65494 by the estimate, 65546 as written.
std::shared_ptr<CBitmap> PictureJustUnderTheLimit() {
    static const auto picture = test::NoisePicture(324, 202);
    return picture;
}
std::shared_ptr<CBitmap> PictureOverTheLimitOnlyAsWritten() {
    static const auto picture = test::NoisePicture(248, 264);
    return picture;
}

std::shared_ptr<CBitmap> SmallPicture() {
    const std::vector<std::uint8_t> bgr(160 * 120 * 3, 0x80);
    return std::make_shared<CBitmap>(160, 120, bgr, 160 * 3, test::TestPalettes().color256);
}

std::string Repeat(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

void MakeQAF(CLeaf& leaf) {
    leaf.SetFACTOnly(false);
    leaf.SetBITMAPOnly(false);
    leaf.SetDifficulty(2);
    leaf.SetQuestion("Q?");
    leaf.SetAnswer(1, "a");
    leaf.SetAnswer(2, "b");
}

void MakeBitmap(CLeaf& leaf) {
    leaf.SetFACTOnly(false);
    leaf.SetBITMAPOnly(true);
    leaf.SetColorBitmap(SmallPicture());
}

// Question and answers 1 to 3 take one line each; answer 4 takes the rest.
void QAFOfLines(CLeaf& leaf, int lines) {
    MakeQAF(leaf);
    leaf.SetAnswer(3, "c");
    std::string last = "d";
    for (int line = 6; line <= lines; ++line) {
        last += "\r\nd";
    }
    leaf.SetAnswer(4, last);
}

const Finding kLeafTitleBlank{"Slide Title must not be blank.", DocumentControl::LeafTitle};
const Finding kSlideTooBig{
    "The bitmaps you selected have made this Slide too big.  It's maximum size is 65535 bytes.",
    DocumentControl::ColorBitmapButton};
const Finding kLeafTooBig{
    "The bitmaps you selected have made this leaf too big.  It's maximum size is 65535 bytes.",
    DocumentControl::ColorBitmapButton};
const Finding kNoDifficulty{"QAF Difficulty must be selected.", DocumentControl::Difficulty};
const Finding kNoQuestion{"QAF Question must not be blank.", DocumentControl::Question};
const Finding kNoFirstAnswer{"QAF First answer must not be blank.", DocumentControl::FirstAnswer};
const Finding kNoSecondAnswer{"QAF Second answer must not be blank.",
                              DocumentControl::SecondAnswer};
const Finding kNoPicture{
    "Either a color bitmap or a monochrome bitmap must be set for BITMAP leaves.",
    DocumentControl::ColorBitmapButton};
const Finding kSelfLink1{"Slide contains a See Also link which references itself.",
                         DocumentControl::SeeAlso1};
const Finding kSelfLink2{"Slide contains a See Also link which references itself.",
                         DocumentControl::SeeAlso2};
const Finding kSelfLink3{"Slide contains a See Also link which references itself.",
                         DocumentControl::SeeAlso3};
const Finding kSameTarget1{"See Also links can not point to the same Slide.",
                           DocumentControl::SeeAlso1};
const Finding kSameTarget2{"See Also links can not point to the same Slide.",
                           DocumentControl::SeeAlso2};

Finding TooManyLines(int lines) {
    return {
        "Question text and all Answer text must be able to fit onto the Palm screen which "
        "has 10 available lines.  Question and Answer text would occupy " +
            std::to_string(lines) +
            " lines on the Palm.  Please shorten the Question text and/or Answer text.",
        DocumentControl::Question};
}

struct LeafCase {
    const char* name;
    std::function<void(CLeaf&)> setUp;
    std::vector<Finding> expected;
};

class LeafRulesTest : public RulesTest, public testing::WithParamInterface<LeafCase> {};

TEST_P(LeafRulesTest, ListsTheFindingsInRuleOrder) {
    CLeaf leaf;
    leaf.SetKey(kLeafKey);
    leaf.SetTitle("Jupiter");
    leaf.SetFACTOnly(true);
    GetParam().setUp(leaf);
    CValidationRun run(results, CValidationLimit::Off());
    EXPECT_EQ(run.CheckLeaf(kReference, leaf), GetParam().expected.empty());
    EXPECT_EQ(Listed(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, LeafRulesTest,
    testing::Values(
        LeafCase{"GoodFact", [](CLeaf&) {}, {}}, LeafCase{"GoodQAF", MakeQAF, {}},
        LeafCase{"GoodBitmap", MakeBitmap, {}},
        LeafCase{"TitleBlank", [](CLeaf& l) { l.SetTitle(""); }, {kLeafTitleBlank}},
        LeafCase{"TitleOfLongestLength", [](CLeaf& l) { l.SetTitle(std::string(255, 't')); }, {}},
        // FACT leaves have no question, answers or difficulty to check.
        LeafCase{"FactSkipsQuestionRules", [](CLeaf& l) { l.SetDifficulty(0); }, {}},
        LeafCase{"QAFWithoutDifficulty",
                 [](CLeaf& l) {
                     MakeQAF(l);
                     l.SetDifficulty(0);
                 },
                 {kNoDifficulty}},
        // Only the first question finding is listed.
        LeafCase{"QAFEmpty",
                 [](CLeaf& l) {
                     MakeQAF(l);
                     l.SetQuestion("");
                     l.SetAnswer(1, "");
                     l.SetAnswer(2, "");
                 },
                 {kNoQuestion}},
        LeafCase{"QAFWithoutFirstAnswer",
                 [](CLeaf& l) {
                     MakeQAF(l);
                     l.SetAnswer(1, "");
                     l.SetAnswer(2, "");
                 },
                 {kNoFirstAnswer}},
        LeafCase{"QAFWithoutSecondAnswer",
                 [](CLeaf& l) {
                     MakeQAF(l);
                     l.SetAnswer(2, "");
                 },
                 {kNoSecondAnswer}},
        LeafCase{"QAFDifficultyAndQuestion",
                 [](CLeaf& l) {
                     MakeQAF(l);
                     l.SetDifficulty(0);
                     l.SetQuestion("");
                 },
                 {kNoDifficulty, kNoQuestion}},
        LeafCase{"QAFOfTenLines", [](CLeaf& l) { QAFOfLines(l, 10); }, {}},
        LeafCase{"QAFOfElevenLines", [](CLeaf& l) { QAFOfLines(l, 11); }, {TooManyLines(11)}},
        LeafCase{"QAFQuestionWrapsOntoElevenLines",
                 [](CLeaf& l) {
                     QAFOfLines(l, 10);
                     l.SetQuestion(Repeat("M", 30));
                 },
                 {TooManyLines(11)}},
        LeafCase{"BitmapWithoutPicture",
                 [](CLeaf& l) {
                     MakeBitmap(l);
                     l.SetColorBitmap(nullptr);
                 },
                 {kNoPicture}},
        LeafCase{"BitmapWithMonochromeOnly",
                 [](CLeaf& l) {
                     MakeBitmap(l);
                     l.SetMonochromeBitmap(l.ColorBitmap());
                     l.SetColorBitmap(nullptr);
                 },
                 {}},
        // Both size findings: the slide's and the leaf's.
        LeafCase{"BitmapTooBig",
                 [](CLeaf& l) {
                     MakeBitmap(l);
                     l.SetColorBitmap(HugePicture());
                 },
                 {kSlideTooBig, kLeafTooBig}},
        LeafCase{"BitmapJustUnderTheLimit",
                 [](CLeaf& l) {
                     MakeBitmap(l);
                     l.SetColorBitmap(PictureJustUnderTheLimit());
                 },
                 {}},
        // Under the limit by the estimate, over it as export writes the record.
        LeafCase{"BitmapOverTheLimitOnlyAsWritten",
                 [](CLeaf& l) {
                     MakeBitmap(l);
                     l.SetColorBitmap(PictureOverTheLimitOnlyAsWritten());
                 },
                 {kSlideTooBig, kLeafTooBig}},
        // Pictures left on a leaf of another kind are not stored, so they weigh nothing.
        LeafCase{"QAFKeepsOldPicture",
                 [](CLeaf& l) {
                     MakeQAF(l);
                     l.SetColorBitmap(HugePicture());
                 },
                 {}},
        LeafCase{"SeeAlsoToOthers",
                 [](CLeaf& l) {
                     l.SetSeeAlso(1, 3);
                     l.SetSeeAlso(2, 4);
                     l.SetSeeAlso(3, 5);
                 },
                 {}},
        LeafCase{"SeeAlsoToItself", [](CLeaf& l) { l.SetSeeAlso(2, kLeafKey); }, {kSelfLink2}},
        LeafCase{"SeeAlsoSlotsOneAndThreeEqual",
                 [](CLeaf& l) {
                     l.SetSeeAlso(1, 4);
                     l.SetSeeAlso(3, 4);
                 },
                 {kSameTarget1}},
        LeafCase{"SeeAlsoSlotsTwoAndThreeEqual",
                 [](CLeaf& l) {
                     l.SetSeeAlso(2, 4);
                     l.SetSeeAlso(3, 4);
                 },
                 {kSameTarget2}},
        // Once slot 1 has given its findings the comparison ends: slots 2 and 3 are not
        // compared again.
        LeafCase{"SeeAlsoAllEqual",
                 [](CLeaf& l) {
                     for (int slot = 1; slot <= 3; ++slot) {
                         l.SetSeeAlso(slot, 4);
                     }
                 },
                 {kSameTarget1, kSameTarget1}},
        // A leaf that already failed compares only slot 1's pairs.
        LeafCase{"SeeAlsoAfterFailure",
                 [](CLeaf& l) {
                     l.SetTitle("");
                     l.SetSeeAlso(2, 4);
                     l.SetSeeAlso(3, 4);
                 },
                 {kLeafTitleBlank}},
        LeafCase{"SeeAlsoAllToItself",
                 [](CLeaf& l) {
                     for (int slot = 1; slot <= 3; ++slot) {
                         l.SetSeeAlso(slot, kLeafKey);
                     }
                 },
                 {kSelfLink1, kSelfLink2, kSelfLink3, kSameTarget1, kSameTarget1}},
        LeafCase{"DefaultFactTitle",
                 [](CLeaf& l) { l.SetTitle("<FACT>"); },
                 {Renamed("<FACT>", DocumentControl::LeafTitle)}},
        LeafCase{"DefaultQAFTitle",
                 [](CLeaf& l) { l.SetTitle("<QAF> 12"); },
                 {Renamed("<QAF> 12", DocumentControl::LeafTitle)}},
        LeafCase{"DefaultBitmapTitle",
                 [](CLeaf& l) { l.SetTitle("<BITMAP>"); },
                 {Renamed("<BITMAP>", DocumentControl::LeafTitle)}},
        LeafCase{"DefaultInsideTitle", [](CLeaf& l) { l.SetTitle("A <FACT>"); }, {}}),
    [](const auto& param) { return std::string(param.param.name); });

// The pictures near the limit lie where the cases above need them: under it by the estimate,
// and under or over it by the record the handheld preview measures from what export writes.
TEST(RecordLimitPicturesTest, LieEitherSideOfTheLimitAsWritten) {
    const struct {
        std::shared_ptr<CBitmap> picture;
        bool overAsWritten;
    } cases[] = {{PictureJustUnderTheLimit(), false}, {PictureOverTheLimitOnlyAsWritten(), true}};
    for (const auto& c : cases) {
        CLeaf leaf;
        leaf.SetTitle("Jupiter");
        MakeBitmap(leaf);
        leaf.SetColorBitmap(c.picture);
        const std::int64_t estimate = leaf.GetPalmBitmapSize();
        EXPECT_LE(estimate, CValidationRun::kMaxLeafBytes);
        EXPECT_GT(estimate, CValidationRun::kMaxLeafBytes - 100);
        const HandheldSlide slide =
            BuildHandheldSlide(leaf, test::TestPalettes(), DefaultPalmDevice());
        EXPECT_EQ(slide.LargestRecordBytes() > CValidationRun::kMaxLeafBytes, c.overAsWritten)
            << slide.LargestRecordBytes();
    }
}

TEST_F(RulesTest, SelfLinksAreListedTogetherBeforeTheLimitIsLookedAt) {
    CLeaf leaf;
    leaf.SetKey(kLeafKey);
    leaf.SetTitle("<FACT>");
    leaf.SetFACTOnly(true);
    leaf.SetSeeAlso(1, kLeafKey);
    leaf.SetSeeAlso(3, kLeafKey);
    CValidationRun run(results, CValidationLimit(true, 1));
    EXPECT_FALSE(run.CheckLeaf(kReference, leaf));
    // Both self-links, then nothing: the pair comparison and the title warning are skipped.
    EXPECT_EQ(Listed(), (std::vector<Finding>{kSelfLink1, kSelfLink3}));
    EXPECT_TRUE(run.Stopped());
}

TEST_F(RulesTest, LimitReachedByTheQuestionSkipsTheRest) {
    CLeaf leaf;
    leaf.SetKey(kLeafKey);
    leaf.SetTitle("<QAF>");
    MakeQAF(leaf);
    leaf.SetQuestion("");
    leaf.SetSeeAlso(1, kLeafKey);
    CValidationRun run(results, CValidationLimit(true, 1));
    EXPECT_FALSE(run.CheckLeaf(kReference, leaf));
    EXPECT_EQ(Listed(), std::vector<Finding>{kNoQuestion});
}

}  // namespace
}  // namespace trovique
