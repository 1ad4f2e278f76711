#include "support/DocumentFixture.h"

#include "core/imaging/PalmPaletteFiles.h"
#include "support/TestPaths.h"

namespace trovique::test {

const PalmPalettes& TestPalettes() {
    static const PalmPaletteFiles files(BinDir());
    static const PalmPalettes palettes = files.Set();
    return palettes;
}

std::ostream& operator<<(std::ostream& out, const LeafText& leaf) {
    return out << "{\"" << leaf.title << "\", \"" << leaf.fact << "\"}";
}

std::vector<LeafText> LeafTexts(const CDocument& doc) {
    std::vector<LeafText> leaves;
    for (std::size_t page = 1; page <= doc.Tree().LeafCount(); ++page) {
        const CLeaf& leaf = *doc.Tree().Entry(doc.Tree().LeafOnPage(page)).Leaf;
        leaves.push_back({leaf.Title(), leaf.Fact()});
    }
    return leaves;
}

}  // namespace trovique::test
