#include "core/imaging/NearestColourTable.h"

#include <algorithm>
#include <limits>

namespace trovique {
namespace {

constexpr std::int32_t Square(std::int32_t value) {
    return value * value;
}

// The answer of the empty table.
constexpr std::uint16_t kNoCells[1] = {0};

}  // namespace

CNearestColourTable::CNearestColourTable() {
    Point({0, kNoCells, {}, {}});
}

void CNearestColourTable::Point(const Layout& layout) {
    cellBits_ = layout.cellBits;
    cells_ = layout.cells.data();
    cellCount_ = layout.cells.size();
    groupStarts_ = layout.groupStarts.data();
    groupCount_ = layout.groupStarts.empty() ? 0 : layout.groupStarts.size() - 1;
    groupEntries_ = layout.groupEntries.data();
    entries_ = storage_ ? storage_->entries.data() : nullptr;
}

CNearestColourTable::Layout CNearestColourTable::CurrentLayout() const {
    const std::size_t entryCount = groupCount_ == 0 ? 0 : groupStarts_[groupCount_];
    return {cellBits_,
            {cells_, cellCount_},
            {groupStarts_, groupCount_ == 0 ? 0 : groupCount_ + 1},
            {groupEntries_, entryCount}};
}

std::uint8_t CNearestColourTable::NearestInGroup(std::uint32_t group, std::uint8_t red,
                                                 std::uint8_t green, std::uint8_t blue) const {
    const std::uint32_t first = groupStarts_[group];
    const std::uint32_t last = groupStarts_[group + 1];
    std::uint8_t best = groupEntries_[first];
    std::int32_t bestDistance = std::numeric_limits<std::int32_t>::max();
    for (std::uint32_t at = first; at < last; ++at) {
        const std::uint8_t index = groupEntries_[at];
        const Entry& entry = entries_[index];
        const std::int32_t distance =
            Square(entry.red - red) + Square(entry.green - green) + Square(entry.blue - blue);
        // Strictly smaller: a group is in index order, so the first of equals wins.
        const bool nearer = distance < bestDistance;
        bestDistance = nearer ? distance : bestDistance;
        best = nearer ? index : best;
    }
    return best;
}

// For each cell, keeps the entries whose nearest possible distance to the cell does not exceed
// the smallest farthest distance any entry has to it: every other entry is beaten, strictly, by
// that one for every colour in the cell. Distances split by channel, so the per-channel parts
// are worked out once per axis slice.
CNearestColourTable CNearestColourTable::Build(std::span<const PaletteColour> colours) {
    CNearestColourTable table;
    if (colours.empty() || colours.size() > kGroupBase) {
        return table;
    }
    auto storage = std::make_shared<Storage>();
    for (const PaletteColour& colour : colours) {
        storage->entries.push_back({colour.red, colour.green, colour.blue});
    }
    const std::size_t count = colours.size();
    constexpr int kBits = kBuildCellBits;
    constexpr std::int32_t kCellsPerAxis = 1 << kBits;
    constexpr std::int32_t kWidth = 256 / kCellsPerAxis;

    struct AxisDistances {
        std::vector<std::int32_t> nearest;   // [slice * count + entry]
        std::vector<std::int32_t> farthest;  // [slice * count + entry]
    };
    auto axisDistances = [&](std::int32_t Entry::*channel) {
        AxisDistances axis{std::vector<std::int32_t>(kCellsPerAxis * count),
                           std::vector<std::int32_t>(kCellsPerAxis * count)};
        for (std::int32_t slice = 0; slice < kCellsPerAxis; ++slice) {
            const std::int32_t low = slice * kWidth;
            const std::int32_t high = low + kWidth - 1;
            for (std::size_t entry = 0; entry < count; ++entry) {
                const std::int32_t value = storage->entries[entry].*channel;
                const std::int32_t gap = value < low    ? low - value
                                         : value > high ? value - high
                                                        : 0;
                const std::size_t at = static_cast<std::size_t>(slice) * count + entry;
                axis.nearest[at] = Square(gap);
                axis.farthest[at] = std::max(Square(value - low), Square(value - high));
            }
        }
        return axis;
    };
    const AxisDistances red = axisDistances(&Entry::red);
    const AxisDistances green = axisDistances(&Entry::green);
    const AxisDistances blue = axisDistances(&Entry::blue);

    storage->cells.resize(static_cast<std::size_t>(1) << (3 * kBits));
    storage->groupStarts.push_back(0);
    std::vector<std::int32_t> nearestRG(count);
    std::vector<std::int32_t> farthestRG(count);
    std::vector<std::uint8_t> candidates;
    for (std::size_t r = 0; r < kCellsPerAxis; ++r) {
        for (std::size_t g = 0; g < kCellsPerAxis; ++g) {
            for (std::size_t entry = 0; entry < count; ++entry) {
                nearestRG[entry] =
                    red.nearest[r * count + entry] + green.nearest[g * count + entry];
                farthestRG[entry] =
                    red.farthest[r * count + entry] + green.farthest[g * count + entry];
            }
            for (std::size_t b = 0; b < kCellsPerAxis; ++b) {
                const std::int32_t* nearestB = &blue.nearest[b * count];
                const std::int32_t* farthestB = &blue.farthest[b * count];
                std::int32_t bound = std::numeric_limits<std::int32_t>::max();
                for (std::size_t entry = 0; entry < count; ++entry) {
                    bound = std::min(bound, farthestRG[entry] + farthestB[entry]);
                }
                candidates.clear();
                for (std::size_t entry = 0; entry < count; ++entry) {
                    if (nearestRG[entry] + nearestB[entry] <= bound) {
                        candidates.push_back(static_cast<std::uint8_t>(entry));
                    }
                }
                const std::size_t cell = (r << (2 * kBits)) | (g << kBits) | b;
                if (candidates.size() == 1) {
                    storage->cells[cell] = candidates.front();
                    continue;
                }
                storage->cells[cell] =
                    static_cast<std::uint16_t>(kGroupBase + storage->groupStarts.size() - 1);
                storage->groupEntries.insert(storage->groupEntries.end(), candidates.begin(),
                                             candidates.end());
                storage->groupStarts.push_back(
                    static_cast<std::uint32_t>(storage->groupEntries.size()));
            }
        }
    }
    table.storage_ = storage;
    table.Point({kBits, storage->cells, storage->groupStarts, storage->groupEntries});
    return table;
}

std::optional<CNearestColourTable> CNearestColourTable::FromLayout(
    std::span<const PaletteColour> colours, const Layout& layout) {
    // The layout is the program's own data, so only its shape is checked: scanning every cell
    // would cost the start-up time the table is there to save.
    const bool fits = !colours.empty() && colours.size() <= kGroupBase && layout.cellBits >= 1 &&
                      layout.cellBits <= 8 &&
                      layout.cells.size() == static_cast<std::size_t>(1) << (3 * layout.cellBits) &&
                      !layout.groupStarts.empty() && layout.groupStarts.front() == 0 &&
                      layout.groupStarts.back() == layout.groupEntries.size();
    if (!fits) {
        return std::nullopt;
    }
    auto storage = std::make_shared<Storage>();
    for (const PaletteColour& colour : colours) {
        storage->entries.push_back({colour.red, colour.green, colour.blue});
    }
    CNearestColourTable table;
    table.storage_ = std::move(storage);
    table.Point(layout);
    return table;
}

}  // namespace trovique
