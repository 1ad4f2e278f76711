#pragma once

#include <condition_variable>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <tuple>
#include <vector>

#include "core/import/PresentationSource.h"

namespace trovique {

class CPopplerPdf;

// Where a page of the slides is: a PDF file and the page's number in it (from 1).
struct PdfPageLocation {
    std::filesystem::path file;
    int page = 1;
};

// Finds page (from 1). With wait false it answers at once, nothing while the page is not written
// yet; with wait true it waits until the page is written, answers nothing when it never will be,
// and raises CError when what writes the pages failed.
using PdfPageLocator = std::function<std::optional<PdfPageLocation>(std::size_t page, bool wait)>;

// Renders the pages of a PDF (one page per slide) at exact pixel sizes. A page whose shape
// differs from the size asked for is scaled to fit and centred on white rather than stretched.
// A page drawn only in black and white comes out in exactly those two colours (no grey edges
// from smoothing), so that it can stay a crisp monochrome picture.
//
// Rendering is the slow part of an import, so worker threads render the next pages ahead of
// the caller, at the sizes the caller asked for on the page before; each size of a page is a
// job of its own, so the sizes of one page are drawn at the same time. Each page is rendered at
// most once per size while the caller moves forward through the pages. The pages may come in
// several files written one after another while the import runs (see PdfPageLocator); each
// thread opens the files for itself, so the threads draw at the same time.
//
// The office writes the pages meanwhile, and it is the longer task: the workers draw at a lower
// priority than the rest of the program and the office, taking only the processor time the
// office leaves, and the caller does not draw beside them but has them draw what it asks first.
// (Drawing at the same priority slowed the office by more than it saved, on light and heavy
// decks and most in batches.)
class CPdfSlideRenderer {
public:
    static constexpr int kMaxSide = 4096;
    static constexpr std::size_t kPagesAhead = 12;
    // Threads drawing ahead: one for each processor, at most kMaxAheadThreads. While the
    // office works they share what it leaves; once it is done they have every processor.
    static constexpr std::size_t kMaxAheadThreads = 3;
    static std::size_t AheadThreads();

    // Raises CError when the file is not a readable PDF. With renderAhead, the worker threads start
    // at once on the first pages at expectedSizes (width, height), the sizes the caller is
    // likely to ask for before it has asked for any.
    explicit CPdfSlideRenderer(const std::filesystem::path& pdf, bool renderAhead = true,
                               const std::vector<std::pair<int, int>>& expectedSizes = {});
    // pageCount pages found by locate.
    CPdfSlideRenderer(std::size_t pageCount, PdfPageLocator locate, bool renderAhead,
                      const std::vector<std::pair<int, int>>& expectedSizes);
    ~CPdfSlideRenderer();
    CPdfSlideRenderer(const CPdfSlideRenderer&) = delete;
    CPdfSlideRenderer& operator=(const CPdfSlideRenderer&) = delete;

    std::size_t PageCount() const { return pageCount_; }
    // Page numbers count from 1. Nothing when the page or the size is out of range or the page
    // cannot be drawn. Raises what the locator raises.
    std::optional<RenderedSlide> Render(std::size_t page, int width, int height);
    // How many pictures have been drawn so far, for tests of the render-once promise.
    std::size_t RenderCount() const;

private:
    using Key = std::tuple<std::size_t, int, int>;
    // The documents one thread has open, by file; they are not safe for use by two threads at
    // once.
    using Documents = std::map<std::filesystem::path, std::unique_ptr<CPopplerPdf>>;

    void StartAhead(bool renderAhead);
    // Has the workers draw key, for the caller; needs lock held.
    std::optional<RenderedSlide> AwaitWorkers(std::unique_lock<std::mutex>& lock, const Key& key);
    std::optional<RenderedSlide> Draw(Documents& documents, const PdfPageLocation& location,
                                      int width, int height);
    void RenderAheadLoop();
    bool NextAheadJob(Key& job);

    std::size_t pageCount_ = 0;
    PdfPageLocator locate_;
    std::mutex callerMutex_;
    Documents callerDocuments_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<Key, std::optional<RenderedSlide>> done_;
    std::set<Key> inProgress_;
    std::set<Key> wanted_;  // asked by the caller, for the workers to draw first
    std::map<std::size_t, PdfPageLocation> located_;  // pages known to be written
    std::size_t currentPage_ = 1;
    std::set<std::pair<int, int>> sizesOfPreviousPage_;
    std::set<std::pair<int, int>> sizesOfCurrentPage_;
    std::size_t renderCount_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace trovique
