// The shape rules that paste, move, undo and indent keep: five node levels, at most 256 node
// children of one node, and no node holding both nodes and leaves.

#include "core/codec/Windows1252.h"
#include "core/editor/Document.h"
#include "core/model/NodeLevel.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"

namespace trovique {
namespace {

constexpr int kMaxNodeLevels = 5;
constexpr int kMaxNodeChildren = 256;
constexpr const char* kCrLf = "\r\n";

std::string LevelsMessage() {
    std::string text = "Only " + std::to_string(kMaxNodeLevels) + " node levels are allowed: ";
    text += kCrLf;
    for (int level = kLevelSlideShow; level <= kLevelSubTopic; ++level) {
        text += kCrLf;
        text += NodeLevelName(level);
    }
    text += std::string(kCrLf) + kCrLf;
    text += "Pasting Node Clipboard data here would result in more than " +
            std::to_string(kMaxNodeLevels) + " node levels.";
    return text;
}

}  // namespace

void CDocument::ReportRefusal(const std::string& text, MessageStyle style, bool showMessage) const {
    if (showMessage) {
        ReportMessage(services_.ui, text, style);
    }
}

bool CDocument::IsPasteNodeValid(int target, bool showMessage,
                                 const CElementClipboard* clipboard) const {
    const CElementClipboard& data = clipboard != nullptr ? *clipboard : *nodeClipboard_;
    const auto refuse = [&](const std::string& text) {
        ReportRefusal(text, kStyleCritical, showMessage);
        return false;
    };
    if (!data.ContainsData()) {
        return refuse("The Node Clipboard contains no data.");
    }
    if (!tree_.IsLive(target)) {
        return false;
    }
    if (tree_.Entry(target).IsLeaf()) {
        return data.NumNodes() < 1 || refuse("You can not paste onto Leaves.");
    }
    if (tree_.Level(target) + data.MaxNodelevel() > kLevelSubTopic) {
        return refuse(LevelsMessage());
    }
    const int firstChild = tree_.FirstChild(target);
    const bool firstChildIsLeaf = firstChild != 0 && tree_.Entry(firstChild).IsLeaf();
    if (data.MinLeafLevel() == 1 && firstChild != 0 && !firstChildIsLeaf) {
        return refuse(
            "Pasting data here would result in a Leaf being at the same level as a non-Leaf "
            "node.");
    }
    if (data.MinNodelevel() != 1 || firstChild == 0) {
        return true;
    }
    if (firstChildIsLeaf) {
        return refuse(
            "Pasting a non-Leaf node (Major Category, Sub Category, Major Topic, Sub Topic) "
            "containing Leaves onto another non-Leaf node containing Leaves is not allowed.");
    }
    // A branch moved under its own parent is still counted among the parent's children.
    const int limit = kMaxNodeChildren +
                      (data.LastOperation() == kOpMove && data.LastOpParent() == target ? 1 : 0);
    if (static_cast<int>(tree_.Children(target).size()) >= limit) {
        return refuse("Pasting data here would result in more than " +
                      std::to_string(kMaxNodeChildren) + " nodes under " +
                      Windows1252ToUtf8(tree_.Entry(target).Title()) + ".");
    }
    return true;
}

bool CDocument::IsIndentOK(int item, IndentScope scope, bool showMessage) const {
    const auto refuse = [&](const std::string& text) {
        ReportRefusal(text, kStyleInformation, showMessage);
        return false;
    };
    if (!tree_.IsLive(item)) {
        return false;
    }
    const bool children = scope == IndentScope::Children;
    if (!children && item == tree_.GetNodeInfoIndexOfRoot()) {
        return refuse("The Root node can not be indented.");
    }
    if (tree_.Entry(item).IsLeaf()) {
        return refuse(
            "Leaves can not be Indented directly.  Use Indent All Children from a Leaf's parent "
            "node.");
    }
    if (tree_.GetChildNodeTypeCount(item, kLevelSubTopic) > 0) {
        return refuse("Only " + std::to_string(kMaxNodeLevels) + " node levels are allowed." +
                      kCrLf + "Indenting here would result in more than " +
                      std::to_string(kMaxNodeLevels) + " node levels.");
    }
    if (children && tree_.Children(item).empty()) {
        return refuse("The selected node has no children to Indent.");
    }
    return true;
}

}  // namespace trovique
