#include "gui/dialogs/PreferencesDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/ui/GuiText.h"

namespace trovique::gui {

PreferencesDialog::PreferencesDialog(QWidget* parent)
    : QDialog(parent),
      password_(new QLineEdit(this)),
      passwordAgain_(new QLineEdit(this)),
      beamable_(new QCheckBox(tr("Make Database &Beamable"), this)),
      copyable_(new QCheckBox(tr("Mark New Terms As &Copy-Enabled"), this)) {
    setObjectName(QStringLiteral("frmPreferences"));
    setWindowTitle(tr("Settings for Dictionary"));
    password_->setObjectName(QStringLiteral("txtPassword"));
    passwordAgain_->setObjectName(QStringLiteral("txtPasswordAgain"));
    beamable_->setObjectName(QStringLiteral("chkBeamable"));
    copyable_->setObjectName(QStringLiteral("chkCopyable"));
    password_->setEchoMode(QLineEdit::Password);
    passwordAgain_->setEchoMode(QLineEdit::Password);
    password_->setMaxLength(static_cast<int>(SlideShowPreferences::kMaxPassword));
    passwordAgain_->setMaxLength(static_cast<int>(SlideShowPreferences::kMaxPassword));

    auto* form = new QFormLayout;
    form->addRow(tr("&Enter Password:"), password_);
    form->addRow(tr("&Retype Password:"), passwordAgain_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(beamable_);
    layout->addWidget(copyable_);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

void PreferencesDialog::SetPreferences(const SlideShowPreferences& preferences) {
    password_->setText(FromCore(preferences.password));
    passwordAgain_->setText(FromCore(preferences.passwordAgain));
    beamable_->setChecked(preferences.beamable);
    copyable_->setChecked(preferences.copyable);
    passwordEditable_ = preferences.passwordEditable;
    accept_ = preferences.accept;
    password_->setReadOnly(!passwordEditable_);
    passwordAgain_->setReadOnly(!passwordEditable_);
}

void PreferencesDialog::accept() {
    if (accept_ && !accept_(Preferences())) {
        password_->setFocus();
        password_->selectAll();
        return;
    }
    QDialog::accept();
}

SlideShowPreferences PreferencesDialog::Preferences() const {
    return {ToCore(password_->text()), ToCore(passwordAgain_->text()), beamable_->isChecked(),
            copyable_->isChecked(), passwordEditable_};
}

}  // namespace trovique::gui
