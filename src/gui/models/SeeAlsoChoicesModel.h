#pragma once

#include <QAbstractListModel>
#include <vector>

#include "core/document/DocumentObserver.h"

namespace trovique {
class CDocument;
}

namespace trovique::gui {

// The entries of the See-Also lists over the document's leaves: "<None>" (item data 0) first,
// then each leaf that may be linked, labelled with its title and carrying its element index as
// item data. The three lists share it; it follows titles as they change.
class SeeAlsoChoicesModel : public QAbstractListModel, private IDocumentObserver {
    Q_OBJECT
public:
    explicit SeeAlsoChoicesModel(CDocument& document, QObject* parent = nullptr);
    ~SeeAlsoChoicesModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // The row of target (0 for none), -1 when target is not among the entries.
    int RowOf(int target) const;

private:
    void DocumentChanged() override;
    void BatchEnd() override { DocumentChanged(); }
    void ResetEnded() override { DocumentChanged(); }

    CDocument& document_;
    // The leaves the entries show, as the document offered them when last looked at.
    std::vector<int> choices_;
};

}  // namespace trovique::gui
