// The stages of turning a rendered slide into a Palm bitmap, on a 2000 x 1500 picture: reading
// a 24-bit file, re-indexing, building the Palm form (with its run-length code), writing it and
// reading it back. Reports the time per picture and "pixels_per_second".

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "BenchSupport.h"
#include "core/common/MemoryFile.h"
#include "core/imaging/Bitmap.h"
#include "core/imaging/Palette.h"
#include "core/imaging/PalmBitmap.h"

namespace {

using namespace trovique;

constexpr int kWidth = 2000;
constexpr int kHeight = 1500;

using bench::Palettes;

// A slide drawn at 2000 x 1500: white page, title band with light strokes, six lines of dark
// text, a filled circle and a gradient panel; rows top first, blue, green, red.
const std::vector<std::uint8_t>& SlidePixels() {
    static const std::vector<std::uint8_t> pixels = [] {
        std::vector<std::uint8_t> bgr(static_cast<std::size_t>(kWidth) * kHeight * 3, 255);
        const int stroke = kWidth / 160;
        const int pitch = kHeight / 16;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                std::uint8_t* p = &bgr[(static_cast<std::size_t>(y) * kWidth + x) * 3];
                const auto set = [p](int blue, int green, int red) {
                    p[0] = static_cast<std::uint8_t>(blue);
                    p[1] = static_cast<std::uint8_t>(green);
                    p[2] = static_cast<std::uint8_t>(red);
                };
                const int dx = x - kWidth / 4;
                const int dy = y - kHeight * 7 / 10;
                if (y < kHeight / 6) {
                    const bool text = y > kHeight / 18 && y < kHeight / 9 && x > kWidth / 10 &&
                                      x < kWidth * 7 / 10 && (x / stroke) % 3 != 0;
                    text ? set(240, 250, 250) : set(125, 73, 31);
                } else if (x >= kWidth * 6 / 10 && y >= kHeight * 3 / 10 && y < kHeight * 8 / 10) {
                    set(120, 255 - 200 * (y - kHeight * 3 / 10) / (kHeight / 2),
                        255 * (x - kWidth * 6 / 10) / (kWidth * 4 / 10));
                } else if (dx * dx + dy * dy < (kHeight / 8) * (kHeight / 8)) {
                    set(77, 80, 192);
                } else {
                    const int line = (y - kHeight / 6) / pitch;
                    const int within = (y - kHeight / 6) % pitch;
                    if (line < 6 && within > pitch / 4 && within < 3 * pitch / 4 &&
                        x >= kWidth / 12 && x < kWidth / 2 && (x / stroke + line) % 4 != 0) {
                        set(64, 64, 64);
                    }
                }
            }
        }
        return bgr;
    }();
    return pixels;
}

// The slide as a bottom-up 24-bit .bmp file.
std::vector<std::uint8_t> SlideFile() {
    const std::size_t stride = (3 * kWidth + 3) / 4 * 4;
    std::vector<std::uint8_t> file(54 + stride * kHeight, 0);
    const auto put32 = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, kWidth);
    put32(22, kHeight);
    file[26] = 1;
    file[28] = 24;
    const auto& pixels = SlidePixels();
    for (int y = 0; y < kHeight; ++y) {
        const auto* row = &pixels[static_cast<std::size_t>(kHeight - 1 - y) * kWidth * 3];
        std::copy(row, row + 3 * kWidth, file.begin() + 54 + y * stride);
    }
    return file;
}

void CountPixels(benchmark::State& state) {
    state.counters["pixels_per_second"] = benchmark::Counter(
        static_cast<double>(kWidth) * kHeight, benchmark::Counter::kIsIterationInvariantRate);
}

const CBitmap& SlideBitmap() {
    static const CBitmap bitmap(kWidth, kHeight, SlidePixels(), 3 * kWidth, Palettes().color256);
    return bitmap;
}

void BM_ReadTwentyFourBitFile(benchmark::State& state) {
    const auto bytes = SlideFile();
    for (auto _ : state) {
        CMemoryFile file(bytes);
        CBitmap bitmap;
        bitmap.ReadFile(file, Palettes().color256);
        benchmark::DoNotOptimize(bitmap.Row(1).data());
    }
    CountPixels(state);
}
BENCHMARK(BM_ReadTwentyFourBitFile)->Unit(benchmark::kMillisecond);

void BM_ConvertPalette(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        CBitmap bitmap = SlideBitmap();
        state.ResumeTiming();
        bitmap.ConvertPalette(Palettes().color256);
        benchmark::DoNotOptimize(bitmap.Row(1).data());
    }
    CountPixels(state);
}
BENCHMARK(BM_ConvertPalette)->Unit(benchmark::kMillisecond);

void BM_GrayScaleReduction(benchmark::State& state) {
    for (auto _ : state) {
        CBitmap grey;
        grey.CreateGrayScale4Bitmap(SlideBitmap());
        benchmark::DoNotOptimize(grey.Row(1).data());
    }
    CountPixels(state);
}
BENCHMARK(BM_GrayScaleReduction)->Unit(benchmark::kMillisecond);

void BM_PalmFromBitmap(benchmark::State& state) {
    for (auto _ : state) {
        CPalmBitmap palm;
        palm.ReadFromCBitmap(SlideBitmap());
        benchmark::DoNotOptimize(palm.EstFileSize());
    }
    CountPixels(state);
}
BENCHMARK(BM_PalmFromBitmap)->Unit(benchmark::kMillisecond);

void BM_PalmWriteAndRead(benchmark::State& state) {
    CPalmBitmap palm;
    palm.ReadFromCBitmap(SlideBitmap());
    state.counters["coded_bytes"] = palm.CompressedByteCount();
    for (auto _ : state) {
        CMemoryFile file;
        palm.WriteToFile(file, true);
        file.Seek(0);
        CPalmBitmap read;
        read.ReadFromFile(file, true, Palettes());
        benchmark::DoNotOptimize(read.Row(1).data());
    }
    CountPixels(state);
}
BENCHMARK(BM_PalmWriteAndRead)->Unit(benchmark::kMillisecond);

}  // namespace
