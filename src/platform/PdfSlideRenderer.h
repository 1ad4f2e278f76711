#pragma once

#include <condition_variable>
#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <tuple>
#include <vector>

#include "core/import/PresentationSource.h"

namespace poppler {
class document;
}

namespace trovique {

// Renders the pages of a PDF (one page per slide) at exact pixel sizes. A page whose shape
// differs from the size asked for is scaled to fit and centred on white rather than stretched.
// A page drawn only in black and white comes out in exactly those two colours (no grey edges
// from smoothing), so that it can stay a crisp monochrome picture.
//
// Rendering is the slow part of an import, so a second thread renders the next pages ahead of
// the caller, at the sizes the caller asked for on the page before. Each page is rendered at
// most once per size while the caller moves forward through the pages.
class CPdfSlideRenderer {
public:
    static constexpr int kMaxSide = 4096;
    static constexpr std::size_t kPagesAhead = 2;

    // Raises CError when the file is not a readable PDF. With renderAhead, a second thread starts
    // at once on the first pages at expectedSizes (width, height), the sizes the caller is
    // likely to ask for before it has asked for any.
    explicit CPdfSlideRenderer(const std::filesystem::path& pdf, bool renderAhead = true,
                               const std::vector<std::pair<int, int>>& expectedSizes = {});
    ~CPdfSlideRenderer();
    CPdfSlideRenderer(const CPdfSlideRenderer&) = delete;
    CPdfSlideRenderer& operator=(const CPdfSlideRenderer&) = delete;

    std::size_t PageCount() const { return pageCount_; }
    // Page numbers count from 1. Nothing when the page or the size is out of range or the page
    // cannot be drawn.
    std::optional<RenderedSlide> Render(std::size_t page, int width, int height);
    // How many pictures have been drawn so far, for tests of the render-once promise.
    std::size_t RenderCount() const;

private:
    using Key = std::tuple<std::size_t, int, int>;

    std::optional<RenderedSlide> Draw(std::size_t page, int width, int height);
    void RenderAheadLoop();
    bool NextAheadJob(Key& job) const;

    std::unique_ptr<poppler::document> document_;
    std::size_t pageCount_ = 0;
    std::mutex popplerMutex_;  // poppler documents are not safe for concurrent use

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<Key, std::optional<RenderedSlide>> done_;
    std::set<Key> inProgress_;
    std::size_t currentPage_ = 1;
    std::set<std::pair<int, int>> sizesOfPreviousPage_;
    std::set<std::pair<int, int>> sizesOfCurrentPage_;
    std::size_t renderCount_ = 0;
    bool stopping_ = false;
    std::thread worker_;
};

}  // namespace trovique
