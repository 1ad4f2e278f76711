#pragma once

#include <QDialog>

#include "core/import/UnstructuredOptions.h"

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace trovique::gui {

// "Build Delimiter": all 256 character codes, each with its printable form and name; the chosen
// codes are appended one by one to the delimiter shown in the text box. Core's
// CDelimiterBuilder holds the delimiter and checks it on OK.
class BuildDelimiterDialog : public QDialog {
    Q_OBJECT
public:
    BuildDelimiterDialog(const CDelim& start, IUserInterface& ui, QWidget* parent = nullptr);

    const CDelim& Delimiter() const { return builder_.Delimiter(); }
    // "Add To Delimiter String" for the selected code.
    void AddSelected();
    // The buttons by number: 0 OK, 1 Cancel.
    void DoAction(int action);
    QTreeWidget& CodeList() { return *codes_; }

private:
    void AddCode(QTreeWidgetItem* item);
    void ShowDelimiter();

    CDelimiterBuilder builder_;
    IUserInterface& ui_;
    QTreeWidget* codes_;
    QLineEdit* display_;
};

}  // namespace trovique::gui
