// Counting and paths of tree items.

#include "core/document/SlideShowTree.h"
#include "core/model/NodeLevel.h"

namespace trovique {

int CSlideShowTree::LevelCount(int level) const {
    if (level == kLevelLeaves) {
        return leafCounter_;
    }
    if (level < kLevelSlideShow || level > kLevelSubTopic) {
        return 0;
    }
    return levelCounts_[static_cast<std::size_t>(level - kLevelSlideShow)];
}

void CSlideShowTree::RecountNodesAndLeaves() {
    LevelCounts counts{};
    int leaves = 0;
    if (root_ != 0) {
        GetChildCounts(root_, counts, leaves, true);
    }
    for (int level = kLevelSlideShow; level <= kLevelSubTopic; ++level) {
        levelCounts_[static_cast<std::size_t>(level - kLevelSlideShow)] =
            counts[static_cast<std::size_t>(level)];
    }
    leafCounter_ = leaves;
    NotifyDocumentChanged();
}

int CSlideShowTree::GetNumChildren(ElementKind kind, int item) const {
    int count = 0;
    for (const int child : Children(item)) {
        count += Entry(child).ElemType == kind ? 1 : 0;
    }
    return count;
}

int CSlideShowTree::GetChildCounts(int item, LevelCounts& counts, int& leafCount,
                                   bool reset) const {
    if (reset) {
        counts = {};
        leafCount = 0;
    }
    int visited = 0;
    for (const int index : Preorder(item)) {
        const CGenElemInfo& entry = Entry(index);
        if (entry.IsLeaf()) {
            ++leafCount;
        } else if (entry.NodeType >= 1 && entry.NodeType <= 15) {
            ++counts[static_cast<std::size_t>(entry.NodeType)];
        }
        ++visited;
    }
    return visited;
}

int CSlideShowTree::GetChildNodeTypeCount(int item, int level) const {
    LevelCounts counts{};
    int leaves = 0;
    GetChildCounts(item, counts, leaves, true);
    return level >= 1 && level <= 15 ? counts[static_cast<std::size_t>(level)] : 0;
}

int CSlideShowTree::GetChildCount(int item) const {
    const auto branch = Preorder(item);
    return branch.empty() ? 0 : static_cast<int>(branch.size()) - 1;
}

int CSlideShowTree::GetChildLeafCount(int item, int& lowestPage) const {
    int leaves = 0;
    lowestPage = 0;
    const auto branch = Preorder(item);
    for (std::size_t i = 1; i < branch.size(); ++i) {
        const CGenElemInfo& entry = Entry(branch[i]);
        if (entry.IsLeaf()) {
            ++leaves;
            const int page = entry.Leaf->LPI();
            if (lowestPage == 0 || page < lowestPage) {
                lowestPage = page;
            }
        }
    }
    return leaves;
}

std::string CSlideShowTree::GetNodePath(int item, bool includeSelf) const {
    std::vector<int> ancestors;
    for (int current = Parent(item); current != 0; current = Parent(current)) {
        ancestors.push_back(current);
    }
    std::string path;
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
        if (!path.empty() || it != ancestors.rbegin()) {
            path += '\\';
        }
        path += Entry(*it).Title();
    }
    if (includeSelf && IsLive(item)) {
        path += '\\';
        path += Entry(item).Title();
    }
    return path;
}

}  // namespace trovique
