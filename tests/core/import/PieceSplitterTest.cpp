#include "core/import/PieceSplitter.h"

#include <gtest/gtest.h>

#include <random>

namespace trovique {
namespace {

std::vector<std::string> Pieces(std::string_view text, std::vector<std::string> delimiters) {
    CPieceSplitter splitter(text, std::move(delimiters));
    std::vector<std::string> pieces;
    TextPiece piece;
    while (splitter.Next(piece)) {
        pieces.emplace_back(text.substr(piece.offset, piece.length));
    }
    return pieces;
}

struct SplitCase {
    const char* name;
    std::string text;
    std::vector<std::string> delimiters;
    std::vector<std::string> pieces;
};

class PieceSplitterTest : public testing::TestWithParam<SplitCase> {};

TEST_P(PieceSplitterTest, CutsTheTextIntoThePieces) {
    EXPECT_EQ(Pieces(GetParam().text, GetParam().delimiters), GetParam().pieces);
}

// The document-level cases (default delimiters, trailing and lone delimiters) are in
// UnstructuredImportTest; these are the ones only the splitter can get wrong.
INSTANTIATE_TEST_SUITE_P(
    Cases, PieceSplitterTest,
    testing::Values(SplitCase{"NearestWinsOverLonger", "A;B::C", {"::", ";"}, {"A", "B", "C"}},
                    SplitCase{
                        "LongerWinsListedFirst", "A\r\n\r\nB", {"\r\n\r\n", "\r\n"}, {"A", "B"}},
                    SplitCase{"FirstListedOfEqualLength", "xabx", {"ab", "ab"}, {"x", "x"}},
                    SplitCase{"EmptyDelimiterIsIgnored", "A;B", {"", ";"}, {"A", "B"}},
                    // An occurrence swallowed by a longer delimiter must be searched for again.
                    SplitCase{"OverlapIsSearchedAgain", "aba|ba", {"ab", "ba", "|"}, {"", "a", ""}},
                    SplitCase{"DelimiterInsideAnother", "x--y-z", {"--", "-"}, {"x", "y", "z"}},
                    SplitCase{"BinaryBytes",
                              std::string("a\0b\xFF"
                                          "c",
                                          5),
                              {std::string(1, '\0'), "\xFF"},
                              {"a", "b", "c"}}),
    [](const testing::TestParamInfo<SplitCase>& c) { return std::string(c.param.name); });

// The remembered occurrences must give exactly what searching every delimiter afresh from
// every position gives.
std::vector<std::string> PiecesTheSlowWay(const std::string& text,
                                          const std::vector<std::string>& delimiters) {
    std::vector<std::string> pieces;
    std::size_t p = 0;
    while (p < text.size()) {
        std::size_t best = std::string::npos;
        std::size_t bestLength = 0;
        for (const auto& delimiter : delimiters) {
            const std::size_t found = text.find(delimiter, p);
            if (found != std::string::npos &&
                (found < best || (found == best && delimiter.size() > bestLength))) {
                best = found;
                bestLength = delimiter.size();
            }
        }
        if (best == std::string::npos) {
            pieces.push_back(text.substr(p));
            break;
        }
        pieces.push_back(text.substr(p, best - p));
        p = best + bestLength;
    }
    return pieces;
}

TEST(PieceSplitterTest, AgreesWithSearchingEveryDelimiterFromEveryPosition) {
    std::mt19937 random(7);
    const std::vector<std::string> delimiters = {"ab", "b", "aab", "ba", "bab"};
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) {
            text += "abc"[random() % 3];
        }
        EXPECT_EQ(Pieces(text, delimiters), PiecesTheSlowWay(text, delimiters)) << text;
    }
}

}  // namespace
}  // namespace trovique
