#pragma once

class QWidget;

namespace trovique::gui {

// Makes a window stay above the others or lets it down, without moving or resizing it. A
// visible window is shown again, since changing the hint hides it.
void SetTopMost(QWidget& window, bool on);
bool IsTopMost(const QWidget& window);

}  // namespace trovique::gui
