#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/import/UnstructuredOptions.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace trovique::gui {

// "Import Unstructured Options": the data delimiters (Add..., Edit..., Remove), the leaf title
// rule and, for the file about to be imported, a preview of the first leaves the options as
// they stand would make. Core's CUnstructuredOptions holds the options, checks them and stores
// them on OK; the preview is core's too.
class UnstructuredOptionsDialog : public QDialog {
    Q_OBJECT
public:
    // previewFile: the file about to be imported (UTF-8 path); empty for no preview.
    UnstructuredOptionsDialog(ISettingsStore& store, IUserInterface& ui, std::string previewFile,
                              QWidget* parent = nullptr);

    const CUnstructuredOptions& Options() const { return options_; }
    // The buttons by number: 0 OK, 1 Cancel.
    void DoAction(int action);
    QListWidget& DelimiterList() { return *delimiters_; }
    QTreeWidget& Preview() { return *preview_; }

    // Opens "Build Delimiter" for the delimiter given; what it returns after OK. Replaceable so
    // that tests can stand in for the user.
    std::function<std::optional<CDelim>(const CDelim&)> buildDelimiter;

private:
    QWidget* MakeDelimiterFrame();
    QWidget* MakeTitleFrame();
    QWidget* MakePreviewFrame();
    void AddDelimiter();
    void EditDelimiter();
    void RemoveDelimiter();
    void SetTitleDelimiter();
    std::optional<std::size_t> SelectedDelimiter() const;
    void ShowDelimiters(int select);
    void ShowTitleRule();
    void UpdatePreview();

    CUnstructuredOptions options_;
    IUserInterface& ui_;
    std::string previewFile_;
    QListWidget* delimiters_ = nullptr;
    QButtonGroup* titleRule_ = nullptr;
    QLineEdit* count_ = nullptr;
    QLabel* titleDelimiter_ = nullptr;
    QTreeWidget* preview_ = nullptr;
    QLabel* previewNote_ = nullptr;
};

}  // namespace trovique::gui
