#pragma once

#include <QDialog>

namespace trovique {
class CDocument;
}

namespace trovique::gui {

// "View Image": the slide show's monochrome and colour splash pictures side by side, or the
// note that one is missing or cannot be drawn.
class ViewImageDialog : public QDialog {
    Q_OBJECT
public:
    ViewImageDialog(const CDocument& document, QWidget* parent = nullptr);
};

}  // namespace trovique::gui
