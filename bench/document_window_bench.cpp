// The slide show window on big shows, drawn offscreen: opening a 15,500-slide file into a window
// (goal: under 2 s), selecting a leaf until its pane is shown and painted (goal: under 50 ms),
// and pasting a 5,000-leaf branch into a 10,000-leaf show and undoing it while the tree is open
// on both branches. Each window figure has its peer without a window (the same step on the
// document alone), so the window's own share shows as a ratio.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeView>
#include <memory>
#include <string>

#include "BenchSupport.h"
#include "core/app/Commands.h"
#include "core/editor/Document.h"
#include "core/services/MemorySettingsStore.h"
#include "core/settings/Application.h"
#include "core/slideshowfile/SlideShowReader.h"
#include "core/slideshowfile/SlideShowWriter.h"
#include "gui/models/SlideShowTreeModel.h"
#include "gui/ui/QtUserInterface.h"
#include "gui/windows/DocumentWindow.h"
#include "gui/windows/MainWindow.h"

namespace {

using namespace trovique;
using namespace trovique::gui;

constexpr int kBigShow = 15500;
constexpr int kBranch = 5000;

struct Environment {
    Environment() {
        store.Set("Norvane Trovique", "NoShowAgain", "DeleteNode", "1");
        application.SetAllowGUI(true);
        main.SetApplication(&application);
        main.Load();
        main.resize(1000, 700);
        main.show();
        WriteShows();
    }

    // One Major Category of 15,500 FACT leaves; two Major Categories with a Sub Category of 5,000
    // leaves each. Every node is open, so that the tree lays out every row.
    void WriteShows() {
        CDocument big(base.services, bench::Palettes());
        const int root = big.Tree().GetNodeInfoIndexOfRoot();
        const int category = big.AddGenNode(ElementKind::Node, {}, nullptr, root,
                                            Relationship::Child, AddOptions::None);
        for (int i = 0; i < kBigShow; ++i) {
            big.AddGenNode(ElementKind::Leaf, "Fact " + std::to_string(i), nullptr, category,
                           Relationship::Child, AddOptions::None);
        }
        big.Tree().SetBranchExpanded(root, true);
        Save(big, bigShow);
        CDocument two(base.services, bench::Palettes());
        const int top = two.Tree().GetNodeInfoIndexOfRoot();
        for (int c = 0; c < 2; ++c) {
            const int major = two.AddGenNode(ElementKind::Node, {}, nullptr, top,
                                             Relationship::Child, AddOptions::None);
            const int sub = two.AddGenNode(ElementKind::Node, {}, nullptr, major,
                                           Relationship::Child, AddOptions::None);
            for (int i = 0; i < kBranch; ++i) {
                two.AddGenNode(ElementKind::Leaf, {}, nullptr, sub, Relationship::Child,
                               AddOptions::None);
            }
        }
        two.Tree().SetBranchExpanded(top, true);
        Save(two, twoBranches);
    }

    // Opens file in a window of the main window and lets it draw.
    DocumentWindow* Open(const std::filesystem::path& file) {
        main.DoCmd(cmd::kOpen, QString::fromStdString(file.string()));
        QCoreApplication::processEvents();
        return dynamic_cast<DocumentWindow*>(main.ActiveDocument());
    }
    void CloseAll() {
        for (IDocumentWindow* window : main.Documents()) {
            window->Document().ForceDirty(false);
        }
        main.CloseAllDocuments();
        QCoreApplication::processEvents();
    }

    bench::BenchServices base{true};
    bench::CBenchFolder scratch{"trovique-document-window-bench"};
    std::filesystem::path bigShow = scratch.Path() / "big.sdb";
    std::filesystem::path twoBranches = scratch.Path() / "two.sdb";
    MemorySettingsStore store;
    CQtUserInterface ui;
    CApplication application{store, TROVIQUE_BIN_DIR};
    MainWindow main{store, ui};
};

// Made on first use and gone before the application object, which the windows need.
std::unique_ptr<Environment> environment;

Environment& Env() {
    if (!environment) {
        environment = std::make_unique<Environment>();
    }
    return *environment;
}

void BM_OpenWindow(benchmark::State& state) {
    for (auto _ : state) {
        DocumentWindow* window = Env().Open(Env().bigShow);
        state.PauseTiming();
        if (!window || window->Document().Tree().LeafCount() != kBigShow) {
            state.SkipWithError("the show did not open");
        }
        Env().CloseAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenWindow)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenDocumentAlone(benchmark::State& state) {
    for (auto _ : state) {
        CDocument document(Env().base.services, bench::Palettes());
        if (!Read(document, Env().bigShow, false)) {
            state.SkipWithError("the show did not open");
        }
    }
}
BENCHMARK(BM_OpenDocumentAlone)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// A click on a leaf far from the last one: the tree's selection, the pane and the paint.
void BM_SelectLeaf(benchmark::State& state) {
    DocumentWindow* window = Env().Open(Env().bigShow);
    CSlideShowTree& tree = window->Document().Tree();
    std::size_t page = 1;
    for (auto _ : state) {
        page = (page + 7919) % kBigShow + 1;
        window->Tree().setCurrentIndex(window->Model().IndexOf(tree.LeafOnPage(page)));
        QCoreApplication::processEvents();
    }
    if (tree.Selected() != tree.LeafOnPage(page)) {
        state.SkipWithError("the leaf was not selected");
    }
    Env().CloseAll();
}
BENCHMARK(BM_SelectLeaf)->Iterations(40)->Unit(benchmark::kMillisecond)->UseRealTime();

// The two-branch show with the first Sub Category on the node clipboard.
struct PasteSetup {
    explicit PasteSetup(CDocument& document) : doc(document) {
        const CSlideShowTree& tree = doc.Tree();
        const int root = tree.GetNodeInfoIndexOfRoot();
        firstMajor = tree.FirstChild(root);
        doc.CopyNode(tree.FirstChild(firstMajor));
    }
    CDocument& doc;
    int firstMajor = 0;
};

template <bool kUndo>
void PasteOrUndo(benchmark::State& state, CDocument& doc, bool drawn) {
    PasteSetup setup(doc);
    for (auto _ : state) {
        if (kUndo) {
            state.PauseTiming();
        }
        const bool pasted = doc.PasteNode(setup.firstMajor);
        if (drawn) {
            QCoreApplication::processEvents();
        }
        if (kUndo) {
            state.ResumeTiming();
        } else {
            state.PauseTiming();
        }
        const bool undone = doc.Undo();
        if (drawn) {
            QCoreApplication::processEvents();
        }
        if (!kUndo) {
            state.ResumeTiming();
        }
        if (!pasted || !undone) {
            state.SkipWithError("paste or undo refused");
        }
    }
}

void BM_PasteInWindow(benchmark::State& state) {
    DocumentWindow* window = Env().Open(Env().twoBranches);
    PasteOrUndo<false>(state, window->Document(), true);
    Env().CloseAll();
}
BENCHMARK(BM_PasteInWindow)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UndoPasteInWindow(benchmark::State& state) {
    DocumentWindow* window = Env().Open(Env().twoBranches);
    PasteOrUndo<true>(state, window->Document(), true);
    Env().CloseAll();
}
BENCHMARK(BM_UndoPasteInWindow)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PasteDocumentAlone(benchmark::State& state) {
    CDocument document(Env().base.services, bench::Palettes());
    Read(document, Env().twoBranches, false);
    PasteOrUndo<false>(state, document, false);
}
BENCHMARK(BM_PasteDocumentAlone)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UndoPasteDocumentAlone(benchmark::State& state) {
    CDocument document(Env().base.services, bench::Palettes());
    Read(document, Env().twoBranches, false);
    PasteOrUndo<true>(state, document, false);
}
BENCHMARK(BM_UndoPasteDocumentAlone)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    environment.reset();
    return 0;
}
