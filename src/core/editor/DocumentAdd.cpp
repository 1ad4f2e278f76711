// Adding items: the one way every item of the tree enters a document, whether typed in, read
// from a file, imported or pasted.

#include "core/common/Error.h"
#include "core/editor/Document.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"

namespace trovique {

int CDocument::AddNode() {
    return AddGenNode(ElementKind::Node, {}, nullptr, tree_.Selected(), Relationship::Child,
                      AddOptions::Refresh);
}

int CDocument::AddQAF() {
    return AddGenNode(ElementKind::Leaf, {}, nullptr, tree_.Selected(), Relationship::Child,
                      AddOptions::Refresh);
}

int CDocument::AddGenNode(ElementKind kind, const std::string& title,
                          std::shared_ptr<IElement> record, int peer, Relationship relationship,
                          AddOptions options) {
    if (kind != ElementKind::Root && kind != ElementKind::Node && kind != ElementKind::Leaf) {
        return 0;
    }
    if (kind != ElementKind::Root && relationship != Relationship::Child && !tree_.IsLive(peer)) {
        ReportMessage(services_.ui, "AddGenNode error: No peer node specified.", kStyleExclamation);
        return 0;
    }
    try {
        ForceDirty(true);
        const int index = tree_.Add({.kind = kind,
                                     .title = title,
                                     .record = std::move(record),
                                     .peer = peer,
                                     .relationship = relationship,
                                     .reAdd = Has(options, AddOptions::ReAdd),
                                     .copyableLeaves = properties_.Copyable()});
        if (kind == ElementKind::Root) {
            properties_.TakeFromRoot(*tree_.Entry(index).Node);
        } else {
            CGenElemInfo& entry = tree_.Entry(index);
            if (Has(options, AddOptions::Refresh)) {
                entry.Visited = false;
                tree_.Select(index);
            } else {
                entry.Visited = true;
            }
        }
        tree_.NotifyDocumentChanged();
        return index;
    } catch (const std::exception& error) {
        ReportFailure(services_.ui, TrappedErrorText("AddNode error: ", error), kStyleInformation);
        return 0;
    }
}

}  // namespace trovique
