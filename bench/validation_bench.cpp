// Validation of a large slide show: 15,500 QAF leaves under one category, the most one node may
// hold, each with its question and answers filled. The Validate and Export commands run this
// walk over the whole tree before anything is written.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/editor/Document.h"
#include "core/imaging/Palette.h"
#include "core/imaging/PicturePreparation.h"
#include "core/services/MemorySettingsStore.h"
#include "core/services/Services.h"
#include "core/validation/PalmDevice.h"
#include "core/validation/Validate.h"
#include "core/validation/ValidationResults.h"

namespace {

using namespace trovique;

constexpr int kLeaves = 15500;

std::string Words(std::size_t length, const std::string& words) {
    std::string text;
    while (text.size() < length) {
        text += words;
    }
    text.resize(length);
    return text;
}

struct LargeSlideShow {
    bench::BenchServices base;
    bench::CQuietUserInterface& ui = base.ui;
    CServices& services = base.services;
    CDocument document{services, bench::Palettes()};
    CValidationResults results{ui};

    // Texts at the stored maximum (question 250, answers 110 characters) or, for a slide show
    // that passes, narrow texts that still fit one screen.
    explicit LargeSlideShow(bool fitsScreen) {
        const int root = document.Tree().GetNodeInfoIndexOfRoot();
        document.Tree().Select(root);
        const int category = document.AddNode();
        document.Tree().Entry(category).Node->SetTitle("Planets");
        const std::string question =
            fitsScreen ? Words(250, "il ") : Words(250, "Which planet has the most moons? ");
        const std::string answer =
            fitsScreen ? Words(70, "li ") : Words(110, "Saturn, with moons beyond count ");
        for (int i = 0; i < kLeaves; ++i) {
            auto leaf = std::make_shared<CLeaf>();
            leaf->SetTitle("Slide " + std::to_string(i + 1));
            leaf->SetDifficulty(3);
            leaf->SetQuestion(question);
            for (int a = 1; a <= 4; ++a) {
                leaf->SetAnswer(a, answer);
            }
            document.AddGenNode(ElementKind::Leaf, {}, leaf, category, Relationship::Child,
                                AddOptions::ReAdd);
        }
    }
};

void Report(benchmark::State& state, const LargeSlideShow& show, bool passed) {
    state.counters["leaves"] = static_cast<double>(show.document.Tree().LeafCount());
    state.counters["findings"] = static_cast<double>(show.results.MessageCount());
    state.counters["passed"] = passed ? 1 : 0;
}

// Every leaf fails its line count, and every finding is listed.
void BM_ValidateFullTextsNoLimit(benchmark::State& state) {
    LargeSlideShow show(false);
    bool passed = true;
    for (auto _ : state) {
        passed = Validate(show.document, show.results, CValidationLimit::Off());
    }
    Report(state, show, passed);
}
BENCHMARK(BM_ValidateFullTextsNoLimit)->Unit(benchmark::kMillisecond);

// The whole tree is walked and every leaf passes.
void BM_ValidatePassing(benchmark::State& state) {
    LargeSlideShow show(true);
    bool passed = false;
    for (auto _ : state) {
        passed = Validate(show.document, show.results, CValidationLimit::Off());
    }
    Report(state, show, passed);
}
BENCHMARK(BM_ValidatePassing)->Unit(benchmark::kMillisecond);

// Noise that run-length coding cannot shrink: 324 x 202 pixels are stored plain, 65470 bytes by
// the estimate and 65522 as written, just inside the handheld's record limit.
std::shared_ptr<CBitmap> PictureNearTheLimit() {
    constexpr std::int32_t kWidth = 324;
    constexpr std::int32_t kHeight = 202;
    std::mt19937 random(11);
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(kWidth) * kHeight * 3);
    for (auto& byte : bgr) {
        byte = static_cast<std::uint8_t>(random());
    }
    return std::make_shared<CBitmap>(kWidth, kHeight, bgr, static_cast<std::size_t>(kWidth) * 3,
                                     bench::Palettes().color256);
}

// 15,500 BITMAP leaves as an import makes them, a colour slide with its grey companion, of which
// the first nearLimit carry a picture that fills their record almost to the limit. Every leaf
// passes.
struct SlideShowOfPictures {
    bench::BenchServices base;
    CDocument document{base.services, bench::Palettes()};
    CValidationResults results{base.ui};

    explicit SlideShowOfPictures(int nearLimit) {
        const int root = document.Tree().GetNodeInfoIndexOfRoot();
        document.Tree().Select(root);
        const int category = document.AddNode();
        document.Tree().Entry(category).Node->SetTitle("Planets");
        const auto colour = bench::SlidePicture(160, 120);
        const auto grey = std::make_shared<CBitmap>(GrayCompanion(*colour, bench::Palettes()));
        const auto large = PictureNearTheLimit();
        for (int i = 0; i < kLeaves; ++i) {
            auto leaf = std::make_shared<CLeaf>();
            leaf->SetTitle("Slide " + std::to_string(i + 1));
            leaf->SetKind(LeafKind::Bitmap);
            leaf->SetColorBitmap(i < nearLimit ? large : colour);
            leaf->SetMonochromeBitmap(i < nearLimit ? nullptr : grey);
            document.AddGenNode(ElementKind::Leaf, {}, leaf, category, Relationship::Child,
                                AddOptions::ReAdd);
        }
    }
};

// Arg: how many of the slides lie near the record limit (none, or one in a hundred).
void BM_ValidateSlidePictures(benchmark::State& state) {
    SlideShowOfPictures show(static_cast<int>(state.range(0)));
    bool passed = false;
    for (auto _ : state) {
        passed = Validate(show.document, show.results, CValidationLimit::Off());
    }
    state.counters["leaves"] = static_cast<double>(show.document.Tree().LeafCount());
    state.counters["findings"] = static_cast<double>(show.results.MessageCount());
    state.counters["passed"] = passed ? 1 : 0;
}
BENCHMARK(BM_ValidateSlidePictures)->Arg(0)->Arg(155)->Unit(benchmark::kMillisecond);

void BM_GetLineCount(benchmark::State& state) {
    const std::string text = Words(250, "Which planet has the most moons? ");
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetLineCount(text, DefaultPalmDevice()));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_GetLineCount);

}  // namespace
