#include "core/editor/DocumentPresentation.h"

#include "core/editor/Document.h"

namespace trovique {
namespace {

const char* OperationName(int operation) {
    switch (operation) {
        case kOpCut:
            return "Cut";
        case kOpPaste:
            return "Paste";
        case kOpDelete:
            return "Delete";
        case kOpMove:
            return "Move";
        default:
            return "";
    }
}

}  // namespace

int GetRootImage(bool valid, bool expanded) {
    if (valid) {
        return expanded ? kImageNodeValidExpanded : kImageNodeValid;
    }
    return expanded ? kImageNodeInvalidExpanded : kImageNodeInvalid;
}

int GetNodeImage(const CNodeFields& node, bool expanded) {
    return GetRootImage(node.Valid(), expanded);
}

int GetLeafImage(const CLeaf& leaf) {
    if (!leaf.Valid()) {
        return kImageLeafInvalid;
    }
    if (leaf.PasswordProtect()) {
        return kImageLeafProtected;
    }
    if (leaf.ReEdit()) {
        return kImageLeafReEdit;
    }
    return leaf.Highlight() ? kImageLeafHighlight : kImageLeaf;
}

int ItemImage(const CSlideShowTree& tree, int index, bool expanded) {
    const CGenElemInfo& entry = tree.Entry(index);
    if (entry.Leaf) {
        return GetLeafImage(*entry.Leaf);
    }
    return entry.Node ? GetNodeImage(*entry.Node, expanded) : kImageNodeValid;
}

std::string SizeLabel(std::int64_t size) {
    if (size < 1024) {
        return "<1K";
    }
    return std::to_string(size / 1024) + "K";
}

UndoMenuState DescribeUndoMenu(int lastOperation, int mode) {
    UndoMenuState state;
    if (lastOperation == kOpNone) {
        return state;
    }
    state.enabled = true;
    if (mode == kOpRedo) {
        state.caption = "&Redo ";
        state.tag = kOpRedo;
    }
    state.caption += OperationName(lastOperation);
    return state;
}

NodeMenuState SetNodeMenuSelections(const CSlideShowTree& tree,
                                    const CElementClipboard& nodeClipboard) {
    NodeMenuState state;
    const int item = tree.Selected();
    const ElementKind kind = tree.IsLive(item) ? tree.Entry(item).ElemType : ElementKind::Unset;
    const bool nodeOrLeaf = kind == ElementKind::Node || kind == ElementKind::Leaf;
    state.deleteAndGoTo = nodeOrLeaf;
    state.cut = kind != ElementKind::Root;
    state.copy = kind != ElementKind::Root;
    state.paste = nodeClipboard.ContainsData();
    const auto& siblings = tree.Children(tree.Parent(item));
    const bool movable = nodeOrLeaf && siblings.size() > 1;
    state.moveUp = movable && siblings.front() != item;
    state.moveDown = movable && siblings.back() != item;
    state.expandCollapse = kind != ElementKind::Leaf;
    state.convertLeaf = kind == ElementKind::Leaf;
    state.isLeaf = kind == ElementKind::Leaf;
    return state;
}

std::string RelabelForKind(std::string_view caption, bool isLeaf) {
    const std::size_t space = caption.rfind(' ');
    std::string label(space == std::string_view::npos ? std::string_view{}
                                                      : caption.substr(0, space + 1));
    return label + (isLeaf ? "Leaf" : "Node");
}

std::size_t TextFieldLimit(TextField field) {
    switch (field) {
        case TextField::SlideShowTitle:
        case TextField::NodeTitle:
            return 25;
        case TextField::LeafTitle:
            return 255;
        case TextField::Question:
        case TextField::SplashComments:
        case TextField::AboutComments:
            return 250;
        case TextField::Answer1:
        case TextField::Answer2:
        case TextField::Answer3:
        case TextField::Answer4:
            return 110;
        case TextField::Fact:
            return 10000;
        case TextField::CreatorID:
        case TextField::PageNumber:
            return 4;
        case TextField::ProgramIconName:
            return 10;
    }
    return 0;
}

std::string FieldText(const CDocument& document, int item, TextField field) {
    const CSlideShowTree& tree = document.Tree();
    const int root = tree.GetNodeInfoIndexOfRoot();
    const CNode* rootNode = tree.IsLive(root) ? tree.Entry(root).Node.get() : nullptr;
    const CLeaf* leaf = tree.IsLive(item) ? tree.Entry(item).Leaf.get() : nullptr;
    switch (field) {
        case TextField::SlideShowTitle:
            return rootNode ? rootNode->Title() : std::string();
        case TextField::NodeTitle:
            return tree.IsLive(item) && tree.Entry(item).ElemType == ElementKind::Node
                       ? tree.Entry(item).Title()
                       : std::string();
        case TextField::CreatorID:
            return document.Properties().Header().Creator();
        case TextField::ProgramIconName:
            return rootNode ? rootNode->ProgramIconName() : std::string();
        case TextField::SplashComments:
            return rootNode ? rootNode->SplashComments() : std::string();
        case TextField::AboutComments:
            return rootNode ? rootNode->AboutComments() : std::string();
        default:
            break;
    }
    if (leaf == nullptr) {
        return {};
    }
    switch (field) {
        case TextField::LeafTitle:
            return leaf->Title();
        case TextField::Question:
            return leaf->Question();
        case TextField::Answer1:
        case TextField::Answer2:
        case TextField::Answer3:
        case TextField::Answer4:
            return leaf->GetAnswer(static_cast<int>(field) - static_cast<int>(TextField::Answer1) +
                                   1);
        case TextField::Fact:
            return leaf->Fact();
        case TextField::PageNumber:
            return std::to_string(leaf->LPI());
        default:
            return {};
    }
}

}  // namespace trovique
