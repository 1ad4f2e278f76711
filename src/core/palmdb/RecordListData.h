#pragma once

#include <cstddef>
#include <cstdint>

#include "core/codec/UnsignedInt.h"
#include "core/common/BinaryFile.h"
#include "core/palmdb/DBHeader.h"

namespace trovique {

// One entry of a Palm database's record list: where a record starts. The record's attributes
// and unique ID that follow the offset are always written as zero.
class CRecordListData {
public:
    static constexpr std::size_t kSize = 8;

    CRecordListData() = default;
    explicit CRecordListData(std::int64_t recordDataOffset);

    std::uint32_t RecordDataOffset() const { return recordDataOffset_.Value(); }
    // Raises 0x80040002 outside 0..4294967295 and keeps the old value.
    void SetRecordDataOffset(std::int64_t offset) { recordDataOffset_.SetValue(offset); }

    // Both handle the 8 bytes at the file's position; a short file raises error 62 before
    // anything changes.
    void ReadFromFile(CBinaryFile& file);
    void WriteToFile(CBinaryFile& file) const;

private:
    CUnsignedLong recordDataOffset_;
};

// The record list is followed by a 2-byte gap; the first record starts right after it.
inline constexpr std::size_t kRecordListGap = 2;

// Offset of the first record of a database of numRecords records: 78 + 8 x n + 2.
constexpr std::uint64_t FirstRecordOffset(std::size_t numRecords) {
    return CDBHeader::kSize + CRecordListData::kSize * numRecords + kRecordListGap;
}

}  // namespace trovique
