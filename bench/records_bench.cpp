// Reading and writing slide show records. A slide's record carries its pictures, so opening and
// saving a large slide show spends most of its time here; the size estimate of a BITMAP leaf is
// asked for whenever the editor shows or validates a slide. The end-node case measures the
// hexadecimal link text of a node with thousands of children.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "core/common/MemoryFile.h"
#include "core/imaging/Bitmap.h"
#include "core/imaging/Palette.h"
#include "core/imaging/PalmBitmap.h"
#include "core/model/Leaf.h"
#include "core/model/Node.h"

namespace {

using namespace trovique;

// A slide-like picture: a title band, a gradient panel and white page.
std::shared_ptr<CBitmap> SlidePicture(int width, int height) {
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &bgr[(static_cast<std::size_t>(y) * width + x) * 3];
            if (y < height / 5) {
                p[0] = 125, p[1] = 73, p[2] = 31;
            } else if (x > width / 2) {
                p[0] = static_cast<std::uint8_t>(x * 255 / width);
                p[1] = static_cast<std::uint8_t>(y * 255 / height);
                p[2] = 120;
            } else {
                p[0] = p[1] = p[2] = 255;
            }
        }
    }
    return std::make_shared<CBitmap>(width, height, bgr, static_cast<std::size_t>(width) * 3,
                                     bench::Palettes().color256);
}

CLeaf SlideLeaf(int width, int height) {
    CLeaf leaf;
    leaf.SetBITMAPOnly(true);
    leaf.SetTitle("A slide");
    auto colour = SlidePicture(width, height);
    auto grey = std::make_shared<CBitmap>();
    grey->CreateGrayScale4Bitmap(*colour);
    leaf.SetColorBitmap(colour);
    leaf.SetMonochromeBitmap(grey);
    return leaf;
}

void BM_WriteSlideLeaf(benchmark::State& state) {
    CLeaf leaf = SlideLeaf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        CMemoryFile file;
        leaf.WriteToFile(file);
        bytes = file.Data().size();
        benchmark::DoNotOptimize(file.Data().data());
    }
    state.counters["record_bytes"] = static_cast<double>(bytes);
}

void BM_ReadSlideLeaf(benchmark::State& state) {
    CLeaf leaf = SlideLeaf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CMemoryFile file;
    leaf.WriteToFile(file);
    const PalmPalettes& palettes = bench::Palettes();
    for (auto _ : state) {
        file.Seek(0);
        CLeaf read;
        read.ReadFromFile(file, palettes);
        benchmark::DoNotOptimize(read.ColorBitmap().get());
    }
}

void BM_PalmBitmapSize(benchmark::State& state) {
    const CLeaf leaf =
        SlideLeaf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(leaf.GetPalmBitmapSize());
    }
}

void BM_EndNodeRoundTrip(benchmark::State& state) {
    CNode node;
    node.SetIsEndNode(true);
    for (int i = 1; i <= state.range(0); ++i) {
        node.AddLink(i, i);
    }
    for (auto _ : state) {
        CMemoryFile file;
        node.WriteToFile(file);
        file.Seek(0);
        CNode read;
        read.ReadFromFile(file);
        benchmark::DoNotOptimize(read.NumLinks());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_WriteSlideLeaf)->Args({160, 120})->Args({320, 240})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadSlideLeaf)->Args({160, 120})->Args({320, 240})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PalmBitmapSize)->Args({160, 120})->Args({320, 240})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EndNodeRoundTrip)->Arg(100)->Arg(15500)->Unit(benchmark::kMicrosecond);

}  // namespace
