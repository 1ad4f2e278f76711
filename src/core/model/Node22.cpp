#include "core/model/Node22.h"

#include "core/common/Error.h"
#include "core/model/RecordFields.h"

namespace trovique {

std::size_t CNode22::NumSlots() const {
    return RecordType() == kRecordTypeNode && IsEndNode() ? kEndNodeSlots : kSlots;
}

void CNode22::AddLink(std::int64_t key) {
    const std::uint16_t checked = record::CheckedWord(key);
    if (links_.size() < NumSlots()) {
        links_.push_back(checked);
    }
}

std::uint16_t CNode22::GetLink(std::size_t index) const {
    if (index < 1 || index > links_.size()) {
        throw CError::Object(kErrValueOutOfRange, "CNode:GetLink");
    }
    return links_[index - 1];
}

bool CNode22::ReadFromFile(CBinaryFile& file) {
    CNode22 read;
    read.SetVersion(Version());
    read.ReadHead(file);
    // Another record type has another layout: read as a node, it would be written back with
    // the slots of an end node and no longer read at all.
    const std::uint16_t type = read.RecordType();
    if (type != kRecordTypeRoot && type != kRecordTypeNode && type != kRecordTypeEndNode) {
        throw CError::Object(kErrInvalidValue, "CNode:ReadFromFile");
    }
    if (read.IsRoot()) {
        const std::uint16_t version = record::ReadWord(file);
        if (version != kCurrentFileVersion && version != kFileVersion22 &&
            version != kFileVersion21) {
            throw CError::Object(kErrVersionNotSupported, "CNode:ReadFromFile");
        }
        read.SetVersion(version);
        if (version > kFileVersion21) {
            read.SetFlagHi(file.ReadByte());
            read.SetFlagLo(file.ReadByte());
        }
        read.SetFirstLeafKey(record::ReadWord(file));
        read.SetTitleBitmapKey(record::ReadWord(file));
    } else {
        read.SetParentKey(record::ReadWord(file));
    }
    read.UnfoldEndNodeType();

    const std::size_t slots = read.NumSlots();
    for (std::size_t i = 0; i < slots; ++i) {
        const std::uint16_t key = record::ReadWord(file);
        if (key != 0) {
            read.AddLink(key);
        }
    }
    file.ReadByte();  // unused
    read.SetTitle(record::ReadVarText(file, kMaxTitle, TextsComplemented(read.Version())));
    if (read.IsRoot()) {
        read.ReadRootTexts(file);
    }
    *this = std::move(read);
    return true;
}

bool CNode22::WriteToFile(CBinaryFile& file) const {
    if (links_.size() > NumSlots()) {
        throw CError::Object(kErrMaxLinksExceeded, "CNode:WriteToFile");
    }
    const bool root = IsRoot();
    record::WriteWord(file, FixedRegionSize());
    if (root) {
        record::WriteWord(file, kRecordTypeRoot);
    } else {
        record::WriteWord(file, IsEndNode() ? kRecordTypeEndNode : RecordType());
    }
    record::WriteWord(file, Key());
    if (root) {
        record::WriteWord(file, Version());
        if (Version() > kFileVersion21) {
            file.WriteByte(FlagHi());
            file.WriteByte(FlagLo());
        }
        record::WriteWord(file, FirstLeafKey());
        record::WriteWord(file, TitleBitmapKey());
    } else {
        record::WriteWord(file, ParentKey());
    }
    for (std::size_t i = 0; i < NumSlots(); ++i) {
        record::WriteWord(file, i < links_.size() ? links_[i] : 0);
    }
    file.WriteByte(0);
    record::WriteVarText(file, Title(), kMaxTitle, TextsComplemented(Version()));
    if (root) {
        WriteRootTexts(file, Version());
    }
    return true;
}

}  // namespace trovique
