#include "gui/panes/PicturePreview.h"

#include <QImage>
#include <QPixmap>

#include "core/imaging/Bitmap.h"
#include "core/imaging/BitmapPixels.h"

namespace trovique::gui {

PicturePreview::PicturePreview(QSize size, QWidget* parent) : QLabel(parent), size_(size) {
    setFrameShape(QFrame::Box);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    // The frame holds the picture at its own size and a little border.
    setFixedSize(size + QSize(2 * frameWidth(), 2 * frameWidth()));
}

bool PicturePreview::Show(const CBitmap* bitmap, const QString& note) {
    if (bitmap != nullptr) {
        std::vector<std::uint32_t> pixels = ArgbPixels(*bitmap);
        const int width = bitmap->Width();
        const int height = bitmap->Height();
        if (!pixels.empty()) {
            const QImage image(reinterpret_cast<const uchar*>(pixels.data()), width, height,
                               width * 4, QImage::Format_ARGB32);
            // A picture larger than the frame shrinks into it; the copy outlives pixels.
            setPixmap(QPixmap::fromImage(image.copy())
                          .scaled(size_, Qt::KeepAspectRatio, Qt::SmoothTransformation));
            return true;
        }
    }
    setPixmap(QPixmap());
    setText(note);
    return false;
}

}  // namespace trovique::gui
