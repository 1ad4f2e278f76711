#include "core/palmdb/DBHeader.h"

#include <array>
#include <span>
#include <vector>

#include "core/common/Error.h"
#include "core/common/MemoryFile.h"

namespace trovique {
namespace {

constexpr char kCR = 13;
constexpr char kLF = 10;

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// The header's texts are plain fixed fields. They always take exactly their size, whatever
// they hold: a line break (CR LF in memory, LF in the file) must not shorten the header and
// shift the fields after it, as it would in a record's fixed field.
void WriteFixedText(CBinaryFile& file, std::string_view text, std::size_t size) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(size);
    for (std::size_t i = 0; i < text.size() && bytes.size() < size; ++i) {
        if (text[i] == kCR) {
            bytes.push_back(kLF);
            if (i + 1 < text.size() && text[i + 1] == kLF) {
                ++i;
            }
        } else {
            bytes.push_back(static_cast<std::uint8_t>(text[i]));
        }
    }
    bytes.resize(size, 0);
    file.Write(bytes);
}

std::string ReadFixedText(CBinaryFile& file, std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    file.Read(bytes);
    std::string text;
    for (const std::uint8_t byte : bytes) {
        if (byte == 0) {
            break;
        }
        if (byte == static_cast<std::uint8_t>(kLF)) {
            text += kCR;
        }
        text += static_cast<char>(byte);
    }
    return text;
}

// Palm times are 32-bit counts and wrap, as the handheld's own clock does.
std::int64_t NowSince1904(const LocalClock& clock) {
    const LocalDateTime now = clock ? clock() : CurrentLocalDateTime();
    return SecondsSince1904(now) & 0xFFFFFFFFLL;
}

}  // namespace

CDBHeader::CDBHeader()
    : dbName_("New Slide Show"),
      attributes_(24),  // backup and install-newer bits
      version_(1),
      dbType_("qsdb"),
      creator_("TQVK") {}

std::string CDBHeader::DBName() const {
    return std::string(TrimBlanks(dbName_));
}

void CDBHeader::SetDBName(std::string_view name) {
    if (name.size() > kNameSize) {
        throw CError::Object(kErrInvalidValue, "CDBHeader:DBName");
    }
    dbName_ = name;
}

void CDBHeader::SetDBType(std::string_view type) {
    if (type.size() > kCodeSize) {
        throw CError::Object(kErrDataTooLong, "CDBHeader:DBType");
    }
    dbType_ = type;
}

void CDBHeader::SetCreator(std::string_view creator) {
    if (creator.size() > kCodeSize) {
        throw CError::Object(kErrDataTooLong, "CDBHeader:Creator");
    }
    creator_ = TrimBlanks(creator);
}

void CDBHeader::ReadFromFile(CBinaryFile& file) {
    // One read of the whole header, so that a short file raises before anything moves.
    std::vector<std::uint8_t> bytes(kSize);
    file.Read(bytes);
    CMemoryFile header(std::move(bytes));

    dbName_ = ReadFixedText(header, kNameSize);
    attributes_.ReadFromFile(header);
    version_.ReadFromFile(header);
    createSecs_.ReadFromFile(header);
    modifySecs_.ReadFromFile(header);
    lastBackupSecs_.ReadFromFile(header);
    modificationNumber_.ReadFromFile(header);
    appInfoID_.ReadFromFile(header);
    sortInfoID_.ReadFromFile(header);
    dbType_ = ReadFixedText(header, kCodeSize);
    creator_ = ReadFixedText(header, kCodeSize);
    uniqueIDSeed_.ReadFromFile(header);
    nextRecordListID_.ReadFromFile(header);
    numRecords_.ReadFromFile(header);
}

void CDBHeader::WriteToFile(CBinaryFile& file) {
    // An opened slide show keeps its times; a new one gets them on its first write.
    if (createSecs_.Value() < 1 || modifySecs_.Value() < 1) {
        const std::int64_t now = NowSince1904(clock_);
        if (createSecs_.Value() < 1) {
            createSecs_.SetValue(now);
        }
        if (modifySecs_.Value() < 1) {
            modifySecs_.SetValue(now);
        }
    }

    CMemoryFile header;
    WriteFixedText(header, dbName_, kNameSize);
    attributes_.WriteToFile(header);
    version_.WriteToFile(header);
    createSecs_.WriteToFile(header);
    modifySecs_.WriteToFile(header);
    lastBackupSecs_.WriteToFile(header);
    modificationNumber_.WriteToFile(header);
    appInfoID_.WriteToFile(header);
    sortInfoID_.WriteToFile(header);
    WriteFixedText(header, dbType_, kCodeSize);
    WriteFixedText(header, creator_, kCodeSize);
    uniqueIDSeed_.WriteToFile(header);
    nextRecordListID_.WriteToFile(header);
    numRecords_.WriteToFile(header);
    file.Write(header.Data());
}

}  // namespace trovique
