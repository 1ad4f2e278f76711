#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

class PDFDoc;

namespace trovique {

// A page drawn by poppler's Splash rasteriser: width x height pixels of four bytes, blue, green,
// red and an unused byte, rows rowBytes apart.
struct PopplerPicture {
    int width = 0;
    int height = 0;
    std::size_t rowBytes = 0;
    std::vector<std::uint8_t> pixels;
};

// A PDF held in memory, drawn page by page. The slow part of drawing a page is reading its
// content, which poppler does again for every picture; a slide's three pictures come from the
// same page one after another, so the page's content is unpacked once and kept for the last
// few pages drawn. Not safe for use by two threads at once: each thread opens its own.
class CPopplerPdf {
public:
    // Nothing when the file cannot be read, is empty or larger than 2 GB, is not a PDF, or is
    // locked with a password.
    static std::unique_ptr<CPopplerPdf> Load(const std::filesystem::path& file);
    ~CPopplerPdf();
    CPopplerPdf(const CPopplerPdf&) = delete;
    CPopplerPdf& operator=(const CPopplerPdf&) = delete;

    int PageCount() const;
    // The page's visible size in points, turned as the page says; nothing for a page out of range.
    std::optional<std::pair<double, double>> PageSize(int page) const;
    // Draws the top-left width x height pixels of the page at the resolutions given (dots per
    // inch, across and down), on white; smooth turns on the smoothing of edges and of text.
    std::optional<PopplerPicture> Draw(int page, double xResolution, double yResolution, int width,
                                       int height, bool smooth);

    // Content larger than this once unpacked is read from the file again for every picture.
    static constexpr std::size_t kMaxKeptContent = 64u << 20;
    static constexpr std::size_t kKeptPages = 2;

private:
    CPopplerPdf(std::vector<char> bytes, std::unique_ptr<PDFDoc> document);
    const std::vector<char>* UnpackedContent(int page);

    struct KeptContent {
        int page = 0;
        std::optional<std::vector<char>> bytes;  // nothing: too large to keep
    };

    std::vector<char> bytes_;  // must outlive document_, which reads from it
    std::unique_ptr<PDFDoc> document_;
    std::vector<KeptContent> kept_;  // most recent last
};

}  // namespace trovique
