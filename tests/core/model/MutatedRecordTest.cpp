#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <random>
#include <vector>

#include "ModelFixtures.h"
#include "core/common/MemoryFile.h"
#include "core/model/Leaf.h"
#include "core/model/Node.h"

namespace trovique {
namespace {

// Valid records with bytes changed at random must either read or fail with the program's own
// error; a crash or a foreign exception is a fault. Run under the sanitizers this also checks
// that no read strays outside the data.
struct MutationCase {
    const char* name;
    std::function<std::vector<std::uint8_t>()> record;
    std::function<void(CMemoryFile&)> read;
};

class MutatedRecordTest : public testing::TestWithParam<MutationCase> {};

TEST_P(MutatedRecordTest, ReadsOrRaisesCError) {
    const MutationCase& c = GetParam();
    const std::vector<std::uint8_t> original = c.record();
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> position(0, original.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    int raised = 0;
    for (int round = 0; round < 1500; ++round) {
        std::vector<std::uint8_t> bytes = original;
        for (int change = round % 4; change >= 0; --change) {
            bytes[position(random)] = static_cast<std::uint8_t>(byte(random));
        }
        CMemoryFile file(bytes);
        try {
            c.read(file);
        } catch (const CError&) {
            ++raised;
        } catch (const std::exception& e) {
            FAIL() << "round " << round << ": " << e.what();
        }
        EXPECT_LE(file.Position(), bytes.size());
    }
    EXPECT_GT(raised, 0) << "the mutations should break some records";
}

std::vector<std::uint8_t> RootRecord() {
    CNode root;
    root.SetRecordType(0);
    root.SetTitle("Root");
    for (int i = 1; i <= 6; ++i) {
        root.AddLink(i, i * 2);
    }
    root.SetSplashComments("Splash");
    return test::Written([&](CBinaryFile& file) { root.WriteToFile(file); });
}

std::vector<std::uint8_t> SlideRecord() {
    CLeaf leaf;
    leaf.SetBITMAPOnly(true);
    leaf.SetTitle("Slide");
    const auto colour = test::BitmapOf(test::SlideLikeImage(24, 18));
    leaf.SetColorBitmap(colour);
    leaf.SetMonochromeBitmap(test::GreyPicture(*colour));
    return test::Written([&](CBinaryFile& file) { leaf.WriteToFile(file); });
}

std::vector<std::uint8_t> QafRecord() {
    CLeaf leaf;
    leaf.SetTitle("Q");
    leaf.SetQuestion("Question");
    leaf.SetAnswer(1, "One");
    leaf.SetFact("Fact");
    return test::Written([&](CBinaryFile& file) { leaf.WriteToFile(file); });
}

void ReadNode(CMemoryFile& file) {
    CNode node;
    node.ReadFromFile(file);
}

void ReadLeaf(CMemoryFile& file) {
    CLeaf leaf;
    leaf.ReadFromFile(file, test::Palettes());
}

INSTANTIATE_TEST_SUITE_P(Records, MutatedRecordTest,
                         testing::Values(MutationCase{"Root", RootRecord, ReadNode},
                                         MutationCase{"Slide", SlideRecord, ReadLeaf},
                                         MutationCase{"Qaf", QafRecord, ReadLeaf}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace trovique
