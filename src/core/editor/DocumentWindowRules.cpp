#include "core/editor/DocumentWindowRules.h"

#include "core/editor/Document.h"
#include "core/services/Messages.h"

namespace trovique {

std::string ItemToolTip(const CSlideShowTree& tree, int index) {
    if (!tree.IsLive(index) || !tree.Entry(index).IsLeaf() || !tree.Entry(index).Leaf) {
        return {};
    }
    return "Slide " + std::to_string(tree.Entry(index).Leaf->LPI());
}

std::string CloseQuestionText(const std::string& caption) {
    return "Data has changed for:\r\n" + caption + ".\r\n\r\nSave it now?";
}

bool QueryCloseDocument(CDocument& document, const std::function<bool()>& save) {
    if (!document.Dirty()) {
        return true;
    }
    switch (ReportMessage(document.Services().ui, CloseQuestionText(document.WindowTitle()),
                          kStyleYesNoCancel)) {
        case MessageAnswer::No:
            return true;
        case MessageAnswer::Yes:
            return save && save();
        default:
            return false;
    }
}

bool RedoOffered(const UndoMenuState& undo) {
    return undo.enabled && undo.tag == kOpRedo;
}

}  // namespace trovique
