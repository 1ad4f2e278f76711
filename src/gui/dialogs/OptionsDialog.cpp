#include "gui/dialogs/OptionsDialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/validation/ValidationOptions.h"
#include "gui/ui/GuiText.h"

namespace trovique::gui {
namespace {

// Entering the count box selects its whole text.
class CSelectOnFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            auto* box = static_cast<QLineEdit*>(watched);
            QTimer::singleShot(0, box, [box] { box->selectAll(); });
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

OptionsDialog::OptionsDialog(CApplication& application, IUserInterface& ui, QWidget* parent)
    : QDialog(parent),
      options_(std::make_unique<CValidationOptions>(application)),
      ui_(ui),
      limit_(new QCheckBox(tr("Limit Validation Error List"), this)),
      showFirst_(new QLabel(tr("Show First"), this)),
      count_(new QLineEdit(this)),
      errors_(new QLabel(tr("Errors"), this)) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(tr("Application Options"));
    limit_->setObjectName(QStringLiteral("Check1"));
    count_->setObjectName(QStringLiteral("Text1"));
    showFirst_->setObjectName(QStringLiteral("Label1"));
    errors_->setObjectName(QStringLiteral("Label2"));
    count_->installEventFilter(new CSelectOnFocus(count_));
    count_->setMaximumWidth(80);
    auto* ok = new QPushButton(tr("&OK"), this);
    auto* cancel = new QPushButton(tr("&Cancel"), this);
    ok->setObjectName(QStringLiteral("cmdAction_0"));
    cancel->setObjectName(QStringLiteral("cmdAction_1"));
    ok->setDefault(true);

    auto* frame = new QGroupBox(tr("Validation"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* countRow = new QHBoxLayout;
    countRow->addSpacing(20);
    countRow->addWidget(showFirst_);
    countRow->addWidget(count_);
    countRow->addWidget(errors_);
    countRow->addStretch(1);
    auto* inFrame = new QVBoxLayout(frame);
    inFrame->addWidget(limit_);
    inFrame->addLayout(countRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    limit_->setChecked(options_->LimitOn());
    count_->setText(FromCore(options_->LimitText()));
    ApplyEnabling();
    connect(limit_, &QCheckBox::toggled, this, [this](bool on) {
        options_->SetLimitOn(on);
        ApplyEnabling();
    });
    connect(count_, &QLineEdit::textChanged, this,
            [this](const QString& text) { options_->SetLimitText(ToCore(text)); });
    connect(ok, &QPushButton::clicked, this, [this] { DoAction(CValidationOptions::kActionOk); });
    connect(cancel, &QPushButton::clicked, this,
            [this] { DoAction(CValidationOptions::kActionCancel); });
}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::DoAction(int action) {
    if (!options_->DoAction(action, ui_)) {
        if (action == CValidationOptions::kActionOk) {
            count_->setFocus();
            count_->selectAll();
        }
        return;
    }
    if (action == CValidationOptions::kActionOk) {
        accept();
    } else {
        reject();
    }
}

void OptionsDialog::ApplyEnabling() {
    const bool enabled = options_->LimitTextEnabled();
    count_->setEnabled(enabled);
    showFirst_->setEnabled(enabled);
    errors_->setEnabled(enabled);
}

}  // namespace trovique::gui
