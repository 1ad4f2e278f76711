#pragma once

#include <QIcon>

namespace trovique::gui {

// The fifteen pictures of a slide show window's tree (its image list), by number: 6 and 14 a
// valid node closed and open, 13 and 15 the same with a fault, 7 a slide, 8 a highlighted slide,
// 9 a slide with a fault, 10 a slide to edit again, 11 a password-protected slide. The other
// numbers get a plain page. Drawn once, at 16 pixels with a 32-pixel form for dense screens.
QIcon TreeImage(int number);

}  // namespace trovique::gui
