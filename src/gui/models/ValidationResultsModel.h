#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <functional>

#include "core/validation/ValidationResults.h"

namespace trovique::gui {

// The findings of CValidationResults as a two-level tree: item entries at the top, their
// messages below. The internal id of a message is its entry's row + 1; entries carry 0. The
// model keeps nothing of its own: every answer is read from the results, and it is reset
// whenever the results say that they changed.
class ValidationResultsModel : public QAbstractItemModel, private IValidationResultsObserver {
    Q_OBJECT
public:
    explicit ValidationResultsModel(CValidationResults& results, QObject* parent = nullptr);
    ~ValidationResultsModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The results' node of an index, and back.
    static CValidationResults::NodeRef NodeOf(const QModelIndex& index);
    QModelIndex IndexOf(const CValidationResults::NodeRef& node) const;
    // The image number of an index (1 message, 3 root or node, 4 leaf, 5 stop entry).
    int ImageOf(const QModelIndex& index) const;

    // Told when the window is to show or hide.
    std::function<void(bool visible, bool bringToFront)> onVisibility;

signals:
    // The results' selection moved (Go To, HighlightFirstItem, a new run).
    void selectionMoved();

private:
    void ResultsChanged() override;
    void SelectionChanged() override;
    void VisibilityChanged(bool visible, bool bringToFront) override;

    CValidationResults& results_;
};

// The pictures of the tree's image list, by image number.
QIcon ValidationImage(int image);

}  // namespace trovique::gui
