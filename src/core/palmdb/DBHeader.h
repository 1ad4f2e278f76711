#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/codec/PalmTime.h"
#include "core/codec/UnsignedInt.h"
#include "core/common/BinaryFile.h"

namespace trovique {

// The 78-byte header that opens every Palm database. A header read from a file keeps every
// value it read, the ones this program never sets included, and writes them back unchanged.
class CDBHeader {
public:
    static constexpr std::size_t kSize = 78;
    static constexpr std::size_t kNameSize = 32;
    static constexpr std::size_t kCodeSize = 4;

    CDBHeader();

    // The name without leading and trailing blanks. Raises 0x80040002 on 33 or more characters.
    std::string DBName() const;
    void SetDBName(std::string_view name);

    // Four-character codes; 5 or more characters raise 0x80040001. The creator is stored
    // without leading and trailing blanks.
    const std::string& DBType() const { return dbType_; }
    void SetDBType(std::string_view type);
    const std::string& Creator() const { return creator_; }
    void SetCreator(std::string_view creator);

    std::uint16_t Attributes() const { return attributes_.Value(); }
    void SetAttributes(std::int64_t value) { attributes_.SetValue(value); }
    std::uint16_t Version() const { return version_.Value(); }
    void SetVersion(std::int64_t value) { version_.SetValue(value); }
    std::uint16_t NumRecords() const { return numRecords_.Value(); }
    void SetNumRecords(std::int64_t value) { numRecords_.SetValue(value); }

    // Seconds since 1 January 1904, local time. Zero until first written, when they become the
    // time of that write.
    std::uint32_t CreateSecs() const { return createSecs_.Value(); }
    void SetCreateSecs(std::int64_t value) { createSecs_.SetValue(value); }
    std::uint32_t ModifySecs() const { return modifySecs_.Value(); }
    void SetModifySecs(std::int64_t value) { modifySecs_.SetValue(value); }

    // Fields this program carries from file to file without using them.
    std::uint32_t LastBackupSecs() const { return lastBackupSecs_.Value(); }
    std::uint32_t ModificationNumber() const { return modificationNumber_.Value(); }
    std::uint32_t AppInfoID() const { return appInfoID_.Value(); }
    std::uint32_t SortInfoID() const { return sortInfoID_.Value(); }
    std::uint32_t UniqueIDSeed() const { return uniqueIDSeed_.Value(); }
    std::uint32_t NextRecordListID() const { return nextRecordListID_.Value(); }

    // Where WriteToFile takes the present time from; the system's local time by default.
    void SetClock(LocalClock clock) { clock_ = std::move(clock); }

    // Reads the 78 bytes at the file's position; a short file raises error 62 before anything
    // changes.
    void ReadFromFile(CBinaryFile& file);
    // Writes the 78 bytes at the file's position, first setting a time that is still zero.
    void WriteToFile(CBinaryFile& file);

private:
    std::string dbName_;
    CUnsignedInt attributes_;
    CUnsignedInt version_;
    CUnsignedLong createSecs_;
    CUnsignedLong modifySecs_;
    CUnsignedLong lastBackupSecs_;
    CUnsignedLong modificationNumber_;
    CUnsignedLong appInfoID_;
    CUnsignedLong sortInfoID_;
    std::string dbType_;
    std::string creator_;
    CUnsignedLong uniqueIDSeed_;
    CUnsignedLong nextRecordListID_;
    CUnsignedInt numRecords_;
    LocalClock clock_;
};

}  // namespace trovique
