// Validation of a large slide show: 15,500 QAF leaves under one category, the most one node may
// hold, each with its question and answers filled. The Validate and Export commands run this
// walk over the whole tree before anything is written.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchSupport.h"
#include "core/services/MemorySettingsStore.h"
#include "core/services/Services.h"
#include "core/editor/Document.h"
#include "core/imaging/Palette.h"
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

void BM_GetLineCount(benchmark::State& state) {
    const std::string text = Words(250, "Which planet has the most moons? ");
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetLineCount(text, DefaultPalmDevice()));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_GetLineCount);

}  // namespace
