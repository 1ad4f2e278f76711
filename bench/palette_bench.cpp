// Re-indexing pictures against the 256-colour handheld palette: every pixel of every slide goes
// through it. Reports nanoseconds per pixel ("ns_per_pixel") for a slide-sized picture, and the
// same work done by comparing every palette entry, on a sample of the same picture's rows.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <random>
#include <span>
#include <vector>

#include "core/imaging/Palette.h"

namespace {

using trovique::CPalette;

constexpr int kWidth = 2000;
constexpr int kHeight = 1500;

const CPalette& Palm256() {
    static const CPalette palette = [] {
        CPalette loaded;
        loaded.SetNumColors(256);
        loaded.CreatePaletteFromFile(std::filesystem::path(TROVIQUE_BIN_DIR) / "Palm256Color.pal");
        return loaded;
    }();
    return palette;
}

struct Colour {
    double red, green, blue;
};

Colour Mix(Colour a, Colour b, double t) {
    return {a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t,
            a.blue + (b.blue - a.blue) * t};
}

// A rendered slide, drawn deterministically: a flat background, a title band with a horizontal
// gradient, a panel with a vertical gradient, lines of anti-aliased dark text, and a photo with
// smooth shapes and sensor noise.
std::vector<std::uint8_t> SlidePicture() {
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(kWidth) * kHeight * 3);
    std::mt19937 random(1504);
    std::normal_distribution<double> noise(0.0, 6.0);
    const Colour background{244, 246, 250};
    const Colour ink{30, 34, 48};
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            Colour c = background;
            if (y < 220) {
                c = Mix({20, 60, 140}, {90, 170, 220}, x / double(kWidth));
            } else if (x < 560 && y > 300) {
                c = Mix({250, 236, 200}, {230, 180, 120}, (y - 300) / double(kHeight - 300));
            } else if (x >= 1150 && x < 1900 && y >= 380 && y < 1300) {
                const double u = (x - 1150) / 750.0;
                const double v = (y - 380) / 920.0;
                const Colour sky{120 + 60 * v, 170 + 40 * v, 230 - 20 * v};
                const Colour field{60 + 40 * u, 130 + 50 * std::sin(7 * u), 40 + 30 * v};
                const double horizon = 0.45 + 0.08 * std::sin(9 * u);
                c = v < horizon ? sky : field;
                c.red += noise(random);
                c.green += noise(random);
                c.blue += noise(random);
            } else if (x >= 620 && x < 1100 && y >= 320) {
                // Text lines: strokes with soft edges where coverage falls off.
                const int line = (y - 320) % 60;
                if (line < 34) {
                    const double stroke = std::abs(std::sin(x * 0.21 + (y / 60) * 1.7) *
                                                   std::sin(line * 0.19 + x * 0.05));
                    const double coverage = std::clamp((stroke - 0.55) * 4.0, 0.0, 1.0);
                    c = Mix(background, ink, coverage > 0 ? coverage : 0.0);
                }
            }
            std::uint8_t* pixel = &bgr[(static_cast<std::size_t>(y) * kWidth + x) * 3];
            pixel[0] = static_cast<std::uint8_t>(std::clamp(c.blue, 0.0, 255.0));
            pixel[1] = static_cast<std::uint8_t>(std::clamp(c.green, 0.0, 255.0));
            pixel[2] = static_cast<std::uint8_t>(std::clamp(c.red, 0.0, 255.0));
        }
    }
    return bgr;
}

const std::vector<std::uint8_t>& Slide() {
    static const std::vector<std::uint8_t> picture = SlidePicture();
    return picture;
}

// Every tenth row of the slide: the same mix of content at a tenth of the size.
const std::vector<std::uint8_t>& SlideSample() {
    static const std::vector<std::uint8_t> sample = [] {
        std::vector<std::uint8_t> rows;
        const std::size_t rowBytes = static_cast<std::size_t>(kWidth) * 3;
        for (int y = 0; y < kHeight; y += 10) {
            const auto start = Slide().begin() + static_cast<std::ptrdiff_t>(y * rowBytes);
            rows.insert(rows.end(), start, start + static_cast<std::ptrdiff_t>(rowBytes));
        }
        return rows;
    }();
    return sample;
}

// Runs pass once per iteration and reports nanoseconds per pixel, both in processor time
// ("ns_per_pixel", what the pass costs) and in wall time ("wall_ns_per_pixel", which grows when
// other programs share the machine).
template <class Pass>
void MeasurePerPixel(benchmark::State& state, std::size_t pixels, Pass&& pass) {
    double cpuSeconds = 0;
    double wallSeconds = 0;
    for (auto _ : state) {
        const std::clock_t cpuStart = std::clock();
        const auto wallStart = std::chrono::steady_clock::now();
        pass();
        wallSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        cpuSeconds += static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    }
    const double count = static_cast<double>(pixels) * static_cast<double>(state.iterations());
    state.counters["ns_per_pixel"] = cpuSeconds * 1e9 / count;
    state.counters["wall_ns_per_pixel"] = wallSeconds * 1e9 / count;
}

void ConvertPicture(benchmark::State& state, const std::vector<std::uint8_t>& picture) {
    const CPalette& palette = Palm256();
    std::vector<std::uint8_t> indices;
    MeasurePerPixel(state, picture.size() / 3, [&] {
        palette.Convert24BitColor(picture, indices);
        benchmark::DoNotOptimize(indices.data());
    });
}

// The peer: the same pass, each new colour compared with all 256 entries.
void BruteForcePicture(benchmark::State& state, const std::vector<std::uint8_t>& picture,
                       bool keepLastColour) {
    const CPalette& palette = Palm256();
    std::vector<std::uint8_t> indices(picture.size() / 3);
    MeasurePerPixel(state, indices.size(), [&] {
        std::uint32_t lastColor = UINT32_MAX;
        std::uint8_t lastIndex = 0;
        for (std::size_t at = 0; at < indices.size(); ++at) {
            const std::uint8_t* pixel = &picture[at * 3];
            const std::uint32_t color = CPalette::BuildColorRef(pixel[2], pixel[1], pixel[0]);
            if (color != lastColor || !keepLastColour) {
                lastColor = color;
                lastIndex = palette.BruteForceNearestIndex(pixel[2], pixel[1], pixel[0]);
            }
            indices[at] = lastIndex;
        }
        benchmark::DoNotOptimize(indices.data());
    });
}

// Worst case for the run shortcut: no two neighbouring colours alike.
const std::vector<std::uint8_t>& RandomColours() {
    static const std::vector<std::uint8_t> bgr = [] {
        std::mt19937 random(99);
        std::uniform_int_distribution<int> channel(0, 255);
        std::vector<std::uint8_t> bytes(100000 * 3);
        for (auto& byte : bytes) {
            byte = static_cast<std::uint8_t>(channel(random));
        }
        return bytes;
    }();
    return bgr;
}

void BM_Convert24BitColor_Slide(benchmark::State& state) {
    ConvertPicture(state, Slide());
}
BENCHMARK(BM_Convert24BitColor_Slide)->Unit(benchmark::kMillisecond);

void BM_Convert24BitColor_SlideSample(benchmark::State& state) {
    ConvertPicture(state, SlideSample());
}
BENCHMARK(BM_Convert24BitColor_SlideSample)->Unit(benchmark::kMillisecond);

void BM_BruteForce_SlideSample(benchmark::State& state) {
    BruteForcePicture(state, SlideSample(), true);
}
BENCHMARK(BM_BruteForce_SlideSample)->Unit(benchmark::kMillisecond);

void BM_Convert24BitColor_RandomColours(benchmark::State& state) {
    ConvertPicture(state, RandomColours());
}
BENCHMARK(BM_Convert24BitColor_RandomColours)->Unit(benchmark::kMillisecond);

void BM_BruteForce_RandomColours(benchmark::State& state) {
    BruteForcePicture(state, RandomColours(), false);
}
BENCHMARK(BM_BruteForce_RandomColours)->Unit(benchmark::kMillisecond);

void BM_CreatePaletteFromFile_256(benchmark::State& state) {
    for (auto _ : state) {
        CPalette palette;
        palette.SetNumColors(256);
        palette.CreatePaletteFromFile(std::filesystem::path(TROVIQUE_BIN_DIR) / "Palm256Color.pal");
        benchmark::DoNotOptimize(palette.ColorTable().data());
    }
}
BENCHMARK(BM_CreatePaletteFromFile_256)->Unit(benchmark::kMillisecond);

}  // namespace
