#include "gui/ui/TopMost.h"

#include <QWidget>

namespace trovique::gui {

void SetTopMost(QWidget& window, bool on) {
    if (IsTopMost(window) == on) {
        return;
    }
    const bool visible = window.isVisible();
    const QPoint position = window.pos();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible) {
        window.move(position);
        window.show();
    }
}

bool IsTopMost(const QWidget& window) {
    return window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

}  // namespace trovique::gui
