#pragma once

#include <QWidget>

namespace trovique {
class CDocument;
}

namespace trovique::gui {

// The selected slide as the handheld will show it, drawn from what export writes.
class HandheldPreview : public QWidget {
    Q_OBJECT
public:
    HandheldPreview(CDocument& document, QWidget* parent = nullptr);
    ~HandheldPreview() override;

    // Shows item when it is a leaf, and clears the view otherwise.
    void ShowItem(int item);

private:
    struct Widgets;
    CDocument& document_;
    Widgets* widgets_;
};

}  // namespace trovique::gui
