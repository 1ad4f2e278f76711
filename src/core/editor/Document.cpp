#include "core/editor/Document.h"

#include <algorithm>
#include <filesystem>

#include "core/app/MessageStyle.h"
#include "core/app/Messages.h"
#include "core/common/Error.h"

namespace trovique {
namespace {

const std::vector<int> kNoChildren;

}  // namespace

CDocument::CDocument(CServices& services, PalmPalettes palettes)
    : services_(services), palettes_(palettes), caption_("New Slide Show") {
    AddGenNode(kKindRoot, {}, nullptr, 0, Relationship::Child, false, false);
    if (root_ != 0) {
        Entry(root_).Node->SetProgramIconName("Quodex");
    }
    // Nothing the author did yet: a new, untouched slide show closes without a save prompt.
    dirty_ = false;
}

void CDocument::AddObserver(IDocumentObserver* observer) {
    observers_.push_back(observer);
}

void CDocument::RemoveObserver(IDocumentObserver* observer) {
    std::erase(observers_, observer);
}

// ---- Element table ----

bool CDocument::IsNodeIDValid(int index) const {
    return index >= 1 && static_cast<std::size_t>(index) <= capacity_;
}

CGenElemInfo& CDocument::Entry(int index) {
    return const_cast<CGenElemInfo&>(std::as_const(*this).Entry(index));
}

const CGenElemInfo& CDocument::Entry(int index) const {
    if (!IsNodeIDValid(index)) {
        throw CError::Object(kErrValueOutOfRange, "frmDocument:Entry");
    }
    return elements_[static_cast<std::size_t>(index)];
}

bool CDocument::IsLive(int index) const {
    if (!IsNodeIDValid(index)) {
        return false;
    }
    const CGenElemInfo& entry = elements_[static_cast<std::size_t>(index)];
    return entry.Used() && entry.InTree && !entry.Deleted;
}

void CDocument::EnsureCapacity(std::size_t index) {
    while (capacity_ < index) {
        capacity_ += kTableGrowth;
    }
    elements_.resize(capacity_ + 1);
}

// ---- Tree ----

int CDocument::Parent(int index) const {
    return IsLive(index) ? Entry(index).Parent : 0;
}

const std::vector<int>& CDocument::Children(int index) const {
    return IsLive(index) ? Entry(index).Children : kNoChildren;
}

int CDocument::FirstChild(int index) const {
    const auto& children = Children(index);
    return children.empty() ? 0 : children.front();
}

int CDocument::LastChild(int index) const {
    const auto& children = Children(index);
    return children.empty() ? 0 : children.back();
}

std::size_t CDocument::Row(int index) const {
    const auto& siblings = Children(Parent(index));
    const auto it = std::find(siblings.begin(), siblings.end(), index);
    return static_cast<std::size_t>(it - siblings.begin());
}

int CDocument::NextSibling(int index) const {
    const int parent = Parent(index);
    if (parent == 0) {
        return 0;
    }
    const auto& siblings = Children(parent);
    const std::size_t row = Row(index);
    return row + 1 < siblings.size() ? siblings[row + 1] : 0;
}

int CDocument::PreviousSibling(int index) const {
    const int parent = Parent(index);
    if (parent == 0) {
        return 0;
    }
    const std::size_t row = Row(index);
    return row > 0 ? Children(parent)[row - 1] : 0;
}

std::string CDocument::ItemKey(int index) {
    return std::to_string(index) + "a";
}

int CDocument::IndexOfItemKey(std::string_view key) const {
    if (key.size() < 2 || key.back() != 'a' || key.size() > 7) {
        return 0;
    }
    int index = 0;
    for (const char c : key.substr(0, key.size() - 1)) {
        if (c < '0' || c > '9') {
            return 0;
        }
        index = index * 10 + (c - '0');
    }
    return IsLive(index) ? index : 0;
}

int CDocument::Level(int index) const {
    if (!IsLive(index) || Entry(index).IsLeaf()) {
        return 0;
    }
    return Entry(index).NodeType;
}

bool CDocument::IsExpanded(int index) const {
    return IsLive(index) && Entry(index).Expanded;
}

void CDocument::SetExpanded(int index, bool expanded) {
    if (!IsLive(index)) {
        return;
    }
    CGenElemInfo& entry = Entry(index);
    entry.Expanded = expanded;
    if (entry.Node) {
        entry.Node->SetExpanded(expanded);
    }
    NotifyItemChanged(index);
}

std::vector<int> CDocument::Preorder(int index) const {
    std::vector<int> order;
    if (!IsLive(index)) {
        return order;
    }
    std::vector<int> stack = {index};
    while (!stack.empty()) {
        const int current = stack.back();
        stack.pop_back();
        order.push_back(current);
        const auto& children = Entry(current).Children;
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
    return order;
}

void CDocument::Select(int index) {
    selected_ = IsLive(index) ? index : 0;
    for (auto* observer : observers_) {
        observer->SelectionChanged(selected_);
    }
}

void CDocument::GoToRoot() {
    Select(root_);
}

void CDocument::GoToParent() {
    const int parent = Parent(selected_);
    Select(parent != 0 ? parent : root_);
}

void CDocument::ClearTree() {
    elements_.clear();
    capacity_ = 0;
    nextFreeIndex_ = 1;
    root_ = 0;
    selected_ = 0;
    pages_.clear();
    pageCapacity_ = 0;
    leafCount_ = 0;
    levelCounts_ = {};
    leafCounter_ = 0;
    nodeTitleCounter_ = 0;
    leafTitleCounter_ = 0;
    elementsAdded_ = 0;
    nodesAdded_ = 0;
    dbSize_ = 0;
    monochromeSplash_ = {};
    colorSplash_ = {};
    seeAlsoChoices_.clear();
    for (auto* observer : observers_) {
        observer->TreeCleared();
    }
}

void CDocument::InsertItem(int index, Placement placement) {
    for (auto* observer : observers_) {
        observer->ItemAboutToBeInserted(placement.parent, placement.row);
    }
    CGenElemInfo& entry = Entry(index);
    entry.Parent = placement.parent;
    entry.Children.clear();
    entry.InTree = true;
    if (placement.parent == 0) {
        root_ = index;
    } else {
        auto& siblings = Entry(placement.parent).Children;
        siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(placement.row), index);
    }
    for (auto* observer : observers_) {
        observer->ItemInserted(index);
    }
}

// ---- Size estimate ----

void CDocument::SetDBSize(std::int64_t size) {
    dbSize_ = size;
    NotifyDocumentChanged();
}

std::string CDocument::SizeLabel(std::int64_t size) {
    if (size < 1024) {
        return "<1K";
    }
    return std::to_string(size / 1024) + "K";
}

std::int64_t CDocument::SizeContribution(const CGenElemInfo& entry) {
    switch (entry.ElemType) {
        case kKindRoot:
            return kRootSize;
        case kKindNode:
            return kNodeSize;
        case kKindLeaf:
            if (!entry.Leaf) {
                return 0;
            }
            if (entry.Leaf->BITMAPOnly()) {
                return kBitmapLeafBaseSize + entry.Leaf->GetPalmBitmapSize();
            }
            return entry.Leaf->FACTOnly() ? kFactLeafSize : kQAFLeafSize;
        default:
            return 0;
    }
}

std::int64_t CDocument::ComputeDBSize() const {
    std::int64_t size = 0;
    for (const int index : Preorder(root_)) {
        size += SizeContribution(Entry(index));
    }
    // The splash pictures travel with the root.
    for (const SplashPicture* splash : {&monochromeSplash_, &colorSplash_}) {
        size += splash->palm ? splash->palm->EstFileSize() : 0;
    }
    return size;
}

// ---- Flags, file and caption ----

void CDocument::ForceDirty(bool dirty) {
    if (dirty_ != dirty) {
        dirty_ = dirty;
        NotifyDocumentChanged();
    }
}

void CDocument::SetFileName(std::string fileName) {
    fileName_ = std::move(fileName);
    NotifyDocumentChanged();
}

void CDocument::InitialCaption(std::string caption) {
    caption_ = std::move(caption);
    NotifyDocumentChanged();
}

std::string CDocument::WindowTitle() const {
    if (!fileName_.empty()) {
        return std::filesystem::path(fileName_).filename().string();
    }
    return caption_;
}

// ---- Switches ----

bool CDocument::Switch(int number) const {
    return number >= 0 && number < 3 && switches_[static_cast<std::size_t>(number)];
}

void CDocument::SetSwitch(int number, bool on) {
    if (number >= 0 && number < 3) {
        switches_[static_cast<std::size_t>(number)] = on;
        NotifyDocumentChanged();
    }
}

void CDocument::SetPassword(std::string password) {
    password_ = std::move(password);
    NotifyDocumentChanged();
}

void CDocument::SetLocked(bool locked) {
    locked_ = locked;
    NotifyDocumentChanged();
}

void CDocument::SetStructured(bool structured) {
    structured_ = structured;
    NotifyDocumentChanged();
}

// ---- Display ----

bool CDocument::DisplayItem(int elementIndex) {
    if (!IsNodeIDValid(elementIndex) || Entry(elementIndex).Deleted ||
        !Entry(elementIndex).InTree) {
        ReportMessage(services_.ui, "The node has been deleted.", kStyleInformation);
        return false;
    }
    Select(elementIndex);
    return true;
}

void CDocument::NotifyItemChanged(int index) {
    for (auto* observer : observers_) {
        observer->ItemChanged(index);
    }
}

void CDocument::NotifyDocumentChanged() {
    for (auto* observer : observers_) {
        observer->DocumentChanged();
    }
}

}  // namespace trovique
