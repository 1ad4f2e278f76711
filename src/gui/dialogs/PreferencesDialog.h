#pragma once

#include <QDialog>

#include "core/services/SlideShowPreferences.h"

class QCheckBox;
class QLineEdit;

namespace trovique::gui {

// "Settings for Dictionary": the slide show's password typed twice and its two switches. The
// password boxes are read-only while the slide show is locked. Whether the two entries agree is
// core's question, asked on OK.
class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    explicit PreferencesDialog(QWidget* parent = nullptr);

    void SetPreferences(const SlideShowPreferences& preferences);
    SlideShowPreferences Preferences() const;
    // OK closes the dialog once the slide show takes the values; after a refusal the focus is
    // back in the password boxes.
    void accept() override;

private:
    SlideShowPreferences::Check accept_;
    QLineEdit* password_;
    QLineEdit* passwordAgain_;
    QCheckBox* beamable_;
    QCheckBox* copyable_;
    bool passwordEditable_ = true;
};

}  // namespace trovique::gui
