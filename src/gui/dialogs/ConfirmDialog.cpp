#include "gui/dialogs/ConfirmDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace trovique::gui {

ConfirmDialog::ConfirmDialog(QWidget* parent)
    : QDialog(parent),
      text_(new QLabel(tr("Are you sure?"), this)),
      yes_(new QPushButton(tr("&Yes"), this)),
      no_(new QPushButton(tr("&No"), this)),
      noShow_(new QCheckBox(tr("Do not show this message again"), this)) {
    setObjectName(QStringLiteral("frmMsgYN"));
    setWindowTitle(tr("Confirm"));
    text_->setObjectName(QStringLiteral("lblText"));
    yes_->setObjectName(QStringLiteral("cmdYes"));
    no_->setObjectName(QStringLiteral("cmdNo"));
    noShow_->setObjectName(QStringLiteral("chkNoShow"));
    text_->setWordWrap(true);
    text_->setMinimumWidth(320);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    yes_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(noShow_);
    buttons->addStretch(1);
    buttons->addWidget(yes_);
    buttons->addWidget(no_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(yes_, &QPushButton::clicked, this, [this] {
        answer_ = kAnswerYes;
        accept();
    });
    connect(no_, &QPushButton::clicked, this, &QDialog::reject);
}

void ConfirmDialog::SetText(const QString& text) {
    text_->setText(text);
}

bool ConfirmDialog::NoShowAgain() const {
    return noShow_->isChecked();
}

}  // namespace trovique::gui
