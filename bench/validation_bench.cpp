// Validation of a large slide show: 15,500 QAF leaves under one category, the most one node may
// hold, each with its question and answers filled. The Validate and Export commands run this
// walk over the whole tree before anything is written.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "core/app/MemorySettingsStore.h"
#include "core/app/Services.h"
#include "core/editor/Document.h"
#include "core/imaging/Palette.h"
#include "core/validation/PalmDevice.h"
#include "core/validation/Validate.h"
#include "core/validation/ValidationResults.h"

namespace {

using namespace trovique;

constexpr int kLeaves = 15500;

class NullProgressView final : public IProgressView {
public:
    void Update(const ProgressDisplay&) override {}
    void Show() override {}
    void Hide() override {}
    bool Visible() const override { return false; }
    int Top() const override { return 0; }
    void SetTop(int) override {}
    bool UserCancel() override { return false; }
    void Reset() override {}
};

// A user interface nobody looks at: the status bar and progress run without a view.
class QuietUserInterface final : public IUserInterface {
public:
    int ShowMessage(const std::string&, int, const std::string&) override { return 1; }
    ConfirmAnswer AskConfirm(const std::string&, const std::string&) override { return {}; }
    void ShowLongMessage(const std::string&, const std::string&, const std::string&) override {}
    CStatusBar& StatusBar() override { return statusBar_; }
    CProgress& Progress() override { return progress_; }

private:
    CStatusBar statusBar_;
    CProgress progress_{std::make_unique<NullProgressView>()};
};

const PalmPalettes& Palettes() {
    static const auto load = [](const char* file, std::uint16_t colours) {
        auto palette = std::make_unique<CPalette>();
        palette->SetNumColors(colours);
        palette->CreatePaletteFromFile(std::string(TROVIQUE_BIN_DIR) + "/" + file);
        return palette;
    };
    static const auto color = load("Palm256Color.pal", 256);
    static const auto mono = load("PalmMonochrome.pal", 2);
    static const auto gray = load("Palm4Color.pal", 4);
    static const PalmPalettes palettes{*color, *mono, *gray};
    return palettes;
}

std::string Words(std::size_t length, const std::string& words) {
    std::string text;
    while (text.size() < length) {
        text += words;
    }
    text.resize(length);
    return text;
}

struct LargeSlideShow {
    MemorySettingsStore settings;
    QuietUserInterface ui;
    CServices services{settings, ui};
    CDocument document{services, Palettes()};
    CValidationResults results{ui};

    // Texts at the stored maximum (question 250, answers 110 characters) or, for a slide show
    // that passes, narrow texts that still fit one screen.
    explicit LargeSlideShow(bool fitsScreen) {
        const int root = document.GetNodeInfoIndexOfRoot();
        document.Select(root);
        const int category = document.AddNode();
        document.Entry(category).Node->SetTitle("Planets");
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
            document.AddGenNode(kKindLeaf, {}, leaf, category, Relationship::Child, false, true);
        }
    }
};

void Report(benchmark::State& state, const LargeSlideShow& show, bool passed) {
    state.counters["leaves"] = static_cast<double>(show.document.LeafCount());
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
