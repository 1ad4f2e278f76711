#pragma once

#include <QLabel>
#include <QString>

namespace trovique {
class CBitmap;
}

namespace trovique::gui {

// A picture of a slide or of the splash screen, drawn from the document's bitmap at its own
// size inside a frame of that size; without one the frame shows note instead.
class PicturePreview : public QLabel {
    Q_OBJECT
public:
    PicturePreview(QSize size, QWidget* parent = nullptr);

    // Shows bitmap, or note when bitmap is null or cannot be drawn (drawn: true when shown).
    bool Show(const CBitmap* bitmap, const QString& note);

private:
    QSize size_;
};

}  // namespace trovique::gui
