#include "core/model/NodeFields.h"

#include "core/common/Error.h"
#include "core/model/RecordFields.h"

namespace trovique {

void CNodeFields::SetKey(std::int64_t key) {
    key_ = record::CheckedWord(key);
}

void CNodeFields::SetTitle(std::string title) {
    record::CheckLength(title, kMaxTitle, "CNode:Title");
    title_ = std::move(title);
}

void CNodeFields::SetFixedRegionSize(std::int64_t size) {
    fixedRegionSize_ = record::CheckedWord(size);
    if (fixedRegionSize_ > endNodeThreshold_) {
        isEndNode_ = true;
    }
}

void CNodeFields::SetRecordType(std::int64_t type) {
    recordType_ = record::CheckedWord(type);
}

void CNodeFields::SetParentKey(std::int64_t key) {
    parentKey_ = record::CheckedWord(key);
}

void CNodeFields::SetFirstLeafKey(std::int64_t key) {
    firstLeafKey_ = record::CheckedWord(key);
}

void CNodeFields::SetTitleBitmapKey(std::int64_t key) {
    titleBitmapKey_ = record::CheckedWord(key);
}

void CNodeFields::SetVersion(std::int64_t version) {
    version_ = record::CheckedWord(version);
}

void CNodeFields::SetProgramIconName(std::string name) {
    record::CheckLength(name, kMaxProgramIconName, "CNode:ProgramIconName");
    programIconName_ = std::move(name);
}

void CNodeFields::SetSplashComments(std::string comments) {
    record::CheckLength(comments, kMaxComments, "CNode:SplashComments");
    splashComments_ = std::move(comments);
}

void CNodeFields::SetAboutComments(std::string comments) {
    record::CheckLength(comments, kMaxComments, "CNode:AboutComments");
    aboutComments_ = std::move(comments);
}

void CNodeFields::SetPassword(std::string password) {
    record::CheckLength(password, kMaxPassword, "CNode:Password");
    password_ = std::move(password);
}

void CNodeFields::SetSerialNumber(std::string serial) {
    record::CheckLength(serial, kMaxSerialNumber, "CNode:SerialNumber");
    serialNumber_ = std::move(serial);
}

void CNodeFields::ReadHead(CBinaryFile& file) {
    SetFixedRegionSize(record::ReadWord(file));
    recordType_ = record::ReadWord(file);
    key_ = record::ReadWord(file);
}

void CNodeFields::UnfoldEndNodeType() {
    if (recordType_ == kRecordTypeEndNode) {
        recordType_ = kRecordTypeNode;
        isEndNode_ = true;
    }
}

void CNodeFields::ReadRootTexts(CBinaryFile& file) {
    const bool complemented = TextsComplemented(version_);
    SetSplashComments(record::ReadVarText(file, kMaxComments, complemented));
    SetAboutComments(record::ReadVarText(file, kMaxComments, complemented));
    SetProgramIconName(record::ReadVarText(file, kMaxProgramIconName, complemented));
    if (version_ > kFileVersion21) {
        SetPassword(record::ReadVarText(file, kMaxPassword, complemented));
    }
    SetSerialNumber(record::ReadVarText(file, kMaxSerialNumber, complemented));
}

void CNodeFields::WriteRootTexts(CBinaryFile& file, std::uint16_t version) const {
    const bool complemented = TextsComplemented(version);
    record::WriteVarText(file, splashComments_, kMaxComments, complemented);
    record::WriteVarText(file, aboutComments_, kMaxComments, complemented);
    record::WriteVarText(file, programIconName_, kMaxProgramIconName, complemented);
    if (version > kFileVersion21) {
        record::WriteVarText(file, password_, kMaxPassword, complemented);
    }
    record::WriteVarText(file, serialNumber_, kMaxSerialNumber, complemented);
}

void CNodeFields::CopyCommonFields(const CNodeFields& source) {
    recordType_ = source.recordType_;
    key_ = source.key_;
    parentKey_ = source.parentKey_;
    firstLeafKey_ = source.firstLeafKey_;
    titleBitmapKey_ = source.titleBitmapKey_;
    flagHi_ = source.flagHi_;
    flagLo_ = source.flagLo_;
    isEndNode_ = source.isEndNode_;
    expanded_ = source.expanded_;
    valid_ = source.valid_;
    title_ = source.title_;
    programIconName_ = source.programIconName_;
    splashComments_ = source.splashComments_;
    aboutComments_ = source.aboutComments_;
    serialNumber_ = source.serialNumber_;
}

}  // namespace trovique
