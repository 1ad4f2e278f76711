#include "support/ScriptedPresentationSource.h"

#include <gtest/gtest.h>

#include "core/common/Error.h"

namespace trovique::test {
namespace {

RenderedSlide Blank(int width, int height) {
    RenderedSlide slide;
    slide.width = width;
    slide.height = height;
    slide.rgb.assign(static_cast<std::size_t>(width) * height * 3, 0);
    return slide;
}

void Put(RenderedSlide& slide, std::size_t pixel, Rgb colour) {
    slide.rgb[3 * pixel] = colour.red;
    slide.rgb[3 * pixel + 1] = colour.green;
    slide.rgb[3 * pixel + 2] = colour.blue;
}

}  // namespace

SlidePainter Bands(std::vector<Rgb> colours) {
    return [colours](int width, int height) -> std::optional<RenderedSlide> {
        RenderedSlide slide = Blank(width, height);
        const std::size_t bands = colours.size();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::size_t band = static_cast<std::size_t>(x) * bands / width;
                Put(slide, static_cast<std::size_t>(y) * width + x, colours[band]);
            }
        }
        return slide;
    };
}

SlidePainter Noise(std::uint32_t seed) {
    return [seed](int width, int height) -> std::optional<RenderedSlide> {
        RenderedSlide slide = Blank(width, height);
        std::uint32_t state = seed * 2654435761u + 1;
        for (auto& byte : slide.rgb) {
            state = state * 1664525u + 1013904223u;
            byte = static_cast<std::uint8_t>(state >> 24);
        }
        return slide;
    };
}

SlidePainter BySize(std::vector<std::pair<std::pair<int, int>, SlidePainter>> painters,
                    SlidePainter otherwise) {
    return [painters, otherwise](int width, int height) {
        for (const auto& [size, painter] : painters) {
            if (size.first == width && size.second == height) {
                return painter(width, height);
            }
        }
        return otherwise(width, height);
    };
}

SlidePainter Unrenderable() {
    return [](int, int) -> std::optional<RenderedSlide> { return std::nullopt; };
}

void ScriptedPresentationSource::FailSlide(std::size_t number, std::string description) {
    failingSlide_ = number;
    slideFailure_ = std::move(description);
}

void ScriptedPresentationSource::Open(const std::filesystem::path& file) {
    ++openCount_;
    openedFile_ = file;
    if (openFailure_) {
        throw CError(kErrPathFileAccess, "ScriptedPresentationSource", *openFailure_);
    }
}

SlideContent ScriptedPresentationSource::Slide(std::size_t number) {
    EXPECT_EQ(openCount_, 1) << "a slide was read from a presentation that is not open";
    if (onSlide) {
        onSlide(number);
    }
    if (number == failingSlide_) {
        throw CError(kErrPathFileAccess, "ScriptedPresentationSource", slideFailure_);
    }
    if (number < 1 || number > slides_.size()) {
        ADD_FAILURE() << "slide " << number << " asked of " << slides_.size();
        return {};
    }
    return slides_[number - 1].content;
}

std::optional<RenderedSlide> ScriptedPresentationSource::Render(std::size_t number, int width,
                                                                int height) {
    renderCalls_.push_back({number, width, height});
    if (number < 1 || number > slides_.size()) {
        ADD_FAILURE() << "slide " << number << " rendered of " << slides_.size();
        return std::nullopt;
    }
    return slides_[number - 1].painter(width, height);
}

SlideShape TitleShape(std::string text) {
    SlideShape shape;
    shape.isTitle = true;
    shape.text = std::move(text);
    return shape;
}

SlideShape BodyShape(std::string text, bool bulletVisible, int bulletType) {
    SlideShape shape;
    shape.text = std::move(text);
    shape.bulletVisible = bulletVisible;
    shape.bulletType = bulletType;
    return shape;
}

}  // namespace trovique::test
