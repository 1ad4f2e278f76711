#include "gui/windows/PresentationImportRun.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <chrono>
#include <future>
#include <vector>

#include "core/editor/Document.h"

namespace trovique::gui {
namespace {

// Runs work on a worker thread and lets this thread's events run until it is done; its result
// or its exception comes back here.
template <typename Work>
auto WhileEventsRun(Work&& work) {
    auto done = std::async(std::launch::async, std::forward<Work>(work));
    while (done.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 30);
        done.wait_for(std::chrono::milliseconds(15));
    }
    return done.get();
}

// The source with each of its calls moved off the window thread.
class CBackgroundSource final : public IPresentationSource {
public:
    explicit CBackgroundSource(IPresentationSource& inner) : inner_(inner) {}

    void Open(const std::filesystem::path& file) override {
        WhileEventsRun([&] { inner_.Open(file); });
    }
    bool OpenedHere() const override { return inner_.OpenedHere(); }
    std::size_t SlideCount() const override { return inner_.SlideCount(); }
    SlideContent Slide(std::size_t number) override {
        return WhileEventsRun([&] { return inner_.Slide(number); });
    }
    std::optional<RenderedSlide> Render(std::size_t number, int width, int height) override {
        return WhileEventsRun([&] { return inner_.Render(number, width, height); });
    }
    void Close() override {
        WhileEventsRun([&] { inner_.Close(); });
    }

private:
    IPresentationSource& inner_;
};

// Disables the program's windows but one and makes them refuse to close, for the life of the
// scope; windows that were disabled before stay so.
class CWindowsHeld : public QObject {
public:
    explicit CWindowsHeld(QWidget* spared) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window == spared || !window->isEnabled()) {
                continue;
            }
            window->setEnabled(false);
            window->installEventFilter(this);
            held_.emplace_back(window);
        }
    }
    ~CWindowsHeld() override {
        for (const QPointer<QWidget>& window : held_) {
            if (window) {
                window->removeEventFilter(this);
                window->setEnabled(true);
            }
        }
    }
    CWindowsHeld(const CWindowsHeld&) = delete;
    CWindowsHeld& operator=(const CWindowsHeld&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::vector<QPointer<QWidget>> held_;
};

}  // namespace

PowerPointImportResult ImportPresentationInBackground(CDocument& document,
                                                      IPresentationSource& source,
                                                      const std::filesystem::path& file,
                                                      QWidget* progressWindow) {
    CWindowsHeld held(progressWindow);
    CBackgroundSource background(source);
    return ImportFromPowerPoint(document, background, file);
}

}  // namespace trovique::gui
