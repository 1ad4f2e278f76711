#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/import/PresentationSource.h"

namespace trovique::test {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// Paints a slide at a size; nothing stands for a slide that cannot be rendered.
using SlidePainter = std::function<std::optional<RenderedSlide>(int width, int height)>;

// Vertical bands of the given colours across the slide: a picture with exactly those colours
// whose rows compress well.
SlidePainter Bands(std::vector<Rgb> colours);
// Pixels of pseudo-random colours: a picture that does not compress at all.
SlidePainter Noise(std::uint32_t seed = 1);
// The painter for the given sizes, another for every other size.
SlidePainter BySize(std::vector<std::pair<std::pair<int, int>, SlidePainter>> painters,
                    SlidePainter otherwise);
// A painter that cannot render.
SlidePainter Unrenderable();

// A presentation played from a script, for tests of the import: slides with their shapes,
// notes and painters, failures on request, and a record of what the import asked for.
class ScriptedPresentationSource final : public IPresentationSource {
public:
    struct ScriptedSlide {
        SlideContent content;
        SlidePainter painter = Bands({{255, 0, 0}, {0, 128, 0}, {0, 0, 255}});
    };
    struct RenderCall {
        std::size_t slide = 0;
        int width = 0;
        int height = 0;
    };

    void AddSlide(ScriptedSlide slide) { slides_.push_back(std::move(slide)); }
    void SetOpenedHere(bool openedHere) { openedHere_ = openedHere; }
    // Open raises CError with this description.
    void FailOpen(std::string description) { openFailure_ = std::move(description); }
    // Reading slide `number` raises CError with this description.
    void FailSlide(std::size_t number, std::string description);
    // Called when the import starts reading a slide, before the slide is read.
    std::function<void(std::size_t number)> onSlide;

    void Open(const std::filesystem::path& file) override;
    bool OpenedHere() const override { return openedHere_; }
    std::size_t SlideCount() const override { return slides_.size(); }
    SlideContent Slide(std::size_t number) override;
    std::optional<RenderedSlide> Render(std::size_t number, int width, int height) override;
    void Close() override { ++closeCount_; }

    const std::filesystem::path& OpenedFile() const { return openedFile_; }
    int OpenCount() const { return openCount_; }
    int CloseCount() const { return closeCount_; }
    const std::vector<RenderCall>& RenderCalls() const { return renderCalls_; }

private:
    std::vector<ScriptedSlide> slides_;
    bool openedHere_ = true;
    std::optional<std::string> openFailure_;
    std::size_t failingSlide_ = 0;
    std::string slideFailure_;
    std::filesystem::path openedFile_;
    int openCount_ = 0;
    int closeCount_ = 0;
    std::vector<RenderCall> renderCalls_;
};

// Shapes for scripts.
SlideShape TitleShape(std::string text);
SlideShape BodyShape(std::string text, bool bulletVisible = false, int bulletType = 0);

}  // namespace trovique::test
