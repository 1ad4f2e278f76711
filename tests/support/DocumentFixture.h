#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/editor/Document.h"
#include "core/imaging/Palette.h"
#include "core/services/MemorySettingsStore.h"
#include "core/services/Services.h"
#include "support/ScriptedUserInterface.h"

namespace trovique::test {

// The handheld palettes, loaded once from the files beside the built programs.
const PalmPalettes& TestPalettes();

// A slide's title and fact, for comparing what an import made.
struct LeafText {
    std::string title;
    std::string fact;
    bool operator==(const LeafText&) const = default;
};
std::ostream& operator<<(std::ostream& out, const LeafText& leaf);

// The title and fact of every leaf of doc, in page order.
std::vector<LeafText> LeafTexts(const CDocument& doc);

// What a document needs around it in a test: an in-memory settings store, a scripted user and
// the palettes.
class DocumentFixture {
public:
    DocumentFixture() : services_{settings_, ui_} {}

    MemorySettingsStore& Settings() { return settings_; }
    CScriptedUserInterface& Ui() { return ui_; }
    CServices& Services() { return services_; }
    std::unique_ptr<CDocument> NewDocument() {
        return std::make_unique<CDocument>(services_, TestPalettes());
    }

private:
    MemorySettingsStore settings_;
    CScriptedUserInterface ui_;
    CServices services_;
};

// A new document with the author's add commands at hand: the base of the editor's tests.
class DocumentTestBase : public DocumentFixture {
protected:
    DocumentTestBase() : doc(NewDocument()) {}

    int Root() const { return doc->Tree().GetNodeInfoIndexOfRoot(); }
    int AddNodeUnder(int parent) {
        doc->Tree().Select(parent);
        return doc->AddNode();
    }
    int AddLeafUnder(int parent) {
        doc->Tree().Select(parent);
        return doc->AddQAF();
    }

    std::unique_ptr<CDocument> doc;
};

}  // namespace trovique::test
