#pragma once

#include "core/imaging/Bitmap.h"
#include "core/imaging/PalmBitmap.h"

namespace trovique {

// Pictures as the handheld shows them, made the one way the editor, the imports and the tools
// share: re-indexed against the palette of their kind, and the companions made from them.

// Pictures of fewer than three colours are monochrome everywhere.
bool IsMonochromePicture(const CBitmap& bitmap);

// Re-indexes a picture against the palette of its kind: a grey picture against the four greys,
// a monochrome one against black and white, any other against the 256 colours.
void ReindexForKind(CBitmap& bitmap, const PalmPalettes& palettes);

// The four-level grey companion of a colour picture, re-indexed against the four greys.
CBitmap GrayCompanion(const CBitmap& color, const PalmPalettes& palettes);

// A black-and-white version of a picture, re-indexed against the monochrome palette.
CBitmap MonochromeVersion(const CBitmap& picture, const PalmPalettes& palettes);

// The picture ready to become a Palm bitmap of depth 1 (black and white), 2 (four greys) or 8
// (256 colours, one byte a pixel).
CBitmap PrepareForDepth(CBitmap bitmap, int depth, const PalmPalettes& palettes);

}  // namespace trovique
