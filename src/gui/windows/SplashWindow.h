#pragma once

#include <QWidget>

namespace trovique::gui {

// frmSplash: shown while the interactive run loads, top-most, without a frame: the program's
// name, its version and the legal notice.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
};

}  // namespace trovique::gui
