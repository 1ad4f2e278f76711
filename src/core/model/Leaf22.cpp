#include "core/model/Leaf22.h"

#include "core/common/Error.h"
#include "core/model/Leaf.h"
#include "core/model/Leaf21.h"
#include "core/model/RecordFields.h"

namespace trovique {

void CLeaf22::SetFixedRegionSize(std::int64_t size) {
    fixedRegionSize_ = record::CheckedWord(size);
}

bool CLeaf22::ReadFromFile(CBinaryFile& file) {
    CLeaf22 read;
    read.fixedRegionSize_ = record::ReadWord(file);
    const std::uint16_t type = record::ReadWord(file);
    if (type != kRecordTypeQAF && type != kRecordTypeFact) {
        throw CError::Object(kErrInvalidValue, "CLEAF:ReadFromFile");
    }
    read.factOnly_ = type == kRecordTypeFact;
    read.ReadKeys(file);
    read.flagA_ = file.ReadByte();
    read.flagB_ = file.ReadByte();
    read.flagC_ = file.ReadByte();
    read.valid_ = (read.flagA_ & CLeaf::kFlagAValid) != 0;
    read.reEdit_ = (read.flagA_ & CLeaf::kFlagAReEdit) != 0;
    read.copyable_ = (read.flagA_ & CLeaf::kFlagACopyable) != 0;
    read.highlight_ = (read.flagB_ & CLeaf::kFlagBHighlight) != 0;
    read.passwordProtect_ = (read.flagB_ & CLeaf::kFlagBPasswordProtect) != 0;
    read.SetDifficulty((read.flagB_ & CLeaf::kFlagBDifficulty) >> CLeaf::kFlagBDifficultyShift);
    read.SetTitle(record::ReadVarText(file, kMaxTitle));
    if (!read.factOnly_) {
        read.ReadQuestionAndAnswers(file);
    }
    read.ReadFactText(file);
    *this = std::move(read);
    return true;
}

bool CLeaf22::WriteToFile(CBinaryFile& file) {
    auto set = [](std::uint8_t& flags, std::uint8_t bit, bool on) {
        flags = on ? (flags | bit) : (flags & static_cast<std::uint8_t>(~bit));
    };
    set(flagA_, CLeaf::kFlagAValid, valid_);
    set(flagA_, CLeaf::kFlagAReEdit, reEdit_);
    set(flagA_, CLeaf::kFlagACopyable, copyable_);
    set(flagB_, CLeaf::kFlagBHighlight, highlight_);
    set(flagB_, CLeaf::kFlagBPasswordProtect, passwordProtect_);
    flagB_ = static_cast<std::uint8_t>((flagB_ & ~CLeaf::kFlagBDifficulty) |
                                       (Difficulty() << CLeaf::kFlagBDifficultyShift));

    record::WriteWord(file, fixedRegionSize_);
    record::WriteWord(file, factOnly_ ? kRecordTypeFact : kRecordTypeQAF);
    WriteKeys(file);
    file.WriteByte(flagA_);
    file.WriteByte(flagB_);
    file.WriteByte(flagC_);
    record::WriteVarText(file, Title(), kMaxTitle);
    if (!factOnly_) {
        WriteQuestionAndAnswers(file);
    }
    WriteFactText(file);
    return true;
}

void CLeaf22::Clone21(const CLeaf21& old) {
    static_cast<CLeafFields&>(*this) = old;
    valid_ = true;
    copyable_ = false;
    highlight_ = false;
    passwordProtect_ = false;
    reEdit_ = false;
    factOnly_ = false;
}

}  // namespace trovique
