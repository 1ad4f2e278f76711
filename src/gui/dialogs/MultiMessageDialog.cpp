#include "gui/dialogs/MultiMessageDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace trovique::gui {

MultiMessageDialog::MultiMessageDialog(QWidget* parent)
    : QDialog(parent),
      header_(new QLabel(this)),
      text_(new QPlainTextEdit(this)),
      ok_(new QPushButton(tr("OK"), this)) {
    setObjectName(QStringLiteral("frmMultiMsg"));
    header_->setObjectName(QStringLiteral("lblHeader"));
    text_->setObjectName(QStringLiteral("txtMsg"));
    ok_->setObjectName(QStringLiteral("cmdOK"));
    header_->setWordWrap(true);
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    ok_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header_);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
    setSizeGripEnabled(true);
    resize(660, 360);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

void MultiMessageDialog::SetHeaderText(const QString& header) {
    header_->setText(header);
}

void MultiMessageDialog::SetMsgText(const QString& text) {
    text_->setPlainText(text);
}

}  // namespace trovique::gui
