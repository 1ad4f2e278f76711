#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/common/BinaryFile.h"
#include "core/model/NodeFields.h"

namespace trovique {

class CNode22;

// The root or an inner node of a slide show, in the current file version. Besides the shared
// node fields it holds the keys of its children in tree order, each with a 16-bit data value
// (on the root: the first page number below that child).
class CNode final : public CNodeFields {
public:
    static constexpr std::size_t kMaxLinks = 256;
    static constexpr std::size_t kMaxEndNodeLinks = 15500;
    static constexpr std::uint16_t kRootFixedRegionSize = 14;
    static constexpr std::uint16_t kNodeFixedRegionSize = 10;

    CNode() : CNodeFields(kRootFixedRegionSize) {}

    // Capacity used by AddLink: an end node may hold many more children than other nodes.
    std::size_t MaxLinks() const;
    // AddLink enforces MaxLinks only while this is false; it is true unless a caller clears it.
    bool LimitLinks() const { return limitLinks_; }
    void SetLimitLinks(bool limit) { limitLinks_ = limit; }
    // Root only: an unstructured slide show stores no links on its root.
    bool Unstructured() const { return unstructured_; }
    void SetUnstructured(bool unstructured) { unstructured_ = unstructured; }

    // Raises 0x80040004 ("CNode:AddLink") and adds nothing when the node is full and
    // LimitLinks is false.
    void AddLink(std::int64_t key, std::int64_t data);
    void ClearLinks();
    // 1-based; an index outside the list raises 0x80040003.
    std::uint16_t GetLink(std::size_t index) const;
    std::uint16_t GetLinkData(std::size_t index) const;
    std::size_t NumLinks() const { return links_.size(); }
    // A file may hold empty link slots: they are dropped from the links but keep their data
    // value, so the data list can be longer than the link list.
    std::size_t NumLinkData() const { return linkData_.size(); }

    // Replaces this record with the node record at the file position; only Version, which the
    // caller sets for the nodes of an old file, is kept. A root of version 21 or 22 is read in
    // its old layout and converted; Version then tells the version found, so that the caller
    // reads the rest of that file the old way. Raises on a version it cannot read, on malformed
    // link text and on a short file, leaving this record unchanged.
    bool ReadFromFile(CBinaryFile& file);
    // Writes the record in the current version. Sets FixedRegionSize for the kind of node and
    // copies Valid and Expanded into FlagHi first. Nothing is written when a check fails.
    bool WriteToFile(CBinaryFile& file);

    // Copies this record into target; Password, Version and Unstructured are left as target had
    // them.
    void Clone(CNode& target) const;
    std::unique_ptr<CNode> Clone() const;
    // Fills this record from a node of an old file. Version is left alone.
    void Clone22(const CNode22& old);
    // Every field back to its default.
    void Initialize();

private:
    // False when the record turns out to be an old root that needs the old reader.
    bool ReadCurrentLayout(CBinaryFile& file);
    void ReadLinkText(CBinaryFile& file, std::uint16_t count);
    std::string LinkText(std::size_t count) const;

    bool limitLinks_ = true;
    bool unstructured_ = false;
    std::vector<std::uint16_t> links_;
    std::vector<std::uint16_t> linkData_;
};

}  // namespace trovique
