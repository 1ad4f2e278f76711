#include "gui/dialogs/BuildDelimiterDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/codec/Windows1252.h"
#include "gui/ui/GuiText.h"

namespace trovique::gui {

BuildDelimiterDialog::BuildDelimiterDialog(const CDelim& start, IUserInterface& ui, QWidget* parent)
    : QDialog(parent),
      builder_(start),
      ui_(ui),
      codes_(new QTreeWidget(this)),
      display_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("frmBuildDelim"));
    setWindowTitle(tr("Build Delimiter"));
    codes_->setObjectName(QStringLiteral("lstChars"));
    display_->setObjectName(QStringLiteral("txtDelimString"));
    display_->setReadOnly(true);
    codes_->setColumnCount(3);
    codes_->setHeaderLabels({tr("Code"), tr("Character"), tr("Name")});
    codes_->setRootIsDecorated(false);
    codes_->setUniformRowHeights(true);
    for (int code = CDelim::StartCharIndex(); code < CDelim::NumChars(); ++code) {
        // The core's list line: code, printable character and name, separated by tabs.
        const QStringList parts =
            FromCore(Windows1252ToUtf8(CDelimiterBuilder::CodeLine(code))).split(QLatin1Char('\t'));
        auto* item = new QTreeWidgetItem(codes_, parts);
        item->setData(0, Qt::UserRole, code);
    }
    codes_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    codes_->setCurrentItem(codes_->topLevelItem(0));

    auto* add = new QPushButton(tr("&Add To Delimiter String"), this);
    auto* clear = new QPushButton(tr("C&lear"), this);
    auto* ok = new QPushButton(tr("&OK"), this);
    auto* cancel = new QPushButton(tr("&Cancel"), this);
    add->setObjectName(QStringLiteral("cmdAdd"));
    clear->setObjectName(QStringLiteral("cmdClear"));
    ok->setObjectName(QStringLiteral("cmdAction_0"));
    cancel->setObjectName(QStringLiteral("cmdAction_1"));
    ok->setDefault(true);

    auto* side = new QVBoxLayout;
    side->addWidget(add);
    side->addWidget(clear);
    side->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(codes_, 1);
    top->addLayout(side);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    auto* label = new QLabel(tr("Delimiter String:"), this);
    label->setBuddy(display_);
    layout->addWidget(label);
    layout->addWidget(display_);
    layout->addLayout(buttons);
    resize(560, 440);

    connect(add, &QPushButton::clicked, this, &BuildDelimiterDialog::AddSelected);
    connect(codes_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { AddCode(item); });
    connect(clear, &QPushButton::clicked, this, [this] {
        builder_.Clear();
        ShowDelimiter();
    });
    connect(ok, &QPushButton::clicked, this, [this] { DoAction(0); });
    connect(cancel, &QPushButton::clicked, this, [this] { DoAction(1); });
    ShowDelimiter();
}

void BuildDelimiterDialog::AddSelected() {
    AddCode(codes_->currentItem());
}

void BuildDelimiterDialog::AddCode(QTreeWidgetItem* item) {
    if (item) {
        builder_.Append(item->data(0, Qt::UserRole).toInt());
        ShowDelimiter();
    }
}

void BuildDelimiterDialog::DoAction(int action) {
    if (builder_.DoAction(action, ui_)) {
        action == CUnstructuredOptions::kActionOk ? accept() : reject();
    }
}

void BuildDelimiterDialog::ShowDelimiter() {
    display_->setText(FromCore(Windows1252ToUtf8(builder_.Display())));
}

}  // namespace trovique::gui
