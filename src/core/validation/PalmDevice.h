#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace trovique {

class CLeafFields;

// A fixed model of the handheld's screen and font. The desktop cannot ask the handheld how a
// text will wrap, so it carries the line counts, the usable width and the pixel width of every
// character of the viewer's font, and counts lines the way the viewer wraps them.
class CPalmDevice {
public:
    CPalmDevice();

    // Lines on one screen.
    std::int16_t FactLines() const { return factLines_; }
    const std::string& Name() const { return name_; }
    // Lines left for a question and its answers: one screen line is taken by the viewer.
    std::int16_t QandALines() const { return static_cast<std::int16_t>(factLines_ - 1); }
    // Usable line width in pixels.
    std::int32_t ScreenWidth() const { return screenWidth_; }

    // The width of the first character of ch. An empty text raises 0x80040002.
    int CharPixelWidth(std::string_view ch) const;
    int CharPixelWidth(unsigned char code) const { return widths_[code]; }

private:
    std::int16_t factLines_;
    std::string name_;
    std::int32_t screenWidth_;
    // Indexed by the character code.
    std::array<std::uint8_t, 256> widths_{};
};

// The number of screen lines text occupies on the device, wrapping as the viewer does. Counts
// beyond the 16-bit range read as its maximum.
std::int16_t GetLineCount(std::string_view text, const CPalmDevice& device);

// The lines a QAF leaf needs on one screen: its question and each of its four answers, each
// wrapped on its own.
std::int16_t GetQAFLineCount(const CLeafFields& leaf, const CPalmDevice& device);

// The one device model validation measures with.
const CPalmDevice& DefaultPalmDevice();

}  // namespace trovique
