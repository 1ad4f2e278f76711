#include "gui/models/ValidationResultsModel.h"

#include <QApplication>
#include <QStyle>

#include "core/codec/Windows1252.h"
#include "gui/ui/GuiText.h"

namespace trovique::gui {

using NodeRef = CValidationResults::NodeRef;

ValidationResultsModel::ValidationResultsModel(CValidationResults& results, QObject* parent)
    : QAbstractItemModel(parent), results_(results) {
    results_.AddObserver(this);
}

ValidationResultsModel::~ValidationResultsModel() {
    results_.RemoveObserver(this);
}

QModelIndex ValidationResultsModel::index(int row, int column, const QModelIndex& parent) const {
    if (!hasIndex(row, column, parent)) {
        return {};
    }
    if (!parent.isValid()) {
        return createIndex(row, column, quintptr{0});
    }
    return createIndex(row, column, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex ValidationResultsModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == 0) {
        return {};
    }
    return createIndex(static_cast<int>(child.internalId() - 1), 0, quintptr{0});
}

int ValidationResultsModel::rowCount(const QModelIndex& parent) const {
    const auto& entries = results_.Entries();
    if (!parent.isValid()) {
        return static_cast<int>(entries.size());
    }
    if (parent.column() != 0 || parent.internalId() != 0) {
        return 0;
    }
    const auto row = static_cast<std::size_t>(parent.row());
    return row < entries.size() ? static_cast<int>(entries[row].messages.size()) : 0;
}

int ValidationResultsModel::columnCount(const QModelIndex&) const {
    return 1;
}

NodeRef ValidationResultsModel::NodeOf(const QModelIndex& index) {
    if (index.internalId() == 0) {
        return {static_cast<std::size_t>(index.row()), std::nullopt};
    }
    return {static_cast<std::size_t>(index.internalId() - 1),
            static_cast<std::size_t>(index.row())};
}

QModelIndex ValidationResultsModel::IndexOf(const NodeRef& node) const {
    const QModelIndex entry = index(static_cast<int>(node.entry), 0);
    if (!entry.isValid() || !node.message) {
        return entry;
    }
    return index(static_cast<int>(*node.message), 0, entry);
}

int ValidationResultsModel::ImageOf(const QModelIndex& index) const {
    if (!index.isValid()) {
        return 0;
    }
    if (index.internalId() != 0) {
        return CValidationResults::kImageMessage;
    }
    return results_.Entries()[static_cast<std::size_t>(index.row())].Image();
}

QVariant ValidationResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() != 0) {
        return {};
    }
    const NodeRef node = NodeOf(index);
    const auto& entries = results_.Entries();
    if (node.entry >= entries.size()) {
        return {};
    }
    const auto& entry = entries[node.entry];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole: {
            const std::string& text =
                node.message ? entry.messages.at(*node.message).text : entry.text;
            return FromCore(Windows1252ToUtf8(text));
        }
        case Qt::DecorationRole:
            return ValidationImage(ImageOf(index));
        default:
            return {};
    }
}

void ValidationResultsModel::ResultsChanged() {
    beginResetModel();
    endResetModel();
}

void ValidationResultsModel::SelectionChanged() {
    emit selectionMoved();
}

void ValidationResultsModel::VisibilityChanged(bool visible, bool bringToFront) {
    if (onVisibility) {
        onVisibility(visible, bringToFront);
    }
}

QIcon ValidationImage(int image) {
    QStyle* style = QApplication::style();
    switch (image) {
        case CValidationResults::kImageMessage:
            return style->standardIcon(QStyle::SP_MessageBoxWarning);
        case CValidationResults::kImageNodeItem:
            return style->standardIcon(QStyle::SP_DirIcon);
        case CValidationResults::kImageLeafItem:
            return style->standardIcon(QStyle::SP_FileIcon);
        case CValidationResults::kImageOtherItem:
            return style->standardIcon(QStyle::SP_BrowserStop);
        default:
            return {};
    }
}

}  // namespace trovique::gui
