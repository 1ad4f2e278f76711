#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace trovique {

// One text-bearing shape of a slide, in shape order. Text is Windows-1252: paragraphs joined
// with CR LF, a line break inside a paragraph as character 11.
struct SlideShape {
    bool isTitle = false;
    std::string text;
    // Whether the shape's paragraphs show bullets, and their type (2 = numbered).
    bool bulletVisible = false;
    int bulletType = 0;
};

struct SlideContent {
    std::vector<SlideShape> shapes;
    // The speaker notes: the first text-bearing body placeholder of the notes page.
    std::string notes;
};

// A slide rendered at an exact pixel size: rows top-down, three bytes per pixel (red, green,
// blue), no padding.
struct RenderedSlide {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// A presentation opened for import: its slides in presentation order, their texts and notes,
// and pictures of them at the sizes the import asks for. The program's import is written
// against this; the platform layer reads presentations through an office suite, tests script
// one.
class IPresentationSource {
public:
    virtual ~IPresentationSource() = default;

    // Opens the presentation; raises CError with a description fit for the user on failure.
    virtual void Open(const std::filesystem::path& file) = 0;
    // False when the presentation was already open elsewhere and must be left open.
    virtual bool OpenedHere() const { return true; }
    virtual std::size_t SlideCount() const = 0;
    // Slides are numbered from 1.
    virtual SlideContent Slide(std::size_t number) = 0;
    // The slide at exactly width x height pixels; nothing when it cannot be rendered.
    virtual std::optional<RenderedSlide> Render(std::size_t number, int width, int height) = 0;
    // Releases the presentation and everything made for it (temporary files, processes).
    virtual void Close() = 0;
};

}  // namespace trovique
