#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

namespace trovique::guitest {

// Answers the modal windows that open, in order, each once.
class ModalScript : public QObject {
public:
    using Step = std::function<void(QWidget*)>;
    explicit ModalScript(std::deque<Step> steps);
    bool Done() const { return steps_.empty(); }

    // Presses button of the message box, keeping its text in text when given.
    static Step Press(int button, QString* text = nullptr);
    // Types a file name into the file dialog and accepts it; an empty name cancels.
    static Step ChooseFile(const QString& path);
    // Types text into the text question's entry and accepts it.
    static Step TypeText(const QString& text);

private:
    void Tick();
    std::deque<Step> steps_;
    QTimer timer_;
};

}  // namespace trovique::guitest
