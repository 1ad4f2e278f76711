#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace trovique::gui {

// frmMsgYN: a Yes/No question with a "Do not show this message again" box. Yes sets Answer to
// 6 and closes; No, Escape and the close box close without changing it.
class ConfirmDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kAnswerYes = 6;

    explicit ConfirmDialog(QWidget* parent = nullptr);

    void SetTitle(const QString& title) { setWindowTitle(title); }
    void SetText(const QString& text);
    int Answer() const { return answer_; }
    // The box's state; read after the window has closed.
    bool NoShowAgain() const;

private:
    QLabel* text_;
    QPushButton* yes_;
    QPushButton* no_;
    QCheckBox* noShow_;
    int answer_ = 0;
};

}  // namespace trovique::gui
