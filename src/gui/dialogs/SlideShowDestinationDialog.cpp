#include "gui/dialogs/SlideShowDestinationDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialogs/AboutDialog.h"

namespace trovique::gui {
namespace {

const char* const kActionCaptions[] = {"&HotSync", "&Save...", "&Cancel"};

void CloseAboutWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == AboutDialog::kObjectName && window->isVisible()) {
            window->close();
        }
    }
}

}  // namespace

SlideShowDestinationDialog::SlideShowDestinationDialog(QWidget* parent)
    : QDialog(parent), explanation_(new QLabel(this)) {
    setObjectName(QStringLiteral("frmSlideShowDest"));
    setWindowTitle(tr("Choose Slide Show Destination"));
    CloseAboutWindow();

    explanation_->setObjectName(QStringLiteral("lblExplanation"));
    explanation_->setWordWrap(true);
    explanation_->setText(
        tr("Choose the Slide Show destination by pressing one of the buttons below.") +
        QStringLiteral("\n\n") +
        tr("Pick HotSync to send the Slide Show to your Palm without saving a file on your hard "
           "drive.") +
        QStringLiteral("\n\n") +
        tr("Select Save if you plan to distribute the Slide Show to others.  You will be "
           "prompted to enter a file to where the Slide Show will be saved."));
    explanation_->setFixedWidth(400);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (int index = 0; index < 3; ++index) {
        auto* button = new QPushButton(tr(kActionCaptions[index]), this);
        button->setObjectName(QStringLiteral("cmdAction_%1").arg(index));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, index] { OnAction(index); });
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation_);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SlideShowDestinationDialog::OnAction(int index) {
    choice_ = index == 0   ? SlideShowDestination::HotSync
              : index == 1 ? SlideShowDestination::Save
                           : SlideShowDestination::Cancel;
    accept();
}

}  // namespace trovique::gui
