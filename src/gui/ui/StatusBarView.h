#pragma once

#include <QStatusBar>

#include "core/services/StatusBar.h"

class QLabel;

namespace trovique::gui {

// sbStatusBar: the main window's two-panel status bar, which CStatusBar drives. Panel 1 takes
// the width, panel 2 holds the percentage.
class StatusBarView : public QStatusBar, public IStatusBarView {
    Q_OBJECT
public:
    explicit StatusBarView(QWidget* parent = nullptr);

    void SetPanelText(int panel, const std::string& text) override;
    QString PanelText(int panel) const;

private:
    QLabel* text_;
    QLabel* percentage_;
};

}  // namespace trovique::gui
