#pragma once

#include <QWidget>

class QLabel;

namespace trovique {
struct PaneContent;
}

namespace trovique::gui {

class FieldBoxes;

// The node pane (picNode): a category's or topic's title, where it sits, and the slides below it.
class NodePane : public QWidget {
    Q_OBJECT
public:
    NodePane(FieldBoxes& boxes, QWidget* parent = nullptr);

    void Show(const PaneContent& content);
    void ShowSummary(const PaneContent& content);

private:
    FieldBoxes& boxes_;
    QLabel* path_ = nullptr;
    QLabel* slides_ = nullptr;
    QLabel* total_ = nullptr;
    QLabel* percentage_ = nullptr;
    QLabel* firstPage_ = nullptr;
    QLabel* size_ = nullptr;
};

}  // namespace trovique::gui
