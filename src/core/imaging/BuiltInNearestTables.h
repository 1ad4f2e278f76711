#pragma once

#include <span>

#include "core/imaging/NearestColourTable.h"

namespace trovique {

// A nearest-colour table worked out exactly, for every colour, when the program was built: one
// for each of the handheld's palettes that ship with it. A palette loaded with the same colours
// uses it as it is.
struct BuiltInNearestTable {
    std::span<const PaletteColour> colours;
    CNearestColourTable::Layout layout;
};

// Defined in a source file that tools/make_palettes generates at build time.
std::span<const BuiltInNearestTable> BuiltInNearestTables();

}  // namespace trovique
