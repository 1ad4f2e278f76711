#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/common/Error.h"
#include "core/common/MemoryFile.h"

namespace trovique::fuzz {

// Reads a record from the fuzzer's bytes; when that succeeds, writes it, reads the written
// bytes back and writes again. The second write must repeat the first byte for byte: a record
// that reads back as something else would corrupt a slide show on its next save.
template <typename Record, typename ReadRecord>
void CheckRecordRoundTrip(const std::uint8_t* data, std::size_t size, ReadRecord read) {
    CMemoryFile input(std::vector<std::uint8_t>(data, data + size));
    Record record;
    try {
        read(record, input);
    } catch (const CError&) {
        return;  // a clear refusal is the expected answer to damaged bytes
    }
    CMemoryFile first;
    try {
        record.WriteToFile(first);
    } catch (const CError&) {
        return;  // some read values cannot be written back, and the writer says so
    }
    CMemoryFile again(first.Data());
    Record copy;
    read(copy, again);  // what we wrote must read back without complaint
    CMemoryFile second;
    copy.WriteToFile(second);
    if (first.Data() != second.Data()) {
        std::abort();
    }
}

}  // namespace trovique::fuzz
