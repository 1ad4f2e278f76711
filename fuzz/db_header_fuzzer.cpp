// The database header, its record list and a text field, read from untrusted bytes.
#include <algorithm>

#include "core/common/Error.h"
#include "core/common/MemoryFile.h"
#include "core/palmdb/DBHeader.h"
#include "core/codec/FieldCodec.h"
#include "core/palmdb/RecordListData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trovique;
    if (size < 1) {
        return 0;
    }
    // The first byte picks how the trailing text field is stored.
    const std::uint8_t mode = data[0];
    CMemoryFile file(std::vector<std::uint8_t>(data + 1, data + size));
    try {
        CDBHeader header;
        header.ReadFromFile(file);
        const std::size_t entries = std::min<std::size_t>(header.NumRecords(), 64);
        for (std::size_t i = 0; i < entries; ++i) {
            CRecordListData entry;
            entry.ReadFromFile(file);
        }
        const std::size_t maximum = (mode & 0x3F) + 1;
        ReadFieldString(file, maximum, (mode & 0x40) != 0, (mode & 0x80) != 0);
        CMemoryFile rewritten;
        header.WriteToFile(rewritten);
    } catch (const CError&) {
    }
    return 0;
}
