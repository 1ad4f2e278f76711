#include "core/editor/Document.h"

#include <filesystem>

#include "core/common/Error.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"

namespace trovique {

CDocument::CDocument(CServices& services, PalmPalettes palettes)
    : services_(services),
      palettes_(palettes),
      properties_([this] { tree_.NotifyDocumentChanged(); }),
      caption_("New Slide Show") {
    AddGenNode(ElementKind::Root, {}, nullptr, 0, Relationship::Child, AddOptions::None);
    if (const int root = tree_.GetNodeInfoIndexOfRoot(); root != 0) {
        tree_.Entry(root).Node->SetProgramIconName("Quodex");
    }
    // Nothing the author did yet: a new, untouched slide show closes without a save prompt.
    dirty_ = false;
}

void CDocument::ClearTree() {
    properties_.ClearSplash();
    tree_.Clear();
    // The record names elements of the tree that is gone; undoing it would act on whatever the
    // next file puts at those indices.
    undoClipboard_.Clear();
    UpdateEditMenu(kOpUndo);
}

std::int64_t CDocument::ComputeDBSize() const {
    return tree_.ComputeTreeSize() + properties_.SplashSize();
}

// ---- Flags, file and caption ----

void CDocument::ForceDirty(bool dirty) {
    if (dirty_ != dirty) {
        dirty_ = dirty;
        tree_.NotifyDocumentChanged();
    }
}

void CDocument::SetFileName(std::string fileName) {
    fileName_ = std::move(fileName);
    tree_.NotifyDocumentChanged();
}

void CDocument::InitialCaption(std::string caption) {
    caption_ = std::move(caption);
    tree_.NotifyDocumentChanged();
}

std::string CDocument::WindowTitle() const {
    if (!fileName_.empty()) {
        return std::filesystem::path(fileName_).filename().string();
    }
    return caption_;
}

// ---- Display ----

bool CDocument::DisplayItem(int elementIndex) {
    if (!tree_.IsNodeIDValid(elementIndex) || tree_.Entry(elementIndex).Deleted ||
        !tree_.Entry(elementIndex).InTree) {
        ReportMessage(services_.ui, "The node has been deleted.", kStyleInformation);
        return false;
    }
    tree_.Select(elementIndex);
    return true;
}

}  // namespace trovique
