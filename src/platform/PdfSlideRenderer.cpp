#include "platform/PdfSlideRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/common/Error.h"
#include "platform/PopplerPdf.h"
#include "platform/ThreadPriority.h"

namespace trovique {
namespace {

constexpr const char* kSource = "CPdfSlideRenderer";

// Lays a drawn pixel (native-endian 0xAARRGGBB, alpha premultiplied) over white.
void StorePixel(const unsigned char* source, std::uint8_t* target) {
    std::uint32_t value;
    std::memcpy(&value, source, sizeof value);
    const auto uncovered = static_cast<std::uint32_t>(255 - (value >> 24));
    const auto channel = [&](int shift) {
        return static_cast<std::uint8_t>(
            std::min<std::uint32_t>(255, ((value >> shift) & 0xFF) + uncovered));
    };
    target[0] = channel(16);
    target[1] = channel(8);
    target[2] = channel(0);
}

// Draws one page region of contentWidth x contentHeight pixels into the middle of slide.
bool DrawInto(CPopplerPdf& pdf, int page, double pageWidth, double pageHeight, bool smooth,
              RenderedSlide& slide) {
    const double scale = std::min(slide.width / pageWidth, slide.height / pageHeight);
    const int contentWidth =
        std::clamp(static_cast<int>(std::lround(pageWidth * scale)), 1, slide.width);
    const int contentHeight =
        std::clamp(static_cast<int>(std::lround(pageHeight * scale)), 1, slide.height);

    // Separate resolutions make the content fill its box exactly despite rounding.
    const std::optional<PopplerPicture> image =
        pdf.Draw(page, 72.0 * contentWidth / pageWidth, 72.0 * contentHeight / pageHeight,
                 contentWidth, contentHeight, smooth);
    if (!image) {
        return false;
    }

    slide.rgb.assign(static_cast<std::size_t>(slide.width) * slide.height * 3, 0xFF);
    const int left = (slide.width - contentWidth) / 2;
    const int top = (slide.height - contentHeight) / 2;
    const int rows = std::min(contentHeight, image->height);
    const int columns = std::min(contentWidth, image->width);
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* sourceRow =
            image->pixels.data() + static_cast<std::size_t>(y) * image->rowBytes;
        std::uint8_t* targetRow =
            slide.rgb.data() + (static_cast<std::size_t>(top + y) * slide.width + left) * 3;
        for (int x = 0; x < columns; ++x) {
            StorePixel(sourceRow + x * 4, targetRow + x * 3);
        }
    }
    return true;
}

bool AllGrey(const RenderedSlide& slide) {
    for (std::size_t i = 0; i + 2 < slide.rgb.size(); i += 3) {
        if (slide.rgb[i] != slide.rgb[i + 1] || slide.rgb[i] != slide.rgb[i + 2]) {
            return false;
        }
    }
    return true;
}

bool OnlyBlackAndWhite(const RenderedSlide& slide) {
    return std::all_of(slide.rgb.begin(), slide.rgb.end(),
                       [](std::uint8_t value) { return value == 0 || value == 255; });
}

}  // namespace

CPdfSlideRenderer::CPdfSlideRenderer(const std::filesystem::path& pdf, bool renderAhead,
                                     const std::vector<std::pair<int, int>>& expectedSizes)
    : sizesOfPreviousPage_(expectedSizes.begin(), expectedSizes.end()) {
    std::unique_ptr<CPopplerPdf> document = CPopplerPdf::Load(pdf);
    if (!document) {
        throw CError(kErrPathFileAccess, kSource,
                     "The slide pictures could not be read from " + pdf.filename().string() + ".");
    }
    pageCount_ = static_cast<std::size_t>(document->PageCount());
    callerDocuments_[pdf] = std::move(document);
    locate_ = [pdf](std::size_t page, bool) {
        return std::optional<PdfPageLocation>(PdfPageLocation{pdf, static_cast<int>(page)});
    };
    StartAhead(renderAhead);
}

CPdfSlideRenderer::CPdfSlideRenderer(std::size_t pageCount, PdfPageLocator locate, bool renderAhead,
                                     const std::vector<std::pair<int, int>>& expectedSizes)
    : pageCount_(pageCount),
      locate_(std::move(locate)),
      sizesOfPreviousPage_(expectedSizes.begin(), expectedSizes.end()) {
    StartAhead(renderAhead);
}

std::size_t CPdfSlideRenderer::AheadThreads() {
    const std::size_t processors = std::max(1u, std::thread::hardware_concurrency());
    return std::clamp<std::size_t>(processors, 1, kMaxAheadThreads);
}

void CPdfSlideRenderer::StartAhead(bool renderAhead) {
    if (renderAhead && pageCount_ > 0) {
        for (std::size_t index = 0, count = AheadThreads(); index < count; ++index) {
            workers_.emplace_back([this] { RenderAheadLoop(); });
        }
    }
}

CPdfSlideRenderer::~CPdfSlideRenderer() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (auto& worker : workers_) {
        worker.join();
    }
}

std::size_t CPdfSlideRenderer::RenderCount() const {
    const std::lock_guard lock(mutex_);
    return renderCount_;
}

std::optional<RenderedSlide> CPdfSlideRenderer::Render(std::size_t page, int width, int height) {
    if (page < 1 || page > pageCount_ || width < 1 || height < 1 || width > kMaxSide ||
        height > kMaxSide) {
        return std::nullopt;
    }
    const Key key{page, width, height};
    std::unique_lock lock(mutex_);
    if (page != currentPage_) {
        // Pictures of pages behind the caller are not asked again; let them go.
        sizesOfPreviousPage_ =
            page > currentPage_ ? sizesOfCurrentPage_ : decltype(sizesOfCurrentPage_){};
        sizesOfCurrentPage_.clear();
        currentPage_ = page;
        std::erase_if(done_, [&](const auto& entry) { return std::get<0>(entry.first) < page; });
    }
    sizesOfCurrentPage_.insert({width, height});
    changed_.notify_all();
    for (;;) {
        if (const auto found = done_.find(key); found != done_.end()) {
            return found->second;
        }
        if (!inProgress_.contains(key)) {
            break;
        }
        changed_.wait(lock);
    }
    if (!workers_.empty()) {
        return AwaitWorkers(lock, key);
    }
    inProgress_.insert(key);
    lock.unlock();
    std::optional<RenderedSlide> picture;
    try {
        if (const auto location = locate_(page, true)) {
            const std::lock_guard callerLock(callerMutex_);
            picture = Draw(callerDocuments_, *location, width, height);
        }
    } catch (...) {
        lock.lock();
        inProgress_.erase(key);
        changed_.notify_all();
        throw;
    }
    lock.lock();
    inProgress_.erase(key);
    done_[key] = picture;
    changed_.notify_all();
    return picture;
}

std::optional<RenderedSlide> CPdfSlideRenderer::AwaitWorkers(std::unique_lock<std::mutex>& lock,
                                                             const Key& key) {
    const std::size_t page = std::get<0>(key);
    if (!located_.contains(page)) {
        lock.unlock();
        // Waits until the page is written, and raises what stopped the office.
        const std::optional<PdfPageLocation> location = locate_(page, true);
        lock.lock();
        if (!location) {
            return std::nullopt;
        }
        located_[page] = *location;
    }
    wanted_.insert(key);
    changed_.notify_all();
    changed_.wait(lock, [&] { return done_.contains(key); });
    wanted_.erase(key);
    return done_.at(key);
}

std::optional<RenderedSlide> CPdfSlideRenderer::Draw(Documents& documents,
                                                     const PdfPageLocation& location, int width,
                                                     int height) {
    try {
        auto& document = documents[location.file];
        if (!document) {
            document = CPopplerPdf::Load(location.file);
        }
        if (!document) {
            return std::nullopt;
        }
        const auto size = document->PageSize(location.page);
        if (!size || !(size->first > 0 && size->second > 0)) {
            return std::nullopt;
        }
        const auto [pageWidth, pageHeight] = *size;
        RenderedSlide slide;
        slide.width = width;
        slide.height = height;
        if (!DrawInto(*document, location.page, pageWidth, pageHeight, true, slide)) {
            return std::nullopt;
        }
        if (AllGrey(slide)) {
            // Smoothing turns black on white into greys; drawn without it a black-and-white
            // page keeps its two colours. Grey artwork stays smoothed.
            RenderedSlide sharp = slide;
            if (DrawInto(*document, location.page, pageWidth, pageHeight, false, sharp) &&
                OnlyBlackAndWhite(sharp)) {
                slide = std::move(sharp);
            }
        }
        const std::lock_guard lock(mutex_);
        ++renderCount_;
        return slide;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool CPdfSlideRenderer::NextAheadJob(Key& job) {
    const auto wanted = [&](const Key& key) {
        return !done_.contains(key) && !inProgress_.contains(key);
    };
    // Only pages already written; they come in order, so the first missing one ends the look.
    const auto written = [&](std::size_t page) {
        if (located_.contains(page)) {
            return true;
        }
        try {
            if (const auto location = locate_(page, false)) {
                located_[page] = *location;
                return true;
            }
        } catch (...) {
        }
        return false;
    };
    for (const Key& key : wanted_) {
        if (wanted(key) && located_.contains(std::get<0>(key))) {
            job = key;
            return true;
        }
    }
    if (written(currentPage_)) {
        for (const auto& [width, height] : sizesOfPreviousPage_) {
            if (wanted({currentPage_, width, height})) {
                job = {currentPage_, width, height};
                return true;
            }
        }
    }
    std::set<std::pair<int, int>> sizes = sizesOfPreviousPage_;
    sizes.insert(sizesOfCurrentPage_.begin(), sizesOfCurrentPage_.end());
    for (std::size_t page = currentPage_ + 1;
         page <= std::min(pageCount_, currentPage_ + kPagesAhead) && written(page); ++page) {
        for (const auto& [width, height] : sizes) {
            if (wanted({page, width, height})) {
                job = {page, width, height};
                return true;
            }
        }
    }
    return false;
}

void CPdfSlideRenderer::RenderAheadLoop() {
    LowerThisThreadsPriority();
    Documents documents;
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        Key job;
        if (!NextAheadJob(job)) {
            // New pages may be written meanwhile; nobody says so, so look again soon.
            changed_.wait_for(lock, std::chrono::milliseconds(20));
            continue;
        }
        inProgress_.insert(job);
        const PdfPageLocation location = located_.at(std::get<0>(job));
        std::erase_if(located_, [&](const auto& entry) { return entry.first < currentPage_; });
        lock.unlock();
        // A thread keeps the few files it is working through open, not every part.
        if (documents.size() > 3 && !documents.contains(location.file)) {
            documents.clear();
        }
        auto picture = Draw(documents, location, std::get<1>(job), std::get<2>(job));
        lock.lock();
        inProgress_.erase(job);
        done_[job] = std::move(picture);
        changed_.notify_all();
    }
}

}  // namespace trovique
