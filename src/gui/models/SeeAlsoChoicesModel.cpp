#include "gui/models/SeeAlsoChoicesModel.h"

#include <algorithm>

#include "core/editor/Document.h"
#include "core/editor/PaneContent.h"
#include "gui/ui/GuiText.h"

namespace trovique::gui {

SeeAlsoChoicesModel::SeeAlsoChoicesModel(CDocument& document, QObject* parent)
    : QAbstractListModel(parent), document_(document), choices_(document.Tree().SeeAlsoChoices()) {
    document_.Tree().AddObserver(this);
}

SeeAlsoChoicesModel::~SeeAlsoChoicesModel() {
    document_.Tree().RemoveObserver(this);
}

int SeeAlsoChoicesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(choices_.size()) + 1;
}

QVariant SeeAlsoChoicesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() > static_cast<int>(choices_.size())) {
        return {};
    }
    const int target = index.row() == 0 ? 0 : choices_[static_cast<std::size_t>(index.row() - 1)];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            if (target == 0 || !document_.Tree().IsNodeIDValid(target)) {
                return QString::fromLatin1(kSeeAlsoNone);
            }
            return FromCore(FieldDisplayText(document_, target, TextField::LeafTitle));
        case Qt::UserRole:
            return target;
        default:
            return {};
    }
}

int SeeAlsoChoicesModel::RowOf(int target) const {
    if (target == 0) {
        return 0;
    }
    const auto found = std::find(choices_.begin(), choices_.end(), target);
    return found == choices_.end() ? -1 : static_cast<int>(found - choices_.begin()) + 1;
}

void SeeAlsoChoicesModel::DocumentChanged() {
    const std::vector<int>& now = document_.Tree().SeeAlsoChoices();
    if (now != choices_) {
        beginResetModel();
        choices_ = now;
        endResetModel();
    } else if (!choices_.empty()) {
        // A title may have changed.
        emit dataChanged(index(1), index(static_cast<int>(choices_.size())));
    }
}

}  // namespace trovique::gui
