#include "core/palmdb/RecordListData.h"

#include <array>

#include "core/common/MemoryFile.h"

namespace trovique {

CRecordListData::CRecordListData(std::int64_t recordDataOffset)
    : recordDataOffset_(recordDataOffset) {}

void CRecordListData::ReadFromFile(CBinaryFile& file) {
    std::array<std::uint8_t, kSize> bytes{};
    file.Read(bytes);
    // Attributes and unique ID are not used here; the writer puts zeros back.
    CMemoryFile entry(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    recordDataOffset_.ReadFromFile(entry);
}

void CRecordListData::WriteToFile(CBinaryFile& file) const {
    CMemoryFile entry;
    recordDataOffset_.WriteToFile(entry);
    entry.Write(std::array<std::uint8_t, 4>{});
    file.Write(entry.Data());
}

}  // namespace trovique
