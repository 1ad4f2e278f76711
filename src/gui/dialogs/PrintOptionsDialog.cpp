#include "gui/dialogs/PrintOptionsDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/print/PrintOptions.h"
#include "gui/ui/GuiText.h"

namespace trovique::gui {
namespace {

QGroupBox* Frame(const char* name, const char* caption, QWidget* content, QWidget* parent) {
    auto* frame = new QGroupBox(QString::fromUtf8(caption), parent);
    frame->setObjectName(QLatin1String(name));
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(content);
    return frame;
}

}  // namespace

PrintOptionsDialog::PrintOptionsDialog(CPrintOptions& options, QWidget* parent)
    : QDialog(parent),
      options_(options),
      header_(new QCheckBox(QString::fromUtf8(CPrintOptions::kHeaderBox), this)),
      toFile_(new QCheckBox(QString::fromUtf8(CPrintOptions::kToFileBox), this)),
      printer_(new QLabel(this)),
      list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("frmPrintOptions"));
    setWindowTitle(QString::fromUtf8(CPrintOptions::kCaption));
    header_->setObjectName(QStringLiteral("Check1_0"));
    toFile_->setObjectName(QStringLiteral("Check1_1"));
    printer_->setObjectName(QStringLiteral("Label1"));
    list_->setObjectName(QStringLiteral("List1"));
    list_->setSelectionMode(QAbstractItemView::MultiSelection);

    auto* buttonRow = new QHBoxLayout;
    // Laid out as the captions read: Deselect All, Select All, Cancel, OK.
    for (const int index : {CPrintOptions::kActionDeselectAll, CPrintOptions::kActionSelectAll,
                            CPrintOptions::kActionCancel, CPrintOptions::kActionOK}) {
        auto* button =
            new QPushButton(QString::fromUtf8(CPrintOptions::ButtonCaption(index)), this);
        button->setObjectName(QStringLiteral("cmdAction_%1").arg(index));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, index] { Act(index); });
        buttons_[static_cast<std::size_t>(index)] = button;
        buttonRow->addWidget(button);
        if (index == CPrintOptions::kActionSelectAll) {
            buttonRow->addStretch();
        }
    }
    buttons_[CPrintOptions::kActionOK]->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header_);
    layout->addWidget(toFile_);
    layout->addWidget(Frame("fraPrinter", CPrintOptions::kPrinterFrame, printer_, this));
    layout->addWidget(Frame("fraTerms", CPrintOptions::kLeafFrame, list_, this), 1);
    layout->addLayout(buttonRow);

    for (const PrintListLine& line : options_.Lines()) {
        auto* item = new QListWidgetItem(FromCore(line.title), list_);
        item->setData(Qt::UserRole, line.elementIndex);
    }
    connect(header_, &QCheckBox::toggled, this, [this](bool on) {
        if (!showing_) {
            options_.SetHeaderInfo(on);
        }
    });
    connect(toFile_, &QCheckBox::toggled, this, [this](bool on) {
        if (showing_) {
            return;
        }
        options_.SetToFile(on);
        Act(CPrintOptions::kActionUpdateOK);
    });
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        if (showing_) {
            return;
        }
        for (int row = 0; row < list_->count(); ++row) {
            options_.SetSelected(static_cast<std::size_t>(row), list_->item(row)->isSelected());
        }
    });
    options_.DoAction(CPrintOptions::kActionInitialise);
    options_.DoAction(CPrintOptions::kActionUpdateOK);
    ShowState();
    if (options_.CurrentLine() >= 0) {
        list_->setCurrentRow(options_.CurrentLine(), QItemSelectionModel::NoUpdate);
    }
    resize(420, 400);
}

void PrintOptionsDialog::Show(CPrintOptions& options, QWidget* parent) {
    PrintOptionsDialog dialog(options, parent);
    dialog.exec();
}

void PrintOptionsDialog::reject() {
    Act(CPrintOptions::kActionCancel);
}

void PrintOptionsDialog::Act(int index) {
    const bool closes = options_.DoAction(index);
    ShowState();
    if (closes) {
        done(options_.OK() ? Accepted : Rejected);
    }
}

void PrintOptionsDialog::ShowState() {
    showing_ = true;
    header_->setChecked(options_.HeaderInfo());
    toFile_->setChecked(options_.ToFile());
    printer_->setText(FromCore(options_.PrinterLabel()));
    const auto& lines = options_.Lines();
    for (int row = 0; row < list_->count(); ++row) {
        list_->item(row)->setSelected(lines[static_cast<std::size_t>(row)].selected);
    }
    buttons_[CPrintOptions::kActionOK]->setEnabled(options_.OKEnabled());
    showing_ = false;
}

}  // namespace trovique::gui
