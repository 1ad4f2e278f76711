#pragma once

#include <QWidget>
#include <array>

#include "core/validation/DocumentControl.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace trovique {
class CDocument;
struct PaneContent;
}  // namespace trovique

namespace trovique::gui {

class FieldBoxes;
class HandheldPreview;
class PicturePreview;
class SeeAlsoChoicesModel;

// The leaf pane (picQAF) with its tab strip: the slide's title, page, difficulty, switches and
// See-Also links; its question and answers; its fact; its pictures; and the handheld's view of
// it. Each control hands a change to the document as one call.
class LeafPane : public QWidget {
    Q_OBJECT
public:
    LeafPane(CDocument& document, FieldBoxes& boxes, QWidget* parent = nullptr);

    // Shows item (a leaf that is not locked) as content describes it.
    void Show(int item, const PaneContent& content);
    // The widget that control names, with its tab brought into view; null when none.
    QWidget* Reveal(DocumentControl control);
    QTabWidget& Tabs() { return *tabs_; }

private:
    QWidget* MakeSlideTab();
    QWidget* MakeQuestionTab();
    QWidget* MakeFactTab();
    QWidget* MakePicturesTab();
    void ShowPictures();
    void ShowSeeAlso(const PaneContent& content);
    void UpdatePreview();
    // Runs a change of one control and shows the leaf again, as the document now has it.
    template <class Change>
    void Apply(Change&& change);

    CDocument& document_;
    FieldBoxes& boxes_;
    SeeAlsoChoicesModel* seeAlsoChoices_ = nullptr;
    int item_ = 0;
    bool filling_ = false;
    QTabWidget* tabs_ = nullptr;
    QLabel* path_ = nullptr;
    QLabel* difficultyLabel_ = nullptr;
    QComboBox* difficulty_ = nullptr;
    std::array<QComboBox*, 3> seeAlso_{};
    std::array<QCheckBox*, 4> switches_{};
    QWidget* questionTab_ = nullptr;
    PicturePreview* color_ = nullptr;
    PicturePreview* monochrome_ = nullptr;
    HandheldPreview* preview_ = nullptr;
    QWidget* pictureTab_ = nullptr;
};

}  // namespace trovique::gui
