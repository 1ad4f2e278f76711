// The program's own share of a presentation import: for every slide, texts, the small picture
// and the large pictures at the first size that fits, re-indexed, reduced to grey and coded for
// the handheld, and the leaf added to the slide show. The office suite's share (opening the
// presentation, rendering the pages) is left out: the slides here are painted in memory.
// Reports milliseconds per slide ("ms_per_slide") for ordinary slides, which fit at the largest
// size, and for photo-like slides, which fit only at the smallest and so cost three tries.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>

#include "BenchSupport.h"
#include "core/services/MemorySettingsStore.h"
#include "core/services/Services.h"
#include "core/editor/Document.h"
#include "core/imaging/Palette.h"
#include "core/import/PowerPointImport.h"

namespace {

using namespace trovique;

constexpr std::size_t kSlides = 20;

// An ordinary slide: white, a title band with a gradient, lines of dark text with soft edges.
RenderedSlide OrdinarySlide(int width, int height) {
    RenderedSlide slide{width, height, std::vector<std::uint8_t>(3u * width * height, 255)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = &slide.rgb[3u * (static_cast<std::size_t>(y) * width + x)];
            if (y < height / 6) {
                pixel[0] = static_cast<std::uint8_t>(20 + 70 * x / width);
                pixel[1] = static_cast<std::uint8_t>(60 + 110 * x / width);
                pixel[2] = static_cast<std::uint8_t>(140 + 80 * x / width);
            } else if ((y / 6) % 3 == 1 && x > width / 10 && (x / 5) % 4 != 3) {
                const auto ink = static_cast<std::uint8_t>(40 + 60 * ((x + y) % 3));
                pixel[0] = pixel[1] = pixel[2] = ink;
            }
        }
    }
    return slide;
}

// A photograph across the whole slide: smooth shapes under sensor noise, which barely codes.
RenderedSlide PhotoSlide(int width, int height) {
    RenderedSlide slide{width, height, std::vector<std::uint8_t>(3u * width * height)};
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 12.0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double shade = 128 + 80 * std::sin(x * 0.05) * std::cos(y * 0.04);
            for (int channel = 0; channel < 3; ++channel) {
                const double value = shade + 30 * channel + noise(random);
                slide.rgb[3u * (static_cast<std::size_t>(y) * width + x) + channel] =
                    static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
            }
        }
    }
    return slide;
}

class PaintedPresentation final : public IPresentationSource {
public:
    explicit PaintedPresentation(RenderedSlide (*paint)(int, int)) : paint_(paint) {}
    void Open(const std::filesystem::path&) override {}
    std::size_t SlideCount() const override { return kSlides; }
    SlideContent Slide(std::size_t number) override {
        SlideContent content;
        content.shapes.push_back({true, "Slide " + std::to_string(number), false, 0});
        content.shapes.push_back({false, "First point\r\nSecond point\r\nThird point", true, 1});
        content.notes = "What to say about this slide.";
        return content;
    }
    // Painted once per size, so that only the import's own work is timed.
    std::optional<RenderedSlide> Render(std::size_t, int width, int height) override {
        auto& painted = painted_[{width, height}];
        if (painted.rgb.empty()) {
            painted = paint_(width, height);
        }
        return painted;
    }
    void Close() override {}

private:
    RenderedSlide (*paint_)(int, int);
    std::map<std::pair<int, int>, RenderedSlide> painted_;
};

void Import(benchmark::State& state, RenderedSlide (*paint)(int, int)) {
    const auto file = std::filesystem::temp_directory_path() / "trovique-import-bench.ppt";
    std::ofstream(file) << "presentation";
    bench::BenchServices base;
    CServices& services = base.services;
    PaintedPresentation source(paint);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        CDocument document(services, bench::Palettes());
        const auto result = ImportFromPowerPoint(document, source, file);
        if (result.slidesAdded != kSlides) {
            state.SkipWithError("slides were left out");
            break;
        }
        benchmark::DoNotOptimize(document.Tree().DBSize());
    }
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    state.counters["ms_per_slide"] =
        elapsed.count() / (static_cast<double>(kSlides) * static_cast<double>(state.iterations()));
    std::filesystem::remove(file);
}

void BM_ImportOrdinarySlides(benchmark::State& state) {
    Import(state, OrdinarySlide);
}
void BM_ImportPhotoSlides(benchmark::State& state) {
    Import(state, PhotoSlide);
}

BENCHMARK(BM_ImportOrdinarySlides)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportPhotoSlides)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
