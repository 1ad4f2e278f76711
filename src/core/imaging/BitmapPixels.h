#pragma once

#include <cstdint>
#include <vector>

namespace trovique {

class CBitmap;

// A picture's pixels as 0xAARRGGBB words (opaque), row by row from the top, Width() per row:
// what a window draws a slide's or the splash screen's picture from. A pixel whose index lies
// outside the colour table shows black.
std::vector<std::uint32_t> ArgbPixels(const CBitmap& bitmap);

}  // namespace trovique
