#pragma once

#include <memory>

#include "core/app/MemorySettingsStore.h"
#include "core/app/Services.h"
#include "core/editor/Document.h"
#include "core/imaging/Palette.h"
#include "support/ScriptedUserInterface.h"

namespace trovique::test {

// The handheld palettes, loaded once from the files beside the built programs.
const PalmPalettes& TestPalettes();

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

    int Root() const { return doc->GetNodeInfoIndexOfRoot(); }
    int AddNodeUnder(int parent) {
        doc->Select(parent);
        return doc->AddNode();
    }
    int AddLeafUnder(int parent) {
        doc->Select(parent);
        return doc->AddQAF();
    }

    std::unique_ptr<CDocument> doc;
};

}  // namespace trovique::test
