#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/common/BinaryFile.h"
#include "core/model/NodeFields.h"

namespace trovique {

// A root or node record of a version-21 or version-22 file. Those files store a node's
// children in a fixed number of binary key slots, without data values. The reader converts
// them with CNode::Clone22; this class is never written by the program itself.
class CNode22 final : public CNodeFields {
public:
    static constexpr std::size_t kSlots = 6;
    static constexpr std::size_t kEndNodeSlots = 20;
    static constexpr std::uint16_t kEndNodeThreshold = 25;

    CNode22() : CNodeFields(kEndNodeThreshold) {}

    // Number of key slots of the record: more for an end node.
    std::size_t NumSlots() const;
    // Adds key while a slot is free; a key beyond the slots is ignored, as the old format had
    // no place for it.
    void AddLink(std::int64_t key);
    void ClearLinks() { links_.clear(); }
    // 1-based; an index outside the list raises 0x80040003.
    std::uint16_t GetLink(std::size_t index) const;
    std::size_t NumLinks() const { return links_.size(); }

    // Replaces this record with the one at the file position. For a node that is not the root
    // the caller sets Version to the file's version first: version-21 texts are stored plain.
    bool ReadFromFile(CBinaryFile& file);
    // Writes the record in the layout ReadFromFile expects, for the version the record holds.
    bool WriteToFile(CBinaryFile& file) const;

private:
    std::vector<std::uint16_t> links_;
};

}  // namespace trovique
