#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/editor/Document.h"
#include "core/validation/Validate.h"
#include "core/validation/ValidationResults.h"
#include "support/DocumentFixture.h"

namespace trovique::test {

// A slide show to validate and the list its findings go to. The slide show starts new: a root
// with its default fields and nothing below it.
class ValidationFixture : public DocumentFixture {
public:
    ValidationFixture() : doc(NewDocument()), results(Ui()) {}

    int Root() const { return doc->Tree().GetNodeInfoIndexOfRoot(); }
    CNode& NodeOf(int index) { return *doc->Tree().Entry(index).Node; }
    CLeaf& LeafOf(int index) { return *doc->Tree().Entry(index).Leaf; }

    int AddNodeUnder(int parent, const std::string& title) {
        doc->Tree().Select(parent);
        const int node = doc->AddNode();
        NodeOf(node).SetTitle(title);
        return node;
    }
    // A FACT leaf that passes every rule.
    int AddFactUnder(int parent, const std::string& title) {
        doc->Tree().Select(parent);
        const int leaf = doc->AddQAF();
        LeafOf(leaf).SetTitle(title);
        return leaf;
    }
    // A QAF leaf that passes every rule.
    int AddQAFUnder(int parent, const std::string& title) {
        const int leaf = AddFactUnder(parent, title);
        CLeaf& record = LeafOf(leaf);
        record.SetFACTOnly(false);
        record.SetDifficulty(3);
        record.SetQuestion("Which is the largest planet?");
        record.SetAnswer(1, "Jupiter");
        record.SetAnswer(2, "Saturn");
        record.SetAnswer(3, "Mars");
        return leaf;
    }
    // A slide show that passes: one category holding one FACT leaf.
    int AddValidBranch() {
        const int category = AddNodeUnder(Root(), "Planets");
        return AddFactUnder(category, "Jupiter");
    }

    bool Check(const CValidationLimit& limit = CValidationLimit::Off()) {
        return Validate(*doc, results, limit);
    }

    // Every message of the list in order.
    std::vector<std::string> Findings() const {
        std::vector<std::string> texts;
        for (const auto& entry : results.Entries()) {
            for (const auto& message : entry.messages) {
                texts.push_back(message.text);
            }
        }
        return texts;
    }

    std::unique_ptr<CDocument> doc;
    CValidationResults results;
};

}  // namespace trovique::test
