#include "gui/ui/ProgressWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/ui/GuiText.h"
#include "gui/ui/TopMost.h"

namespace trovique::gui {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent),
      label_(new QLabel(tr("Creating Palm Slide Show"), this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton(tr("&Cancel"), this)) {
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(tr("Trovique Progress"));
    setModal(false);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setWindowFlag(Qt::WindowCloseButtonHint, true);
    label_->setObjectName(QStringLiteral("lblText"));
    bar_->setObjectName(QStringLiteral("prgBar"));
    cancel_->setObjectName(QStringLiteral("cmdCancel"));
    label_->setWordWrap(true);
    bar_->setRange(0, 100);
    bar_->setValue(0);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    layout->addLayout(buttons);
    setFixedWidth(420);

    connect(cancel_, &QPushButton::clicked, this, [this] { userCancel_ = true; });
}

void ProgressWindow::Update(const ProgressDisplay& display) {
    // A long run updates once per item; only a change of what is shown is worth a repaint.
    const bool changed =
        !shown_ || display.text != shown_->text || display.percentage != shown_->percentage ||
        display.allowCancel != shown_->allowCancel || display.onTop != shown_->onTop;
    if (changed) {
        shown_ = display;
        label_->setText(FromCore(display.text));
        bar_->setValue(display.percentage);
        cancel_->setEnabled(display.allowCancel);
        onTop_ = display.onTop;
        SetTopMost(*this, display.onTop);
    }
    if (isVisible()) {
        if (changed) {
            repaint();
        }
        LetEventsRun();
    }
}

void ProgressWindow::Show() {
    show();
    raise();
    sinceEvents_.invalidate();
    LetEventsRun();
}

void ProgressWindow::SetTop(int top) {
    move(frameGeometry().left(), top);
}

bool ProgressWindow::UserCancel() {
    LetEventsRun();
    return userCancel_;
}

void ProgressWindow::reject() {
    userCancel_ = true;  // Escape: counts as Cancel, the window stays
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    // The window goes with its CProgress, which hides it; a close is always a request to stop.
    userCancel_ = true;
    event->ignore();
}

void ProgressWindow::LetEventsRun() {
    // Often enough for the window to stay alive and a click to be seen, and not so often that
    // the event loop costs more than the work of each item.
    constexpr qint64 kEventMilliseconds = 20;
    if (sinceEvents_.isValid() && sinceEvents_.elapsed() < kEventMilliseconds) {
        return;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    sinceEvents_.start();
}

}  // namespace trovique::gui
