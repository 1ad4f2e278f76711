#pragma once

#include <QObject>
#include <array>
#include <functional>

#include "core/editor/DocumentPresentation.h"

class QLineEdit;
class QPlainTextEdit;
class QTextEdit;
class QWidget;

namespace trovique {
class CDocument;
}

namespace trovique::gui {

// The text boxes of the panes (Text1_0 .. Text1_13), one per field. Each box shows its field of
// the current item as UTF-8, holds no more than the field stores, and hands every change to the
// document as one call. Filling a box from the document forwards nothing.
class FieldBoxes : public QObject {
    Q_OBJECT
public:
    FieldBoxes(CDocument& document, std::function<int()> currentItem, QObject* parent = nullptr);

    QLineEdit* AddLine(TextField field, QWidget* parent);
    QPlainTextEdit* AddLines(TextField field, QWidget* parent);
    QTextEdit* AddRich(TextField field, QWidget* parent);

    QWidget* Box(TextField field) const { return boxes_[Slot(field)]; }
    // Shows the document's text of each field in its box.
    void Fill(std::initializer_list<TextField> fields);
    // True while a box hands a change to the document.
    bool Forwarding() const { return forwarding_; }

private:
    static std::size_t Slot(TextField field) { return static_cast<std::size_t>(field); }
    void Register(TextField field, QWidget* box);
    void Changed(TextField field);
    QString TextOf(TextField field) const;
    void Show(TextField field, const QString& text);

    CDocument& document_;
    std::function<int()> currentItem_;
    std::array<QWidget*, 14> boxes_{};
    bool filling_ = false;
    bool forwarding_ = false;
};

}  // namespace trovique::gui
