// Structural edits on a large slide show: two Major Categories, each with one Sub Category of
// 5,000 leaves (10,000 leaves in all). A copy of the first Sub Category is pasted into the first
// Major Category, so that its 5,000 leaves go in front of the second category's 5,000 pages;
// then the paste is undone and redone. Deleting the first Sub Category moves the other 5,000
// pages down. Each step must stay within a second.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchSupport.h"
#include "core/services/MemorySettingsStore.h"
#include "core/services/Services.h"
#include "core/editor/Document.h"
#include "core/imaging/Palette.h"

namespace {

using namespace trovique;

constexpr int kLeavesPerBranch = 5000;

// The slide show of the benchmarks, with the items the edits act on.
struct LargeSlideShow {
    LargeSlideShow() {
        document = std::make_unique<CDocument>(services, bench::Palettes());
        const int root = document->Tree().GetNodeInfoIndexOfRoot();
        for (int category = 0; category < 2; ++category) {
            document->Tree().Select(root);
            const int major = document->AddNode();
            const int sub = document->AddNode();
            for (int leaf = 0; leaf < kLeavesPerBranch; ++leaf) {
                document->Tree().Select(sub);
                document->AddQAF();
            }
            if (category == 0) {
                firstMajor = major;
                firstSub = sub;
            }
        }
    }

    bench::BenchServices base{true};  // every question is answered Yes
    CServices& services = base.services;
    std::unique_ptr<CDocument> document;
    int firstMajor = 0;
    int firstSub = 0;
};

void Check(benchmark::State& state, bool ok, const char* what) {
    if (!ok) {
        state.SkipWithError(what);
    }
}

// Runs setup untimed, then times step, once per iteration.
template <class Setup, class Step>
void TimeStep(benchmark::State& state, Setup&& setup, Step&& step) {
    for (auto _ : state) {
        state.PauseTiming();
        auto show = std::make_unique<LargeSlideShow>();
        setup(state, *show);
        state.ResumeTiming();
        step(state, *show);
        state.PauseTiming();
        state.counters["leaves"] = static_cast<double>(show->document->Tree().LeafCount());
        show.reset();
        state.ResumeTiming();
    }
}

void Paste(benchmark::State& state, LargeSlideShow& show) {
    Check(state, show.document->PasteNode(show.firstMajor), "paste refused");
}

void CopyFirstSub(benchmark::State& state, LargeSlideShow& show) {
    Check(state, show.document->CopyNode(show.firstSub), "copy failed");
}

void BM_PasteBranch(benchmark::State& state) {
    TimeStep(state, CopyFirstSub, Paste);
}

void BM_UndoPaste(benchmark::State& state) {
    TimeStep(
        state,
        [](benchmark::State& s, LargeSlideShow& show) {
            CopyFirstSub(s, show);
            Paste(s, show);
        },
        [](benchmark::State& s, LargeSlideShow& show) {
            Check(s, show.document->Undo(), "undo failed");
        });
}

void BM_RedoPaste(benchmark::State& state) {
    TimeStep(
        state,
        [](benchmark::State& s, LargeSlideShow& show) {
            CopyFirstSub(s, show);
            Paste(s, show);
            Check(s, show.document->Undo(), "undo failed");
        },
        [](benchmark::State& s, LargeSlideShow& show) {
            Check(s, show.document->Redo(), "redo failed");
        });
}

void BM_DeleteBranch(benchmark::State& state) {
    TimeStep(
        state, [](benchmark::State&, LargeSlideShow&) {},
        [](benchmark::State& s, LargeSlideShow& show) {
            Check(s, show.document->Delete(show.firstSub), "delete refused");
        });
}

void BM_UndoDelete(benchmark::State& state) {
    TimeStep(
        state,
        [](benchmark::State& s, LargeSlideShow& show) {
            Check(s, show.document->Delete(show.firstSub), "delete refused");
        },
        [](benchmark::State& s, LargeSlideShow& show) {
            Check(s, show.document->Undo(), "undo failed");
        });
}

BENCHMARK(BM_PasteBranch)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UndoPaste)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RedoPaste)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DeleteBranch)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UndoDelete)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
