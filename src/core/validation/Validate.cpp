#include "core/validation/Validate.h"

#include <string>

#include "core/codec/Windows1252.h"
#include "core/common/Error.h"
#include "core/editor/Document.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"
#include "core/validation/ValidationResults.h"
#include "core/validation/ValidationRules.h"

namespace trovique {
namespace {

// The percentage belongs to this run only; it is cleared on every way out.
class PercentageScope {
public:
    explicit PercentageScope(CStatusBar& statusBar) : statusBar_(statusBar) {
        statusBar_.ClearPercentage();
    }
    ~PercentageScope() {
        statusBar_.ClearPercentage();
        statusBar_.Refresh();
    }
    PercentageScope(const PercentageScope&) = delete;
    PercentageScope& operator=(const PercentageScope&) = delete;

private:
    CStatusBar& statusBar_;
};

// The outcome of an item's own rules goes into its record; a change marks the document and
// tells its views, whose pictures show it.
void StoreOutcome(CDocument& document, int index, bool passed) {
    CGenElemInfo& entry = document.Tree().Entry(index);
    bool changed = false;
    if (entry.Node && entry.Node->Valid() != passed) {
        entry.Node->SetValid(passed);
        changed = true;
    } else if (entry.Leaf && entry.Leaf->Valid() != passed) {
        entry.Leaf->SetValid(passed);
        changed = true;
    }
    if (changed) {
        document.ForceDirty(true);
        document.Tree().NotifyItemChanged(index, ItemAspect::Image);
    }
}

bool CheckItem(CDocument& document, CValidationRun& run, int index) {
    const CGenElemInfo& entry = document.Tree().Entry(index);
    const std::string reference =
        std::to_string(index) + ":" + document.Tree().GetNodePath(index, true);
    switch (entry.ElemType) {
        case ElementKind::Root:
            return run.CheckRoot(reference, RootPaneValuesOf(document));
        case ElementKind::Node:
            return entry.Node == nullptr || run.CheckNode(reference, *entry.Node, entry.NodeType);
        case ElementKind::Leaf:
            return entry.Leaf == nullptr || run.CheckLeaf(reference, *entry.Leaf);
        default:
            return true;
    }
}

// One pass over the tree in tree order; returns whether every item passed.
bool CheckTree(CDocument& document, CValidationResults& results, const CValidationLimit& limit) {
    CStatusBar& statusBar = document.Services().ui.StatusBar();
    const PercentageScope percentage(statusBar);
    const CStatusTextScope status(statusBar, "Validating...");
    CValidationRun run(results, limit);

    const int root = document.Tree().GetNodeInfoIndexOfRoot();
    if (root == 0) {
        // Nothing was read into the window: there is no slide to export.
        results.AddEntry("0:", "There must be at least one Slide in this Database.",
                         DocumentControl::Tree, ElementKind::Root, false);
        return false;
    }
    statusBar.SetNumItems(document.Tree().GetChildCount(root) + 1);
    statusBar.Refresh();
    // Preorder is the order the items are shown in; walking it with a stack of our own keeps a
    // deep tree from a damaged file off the call stack.
    for (const int index : document.Tree().Preorder(root)) {
        // SetText shows the percentage of the items done before this one.
        statusBar.SetText("Validating " + Windows1252ToUtf8(document.Tree().Entry(index).Title()));
        StoreOutcome(document, index, CheckItem(document, run, index));
        statusBar.IncNumItemsComplete();
        if (run.Stopped()) {
            run.AddStopEntry();
            break;
        }
    }
    return run.ErrorCount() == 0;
}

}  // namespace

bool Validate(CDocument& document, CValidationResults& results, const CValidationLimit& limit) {
    IUserInterface& ui = document.Services().ui;
    const MousePointer pointer = ui.Pointer();
    ui.SetPointer(MousePointer::Hourglass);
    results.Hide();
    results.Clear();
    results.SetDocForm(&document);

    bool passed = false;
    TrapErrors(
        "Validate error: ",
        [&](const std::string& text) { ReportFailure(ui, text, kStyleCritical); },
        [&] { passed = CheckTree(document, results, limit); });

    if (!passed) {
        results.HighlightFirstItem();
    }
    results.Show(!passed);
    ui.SetPointer(pointer);
    return passed;
}

}  // namespace trovique
