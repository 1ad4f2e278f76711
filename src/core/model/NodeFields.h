#pragma once

#include <cstdint>
#include <string>

#include "core/common/BinaryFile.h"
#include "core/model/Element.h"
#include "core/model/RecordType.h"

namespace trovique {

// The fields that the root and the inner nodes have had in every file version: keys, kind,
// flag bytes and the texts of the root, with their limits. CNode and CNode22 add the links in
// their own way.
class CNodeFields : public IElement {
public:
    // Text limits of the handheld viewer.
    static constexpr std::size_t kMaxTitle = 25;
    static constexpr std::size_t kMaxProgramIconName = 10;
    static constexpr std::size_t kMaxComments = 250;
    static constexpr std::size_t kMaxPassword = 8;
    static constexpr std::size_t kMaxSerialNumber = 30;

    // FlagHi bits mirrored from the Boolean fields.
    static constexpr std::uint8_t kFlagHiValid = 0x01;
    static constexpr std::uint8_t kFlagHiExpanded = 0x02;

    std::uint16_t Key() const override { return key_; }
    void SetKey(std::int64_t key) override;
    const std::string& Title() const override { return title_; }
    void SetTitle(std::string title) override;

    // Bytes of the record's fixed part after this field. A value above the version's end-node
    // threshold marks the node as an end node.
    std::uint16_t FixedRegionSize() const { return fixedRegionSize_; }
    void SetFixedRegionSize(std::int64_t size);
    // 0 root, 1 node (2 only in files).
    std::uint16_t RecordType() const { return recordType_; }
    void SetRecordType(std::int64_t type);
    bool IsRoot() const { return recordType_ == kRecordTypeRoot; }
    std::uint16_t ParentKey() const { return parentKey_; }
    void SetParentKey(std::int64_t key);
    std::uint16_t FirstLeafKey() const { return firstLeafKey_; }
    void SetFirstLeafKey(std::int64_t key);
    std::uint16_t TitleBitmapKey() const { return titleBitmapKey_; }
    void SetTitleBitmapKey(std::int64_t key);
    // The format version of the file the record came from. Only the root stores it; the reader
    // sets it on the other nodes of a file because the text encoding of old files depends on it.
    std::uint16_t Version() const { return version_; }
    void SetVersion(std::int64_t version);

    std::uint8_t FlagHi() const { return flagHi_; }
    void SetFlagHi(std::uint8_t flags) { flagHi_ = flags; }
    std::uint8_t FlagLo() const { return flagLo_; }
    void SetFlagLo(std::uint8_t flags) { flagLo_ = flags; }

    bool IsEndNode() const { return isEndNode_; }
    void SetIsEndNode(bool endNode) { isEndNode_ = endNode; }
    bool Expanded() const { return expanded_; }
    void SetExpanded(bool expanded) { expanded_ = expanded; }
    bool Valid() const { return valid_; }
    void SetValid(bool valid) { valid_ = valid; }

    const std::string& ProgramIconName() const { return programIconName_; }
    void SetProgramIconName(std::string name);
    const std::string& SplashComments() const { return splashComments_; }
    void SetSplashComments(std::string comments);
    const std::string& AboutComments() const { return aboutComments_; }
    void SetAboutComments(std::string comments);
    const std::string& Password() const { return password_; }
    void SetPassword(std::string password);
    const std::string& SerialNumber() const { return serialNumber_; }
    void SetSerialNumber(std::string serial);

protected:
    explicit CNodeFields(std::uint16_t endNodeThreshold) : endNodeThreshold_(endNodeThreshold) {}

    // Texts of old version-21 files are stored plain.
    static bool TextsComplemented(std::uint16_t version) { return version != kFileVersion21; }

    // FixedRegionSize, record type and Key, as every node record starts.
    void ReadHead(CBinaryFile& file);
    // After reading the record type: type 2 is an end node of type 1.
    void UnfoldEndNodeType();
    // SplashComments ... SerialNumber, the tail of a root record, in the layout of the record's
    // own version when reading and of the given version when writing.
    void ReadRootTexts(CBinaryFile& file);
    void WriteRootTexts(CBinaryFile& file, std::uint16_t version) const;
    // Copies what both Clone and Clone22 take: every field but FixedRegionSize, Password and
    // Version, which each adds or leaves out in its own way.
    void CopyCommonFields(const CNodeFields& source);

private:
    std::uint16_t endNodeThreshold_;
    std::uint16_t fixedRegionSize_ = 0;
    std::uint16_t recordType_ = kRecordTypeNode;
    std::uint16_t key_ = 0;
    std::uint16_t parentKey_ = 0;
    std::uint16_t firstLeafKey_ = 0;
    std::uint16_t titleBitmapKey_ = 0;
    std::uint16_t version_ = kCurrentFileVersion;
    std::uint8_t flagHi_ = 0;
    std::uint8_t flagLo_ = 0;
    bool isEndNode_ = false;
    bool expanded_ = true;
    bool valid_ = true;
    std::string title_;
    std::string programIconName_;
    std::string splashComments_;
    std::string aboutComments_;
    std::string password_;
    std::string serialNumber_;
};

}  // namespace trovique
