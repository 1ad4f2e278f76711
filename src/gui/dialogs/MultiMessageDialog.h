#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace trovique::gui {

// frmMultiMsg: a caption, a header line and a long read-only text that scrolls, with OK. On
// resizing the header stays at the top, OK at the bottom and the text takes the space between.
class MultiMessageDialog : public QDialog {
    Q_OBJECT
public:
    explicit MultiMessageDialog(QWidget* parent = nullptr);

    void SetWindowCaption(const QString& caption) { setWindowTitle(caption); }
    void SetHeaderText(const QString& header);
    void SetMsgText(const QString& text);

private:
    QLabel* header_;
    QPlainTextEdit* text_;
    QPushButton* ok_;
};

}  // namespace trovique::gui
