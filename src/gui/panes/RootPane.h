#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace trovique {
class CDocument;
struct PaneContent;
}  // namespace trovique

namespace trovique::gui {

class FieldBoxes;
class PicturePreview;

// The root pane (picTitle): the slide show's handheld settings, its splash picture, the number
// of slides and the size on the handheld.
class RootPane : public QWidget {
    Q_OBJECT
public:
    RootPane(CDocument& document, FieldBoxes& boxes, QWidget* parent = nullptr);

    void Show(const PaneContent& content);
    // The labels that follow the whole document: slides and size.
    void ShowSummary(const PaneContent& content);

private:
    void SplashButton(int index);
    QWidget* MakeSplashGroup();

    CDocument& document_;
    FieldBoxes& boxes_;
    QLabel* slides_ = nullptr;
    QLabel* size_ = nullptr;
    PicturePreview* monochrome_ = nullptr;
    PicturePreview* color_ = nullptr;
};

}  // namespace trovique::gui
