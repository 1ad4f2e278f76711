// The handheld preview of one slide as an import makes it: a 160 x 120 colour picture with its
// grey companion, a 640 x 480 second pair and a fact of notes. The first show builds the slide's
// records and decodes them back; later shows come from the cache. Exporting a slide show of that
// one slide is the peer: the preview does what export does for the leaf, and reads it back.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/editor/Document.h"
#include "core/imaging/Palette.h"
#include "core/imaging/PicturePreparation.h"
#include "core/preview/HandheldPreviewCache.h"
#include "core/preview/HandheldPreviewView.h"
#include "core/slideshowfile/SlideShowWriter.h"

namespace {

using namespace trovique;

struct OneSlideShow {
    bench::BenchServices base;
    CDocument document{base.services, bench::Palettes()};
    int leaf = 0;

    OneSlideShow() {
        document.Tree().Select(document.Tree().GetNodeInfoIndexOfRoot());
        leaf = document.AddQAF();
        CLeaf& record = *document.Tree().Entry(leaf).Leaf;
        record.SetKind(LeafKind::Bitmap);
        const auto colour = bench::SlidePicture(160, 120);
        record.SetColorBitmap(colour);
        record.SetMonochromeBitmap(
            std::make_shared<CBitmap>(GrayCompanion(*colour, bench::Palettes())));
        const auto large = bench::SlidePicture(640, 480);
        record.SetAuxColorBitmap(large);
        record.SetAuxMonochromeBitmap(
            std::make_shared<CBitmap>(GrayCompanion(*large, bench::Palettes())));
        std::string notes;
        while (notes.size() < 2000) {
            notes += "The speaker's notes of this slide, as the author wrote them. ";
        }
        record.SetFact(notes);
    }
};

void BM_PreviewFirstShow(benchmark::State& state) {
    OneSlideShow show;
    for (auto _ : state) {
        CHandheldPreviewCache cache(show.document.Tree(), show.document.Palettes());
        benchmark::DoNotOptimize(ViewHandheldPreview(show.document, cache, show.leaf));
    }
}
BENCHMARK(BM_PreviewFirstShow)->Unit(benchmark::kMillisecond);

void BM_PreviewCachedShow(benchmark::State& state) {
    OneSlideShow show;
    CHandheldPreviewCache cache(show.document.Tree(), show.document.Palettes());
    ViewHandheldPreview(show.document, cache, show.leaf);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ViewHandheldPreview(show.document, cache, show.leaf));
    }
}
BENCHMARK(BM_PreviewCachedShow)->Unit(benchmark::kMillisecond);

void BM_ExportOneSlide(benchmark::State& state) {
    OneSlideShow show;
    bench::CBenchFolder folder("handheld-preview");
    const auto path = folder.Path() / "one.pdb";
    for (auto _ : state) {
        benchmark::DoNotOptimize(Export(show.document, path));
    }
}
BENCHMARK(BM_ExportOneSlide)->Unit(benchmark::kMillisecond);

}  // namespace
