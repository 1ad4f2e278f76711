#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace trovique {

// One palette colour.
struct PaletteColour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// Finds the nearest colour of a palette (smallest squared RGB distance, the first such entry on a
// tie) without comparing every entry. The RGB cube is cut into cells of 2^cellBits values per
// channel; a cell holds either the one answer for every colour inside it or a group of candidate
// entries, in index order, among which the answer always is. Lookups are const and touch no
// mutable state, and copies share their data, so a table may be shared freely.
//
// Two ways to make one: Build works the cells out from the colours (a few milliseconds); the
// tables of the handheld's own palettes are worked out exactly when the program is built and
// used through FromLayout without any work at start.
class CNearestColourTable {
public:
    // A cell value below this is the answer; from it on, kGroupBase + the group's number.
    static constexpr std::uint32_t kGroupBase = 256;
    static constexpr int kBuildCellBits = 5;

    // The cells and groups of a table kept elsewhere (generated with the program).
    struct Layout {
        int cellBits = 0;
        std::span<const std::uint16_t> cells;        // 2^(3 * cellBits), red major
        std::span<const std::uint32_t> groupStarts;  // group g = entries [start g, start g+1)
        std::span<const std::uint8_t> groupEntries;
    };

    // An empty table: every colour maps to 0.
    CNearestColourTable();

    // Cells of kBuildCellBits that keep every entry that can be nearest to some colour inside.
    static CNearestColourTable Build(std::span<const PaletteColour> colours);
    // A table over layout, whose data must outlive every copy; nothing when the layout's sizes
    // do not fit the colours.
    static std::optional<CNearestColourTable> FromLayout(std::span<const PaletteColour> colours,
                                                         const Layout& layout);

    std::uint8_t Nearest(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const {
        const int shift = 8 - cellBits_;
        const std::size_t cell = (static_cast<std::size_t>(red >> shift) << (2 * cellBits_)) |
                                 (static_cast<std::size_t>(green >> shift) << cellBits_) |
                                 static_cast<std::size_t>(blue >> shift);
        const std::uint32_t value = cells_[cell];
        if (value < kGroupBase) {
            return static_cast<std::uint8_t>(value);
        }
        return NearestInGroup(value - kGroupBase, red, green, blue);
    }

    // The cells and groups as they are, for the generator to write out.
    Layout CurrentLayout() const;
    int CellBits() const { return cellBits_; }

private:
    struct Entry {
        std::int32_t red;
        std::int32_t green;
        std::int32_t blue;
    };
    struct Storage {
        std::vector<Entry> entries;
        std::vector<std::uint16_t> cells;
        std::vector<std::uint32_t> groupStarts;
        std::vector<std::uint8_t> groupEntries;
    };

    std::uint8_t NearestInGroup(std::uint32_t group, std::uint8_t red, std::uint8_t green,
                                std::uint8_t blue) const;
    void Point(const Layout& layout);

    std::shared_ptr<const Storage> storage_;
    int cellBits_ = 0;
    const std::uint16_t* cells_ = nullptr;
    const std::uint32_t* groupStarts_ = nullptr;
    const std::uint8_t* groupEntries_ = nullptr;
    const Entry* entries_ = nullptr;
    std::size_t cellCount_ = 0;
    std::size_t groupCount_ = 0;
};

}  // namespace trovique
