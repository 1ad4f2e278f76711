#pragma once

#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "core/imaging/NearestColourTable.h"

namespace trovique::tools {

// An exact nearest-colour layout: a cell holds a group only where colours inside it really have
// different nearest entries, and the group holds just those entries.
struct ExactLayout {
    int cellBits = 0;
    std::vector<std::uint16_t> cells;
    std::vector<std::uint32_t> groupStarts;
    std::vector<std::uint8_t> groupEntries;
};

ExactLayout MakeExactLayout(std::span<const PaletteColour> colours, int cellBits);

struct NamedPalette {
    std::string name;  // an identifier
    std::vector<PaletteColour> colours;
    int cellBits;
};

// Writes the C++ source that defines BuiltInNearestTables() for the palettes.
void WriteNearestTableSource(std::ostream& out, const std::vector<NamedPalette>& palettes);

}  // namespace trovique::tools
