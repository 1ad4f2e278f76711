#pragma once

#include <QWidget>
#include <memory>

namespace trovique {
class CDocument;
class CHandheldPreviewCache;
}  // namespace trovique

namespace trovique::gui {

// The selected slide as the handheld will show it, drawn from what export writes: the colour
// and the grey picture at 1x or 2x, title, page and notes, the record size against the 64 KB
// limit and, for QAF and FACT leaves, the text broken into the handheld's lines. The document
// must outlive the widget.
class HandheldPreview : public QWidget {
    Q_OBJECT
public:
    HandheldPreview(CDocument& document, QWidget* parent = nullptr);
    ~HandheldPreview() override;

    // Shows item when it is a leaf, and clears the view with a hint otherwise. Cheap: the
    // leaf's records are built once and kept until the document says the leaf changed, and a
    // hidden preview only remembers the item until it is shown.
    void ShowItem(int item);
    int ShownItem() const { return item_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Widgets;
    class Follower;
    void Refresh();

    CDocument& document_;
    std::unique_ptr<CHandheldPreviewCache> cache_;
    std::unique_ptr<Follower> follower_;
    Widgets* widgets_;
    int item_ = 0;
    // What is shown is out of date: the preview was hidden when it changed.
    bool stale_ = true;
};

}  // namespace trovique::gui
